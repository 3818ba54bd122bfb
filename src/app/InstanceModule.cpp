#include "app/InstanceModule.h"

#include "platform/Platform.h"

void ActivatePreviousInstance(platform::Platform& os, int postponeMinutes) {
  const std::string title = os.AppTitle();
  // Renamed first, so that the search cannot find this copy's own window.
  os.SetAppTitle("unwanted instance");
  const platform::Handle appWindow = os.FindWindowA("ThunderRT6Main", title);
  if (appWindow == 0) return;
  // Only the foreground process may pass the foreground on: before it goes.
  os.AllowSetForegroundWindow(os.GetWindowThreadProcessId(appWindow));
  // The visible main window sits just before the hidden application window.
  os.SetForegroundWindow(os.GetWindow(appWindow, platform::kGwHwndPrev));
  os.PostMessageA(appWindow, os.RegisterWindowMessageA(kActivateMessage),
                  static_cast<std::uintptr_t>(postponeMinutes > 0 ? postponeMinutes : 0), 0);
  os.EndProcess();
}

std::string InstanceMutexName(const platform::OsVersionInfo& version) {
  const bool sessionNames = version.dwPlatformId == platform::kPlatformNt && version.dwMajorVersion >= 5;
  return sessionNames ? "Local\\Crepuscule.Instance" : "Crepuscule.Instance";
}
