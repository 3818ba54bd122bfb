#include "win32/AppWindow.h"

#include "app/InstanceModule.h"

namespace {
constexpr char kClassName[] = "ThunderRT6Main";
constexpr ULONG_PTR kDescribeTag = 0x43524550;  // "CREP"
constexpr UINT kDescribeTimeoutMs = 5000;
}  // namespace

HWND AppWindow::Create(HINSTANCE instance, const std::string& title) {
  describeMessage_ = RegisterWindowMessageA("CrepusculeDescribe");
  activateMessage_ = RegisterWindowMessageA(kActivateMessage);
  // Top-level (not message-only): FindWindow must be able to see it.
  return OwnWindow::Create(instance, kClassName, 0, 0, title, WS_POPUP, 0, 0, 0, 0, nullptr, nullptr);
}

void AppWindow::KeepBehind(HWND mainWindow) {
  if (!hwnd_ || !mainWindow || mainWindow == hwnd_) return;
  SetWindowPos(hwnd_, mainWindow, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER | SWP_NOSENDCHANGING);
}

void AppWindow::AnswerDescribe(HWND requester) {
  if (!handlers.describe || !IsWindow(requester)) return;
  const std::string text = handlers.describe();
  COPYDATASTRUCT data{};
  data.dwData = kDescribeTag;
  data.cbData = static_cast<DWORD>(text.size());
  data.lpData = const_cast<char*>(text.data());
  DWORD_PTR result = 0;
  // A requester that went away or hangs must not freeze the program.
  SendMessageTimeoutA(requester, WM_COPYDATA, reinterpret_cast<WPARAM>(hwnd_), reinterpret_cast<LPARAM>(&data),
                      SMTO_ABORTIFHUNG, kDescribeTimeoutMs, &result);
}

LRESULT AppWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_TIMER) {
    if (handlers.timer) handlers.timer();
    return 0;
  }
  if (message == WM_POWERBROADCAST) {
    if (handlers.power) handlers.power(wParam);
    return TRUE;
  }
  if (describeMessage_ != 0 && message == describeMessage_) {
    AnswerDescribe(reinterpret_cast<HWND>(wParam));
    return 1;
  }
  if (activateMessage_ != 0 && message == activateMessage_) {
    if (handlers.activate) handlers.activate(wParam);
    return 0;
  }
  return Default(message, wParam, lParam);
}
