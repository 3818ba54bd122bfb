#include "win32/Win32Text.h"

namespace {

std::string FromWide(std::wstring_view text, UINT codePage) {
  if (text.empty()) return {};
  const int size = static_cast<int>(text.size());
  const int n = WideCharToMultiByte(codePage, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
  if (n <= 0) return {};
  std::string out(static_cast<std::size_t>(n), '\0');
  WideCharToMultiByte(codePage, 0, text.data(), size, out.data(), n, nullptr, nullptr);
  return out;
}

std::wstring ToWide(std::string_view text, UINT codePage) {
  if (text.empty()) return {};
  const int size = static_cast<int>(text.size());
  const int n = MultiByteToWideChar(codePage, 0, text.data(), size, nullptr, 0);
  if (n <= 0) return {};
  std::wstring out(static_cast<std::size_t>(n), L'\0');
  MultiByteToWideChar(codePage, 0, text.data(), size, out.data(), n);
  return out;
}

bool IsHighSurrogate(wchar_t c) { return c >= 0xD800 && c <= 0xDBFF; }

}  // namespace

std::wstring Widen(std::string_view utf8) { return ToWide(utf8, CP_UTF8); }
std::string Narrow(std::wstring_view utf16) { return FromWide(utf16, CP_UTF8); }

std::string ToAnsi(std::string_view utf8, UINT codePage) { return FromWide(Widen(utf8), codePage); }
std::string FromAnsi(std::string_view ansi, UINT codePage) { return Narrow(ToWide(ansi, codePage)); }

std::string FitAnsi(std::string_view utf8, std::size_t maxBytes, UINT codePage) {
  const std::wstring wide = Widen(utf8);
  std::string whole = FromWide(wide, codePage);
  if (whole.size() <= maxBytes) return whole;
  // Characters are added one at a time while the converted text still fits:
  // whatever the code page, the cut then falls between two of them.
  std::size_t units = 0;
  std::string fitted;
  while (units < wide.size()) {
    const std::size_t next = units + (IsHighSurrogate(wide[units]) && units + 1 < wide.size() ? 2 : 1);
    std::string longer = FromWide(std::wstring_view(wide).substr(0, next), codePage);
    if (longer.size() > maxBytes) break;
    fitted = std::move(longer);
    units = next;
  }
  return fitted;
}
