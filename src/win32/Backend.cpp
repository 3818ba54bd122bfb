#include "win32/Backend.h"

namespace {
Backend* current = nullptr;
}

Backend::Backend(HINSTANCE i) : instance(i), peers(i) {
  if (scoped::GetDC screen(nullptr); screen) {
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    if (dpi > 0) screenDpiY = dpi;
  }
  taskbarCreated = RegisterWindowMessageA("TaskbarCreated");
  previous_ = current;
  current = this;
}

Backend::~Backend() { current = previous_; }

Backend& TheBackend() { return *current; }
