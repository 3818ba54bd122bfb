// Start-up of the Windows program: the hidden application window, the real
// services, the application object and the message loop.
#include <windows.h>

#include "app/App.h"
#include "app/Describe.h"
#include "ui/Form.h"
#include "win32/Api.h"
#include "win32/Backend.h"
#include "win32/Dynamic.h"
#include "win32/Peers.h"
#include "win32/Win32Platform.h"
#include "win32/Win32Services.h"

namespace {

void BecomeDpiAware() {
  // Declared in the manifest too; the call (Vista and later) covers a run without it.
  using SetAware = BOOL(WINAPI*)();
  if (auto set = LookUp<SetAware>("user32.dll", "SetProcessDPIAware")) set();
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  BecomeDpiAware();
  // After the call above: the record reads the screen's resolution.
  Backend backend(instance);
  HWND appWindow = backend.app.Create(instance, "Crepuscule");
  if (!appWindow) return 1;

  Win32Scheduler scheduler(appWindow);
  Win32MessageBoxes messageBoxes;
  Win32Menus menus;
  Win32Clock clock;
  Win32Screen screen;
  ui::Services services{scheduler, messageBoxes, menus, clock, screen};
  messageBoxes.services = &services;
  services.peers = &backend.peers;
  Win32Platform os(instance, appWindow);

  int exitCode = 0;
  {
    App app(services, os);
    app.onEnded = [] { PostQuitMessage(0); };
    backend.app.handlers = {[&scheduler] { scheduler.OnTimer(); },
                            [&scheduler](WPARAM event) { scheduler.OnPower(event); },
                            [&app](WPARAM minutes) { app.Activated(minutes); },
                            [&app, &menus] { return DescribeApp(app, menus.LastMenu()); }};
    app.Start();
    app.CollectGarbage();

    MSG msg{};
    while (api::NextMessage(msg)) {
      if (!PeersPreTranslate(msg)) {
        TranslateMessage(&msg);
        api::Dispatch(msg);
      }
      app.CollectGarbage();
    }
    exitCode = msg.message == WM_QUIT ? static_cast<int>(msg.wParam) : 0;
    backend.app.handlers = {};
  }
  return exitCode;  // the application window, then the drawing objects, go with the record
}
