#include "win32/Api.h"

#include "win32/Trace.h"
#include "win32/Win32Text.h"

namespace api {

namespace {
template <class Text>
Text SkipProgramPath(const Text& commandLine) {
  using Char = typename Text::value_type;
  const Char quote = '"', blank = ' ', tab = '\t';
  std::size_t i = 0;
  const std::size_t n = commandLine.size();
  if (n > 0 && commandLine[0] == quote) {
    // A quoted path runs to the next quote; there is no escaping in it.
    i = commandLine.find(quote, 1);
    i = (i == Text::npos) ? n : i + 1;
  } else {
    while (i < n && commandLine[i] != blank && commandLine[i] != tab) ++i;
  }
  while (i < n && (commandLine[i] == blank || commandLine[i] == tab)) ++i;
  return commandLine.substr(i);
}

}  // namespace

std::wstring ArgumentsOf(const std::wstring& commandLine) { return SkipProgramPath(commandLine); }
std::string ArgumentsOf(const std::string& commandLine) { return SkipProgramPath(commandLine); }

bool Wide() {
  // The top bit of the version is set on the 95 family.
  static const bool wide = (GetVersion() & 0x80000000u) == 0;
  return wide;
}

void RegisterWindowClass(HINSTANCE instance, WNDPROC proc, const char* className, UINT style) {
  if (Wide()) {
    WNDCLASSEXW wc{};
    if (GetClassInfoExW(instance, Widen(className).c_str(), &wc)) return;
    const std::wstring name = Widen(className);
    wc.cbSize = sizeof wc;
    wc.style = style;
    wc.lpfnWndProc = proc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.lpszClassName = name.c_str();
    Traced(RegisterClassExW(&wc), "RegisterClassExW");
  } else {
    WNDCLASSEXA wc{};
    if (GetClassInfoExA(instance, className, &wc)) return;
    wc.cbSize = sizeof wc;
    wc.style = style;
    wc.lpfnWndProc = proc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.lpszClassName = className;
    Traced(RegisterClassExA(&wc), "RegisterClassExA");
  }
}

HWND MakeWindow(DWORD exStyle, const char* className, const std::string& text, DWORD style, int x, int y, int width,
                int height, HWND parent, HMENU menu, HINSTANCE instance, void* param) {
  if (Wide())
    return Traced(CreateWindowExW(exStyle, Widen(className).c_str(), Widen(text).c_str(), style, x, y, width, height,
                                  parent, menu, instance, param),
                  "CreateWindowExW");
  return Traced(CreateWindowExA(exStyle, className, ToAnsi(text).c_str(), style, x, y, width, height, parent, menu,
                                instance, param),
                "CreateWindowExA");
}

LRESULT DefProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return Wide() ? DefWindowProcW(window, message, wParam, lParam) : DefWindowProcA(window, message, wParam, lParam);
}

LRESULT Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return Wide() ? SendMessageW(window, message, wParam, lParam) : SendMessageA(window, message, wParam, lParam);
}

WNDPROC Subclass(HWND window, WNDPROC proc) {
  const LONG_PTR value = reinterpret_cast<LONG_PTR>(proc);
  return reinterpret_cast<WNDPROC>(Wide() ? SetWindowLongPtrW(window, GWLP_WNDPROC, value)
                                          : SetWindowLongPtrA(window, GWLP_WNDPROC, value));
}

LRESULT CallProc(WNDPROC previous, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return Wide() ? CallWindowProcW(previous, window, message, wParam, lParam)
                : CallWindowProcA(previous, window, message, wParam, lParam);
}

void* ObjectOf(HWND window) { return reinterpret_cast<void*>(GetWindowLongPtrA(window, GWLP_USERDATA)); }

void SetObject(HWND window, void* object) {
  SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(object));
}

void* CreationObject(LPARAM lParam) {
  // The two forms of the record start alike.
  return reinterpret_cast<const CREATESTRUCTA*>(lParam)->lpCreateParams;
}

void SetText(HWND window, const std::string& utf8) {
  if (Wide())
    SetWindowTextW(window, Widen(utf8).c_str());
  else
    SetWindowTextA(window, ToAnsi(utf8).c_str());
}

std::string Text(HWND window) {
  if (Wide()) {
    const int length = GetWindowTextLengthW(window);
    if (length <= 0) return {};
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const int got = GetWindowTextW(window, text.data(), length + 1);
    text.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
    return Narrow(text);
  }
  const int length = GetWindowTextLengthA(window);
  if (length <= 0) return {};
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  const int got = GetWindowTextA(window, text.data(), length + 1);
  text.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
  return FromAnsi(text);
}

bool NextMessage(MSG& msg) {
  return (Wide() ? GetMessageW(&msg, nullptr, 0, 0) : GetMessageA(&msg, nullptr, 0, 0)) > 0;
}

void Dispatch(const MSG& msg) {
  if (Wide())
    DispatchMessageW(&msg);
  else
    DispatchMessageA(&msg);
}

void AppendMenuItem(HMENU menu, UINT id, const std::string& caption) {
  if (Wide())
    AppendMenuW(menu, MF_STRING, id, Widen(caption).c_str());
  else
    AppendMenuA(menu, MF_STRING, id, ToAnsi(caption).c_str());
}

std::string TimeOfDay() {
  if (Wide()) {
    wchar_t text[64] = {};
    const int n = GetTimeFormatW(LOCALE_USER_DEFAULT, 0, nullptr, nullptr, text, static_cast<int>(std::size(text)));
    return n > 1 ? Narrow(std::wstring_view(text, static_cast<std::size_t>(n - 1))) : std::string();
  }
  char text[64] = {};
  const int n = GetTimeFormatA(LOCALE_USER_DEFAULT, 0, nullptr, nullptr, text, static_cast<int>(std::size(text)));
  return n > 1 ? FromAnsi(std::string_view(text, static_cast<std::size_t>(n - 1))) : std::string();
}

std::string CommandLineArguments() {
  if (Wide()) {
    const wchar_t* line = GetCommandLineW();
    return Narrow(ArgumentsOf(line ? std::wstring(line) : std::wstring()));
  }
  const char* line = GetCommandLineA();
  return FromAnsi(ArgumentsOf(std::string(line ? line : "")));
}

}  // namespace api
