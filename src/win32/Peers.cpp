#include "win32/Peers.h"

#include "ui/Form.h"
#include "win32/Api.h"
#include "win32/ControlWindows.h"
#include "win32/FormWindow.h"
#include "win32/TrayWindow.h"

void Win32PeerFactory::CreatePeers(ui::Form& form) {
  if (form.Style() == ui::FormStyle::Hidden) {
    form.AttachPeer(std::make_unique<peers::TrayWindow>(form, instance_));
    return;
  }
  auto window = std::make_unique<peers::FormWindow>(form, instance_);
  peers::FormWindow& w = *window;
  form.AttachPeer(std::move(window));
  int index = 0;
  for (ui::Control* c : form.Controls()) c->AttachPeer(peers::MakeControlPeer(w, *c, index++));
  w.Ready();
}

namespace {
// The top-level window a child window sits in.
HWND RootOf(HWND window) {
  while (window && (GetWindowLongA(window, GWL_STYLE) & WS_CHILD)) {
    HWND parent = GetParent(window);
    if (!parent) break;
    window = parent;
  }
  return window;
}
}  // namespace

bool PeersPreTranslate(MSG& msg) {
  if (msg.message == WM_SYSKEYDOWN && msg.wParam == VK_MENU) {
    // Alt shows the access keys, as in the system's dialogs.
    if (HWND root = RootOf(msg.hwnd)) api::Send(root, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEACCEL), 0);
    return false;
  }
  if (msg.message == WM_SYSCHAR) {
    peers::FormWindow* window = peers::FormWindow::Of(RootOf(msg.hwnd));
    return window && window->AccessKey(msg);
  }
  if (msg.message != WM_KEYDOWN) return false;
  if (msg.wParam != VK_TAB && msg.wParam != VK_RETURN && msg.wParam != VK_ESCAPE) return false;
  peers::FormWindow* window = peers::FormWindow::Of(RootOf(msg.hwnd));
  return window && window->DialogKey(msg);
}
