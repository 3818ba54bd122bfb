#include "text/Decimal.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <vector>

namespace {

// An unsigned whole number of any size, just the operations the two
// conversions need. Limbs are little-endian with no leading zero limb.
class Big {
 public:
  explicit Big(std::uint32_t v = 0) {
    if (v) limbs_.push_back(v);
  }

  bool IsZero() const { return limbs_.empty(); }

  int BitLength() const {
    if (limbs_.empty()) return 0;
    return static_cast<int>(32 * (limbs_.size() - 1)) + std::bit_width(limbs_.back());
  }

  void MulAdd(std::uint32_t factor, std::uint32_t add) {
    std::uint64_t carry = add;
    for (auto& limb : limbs_) {
      const std::uint64_t v = std::uint64_t{limb} * factor + carry;
      limb = static_cast<std::uint32_t>(v);
      carry = v >> 32;
    }
    if (carry) limbs_.push_back(static_cast<std::uint32_t>(carry));
    Trim();
  }

  void MulPow(std::uint32_t base, long long n) {
    // The largest power of the base that fits a limb, then the rest.
    std::uint32_t chunk = 1;
    int per = 0;
    while (chunk <= 0xFFFFFFFFu / base) chunk *= base, ++per;
    for (; n >= per; n -= per) MulAdd(chunk, 0);
    for (; n > 0; --n) MulAdd(base, 0);
  }

  // Divides by d, returns the remainder.
  std::uint32_t DivSmall(std::uint32_t d) {
    std::uint64_t rem = 0;
    for (auto i = limbs_.size(); i-- > 0;) {
      const std::uint64_t v = (rem << 32) | limbs_[i];
      limbs_[i] = static_cast<std::uint32_t>(v / d);
      rem = v % d;
    }
    Trim();
    return static_cast<std::uint32_t>(rem);
  }

  void ShiftLeft(int bits) {
    if (IsZero() || bits <= 0) return;
    const auto words = static_cast<std::size_t>(bits / 32);
    const int rest = bits % 32;
    if (rest) {
      std::uint32_t carry = 0;
      for (auto& limb : limbs_) {
        const std::uint32_t next = limb >> (32 - rest);
        limb = (limb << rest) | carry;
        carry = next;
      }
      if (carry) limbs_.push_back(carry);
    }
    limbs_.insert(limbs_.begin(), words, 0);
  }

  void ShiftRightOne() {
    for (std::size_t i = 0; i < limbs_.size(); ++i)
      limbs_[i] = (limbs_[i] >> 1) | (i + 1 < limbs_.size() ? limbs_[i + 1] << 31 : 0);
    Trim();
  }

  friend int Compare(const Big& a, const Big& b) {
    if (a.limbs_.size() != b.limbs_.size()) return a.limbs_.size() < b.limbs_.size() ? -1 : 1;
    for (auto i = a.limbs_.size(); i-- > 0;)
      if (a.limbs_[i] != b.limbs_[i]) return a.limbs_[i] < b.limbs_[i] ? -1 : 1;
    return 0;
  }

  // this -= b, where b <= this.
  void Subtract(const Big& b) {
    std::int64_t borrow = 0;
    for (std::size_t i = 0; i < limbs_.size(); ++i) {
      std::int64_t v = std::int64_t{limbs_[i]} - borrow - (i < b.limbs_.size() ? std::int64_t{b.limbs_[i]} : 0);
      borrow = v < 0;
      if (v < 0) v += std::int64_t{1} << 32;
      limbs_[i] = static_cast<std::uint32_t>(v);
    }
    Trim();
  }

  // Decimal digits, most significant first ("" for zero).
  std::string Digits() const {
    Big rest = *this;
    std::string out;
    while (!rest.IsZero()) {
      std::uint32_t chunk = rest.DivSmall(1000000000u);
      for (int k = 0; k < 9; ++k, chunk /= 10) out += static_cast<char>('0' + chunk % 10);
    }
    while (!out.empty() && out.back() == '0') out.pop_back();
    std::reverse(out.begin(), out.end());
    return out;
  }

 private:
  void Trim() {
    while (!limbs_.empty() && limbs_.back() == 0) limbs_.pop_back();
  }

  std::vector<std::uint32_t> limbs_;
};

// floor(n / d) for a quotient known to fit 63 bits; n keeps the remainder.
std::uint64_t Divide(Big& n, const Big& d) {
  std::uint64_t q = 0;
  int shift = n.BitLength() - d.BitLength();
  if (shift < 0) return 0;
  Big part = d;
  part.ShiftLeft(shift);
  for (; shift >= 0; --shift, part.ShiftRightOne()) {
    if (Compare(n, part) >= 0) {
      n.Subtract(part);
      q |= std::uint64_t{1} << shift;
    }
  }
  return q;
}

constexpr std::uint64_t kHidden = std::uint64_t{1} << 52;
constexpr int kMinExponent = -1074;  // of the last bit of the smallest subnormal

double FromParts(std::uint64_t mantissa, int exponent) {  // mantissa * 2^exponent, mantissa < 2^53
  if (mantissa == 0) return 0;
  std::uint64_t bits = mantissa;  // subnormal: exponent is kMinExponent
  if (mantissa >= kHidden) {
    const int biased = exponent + 52 + 1023;
    if (biased >= 2047) return std::bit_cast<double>(std::uint64_t{2047} << 52);
    bits = (std::uint64_t(biased) << 52) | (mantissa - kHidden);
  }
  return std::bit_cast<double>(bits);
}

}  // namespace

