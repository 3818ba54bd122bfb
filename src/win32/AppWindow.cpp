#include "win32/AppWindow.h"

#include <utility>

namespace {

constexpr wchar_t kClassName[] = L"ThunderRT6Main";
constexpr ULONG_PTR kDescribeTag = 0x43524550;  // "CREP"
constexpr UINT kDescribeTimeoutMs = 5000;

HWND appWindow = nullptr;
UINT describeMessage = 0;
std::function<void()> timerHandler;
std::function<std::string()> describeSource;

void AnswerDescribe(HWND requester) {
  if (!describeSource || !IsWindow(requester)) return;
  const std::string text = describeSource();
  COPYDATASTRUCT data{};
  data.dwData = kDescribeTag;
  data.cbData = static_cast<DWORD>(text.size());
  data.lpData = const_cast<char*>(text.data());
  DWORD_PTR result = 0;
  // A requester that went away or hangs must not freeze the program.
  SendMessageTimeoutW(requester, WM_COPYDATA, reinterpret_cast<WPARAM>(appWindow), reinterpret_cast<LPARAM>(&data),
                      SMTO_ABORTIFHUNG, kDescribeTimeoutMs, &result);
}

LRESULT CALLBACK AppWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_TIMER) {
    if (timerHandler) timerHandler();
    return 0;
  }
  if (describeMessage != 0 && message == describeMessage) {
    AnswerDescribe(reinterpret_cast<HWND>(wParam));
    return 1;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace

HWND CreateAppWindow(HINSTANCE instance, const std::wstring& title) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = AppWindowProc;
  wc.hInstance = instance;
  wc.lpszClassName = kClassName;
  RegisterClassExW(&wc);
  describeMessage = RegisterWindowMessageW(L"CrepusculeDescribe");
  // Top-level (not message-only): FindWindow must be able to see it.
  appWindow = CreateWindowExW(0, kClassName, title.c_str(), WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, instance, nullptr);
  return appWindow;
}

HWND AppWindow() { return appWindow; }

void KeepAppWindowBehind(HWND mainWindow) {
  if (!appWindow || !mainWindow || mainWindow == appWindow) return;
  SetWindowPos(appWindow, mainWindow, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER | SWP_NOSENDCHANGING);
}

void SetAppTimerHandler(std::function<void()> onTimer) { timerHandler = std::move(onTimer); }

void SetDescribeSource(std::function<std::string()> describe) { describeSource = std::move(describe); }
