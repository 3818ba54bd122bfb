#pragma once
// Which Windows runs, the shutdown privilege and the power actions. Plain logic
// over the platform calls; the version is queried afresh on every call.
#include <string>

#include "platform/Platform.h"

class ShutModule {
 public:
  explicit ShutModule(platform::Platform& os) : os_(os) {}

  bool IsNT();
  bool IsNT5();
  std::string GetOSName();
  std::string GetOSVersionString();
  // For display only: GetOSName's names, and the later systems as their users
  // know them (Windows 11 is 10.0 from build 22000 on). Callers that compare
  // with "Xp" keep GetOSName.
  std::string GetOSDisplayName();
  void EnableShutdownPrivilege();
  // True when the system took the request. On the 95 family a shutdown that
  // starts never returns: the program ends.
  bool ShutdownComputer(bool& Force);
  bool RestartComputer(bool& Force);
  bool SuspendComputer(bool Hibernate = false);

 private:
  platform::OsVersionInfo QueryVersion();
  // The 95 family's shutdown command, rundll32.exe by its full path in the
  // Windows directory; empty when that directory is unknown.
  std::string LegacyShutdownCommand();
  platform::Platform& os_;
};
