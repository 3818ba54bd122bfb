#pragma once
// Texts are UTF-8 inside the program: UTF-16 for the W calls, the system's
// ANSI code page for the A calls. Invalid UTF-8 becomes U+FFFD rather than
// failing, so a bad text never loses the rest of a line.
#include <windows.h>

#include <string>
#include <string_view>

std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view utf16);

// The code page's own best fit stands in for characters it lacks ("ê" is "e"
// in 1251), "?" for the rest. CP_ACP: the system's ANSI code page.
std::string ToAnsi(std::string_view utf8, UINT codePage = CP_ACP);
std::string FromAnsi(std::string_view ansi, UINT codePage = CP_ACP);
// As much of the text as fits in maxBytes of that code page, cut between two
// characters, never inside one (a lead byte alone would eat what follows).
std::string FitAnsi(std::string_view utf8, std::size_t maxBytes, UINT codePage = CP_ACP);
