#include "app/InstanceModule.h"

#include <string>

#include "platform/Platform.h"

void ActivatePreviousInstance(platform::Platform& os) {
  const std::string title = os.AppTitle();
  // Renamed first, so that the search cannot find this copy's own window.
  os.SetAppTitle("unwanted instance");
  const platform::Handle appWindow = os.FindWindowA("ThunderRT6Main", title);
  if (appWindow == 0) return;
  // The visible main window sits just before the hidden application window.
  os.SetForegroundWindow(os.GetWindow(appWindow, platform::kGwHwndPrev));
  os.EndProcess();
}
