// The floor of the start-up and memory benchmarks: what any program like ours
// must do before its window shows. One window and its message loop, the common
// controls, shell32 and advapi32 loaded (the process token read), and an icon
// added to the notification area before the window is shown.
#include <windows.h>
// After windows.h, which they need.
#include <commctrl.h>
#include <shellapi.h>

static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT ps;
      BeginPaint(hwnd, &ps);
      EndPaint(hwnd, &ps);
      return 0;
    }
    case WM_DESTROY: {
      NOTIFYICONDATAA nid{};
      nid.cbSize = NOTIFYICONDATAA_V1_SIZE;
      nid.hWnd = hwnd;
      nid.uID = 1;
      Shell_NotifyIconA(NIM_DELETE, &nid);
      PostQuitMessage(0);
      return 0;
    }
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
  InitCommonControls();
  HANDLE token = nullptr;
  if (OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) CloseHandle(token);
  WNDCLASSW wc{};
  wc.lpfnWndProc = Proc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  wc.lpszClassName = L"TrayWin";
  RegisterClassW(&wc);
  HWND hwnd = CreateWindowW(L"TrayWin", L"TrayWin", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT, 320, 200,
                            nullptr, nullptr, instance, nullptr);
  if (!hwnd) return 1;
  NOTIFYICONDATAA nid{};
  nid.cbSize = NOTIFYICONDATAA_V1_SIZE;
  nid.hWnd = hwnd;
  nid.uID = 1;
  nid.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  nid.uCallbackMessage = WM_USER + 1;
  nid.hIcon = LoadIconW(nullptr, MAKEINTRESOURCEW(32512));
  lstrcpyA(nid.szTip, "TrayWin");
  Shell_NotifyIconA(NIM_ADD, &nid);
  ShowWindow(hwnd, show);
  UpdateWindow(hwnd);
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return static_cast<int>(msg.wParam);
}
