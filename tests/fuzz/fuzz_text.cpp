// Any text read as a number: no crash, no UB, conversions stay in range, and
// plain decimal numbers read and written as the C library does. Split on either
// separator: no empty token from blanks alone on the command line, and never
// more tokens than characters.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <regex>
#include <string>

#include "text/Text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  const double value = NumericValue(text);
  const std::string back = NumberText(value);
  if (std::isfinite(value) && NumericValue(back) != value) std::abort();  // the shortest form reads back
  static const std::regex plain("[0-9]*\\.?[0-9]+([eE][-+]?[0-9]{1,4})?");
  if (std::regex_match(text, plain) && value != std::strtod(text.c_str(), nullptr)) std::abort();
  if (std::isfinite(value) && value != 0) {
    char reference[64];
    const bool fixed = std::fabs(value) >= 1e-5 && std::fabs(value) < 1e15;
    for (int digits = 0; digits <= 30; ++digits) {
      std::snprintf(reference, sizeof reference, fixed ? "%.*f" : "%.*e", digits, value);
      if (std::strtod(reference, nullptr) == value) break;
    }
    if (back != reference) std::abort();
  }
  const std::uint8_t byte = ToByte(value);
  if (FitsByte(value) && std::fabs(value - byte) > 0.5) std::abort();
  (void)ToInteger(value);
  (void)PadTwo(text);
  (void)Utf8ToAnsi(text);
  (void)AnsiToUtf8(text);
  (void)LeftChars(text, size / 2);
  (void)MidChars(text, size / 3);
  for (const char* separator : {" ", ","}) {
    const auto tokens = TraiteCommande(text, separator);
    if (tokens.size() > size) std::abort();
    for (const std::string& token : tokens)
      if (token.find(separator[0]) != std::string::npos || (separator[0] == ' ' && token.empty())) std::abort();
  }
  return 0;
}
