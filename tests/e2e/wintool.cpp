// wintool: a small console helper the end-to-end tests run inside the same
// Wine prefix as crepuscule.exe, to read and drive its windows from outside.
// Everything it prints is UTF-8, one record per line.
//
//   wintool list                      top-level windows of other processes, with their children
//   wintool wait TITLE [ms] [CLASS]   wait until a visible top-level window has this caption
//                                     (and this class; "!CLASS": any other class)
//   wintool wait-gone TITLE [ms]      wait until no visible top-level window has it
//   wintool rect TITLE                window and client rectangles in screen pixels
//   wintool xid TITLE                 the X11 window Wine made for it (for xdotool)
//   wintool foreground                the foreground window
//   wintool describe                  the program's own description of its windows
//   wintool wait-describe TEXT [ms]   describe until a line contains TEXT
//
// TITLE is matched whole; "~part" matches a part of the caption. Arguments may
// spell any character as \uXXXX: Wine reads a non-ASCII command line through
// the host's locale, which a bare machine may not have.
// Exit status: 0 done, 1 not found or timed out, 2 bad usage.
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

namespace {

constexpr ULONG_PTR kDescribeTag = 0x43524550;  // 'CREP'
constexpr DWORD kDefaultWaitMs = 10000;

std::string Utf8(const std::wstring& text) {
  if (text.empty()) return {};
  int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), n, nullptr, nullptr);
  return out;
}

// Raw bytes to stdout, so a pipe gets UTF-8 whatever the console code page.
void Out(const std::string& text) {
  HANDLE h = GetStdHandle(STD_OUTPUT_HANDLE);
  DWORD mode = 0;
  if (GetConsoleMode(h, &mode)) SetConsoleOutputCP(CP_UTF8);
  DWORD written = 0;
  WriteFile(h, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

void Line(const std::string& text) { Out(text + "\n"); }

// Line breaks and bars would split a record: show them escaped.
std::string Field(const std::wstring& text) {
  std::wstring out;
  for (wchar_t c : text) {
    if (c == L'\r')
      out += L"\\r";
    else if (c == L'\n')
      out += L"\\n";
    else if (c == L'|')
      out += L"\\|";
    else if (c == L'\\')
      out += L"\\\\";
    else
      out += c;
  }
  return Utf8(out);
}

std::wstring TextOf(HWND w) {
  // WM_GETTEXT reaches other processes' edit and static controls too.
  wchar_t buffer[4096] = {};
  SendMessageTimeoutW(w, WM_GETTEXT, 4096, reinterpret_cast<LPARAM>(buffer), SMTO_ABORTIFHUNG, 2000, nullptr);
  return buffer;
}

std::wstring ClassOf(HWND w) {
  wchar_t buffer[256] = {};
  GetClassNameW(w, buffer, 256);
  return buffer;
}

std::string Hex(HWND w) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%llx", static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(w)));
  return buffer;
}

bool TitleMatches(const std::wstring& caption, const std::wstring& wanted) {
  if (!wanted.empty() && wanted[0] == L'~') return caption.find(wanted.substr(1)) != std::wstring::npos;
  return caption == wanted;
}

// A named CALLBACK, not a lambda: the 32-bit build needs the stdcall convention.
BOOL CALLBACK Collect(HWND w, LPARAM list) {
  reinterpret_cast<std::vector<HWND>*>(list)->push_back(w);
  return TRUE;
}

std::vector<HWND> TopLevelWindows() {
  std::vector<HWND> all;
  EnumWindows(Collect, reinterpret_cast<LPARAM>(&all));
  std::vector<HWND> others;
  DWORD self = GetCurrentProcessId();
  for (HWND w : all) {
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    if (pid != self) others.push_back(w);
  }
  return others;
}

std::vector<HWND> Children(HWND parent) {
  std::vector<HWND> all;
  EnumChildWindows(parent, Collect, reinterpret_cast<LPARAM>(&all));
  return all;
}

bool ClassMatches(HWND w, const std::wstring& wanted) {
  if (wanted.empty()) return true;
  if (wanted[0] == L'!') return ClassOf(w) != wanted.substr(1);
  return ClassOf(w) == wanted;
}

HWND FindVisible(const std::wstring& title, const std::wstring& cls = L"") {
  for (HWND w : TopLevelWindows())
    if (IsWindowVisible(w) && TitleMatches(TextOf(w), title) && ClassMatches(w, cls)) return w;
  return nullptr;
}

HWND WaitVisible(const std::wstring& title, DWORD ms, const std::wstring& cls = L"") {
  DWORD start = GetTickCount();
  for (;;) {
    if (HWND w = FindVisible(title, cls)) return w;
    if (GetTickCount() - start >= ms) return nullptr;
    Sleep(50);
  }
}

std::string Flag(const char* name, bool on) { return std::string(name) + "=" + (on ? "1" : "0"); }

std::string RectText(const RECT& r) {
  return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
         std::to_string(r.bottom);
}

void PrintChild(HWND c) {
  RECT r{};
  GetWindowRect(c, &r);
  Line("  child|" + Hex(c) + "|" + Field(ClassOf(c)) + "|id=" + std::to_string(GetDlgCtrlID(c)) + "|" +
       Field(TextOf(c)) + "|" + Flag("visible", IsWindowVisible(c)) + "|" + Flag("enabled", IsWindowEnabled(c)) + "|" +
       RectText(r));
}

int List() {
  for (HWND w : TopLevelWindows()) {
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    RECT r{};
    GetWindowRect(w, &r);
    Line("window|" + Hex(w) + "|" + Field(ClassOf(w)) + "|" + Field(TextOf(w)) + "|" +
         Flag("visible", IsWindowVisible(w)) + "|" + Flag("enabled", IsWindowEnabled(w)) +
         "|pid=" + std::to_string(pid) + "|" + RectText(r));
    for (HWND c : Children(w)) PrintChild(c);
  }
  return 0;
}

int Rect(const std::wstring& title) {
  HWND w = FindVisible(title);
  if (!w) return 1;
  RECT r{};
  GetWindowRect(w, &r);
  RECT c{};
  GetClientRect(w, &c);
  POINT origin{0, 0};
  ClientToScreen(w, &origin);
  Line("window=" + RectText(r) + " client=" + std::to_string(origin.x) + "," + std::to_string(origin.y) + "," +
       std::to_string(origin.x + c.right) + "," + std::to_string(origin.y + c.bottom));
  return 0;
}

int Foreground() {
  HWND w = GetForegroundWindow();
  if (!w) return 1;
  DWORD pid = 0;
  GetWindowThreadProcessId(w, &pid);
  Line("window|" + Hex(w) + "|" + Field(ClassOf(w)) + "|" + Field(TextOf(w)) + "|pid=" + std::to_string(pid));
  return 0;
}

// ---- describe: ask the running program for its own view of its windows ----

std::string g_description;
bool g_described = false;

LRESULT CALLBACK ReceiverProc(HWND w, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COPYDATA) {
    auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
    if (data && data->dwData == kDescribeTag) {
      g_description.assign(static_cast<const char*>(data->lpData), data->cbData);
      g_described = true;
      return TRUE;
    }
    return FALSE;
  }
  return DefWindowProcW(w, message, wParam, lParam);
}

