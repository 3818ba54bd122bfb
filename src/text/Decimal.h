#pragma once
// Decimal text <-> double, exactly and without the C library: the Windows
// programs carry no C runtime, and these must give the same answers on every
// processor and system the program runs on.
#include <string>
#include <string_view>

// digits (decimal, nothing else) times ten to the power exp10, rounded to the
// nearest double (halves to even); too large is infinite, too small is zero.
double DecimalToDouble(std::string_view digits, long long exp10);

// A positive finite double written out in full: 0.digits times 10^point.
struct ExactDecimal {
  std::string digits;
  int point;
};
ExactDecimal ExactDigits(double value);

// The value as printf's "%.*f" (fixed) or "%.*e" writes it, rounded exactly,
// halves to even.
std::string DecimalText(const ExactDecimal& exact, bool fixed, int precision);
