#include "win32/AppWindow.h"

#include <utility>

#include "app/InstanceModule.h"
#include "win32/Api.h"

namespace {

constexpr char kClassName[] = "ThunderRT6Main";
constexpr ULONG_PTR kDescribeTag = 0x43524550;  // "CREP"
constexpr UINT kDescribeTimeoutMs = 5000;

HWND appWindow = nullptr;
UINT describeMessage = 0;
UINT activateMessage = 0;
AppWindowHandlers handlers;

void AnswerDescribe(HWND requester) {
  if (!handlers.describe || !IsWindow(requester)) return;
  const std::string text = handlers.describe();
  COPYDATASTRUCT data{};
  data.dwData = kDescribeTag;
  data.cbData = static_cast<DWORD>(text.size());
  data.lpData = const_cast<char*>(text.data());
  DWORD_PTR result = 0;
  // A requester that went away or hangs must not freeze the program.
  SendMessageTimeoutA(requester, WM_COPYDATA, reinterpret_cast<WPARAM>(appWindow), reinterpret_cast<LPARAM>(&data),
                      SMTO_ABORTIFHUNG, kDescribeTimeoutMs, &result);
}

LRESULT CALLBACK AppWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_TIMER) {
    if (handlers.timer) handlers.timer();
    return 0;
  }
  if (message == WM_POWERBROADCAST) {
    if (handlers.power) handlers.power(wParam);
    return TRUE;
  }
  if (describeMessage != 0 && message == describeMessage) {
    AnswerDescribe(reinterpret_cast<HWND>(wParam));
    return 1;
  }
  if (activateMessage != 0 && message == activateMessage) {
    if (handlers.activate) handlers.activate(wParam);
    return 0;
  }
  return api::DefProc(hwnd, message, wParam, lParam);
}

}  // namespace

HWND CreateAppWindow(HINSTANCE instance, const std::string& title) {
  api::RegisterWindowClass(instance, AppWindowProc, kClassName, 0);
  describeMessage = RegisterWindowMessageA("CrepusculeDescribe");
  activateMessage = RegisterWindowMessageA(kActivateMessage);
  // Top-level (not message-only): FindWindow must be able to see it.
  appWindow = api::MakeWindow(0, kClassName, title, WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, instance, nullptr);
  return appWindow;
}

HWND AppWindow() { return appWindow; }

void KeepAppWindowBehind(HWND mainWindow) {
  if (!appWindow || !mainWindow || mainWindow == appWindow) return;
  SetWindowPos(appWindow, mainWindow, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER | SWP_NOSENDCHANGING);
}

void SetAppWindowHandlers(AppWindowHandlers h) { handlers = std::move(h); }
