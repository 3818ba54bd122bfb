#pragma once
// The window of the tray's hidden form: never shown, top-level so that the
// shell's TaskbarCreated broadcast reaches it, and the target of the tray
// icon's callback message.
#include <windows.h>

#include "ui/Form.h"
#include "win32/Window.h"

namespace peers {

class TrayWindow : public ui::FormPeer, public OwnWindow {
 public:
  TrayWindow(ui::Form& form, HINSTANCE instance);
  void Changed(ui::FormProp what) override;
  std::uintptr_t Handle() const override { return reinterpret_cast<std::uintptr_t>(hwnd_); }

 private:
  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam) override;

  ui::Form& form_;
};

}  // namespace peers
