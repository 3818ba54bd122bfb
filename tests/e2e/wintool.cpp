// wintool: a small console helper the end-to-end tests run inside the same
// Wine prefix as crepuscule.exe, to read and drive its windows from outside.
// Everything it prints is UTF-8, one record per line (JSON, but for describe).
//
//   wintool list                      top-level windows of other processes, with their children
//   wintool describe                  the program's own description of its windows
//   wintool names HWND                what a screen reader reads in that window (a number, as list
//                                     gives it): each child of its client area's accessible object
//
// Exit status: 0 done, 1 no answer from the program, 2 bad usage.
#include <windows.h>
// After windows.h, which they need.
#include <oleacc.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr ULONG_PTR kDescribeTag = 0x43524550;  // 'CREP'

std::string Utf8(const std::wstring& text) {
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

// A JSON string: the harness reads each record with json.loads.
std::string Json(const std::wstring& text) {
  std::wstring out = L"\"";
  for (wchar_t c : text) {
    if (c == L'"' || c == L'\\' || c == L'\r' || c == L'\n') out += L'\\';
    out += c == L'\r' ? L'r' : (c == L'\n' ? L'n' : c);
  }
  return Utf8(out + L"\"");
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

// A named CALLBACK, not a lambda: the 32-bit build needs the stdcall convention.
BOOL CALLBACK Collect(HWND w, LPARAM list) {
  reinterpret_cast<std::vector<HWND>*>(list)->push_back(w);
  return TRUE;
}

// The top-level windows (no parent) or a window's children.
std::vector<HWND> Windows(HWND parent = nullptr) {
  std::vector<HWND> all;
  if (parent)
    EnumChildWindows(parent, Collect, reinterpret_cast<LPARAM>(&all));
  else
    EnumWindows(Collect, reinterpret_cast<LPARAM>(&all));
  return all;
}

std::string Bool(BOOL on) { return on ? "true" : "false"; }

std::string RectText(const RECT& r) {
  return "[" + std::to_string(r.left) + ", " + std::to_string(r.top) + ", " + std::to_string(r.right) + ", " +
         std::to_string(r.bottom) + "]";
}

// The fields every record starts with, its caption or text third: run.sh reads a window's in this order.
std::string Record(HWND w, const char* textKey) {
  RECT r{};
  GetWindowRect(w, &r);
  return "{\"hwnd\": " + std::to_string(reinterpret_cast<UINT_PTR>(w)) + ", \"class\": " + Json(ClassOf(w)) + ", \"" +
         textKey + "\": " + Json(TextOf(w)) + ", \"visible\": " + Bool(IsWindowVisible(w)) +
         ", \"enabled\": " + Bool(IsWindowEnabled(w)) + ", \"rect\": " + RectText(r);
}

// One JSON record a line. Each window: its client area in screen pixels, the
// X11 window Wine made for it (for xdotool), whether it is the foreground
// window, and its children.
int List() {
  HWND foreground = GetForegroundWindow();
  for (HWND w : Windows()) {
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    if (pid == GetCurrentProcessId()) continue;
    std::string children;
    for (HWND c : Windows(w))
      children +=
          (children.empty() ? "" : ", ") + Record(c, "text") + ", \"id\": " + std::to_string(GetDlgCtrlID(c)) + "}";
    RECT client{};
    GetClientRect(w, &client);
    MapWindowPoints(w, nullptr, reinterpret_cast<POINT*>(&client), 2);
    // Wine's X11 driver keeps the X window of a top-level window in this property.
    auto xid = reinterpret_cast<UINT_PTR>(GetPropW(w, L"__wine_x11_whole_window"));
    Line(Record(w, "caption") + ", \"pid\": " + std::to_string(pid) + ", \"client\": " + RectText(client) +
         ", \"xid\": " + std::to_string(xid) + ", \"foreground\": " + Bool(w == foreground) + ", \"children\": [" +
         children + "]}");
  }
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

int Describe() {
  HWND app = FindWindowW(L"ThunderRT6Main", L"Crepuscule");
  if (!app) return 1;
  WNDCLASSW wc{};
  wc.lpfnWndProc = ReceiverProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"CrepWintoolReceiver";
  RegisterClassW(&wc);
  HWND me = CreateWindowExW(0, wc.lpszClassName, L"", 0, 0, 0, 0, 0, nullptr, nullptr, wc.hInstance, nullptr);
  UINT message = RegisterWindowMessageW(L"CrepusculeDescribe");
  DWORD_PTR result = 0;
  // The answer arrives as a sent WM_COPYDATA while this call waits.
  SendMessageTimeoutW(app, message, reinterpret_cast<WPARAM>(me), 0, SMTO_NORMAL, 5000, &result);
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
  if (!g_described) return 1;
  Out(g_description.empty() || g_description.back() == '\n' ? g_description : g_description + "\n");
  return 0;
}

// ---- names: the window as a screen reader sees it, through oleacc ----

// MinGW's liboleacc.a gives IID_IAccessible as an import thunk, and every
// QueryInterface with it then answers E_NOINTERFACE: the GUID, written here.
const GUID kIidAccessible = {0x618736E0, 0x3C3D, 0x11CF, {0x81, 0x0C, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71}};

std::wstring NameOf(IAccessible* object, long child) {
  VARIANT id;
  VariantInit(&id);
  id.vt = VT_I4;
  id.lVal = child;
  BSTR name = nullptr;
  std::wstring out;
  if (SUCCEEDED(object->get_accName(id, &name)) && name) out = name;
  SysFreeString(name);
  return out;
}

// One line per child: its name as a JSON string.
// The window by handle: Wine turns a non-ASCII argument into the host locale's
// characters, and a caption could not be passed whole.
int Names(const std::wstring& handle) {
  HWND window = reinterpret_cast<HWND>(static_cast<UINT_PTR>(wcstoull(handle.c_str(), nullptr, 10)));
  CoInitialize(nullptr);
  IAccessible* client = nullptr;
  const HRESULT made = AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT), kIidAccessible,
                                                  reinterpret_cast<void**>(&client));
  if (FAILED(made) || !client) {
    Line("AccessibleObjectFromWindow " + std::to_string(static_cast<unsigned long>(made)));
    return 1;
  }
  long count = 0;
  client->get_accChildCount(&count);
  std::vector<VARIANT> children(static_cast<size_t>(count > 0 ? count : 0));
  long got = 0;
  if (count > 0) AccessibleChildren(client, 0, count, children.data(), &got);
  for (long i = 0; i < got; ++i) {
    VARIANT& v = children[static_cast<size_t>(i)];
    if (v.vt == VT_DISPATCH && v.pdispVal) {
      IAccessible* child = nullptr;
      if (SUCCEEDED(v.pdispVal->QueryInterface(kIidAccessible, reinterpret_cast<void**>(&child))) && child) {
        // A child window comes as its window object; what it shows is read
        // from its client area, as a screen reader goes on to do.
        HWND childWindow = nullptr;
        IAccessible* inner = nullptr;
        if (SUCCEEDED(WindowFromAccessibleObject(child, &childWindow)) && childWindow &&
            SUCCEEDED(AccessibleObjectFromWindow(childWindow, static_cast<DWORD>(OBJID_CLIENT), kIidAccessible,
                                                 reinterpret_cast<void**>(&inner))) &&
            inner) {
          child->Release();
          child = inner;
        }
        Line(Json(NameOf(child, CHILDID_SELF)));
        child->Release();
      }
    } else if (v.vt == VT_I4) {
      Line(Json(NameOf(client, v.lVal)));
    }
    VariantClear(&v);
  }
  client->Release();
  return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const std::wstring command = argc > 1 ? argv[1] : L"";
  if (command == L"list") return List();
  // A stand-in for a program the one under test waits for: it runs, then ends.
  if (command == L"sleep" && argc > 2) {
    Sleep(static_cast<DWORD>(_wtoi(argv[2])) * 1000);
    return 0;
  }
  if (command == L"describe") return Describe();
  if (command == L"names" && argc > 2) return Names(argv[2]);
  Line("usage: wintool list|describe|names HWND|sleep SECONDS");
  return 2;
}
