#include "text/Text.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "text/Decimal.h"

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

int DigitValue(char c, int base) {
  int v = -1;
  if (c >= '0' && c <= '9')
    v = c - '0';
  else if (c >= 'a' && c <= 'f')
    v = c - 'a' + 10;
  else if (c >= 'A' && c <= 'F')
    v = c - 'A' + 10;
  return v < base ? v : -1;
}

// &H / &O numbers: accumulated in a double, so any length stays defined.
double ReadRadix(const std::string& s, std::size_t pos, int base) {
  double value = 0;
  for (; pos < s.size(); ++pos) {
    const int d = DigitValue(s[pos], base);
    if (d < 0) break;
    value = value * base + d;
  }
  return value;
}

// Round to nearest, halves to the even neighbour, whatever the FPU mode is.
double RoundHalfEven(double value) {
  const double lower = std::floor(value);
  const double diff = value - lower;
  if (diff > 0.5) return lower + 1;
  if (diff < 0.5) return lower;
  return std::floor(lower / 2) * 2 == lower ? lower : lower + 1;
}

template <class T>
T ToWhole(double value) {
  if (std::isnan(value)) return 0;
  const double r = RoundHalfEven(value);
  // Both limits are exact doubles for the types used here.
  return static_cast<T>(std::clamp(r, double{std::numeric_limits<T>::min()}, double{std::numeric_limits<T>::max()}));
}

template <class T>
bool FitsWhole(double value) {
  if (!std::isfinite(value)) return false;
  const double r = RoundHalfEven(value);
  return r >= std::numeric_limits<T>::min() && r <= std::numeric_limits<T>::max();
}

// Decodes one UTF-8 sequence at s[i]; advances i. Malformed input yields -1
// and skips one byte.
long DecodeUtf8(std::string_view s, std::size_t& i) {
  const auto b0 = static_cast<unsigned char>(s[i]);
  if (b0 < 0x80) {
    ++i;
    return b0;
  }
  int len = 0;
  long cp = 0;
  if ((b0 & 0xE0) == 0xC0)
    len = 2, cp = b0 & 0x1F;
  else if ((b0 & 0xF0) == 0xE0)
    len = 3, cp = b0 & 0x0F;
  else if ((b0 & 0xF8) == 0xF0)
    len = 4, cp = b0 & 0x07;
  else {
    ++i;
    return -1;
  }
  if (i + len > s.size()) {
    ++i;
    return -1;
  }
  for (int k = 1; k < len; ++k) {
    const auto b = static_cast<unsigned char>(s[i + k]);
    if ((b & 0xC0) != 0x80) {
      ++i;
      return -1;
    }
    cp = (cp << 6) | (b & 0x3F);
  }
  // Overlong forms would smuggle in characters such as NUL.
  if ((len == 2 && cp < 0x80) || (len == 3 && cp < 0x800) || (len == 4 && cp < 0x10000)) {
    ++i;
    return -1;
  }
  i += len;
  return cp;
}

