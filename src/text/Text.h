#pragma once
// Shared text helpers: numbers read from and written to text, the splitter,
// character counting and the ANSI (CP1252) conversion used by the A calls.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The number at the start of a text: blanks anywhere are skipped; sign, digits,
// one "." (never a comma), exponent, or &H / &O numbers; stops at the first other
// character; no digits gives 0. Never throws, never overflows into UB.
double NumericValue(std::string_view text);

// Shortest decimal form, no leading zeros ("5", "12", "1.5", "-3").
std::string NumberText(double value);

// Nearest whole number, halves to the even neighbour, clamped into the type's range
// (an out-of-range value never wraps into a valid-looking one).
std::uint8_t ToByte(double value);
std::int16_t ToInteger(double value);
// True when the value rounds (half-even) into 0..255 / -32768..32767.
bool FitsByte(double value);
bool FitsInteger(double value);

// "5" -> "05": a text of exactly one character gets a "0" in front.
std::string PadTwo(const std::string& text);

// Characters (code points) of a UTF-8 text, not bytes.
std::size_t CharCount(std::string_view utf8);
// The first n characters of a UTF-8 text.
std::string LeftChars(std::string_view utf8, std::size_t n);
// The text from character index n (0-based) on.
std::string MidChars(std::string_view utf8, std::size_t n);

// UTF-8 <-> Windows-1252. Characters CP1252 lacks become "?".
std::string Utf8ToAnsi(std::string_view utf8);
std::string AnsiToUtf8(std::string_view ansi);

// The program's splitter (command line with " ", time texts with ","):
// returns the tokens (index 0 here is the text's Tabl(1)).
std::vector<std::string> TraiteCommande(const std::string& comm, const std::string& separator);
