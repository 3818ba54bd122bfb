#include "win32/TrayWindow.h"

#include "win32/Backend.h"
#include "win32/Dynamic.h"
#include "win32/FormWindow.h"

namespace peers {

namespace {
// From Vista on, an elevated program hears the shell's restart only if it
// says it will take that message from a lesser process.
void AcceptTaskbarCreated(UINT message) {
  using Fn = BOOL(WINAPI*)(UINT, DWORD);
  constexpr DWORD kMsgFltAdd = 1;
  if (auto allow = LookUp<Fn>("user32.dll", "ChangeWindowMessageFilter")) allow(message, kMsgFltAdd);
}
}  // namespace

TrayWindow::TrayWindow(ui::Form& form, HINSTANCE instance) : form_(form) {
  if (Create(instance, kFormClass, kFormClassStyle, WS_EX_TOOLWINDOW, form.Caption(),
             WS_POPUP | (form.Enabled() ? 0 : WS_DISABLED), 0, 0, 0, 0, nullptr, nullptr))
    AcceptTaskbarCreated(TheBackend().taskbarCreated);
  // Focus marks and access keys start hidden, as in every form window.
  if (hwnd_) api::Send(hwnd_, WM_CHANGEUISTATE, MAKEWPARAM(UIS_INITIALIZE, UISF_HIDEFOCUS | UISF_HIDEACCEL), 0);
}

void TrayWindow::Changed(ui::FormProp what) {
  // Never on screen: only what the window itself carries follows the form.
  if (!hwnd_) return;
  if (what == ui::FormProp::Caption) api::SetText(hwnd_, form_.Caption());
  if (what == ui::FormProp::Enabled) EnableWindow(hwnd_, form_.Enabled() ? TRUE : FALSE);
}

LRESULT TrayWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  const UINT taskbarCreated = TheBackend().taskbarCreated;
  // The tray icon's callback message is WM_MOUSEMOVE, its event in lParam.
  if (message == WM_MOUSEMOVE) {
    if (form_.onShellNotify) form_.onShellNotify(static_cast<int>(LOWORD(lParam)));
    return 0;
  }
  if (taskbarCreated != 0 && message == taskbarCreated) {
    if (form_.onShellRestarted) form_.onShellRestarted();
    return 0;
  }
  switch (message) {
    case WM_SETFOCUS:
      // Active when its menu is up: it becomes the active form, the owner of message boxes.
      form_.FocusChanged(nullptr);
      return 0;
    case WM_CLOSE:
      if (form_.onCloseBox) form_.onCloseBox();
      return 0;
    default:
      return Default(message, wParam, lParam);
  }
}

}  // namespace peers
