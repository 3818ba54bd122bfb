#pragma once
// The real windows that mirror the portable forms and feed the user's input
// back to them. Everything here translates; the forms decide.
#include <windows.h>

#include "ui/Services.h"

// Gives every form that loads its window and the windows of its controls: the
// tray's hidden form its own small window, every other one a form window.
class Win32PeerFactory : public ui::PeerFactory {
 public:
  explicit Win32PeerFactory(HINSTANCE instance) : instance_(instance) {}
  void CreatePeers(ui::Form& form) override;

 private:
  HINSTANCE instance_;
};

// Tab, Shift+Tab, Enter and Esc in the program's windows, before translation.
// True when the message was used up: the loop must not dispatch it.
bool PeersPreTranslate(MSG& msg);
