// Any text read as a number: no crash, no UB, conversions stay in range.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "text/Text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  const double value = NumericValue(text);
  const std::string back = NumberText(value);
  if (std::isfinite(value) && NumericValue(back) != value) std::abort();  // the shortest form reads back
  const std::uint8_t byte = ToByte(value);
  if (FitsByte(value) && std::fabs(value - byte) > 0.5) std::abort();
  (void)ToInteger(value);
  (void)PadTwo(text);
  (void)Utf8ToAnsi(text);
  (void)AnsiToUtf8(text);
  (void)LeftChars(text, size / 2);
  (void)MidChars(text, size / 3);
  return 0;
}