HWND Receiver() {
  static HWND receiver = nullptr;
  if (receiver) return receiver;
  WNDCLASSW wc{};
  wc.lpfnWndProc = ReceiverProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"CrepWintoolReceiver";
  RegisterClassW(&wc);
  receiver = CreateWindowExW(0, wc.lpszClassName, L"", 0, 0, 0, 0, 0, nullptr, nullptr, wc.hInstance, nullptr);
  return receiver;
}

bool DescribeOnce(std::string& out) {
  HWND app = FindWindowW(L"ThunderRT6Main", L"Crepuscule");
  if (!app) return false;
  HWND me = Receiver();
  UINT message = RegisterWindowMessageW(L"CrepusculeDescribe");
  g_described = false;
  DWORD_PTR result = 0;
  // The answer arrives as a sent WM_COPYDATA while this call waits.
  SendMessageTimeoutW(app, message, reinterpret_cast<WPARAM>(me), 0, SMTO_NORMAL, 5000, &result);
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
  if (!g_described) return false;
  out = g_description;
  return true;
}

void PrintDescription(const std::string& text) {
  Out(text);
  if (!text.empty() && text.back() != '\n') Out("\n");
}

int Describe() {
  std::string text;
  if (!DescribeOnce(text)) return 1;
  PrintDescription(text);
  return 0;
}

int WaitDescribe(const std::string& wanted, DWORD ms) {
  DWORD start = GetTickCount();
  std::string text;
  for (;;) {
    bool got = DescribeOnce(text);
    if (got && text.find(wanted) != std::string::npos) {
      PrintDescription(text);
      return 0;
    }
    if (GetTickCount() - start >= ms) {
      if (got) PrintDescription(text);
      return 1;
    }
    Sleep(100);
  }
}

std::wstring Unescape(const std::wstring& text) {
  std::wstring out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == L'\\' && i + 5 < text.size() && text[i + 1] == L'u') {
      std::wstring digits = text.substr(i + 2, 4);
      wchar_t* end = nullptr;
      unsigned long code = std::wcstoul(digits.c_str(), &end, 16);
      if (digits.size() == 4 && end && *end == 0) {
        out += static_cast<wchar_t>(code);
        i += 5;
        continue;
      }
    }
    out += text[i];
  }
  return out;
}

DWORD Millis(int argc, wchar_t** argv, int index) {
  if (index >= argc) return kDefaultWaitMs;
  wchar_t* end = nullptr;
  unsigned long value = std::wcstoul(argv[index], &end, 10);
  return (end && *end == 0) ? static_cast<DWORD>(value) : kDefaultWaitMs;
}

int Usage() {
  Line("usage: wintool list|wait|wait-gone|rect|xid|foreground|describe|wait-describe ...");
  return 2;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) return Usage();
  std::vector<std::wstring> args(argv, argv + argc);
  for (auto& a : args) a = Unescape(a);
  std::wstring command = args[1];
  std::wstring arg1 = argc > 2 ? args[2] : L"";
  if (command == L"list") return List();
  if (command == L"foreground") return Foreground();
  if (command == L"describe") return Describe();
  if (argc < 3) return Usage();
  if (command == L"wait") {
    HWND w = WaitVisible(arg1, Millis(argc, argv, 3), argc > 4 ? args[4] : L"");
    if (w) Line(Hex(w));
    return w ? 0 : 1;
  }
  if (command == L"wait-gone") {
    DWORD ms = Millis(argc, argv, 3), start = GetTickCount();
    while (FindVisible(arg1)) {
      if (GetTickCount() - start >= ms) return 1;
      Sleep(50);
    }
    return 0;
  }
  if (command == L"xid") {
    // Wine's X11 driver keeps the X window of a top-level window in this property.
    HWND w = FindVisible(arg1, argc > 3 ? args[3] : L"");
    HANDLE xid = w ? GetPropW(w, L"__wine_x11_whole_window") : nullptr;
    if (!xid) return 1;
    Line(std::to_string(reinterpret_cast<UINT_PTR>(xid)));
    return 0;
  }
  if (command == L"rect") return Rect(arg1);
  if (command == L"wait-describe") return WaitDescribe(Utf8(arg1), Millis(argc, argv, 3));
  return Usage();
}