double DecimalToDouble(std::string_view digits, long long exp10) {
  const auto first = digits.find_first_not_of('0');
  if (first == std::string_view::npos) return 0;
  const auto last = digits.find_last_not_of('0');
  exp10 += static_cast<long long>(digits.size() - 1 - last);
  digits = digits.substr(first, last - first + 1);
  // The value lies below 10^magnitude and at or above a tenth of it.
  const long long magnitude = static_cast<long long>(digits.size()) + exp10;
  if (magnitude > 310) return FromParts(kHidden, 2000);  // infinite
  if (magnitude < -324) return 0;                        // under half the smallest subnormal

  // Beyond 800 digits only "something more" matters for the rounding: no halfway
  // point between two doubles needs more than 767.
  std::string kept(digits.substr(0, std::min<std::size_t>(digits.size(), 800)));
  if (kept.size() < digits.size()) {
    exp10 += static_cast<long long>(digits.size() - kept.size()) - 1;
    kept += '1';
  }
  Big num, den(1);
  for (char c : kept) num.MulAdd(10, static_cast<std::uint32_t>(c - '0'));
  num.MulPow(10, std::max(exp10, 0LL));
  den.MulPow(10, std::max(-exp10, 0LL));

  // q = value / 2^k with 54 or 55 bits: 53 kept, one to round on, and the
  // remainder says whether anything lies beyond. Subnormals keep fewer bits.
  int k = std::max(num.BitLength() - den.BitLength() - 54, kMinExponent - 1);
  num.ShiftLeft(std::max(-k, 0));
  den.ShiftLeft(std::max(k, 0));
  std::uint64_t q = Divide(num, den);
  bool sticky = !num.IsZero();
  while (q >= (std::uint64_t{1} << 54)) {
    sticky = sticky || (q & 1);
    q >>= 1;
    ++k;
  }
  const bool half = q & 1;
  std::uint64_t mantissa = q >> 1;
  int exponent = k + 1;
  if (half && (sticky || (mantissa & 1))) ++mantissa;
  if (mantissa == (kHidden << 1)) mantissa >>= 1, ++exponent;
  return FromParts(mantissa, exponent);
}

ExactDecimal ExactDigits(double value) {
  // value = mantissa * 2^exponent, then exactly 0.digits * 10^point.
  const auto bits = std::bit_cast<std::uint64_t>(value) & ~(std::uint64_t{1} << 63);
  const int biased = static_cast<int>(bits >> 52);
  const std::uint64_t mantissa = (bits & (kHidden - 1)) | (biased ? kHidden : 0);
  const int exponent = biased ? biased - 1075 : kMinExponent;
  Big n(static_cast<std::uint32_t>(mantissa >> 32));
  n.ShiftLeft(32);
  n.MulAdd(1, static_cast<std::uint32_t>(mantissa));
  n.ShiftLeft(std::max(exponent, 0));
  n.MulPow(5, std::max(-exponent, 0));
  std::string digits = n.Digits();
  return {digits, static_cast<int>(digits.size()) + std::min(exponent, 0)};
}

std::string DecimalText(const ExactDecimal& exact, bool fixed, int precision) {
  std::string digits = exact.digits;
  int point = exact.point;

  // Keep this many leading digits, rounding the rest away, halves to even.
  const int keep = fixed ? point + precision : precision + 1;
  if (keep < static_cast<int>(digits.size())) {
    bool up = false;
    if (keep >= 0) {
      const char next = digits[keep];
      const bool more = digits.find_first_not_of('0', keep + 1) != std::string::npos;
      const bool odd = keep > 0 && ((digits[keep - 1] - '0') & 1);
      up = next > '5' || (next == '5' && (more || odd));
    }
    digits.resize(std::max(keep, 0));
    if (up) {
      int i = keep - 1;
      for (; i >= 0 && digits[i] == '9'; --i) digits[i] = '0';
      if (i >= 0) {
        ++digits[i];
      } else {
        digits.insert(digits.begin(), '1');
        ++point;
        if (!fixed) digits.pop_back();
      }
    }
  }
  const auto digitAt = [&](int i) { return i >= 0 && i < static_cast<int>(digits.size()) ? digits[i] : '0'; };

  std::string out;
  if (fixed) {
    if (point <= 0) out += '0';
    for (int i = 0; i < point; ++i) out += digitAt(i);
    if (precision > 0) out += '.';
    for (int i = 0; i < precision; ++i) out += digitAt(point + i);
    return out;
  }
  out += digitAt(0);
  if (precision > 0) out += '.';
  for (int i = 1; i <= precision; ++i) out += digitAt(i);
  const int e = point - 1;
  out += e < 0 ? "e-" : "e+";
  const int magnitude = e < 0 ? -e : e;
  if (magnitude < 10) out += '0';
  out += std::to_string(magnitude);
  return out;
}
