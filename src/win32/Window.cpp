#include "win32/Window.h"

namespace peers {

OwnWindow* ObjectOf(HWND hwnd) { return static_cast<OwnWindow*>(api::ObjectOf(hwnd)); }

void Attach(HWND hwnd, OwnWindow* object) { api::SetObject(hwnd, object); }

OwnWindow::~OwnWindow() {
  if (!hwnd_) return;
  Attach(hwnd_, nullptr);
  DestroyWindow(hwnd_);
}

HWND OwnWindow::Create(HINSTANCE instance, const char* className, UINT classStyle, DWORD exStyle,
                       const std::string& text, DWORD style, int x, int y, int width, int height, HWND parent,
                       HMENU id) {
  api::RegisterWindowClass(instance, &OwnWindow::Proc, className, classStyle);
  api::MakeWindow(exStyle, className, text, style, x, y, width, height, parent, id, instance, this);
  return hwnd_;
}

LRESULT CALLBACK OwnWindow::Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) Attach(hwnd, static_cast<OwnWindow*>(api::CreationObject(lParam)));
  OwnWindow* self = ObjectOf(hwnd);
  if (!self) return api::DefProc(hwnd, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    // The window goes: it no longer leads to the object, nor the object to it.
    Attach(hwnd, nullptr);
    self->hwnd_ = nullptr;
    return api::DefProc(hwnd, message, wParam, lParam);
  }
  self->hwnd_ = hwnd;
  return self->Handle(message, wParam, lParam);
}

}  // namespace peers