void AppendUtf8(std::string& out, long cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

// Windows-1252 bytes 80h..9Fh. The five holes map to the same code point, as
// the system's own conversion does, so that they survive a round trip.
constexpr long kCp1252High[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                  0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                  0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                  0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

}  // namespace

double NumericValue(std::string_view text) {
  std::string s;
  for (char c : text)
    if (!IsBlank(c)) s += c;

  if (s.size() >= 2 && s[0] == '&') {
    if (s[1] == 'H' || s[1] == 'h') return ReadRadix(s, 2, 16);
    if (s[1] == 'O' || s[1] == 'o') return ReadRadix(s, 2, 8);
    return 0;
  }

  std::size_t i = 0;
  bool negative = false;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';

  // The digits without the point, and the power of ten they are scaled by.
  std::string digits;
  long long exp10 = 0;
  while (i < s.size() && IsDigit(s[i])) digits += s[i++];
  if (i < s.size() && s[i] == '.') {
    ++i;
    for (; i < s.size() && IsDigit(s[i]); ++i) digits += s[i], --exp10;
  }
  if (digits.empty()) return 0;
  if (i < s.size() && (s[i] == 'e' || s[i] == 'E' || s[i] == 'd' || s[i] == 'D')) {
    std::size_t j = i + 1;
    const bool negativeExponent = j < s.size() && s[j] == '-';
    if (j < s.size() && (s[j] == '+' || s[j] == '-')) ++j;
    // Saturates: far past any double's range either way, never overflowing.
    long long exponent = 0;
    for (; j < s.size() && IsDigit(s[j]); ++j) exponent = std::min(exponent * 10 + (s[j] - '0'), 1000000000LL);
    exp10 += negativeExponent ? -exponent : exponent;
  }
  const double value = DecimalToDouble(digits, exp10);
  return negative ? -value : value;
}

std::string NumberText(double value) {
  if (std::isnan(value)) return "0";
  if (std::isinf(value)) return value > 0 ? "1E+999" : "-1E+999";
  if (value == 0) return "0";  // also -0
  // The fewest digits that read back to the same number.
  const double magnitude = std::fabs(value);
  const bool fixed = magnitude >= 1e-5 && magnitude < 1e15;
  const ExactDecimal exact = ExactDigits(magnitude);
  std::string text;
  for (int digits = 0; digits <= 30; ++digits) {
    text = DecimalText(exact, fixed, digits);
    if (NumericValue(text) == magnitude) break;
  }
  return value < 0 ? "-" + text : text;
}

std::uint8_t ToByte(double value) { return ToWhole<std::uint8_t>(value); }
std::int16_t ToInteger(double value) { return ToWhole<std::int16_t>(value); }
bool FitsByte(double value) { return FitsWhole<std::uint8_t>(value); }
bool FitsInteger(double value) { return FitsWhole<std::int16_t>(value); }

std::string PadTwo(const std::string& text) { return CharCount(text) == 1 ? "0" + text : text; }

std::size_t CharCount(std::string_view utf8) {
  std::size_t n = 0;
  for (unsigned char c : utf8)
    if ((c & 0xC0) != 0x80) ++n;
  return n;
}

namespace {
// Byte offset of character index n (0-based), or the size when past the end.
std::size_t ByteOffsetOfChar(std::string_view utf8, std::size_t n) {
  std::size_t chars = 0;
  for (std::size_t i = 0; i < utf8.size(); ++i) {
    if ((static_cast<unsigned char>(utf8[i]) & 0xC0) != 0x80) {
      if (chars == n) return i;
      ++chars;
    }
  }
  return utf8.size();
}
}  // namespace

std::string LeftChars(std::string_view utf8, std::size_t n) {
  return std::string(utf8.substr(0, ByteOffsetOfChar(utf8, n)));
}

std::string MidChars(std::string_view utf8, std::size_t n) {
  return std::string(utf8.substr(ByteOffsetOfChar(utf8, n)));
}

std::string Utf8ToAnsi(std::string_view utf8) {
  std::string out;
  for (std::size_t i = 0; i < utf8.size();) {
    const long cp = DecodeUtf8(utf8, i);
    if (cp < 0) {
      out += '?';
    } else if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) {
      out += static_cast<char>(cp);
    } else {
      char mapped = '?';
      for (int k = 0; k < 32; ++k)
        if (kCp1252High[k] == cp) mapped = static_cast<char>(0x80 + k);
      out += mapped;
    }
  }
  return out;
}

std::string AnsiToUtf8(std::string_view ansi) {
  std::string out;
  for (char c : ansi) {
    const auto b = static_cast<unsigned char>(c);
    AppendUtf8(out, (b >= 0x80 && b < 0xA0) ? kCp1252High[b - 0x80] : static_cast<long>(b));
  }
  return out;
}

std::vector<std::string> TraiteCommande(const std::string& comm, const std::string& separator) {
  std::vector<std::string> tabl;
  const auto first = comm.find_first_not_of(' ');
  if (first == std::string::npos) return tabl;
  std::string rest = comm.substr(first, comm.find_last_not_of(' ') - first + 1);
  while (!rest.empty()) {
    // An empty separator would never consume anything: the rest is one token.
    const std::size_t p = separator.empty() ? std::string::npos : rest.find(separator);
    if (p == std::string::npos) {
      tabl.push_back(rest);
      break;
    }
    tabl.push_back(rest.substr(0, p));
    rest.erase(0, p);
    rest.erase(0, rest.find_first_not_of(' ') == std::string::npos ? rest.size() : rest.find_first_not_of(' '));
    if (rest.compare(0, separator.size(), separator) == 0) rest.erase(0, 1);
  }
  return tabl;
}
