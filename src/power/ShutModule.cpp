#include "power/ShutModule.h"

#include <algorithm>
#include <string>

namespace {
constexpr std::uint32_t kTokenAdjustPrivileges = 32, kTokenQuery = 8;
constexpr std::uint32_t kSePrivilegeEnabled = 2;
constexpr std::uint32_t kTokenPrivilegesSize = 4 + 12 * 1;  // one entry
constexpr std::uint32_t kEwxReboot = 2, kEwxForce = 4, kEwxPowerOff = 8;
constexpr int kTrue = -1;  // BOOL true as the program passes it
constexpr int kSwShowNormal = 1;
constexpr std::uint32_t kDirectoryBuffer = 4096;
}  // namespace

// Asked every time: nothing is cached, as the other routines expect.
platform::OsVersionInfo ShutModule::QueryVersion() {
  platform::OsVersionInfo info;
  info.dwOSVersionInfoSize = platform::kOsVersionInfoSize;
  os_.GetVersionExA(info);
  return info;
}

bool ShutModule::IsNT() { return QueryVersion().dwPlatformId == platform::kPlatformNt; }

bool ShutModule::IsNT5() {
  const auto v = QueryVersion();
  return v.dwPlatformId == platform::kPlatformNt && v.dwMajorVersion == 5;
}

std::string ShutModule::GetOSName() {
  const auto v = QueryVersion();
  if (v.dwPlatformId == platform::kPlatformNt) {
    switch (v.dwMajorVersion) {
      case 3:
        return "NT3";
      case 4:
        return "NT4";
      case 5:
        if (v.dwMinorVersion == 0) return "2000";
        if (v.dwMinorVersion == 1) return "Xp";
        return {};
      default:
        return {};
    }
  }
  if (v.dwPlatformId == platform::kPlatformWindows && v.dwMajorVersion == 4) {
    switch (v.dwMinorVersion) {
      case 0:
        return "95";
      case 10:
        return "98";
      case 90:
        return "Me";
      default:
        return {};
    }
  }
  return {};
}

std::string ShutModule::GetOSVersionString() {
  const auto v = QueryVersion();
  // The build field is written whole, as the system reports it.
  std::string text =
      std::to_string(v.dwMajorVersion) + "." + std::to_string(v.dwMinorVersion) + "." + std::to_string(v.dwBuildNumber);
  return v.dwPlatformId == platform::kPlatformNt ? "NT " + text : text;
}

std::string ShutModule::GetOSDisplayName() {
  std::string name = GetOSName();
  const auto v = QueryVersion();
  if (!name.empty() || v.dwPlatformId != platform::kPlatformNt) return name;
  const std::uint32_t version = v.dwMajorVersion * 100 + v.dwMinorVersion;
  switch (version) {
    case 502:
      return "XP x64 ou Server 2003";
    case 600:
      return "Vista";
    case 601:
      return "7";
    case 602:
      return "8";
    case 603:
      return "8.1";
    case 1000:
      return v.dwBuildNumber >= 22000 ? "11" : "10";
    default:
      return name;
  }
}

void ShutModule::EnableShutdownPrivilege() {
  // No result is examined: without the privilege the power call fails quietly.
  platform::Handle token = 0;
  os_.OpenProcessToken(os_.GetCurrentProcess(), kTokenAdjustPrivileges + kTokenQuery, token);
  platform::TokenPrivileges privileges;
  os_.LookupPrivilegeValueA(nullptr, "SeShutdownPrivilege", privileges.luid);
  privileges.privilegeCount = 1;
  privileges.attributes = kSePrivilegeEnabled;
  platform::TokenPrivileges previous;
  std::uint32_t returnLength = 0;
  os_.AdjustTokenPrivileges(token, 0, privileges, kTokenPrivilegesSize, previous, returnLength);
  if (token != 0) os_.CloseHandle(token);
}

std::string ShutModule::LegacyShutdownCommand() {
  std::string directory(kDirectoryBuffer, '\0');
  const std::uint32_t length = os_.GetWindowsDirectoryA(directory, kDirectoryBuffer - 1);
  directory.resize(std::min<std::size_t>(length, directory.size()));
  if (directory.empty()) return {};
  // By its full path: a bare name would be looked for in the program's and
  // the current folder first, where anybody may have put a rundll32.exe.
  std::string program = directory + (directory.back() == '\\' ? "" : "\\") + "rundll32.exe";
  if (program.find(' ') != std::string::npos) program = '"' + program + '"';
  return program + " user,exitwindows";
}

bool ShutModule::ShutdownComputer(bool& Force) {
  if (!IsNT()) {
    // The 95 family has no privilege and shuts down best through its own shell.
    const std::string command = LegacyShutdownCommand();
    if (command.empty() || !os_.StartProcess(command, kSwShowNormal)) return false;
    os_.EndProcess();
  }
  const std::uint32_t flags = Force ? kEwxPowerOff + kEwxForce : kEwxPowerOff;
  if (IsNT()) EnableShutdownPrivilege();
  return os_.ExitWindowsEx(flags, 0) != 0;
}

bool ShutModule::RestartComputer(bool& Force) {
  const std::uint32_t flags = Force ? kEwxReboot + kEwxForce : kEwxReboot;
  if (IsNT()) EnableShutdownPrivilege();
  return os_.ExitWindowsEx(flags, 0) != 0;
}

bool ShutModule::SuspendComputer(bool Hibernate) {
  if (IsNT()) EnableShutdownPrivilege();
  return os_.SetSystemPowerState(Hibernate ? 0 : kTrue, kTrue) != 0;
}
