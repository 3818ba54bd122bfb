#pragma once
// A window of one of our classes: its object is attached at WM_NCCREATE from
// the creation parameter, and every message reaches the object's Handle. The
// application window, the tray's window, the forms' windows and the windowed
// pictures all go this one way.
#include <windows.h>

#include <string>

#include "win32/Api.h"

namespace peers {

class OwnWindow {
 public:
  OwnWindow() = default;
  // Still there: detached first, so that its last messages reach no half-gone object.
  virtual ~OwnWindow();
  OwnWindow(const OwnWindow&) = delete;
  OwnWindow& operator=(const OwnWindow&) = delete;

  HWND Hwnd() const { return hwnd_; }

 protected:
  // Registers the class (once) and makes the window; null on failure.
  HWND Create(HINSTANCE instance, const char* className, UINT classStyle, DWORD exStyle, const std::string& text,
              DWORD style, int x, int y, int width, int height, HWND parent, HMENU id);
  // Messages from WM_NCCREATE up to, not including, WM_NCDESTROY.
  virtual LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam) = 0;
  LRESULT Default(UINT message, WPARAM wParam, LPARAM lParam) { return api::DefProc(hwnd_, message, wParam, lParam); }

  HWND hwnd_ = nullptr;

 private:
  static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
};

// The object of ours behind a window, as OwnWindow attaches it (a subclassed
// system control's peer attaches itself the same way after creation).
OwnWindow* ObjectOf(HWND hwnd);
void Attach(HWND hwnd, OwnWindow* object);

}  // namespace peers
