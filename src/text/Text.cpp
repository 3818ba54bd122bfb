#include "text/Text.h"
double NumericValue(std::string_view) { return 0; }
std::string NumberText(double) { return {}; }
std::uint8_t ToByte(double) { return 0; }
std::int16_t ToInteger(double) { return 0; }
bool FitsByte(double) { return false; }
bool FitsInteger(double) { return false; }
std::string PadTwo(const std::string& t) { return t; }
std::size_t CharCount(std::string_view s) { return s.size(); }
std::string LeftChars(std::string_view s, std::size_t) { return std::string(s); }
std::string MidChars(std::string_view s, std::size_t) { return std::string(s); }
std::string Utf8ToAnsi(std::string_view s) { return std::string(s); }
std::string AnsiToUtf8(std::string_view s) { return std::string(s); }
std::vector<std::string> TraiteCommande(const std::string&, const std::string&) { return {}; }
