#pragma once
// What the Windows layer keeps between calls, in one record that WinMain makes
// and ends: the application window, the form windows alive, the peer factory
// and the drawing objects every window shares. The drawing objects are freed
// with the record, after every window that used them has gone.
#include <windows.h>

#include <string>
#include <tuple>
#include <vector>

#include "ui/SmallMap.h"
#include "win32/AppWindow.h"
#include "win32/Peers.h"
#include "win32/Scoped.h"

namespace peers {
class FormWindow;
}

struct Backend {
  explicit Backend(HINSTANCE instance);
  ~Backend();
  Backend(const Backend&) = delete;
  Backend& operator=(const Backend&) = delete;

  HINSTANCE instance;
  int screenDpiY = 96;
  UINT taskbarCreated = 0;  // the shell's broadcast when it starts again
  SmallMap<COLORREF, scoped::GdiObject> brushes;
  SmallMap<std::tuple<std::string, int, bool>, scoped::GdiObject> fonts;
  SmallMap<int, scoped::GdiObject> bitmaps;  // a missing one is kept as null, not looked for again
  std::vector<peers::FormWindow*> forms;
  Win32PeerFactory peers;
  // Last, so that it goes first: the drawing objects outlive every window.
  AppWindow app;

 private:
  Backend* previous_ = nullptr;  // the one in force before, back when this one goes (the tests nest them)
};

// The record WinMain made; the program has only that one.
Backend& TheBackend();
