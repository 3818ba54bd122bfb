#include "platform/RecordingPlatform.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>

#include "text/Text.h"

namespace platform {

namespace {

std::string Hex(std::uint64_t v) {
  char buffer[24];
  std::snprintf(buffer, sizeof buffer, "0x%llx", static_cast<unsigned long long>(v));
  return buffer;
}

std::string Num(long long v) { return std::to_string(v); }

std::string IconText(Handle icon) {
  if (icon > RecordingPlatform::kIconBase && icon < RecordingPlatform::kIconBase + 0x10000)
    return Num(static_cast<long long>(icon - RecordingPlatform::kIconBase));
  return Hex(icon);
}

// A host file reached through the recorded Windows path.
class HostFile : public Platform::File {
 public:
  HostFile(std::FILE* f, RecordingPlatform& os) : f_(f), os_(os) {}
  ~HostFile() override {
    std::fclose(f_);
    os_.fileLog.push_back("close");
  }

  int ReadAt(std::uint64_t offset, std::uint8_t* out, int n) override {
    if (os_.failReads || n < 0 || std::fseek(f_, static_cast<long>(offset), SEEK_SET) != 0) {
      os_.fileLog.push_back("read " + Num(static_cast<long long>(offset)) + "+" + Num(n) + "=error");
      return -1;
    }
    const int asked = os_.shortReads && n > 0 ? n - 1 : n;
    const auto got = static_cast<int>(std::fread(out, 1, static_cast<std::size_t>(asked), f_));
    os_.fileLog.push_back("read " + Num(static_cast<long long>(offset)) + "+" + Num(n) + "=" + Num(got));
    return std::ferror(f_) ? -1 : got;
  }

  bool WriteAt(std::uint64_t offset, const std::uint8_t* data, int n) override {
    std::string line = "write " + Num(static_cast<long long>(offset)) + "+" + Num(n);
    if (os_.failWrites || n < 0 || std::fseek(f_, static_cast<long>(offset), SEEK_SET) != 0) {
      os_.fileLog.push_back(line + "=error");
      return false;
    }
    const bool ok =
        std::fwrite(data, 1, static_cast<std::size_t>(n), f_) == static_cast<std::size_t>(n) && std::fflush(f_) == 0;
    os_.fileLog.push_back(ok ? line : line + "=error");
    return ok;
  }

 private:
  std::FILE* f_;
  RecordingPlatform& os_;
};

}  // namespace

void RecordingPlatform::SetVersion(std::uint32_t platformId, std::uint32_t major, std::uint32_t minor,
                                   std::uint32_t build) {
  version_.dwPlatformId = platformId;
  version_.dwMajorVersion = major;
  version_.dwMinorVersion = minor;
  version_.dwBuildNumber = build;
}

std::vector<std::string> RecordingPlatform::Calls() const {
  static const char* const chatty[] = {"GetVersionExA(", "GetAsyncKeyState(", "LoadIconResource(", "GetSysColor(",
                                       "ProcessNames("};
  std::vector<std::string> out;
  for (const std::string& line : log) {
    const bool skip =
        std::any_of(std::begin(chatty), std::end(chatty), [&](const char* p) { return line.rfind(p, 0) == 0; });
    if (!skip) out.push_back(line);
  }
  return out;
}

std::vector<std::string> RecordingPlatform::CallsNamed(const std::string& prefix) const {
  std::vector<std::string> out;
  for (const std::string& line : log)
    if (line.rfind(prefix, 0) == 0) out.push_back(line);
  return out;
}

void RecordingPlatform::GetVersionExA(OsVersionInfo& info) {
  log.push_back("GetVersionExA(size=" + Num(info.dwOSVersionInfoSize) + ")");
  // Like the system: a record of the wrong size is refused and left as it is.
  if (failVersionQuery || info.dwOSVersionInfoSize != 148) return;
  info.dwMajorVersion = version_.dwMajorVersion;
  info.dwMinorVersion = version_.dwMinorVersion;
  info.dwBuildNumber = version_.dwBuildNumber;
  info.dwPlatformId = version_.dwPlatformId;
}

Handle RecordingPlatform::GetCurrentProcess() {
  log.push_back("GetCurrentProcess()");
  return kProcessHandle;
}

int RecordingPlatform::SetSystemPowerState(int fSuspend, int fForce) {
  log.push_back("SetSystemPowerState(" + Num(fSuspend) + "," + Num(fForce) + ")");
  if (failPowerState > 0) {
    --failPowerState;
    return 0;
  }
  return 1;
}

std::uint32_t RecordingPlatform::SetThreadExecutionState(std::uint32_t flags) {
  log.push_back("SetThreadExecutionState(" + Hex(flags) + ")");
  return kEsContinuous;
}

std::uint32_t RecordingPlatform::GetWindowsDirectoryA(std::string& buffer, std::uint32_t size) {
  log.push_back("GetWindowsDirectoryA(buffer=" + Num(static_cast<long long>(buffer.size())) + ",size=" + Num(size) +
                ")");
  if (windowsDirectory.size() >= size) {
    buffer.clear();  // too small: nothing usable, as the real call leaves it
    return static_cast<std::uint32_t>(windowsDirectory.size() + 1);
  }
  buffer = windowsDirectory;
  return static_cast<std::uint32_t>(windowsDirectory.size());
}

bool RecordingPlatform::ProcessNames(std::vector<std::string>& names) {
  log.push_back("ProcessNames()");
  names = noProcessList ? std::vector<std::string>{} : processes;
  return !noProcessList;
}

int RecordingPlatform::OpenProcessToken(Handle process, std::uint32_t access, Handle& token) {
  std::string line = "OpenProcessToken(";
  if (process != kProcessHandle) line += "process=" + Hex(process) + ",";
  log.push_back(line + "access=" + Num(access) + ")");
  token = kTokenHandle;
  return 1;
}

int RecordingPlatform::LookupPrivilegeValueA(const char* systemName, const std::string& name, Luid& luid) {
  std::string line = "LookupPrivilegeValueA(";
  if (systemName) line += std::string("system=") + systemName + ",";
  log.push_back(line + name + ")");
  if (name != "SeShutdownPrivilege") return 0;
  luid.lowPart = kShutdownLuid;
  luid.highPart = 0;
  return 1;
}

int RecordingPlatform::AdjustTokenPrivileges(Handle token, int disableAll, const TokenPrivileges& newState,
                                             std::uint32_t bufferLength, TokenPrivileges& previous,
                                             std::uint32_t& returnLength) {
  // Only what differs from the one right call is spelled out.
  std::string line = "AdjustTokenPrivileges(";
  if (token != kTokenHandle) line += "token=" + Hex(token) + ",";
  if (disableAll != 0) line += "disable=" + Num(disableAll) + ",";
  if (newState.luid.lowPart != kShutdownLuid || newState.luid.highPart != 0)
    line += "luid=" + Num(newState.luid.lowPart) + ":" + Num(newState.luid.highPart) + ",";
  if (previous.privilegeCount != 0 || previous.attributes != 0 || previous.luid.lowPart != 0 ||
      previous.luid.highPart != 0)
    line += "previous=dirty,";
  log.push_back(line + "count=" + Num(newState.privilegeCount) + ",attr=" + Num(newState.attributes) +
                ",len=" + Num(bufferLength) + ")");
  lastNewState = newState;
  returnLength = 16;
  return 1;
}

void RecordingPlatform::CloseHandle(Handle h) { log.push_back("CloseHandle(" + Hex(h) + ")"); }

int RecordingPlatform::ExitWindowsEx(std::uint32_t flags, std::uint32_t reserved) {
  log.push_back("ExitWindowsEx(" + Num(flags) + "," + Num(reserved) + ")");
  if (failExitWindows > 0) {
    --failExitWindows;
    return 0;
  }
  return 1;
}

short RecordingPlatform::GetAsyncKeyState(int virtualKey) {
  log.push_back("GetAsyncKeyState(" + Num(virtualKey) + ")");
  return virtualKey == kVkShift ? shiftState : 0;
}

Handle RecordingPlatform::FindWindowA(const std::string& className, const std::string& windowName) {
  log.push_back("FindWindowA(" + className + "," + windowName + ")");
  const auto it = windows.find({className, windowName});
  return it == windows.end() ? 0 : it->second;
}

Handle RecordingPlatform::GetWindow(Handle window, std::uint32_t relation) {
  log.push_back("GetWindow(" + Hex(window) + "," + Num(relation) + ")");
  if (relation != kGwHwndPrev) return 0;
  const auto it = windowBefore.find(window);
  return it == windowBefore.end() ? 0 : it->second;
}

int RecordingPlatform::SetForegroundWindow(Handle window) {
  log.push_back("SetForegroundWindow(" + Hex(window) + ")");
  return window != 0;
}

std::uint32_t RecordingPlatform::GetWindowThreadProcessId(Handle window) {
  log.push_back("GetWindowThreadProcessId(" + Hex(window) + ")");
  return window != 0 ? kProcessId : 0;
}

int RecordingPlatform::AllowSetForegroundWindow(std::uint32_t processId) {
  log.push_back("AllowSetForegroundWindow(" + Hex(processId) + ")");
  return 1;
}

std::uint32_t RecordingPlatform::RegisterWindowMessageA(const std::string& name) {
  log.push_back("RegisterWindowMessageA(" + name + ")");
  return kRegisteredMessage;
}

int RecordingPlatform::PostMessageA(Handle window, std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) {
  log.push_back("PostMessageA(" + Hex(window) + "," + Hex(message) + "," + Num(static_cast<long long>(wParam)) + "," +
                Num(lParam) + ")");
  return 1;
}

void RecordingPlatform::Beep() { log.push_back("Beep()"); }

int RecordingPlatform::Shell_NotifyIconA(std::uint32_t message, const NotifyIconData& data) {
  log.push_back("Shell_NotifyIconA(" + Num(message) + ",icon=" + IconText(data.hIcon) + ",tip=" + data.tip + ")");
  notifyCalls.push_back(data);
  notifyMessages.push_back(message);
  if (message == kNimSetVersion && oldShell) return 0;
  if (message == kNimAdd && failNotifyAdd > 0) {
    --failNotifyAdd;
    return 0;
  }
  return 1;
}

void RecordingPlatform::InitCommonControls() { log.push_back("InitCommonControls()"); }

Handle RecordingPlatform::CreateWindowExA(std::uint32_t exStyle, const std::string& className, const char* windowName,
                                          std::uint32_t style, int x, int y, int width, int height, Handle parent,
                                          Handle menu, Handle instance, void* param) {
  log.push_back("CreateWindowExA(" + Hex(exStyle) + "," + className + "," +
                (windowName ? std::string(windowName) : std::string("null")) + "," + Hex(style) + "," + Num(x) + "," +
                Num(y) + "," + Num(width) + "," + Num(height) + ",parent=" + Hex(parent) + ",menu=" + Hex(menu) +
                ",instance=" + Hex(instance) + ",param=" + (param ? "set" : "null") + ")");
  return nextHandle++;
}

int RecordingPlatform::SetWindowPos(Handle window, Handle insertAfter, int x, int y, int cx, int cy,
                                    std::uint32_t flags) {
  log.push_back("SetWindowPos(" + Hex(window) + "," + Hex(insertAfter) + "," + Num(x) + "," + Num(y) + "," + Num(cx) +
                "," + Num(cy) + "," + Hex(flags) + ")");
  return 1;
}

std::intptr_t RecordingPlatform::SendMessageA(Handle window, std::uint32_t message, std::uintptr_t wParam,
                                              std::intptr_t lParam) {
  log.push_back("SendMessageA(" + Hex(message) + ",hwnd=" + Hex(window) + ",w=" + Num(static_cast<long long>(wParam)) +
                ",l=" + Num(lParam) + ")");
  return 1;
}

std::intptr_t RecordingPlatform::SendMessageA(Handle window, std::uint32_t message, std::uintptr_t wParam,
                                              const ToolInfo& tool) {
  log.push_back("SendMessageA(" + Hex(message) + ",hwnd=" + Hex(window) + ",w=" + Num(static_cast<long long>(wParam)) +
                ",tool={size=" + Num(tool.cbSize) + ",flags=" + Hex(tool.uFlags) + ",hwnd=" + Hex(tool.hwnd) + ",id=" +
                Hex(tool.uId) + ",rect=" + Num(tool.rect.left) + "," + Num(tool.rect.top) + "," + Num(tool.rect.right) +
                "," + Num(tool.rect.bottom) + ",hinst=" + Hex(tool.hinst) + ",text=" + tool.lpszText + "})");
  return 1;
}

std::intptr_t RecordingPlatform::SendMessageA(Handle window, std::uint32_t message, std::uintptr_t wParam,
                                              const std::string& text) {
  log.push_back("SendMessageA(" + Hex(message) + ",hwnd=" + Hex(window) + ",w=" + Num(static_cast<long long>(wParam)) +
                ",text=" + text + ")");
  return 1;
}

int RecordingPlatform::GetClientRect(Handle window, Rect& rect) {
  log.push_back("GetClientRect(" + Hex(window) + ")");
  rect = clientRect;
  return 1;
}

std::uint32_t RecordingPlatform::GetSysColor(int index) {
  log.push_back("GetSysColor(" + Num(index) + ")");
  return 0x00100000u + static_cast<std::uint32_t>(index);
}

int RecordingPlatform::DestroyWindow(Handle window) {
  log.push_back("DestroyWindow(" + Hex(window) + ")");
  return 1;
}

bool RecordingPlatform::PrevInstance() {
  log.push_back("PrevInstance()");
  return prevInstance;
}

std::string RecordingPlatform::AppTitle() {
  log.push_back("AppTitle()");
  return appTitle;
}

void RecordingPlatform::SetAppTitle(const std::string& title) {
  log.push_back("SetAppTitle(" + title + ")");
  appTitle = title;
}

std::string RecordingPlatform::CommandLine() {
  log.push_back("CommandLine()");
  return commandLine;
}

bool RecordingPlatform::StartProcess(const std::string& cmd, int showState) {
  log.push_back("StartProcess(" + cmd + "," + Num(showState) + ")");
  return !failStartProcess;
}

void RecordingPlatform::EndProcess() {
  log.push_back("EndProcess()");
  throw ProcessEnded();
}

Handle RecordingPlatform::LoadIconResource(int id) {
  log.push_back("LoadIconResource(" + Num(id) + ")");
  return kIconBase + static_cast<Handle>(id);
}

namespace {
// The host path under hostDir of a Windows path under windowsDir; empty when
// it is not under it. Windows paths compare without regard to case.
std::string UnderFolder(const std::string& windowsPath, const std::string& windowsDir, const std::string& hostDir) {
  if (hostDir.empty() || windowsDir.empty() || windowsPath.size() < windowsDir.size()) return {};
  for (std::size_t i = 0; i < windowsDir.size(); ++i) {
    const auto a = static_cast<unsigned char>(windowsPath[i]);
    const auto b = static_cast<unsigned char>(windowsDir[i]);
    if (std::tolower(a) != std::tolower(b)) return {};
  }
  std::string rest = AnsiToUtf8(windowsPath.substr(windowsDir.size()));
  std::replace(rest.begin(), rest.end(), '\\', '/');
  if (!rest.empty() && rest.front() != '/') return {};  // "C:\WINDOWSX\..." is not under it
  return hostDir + rest;
}
}  // namespace

std::string RecordingPlatform::HostPath(const std::string& windowsPath) const {
  std::string host = UnderFolder(windowsPath, windowsDirectory, hostRoot);
  for (const auto& [windowsDir, hostDir] : mounts)
    if (host.empty()) host = UnderFolder(windowsPath, windowsDir, hostDir);
  return host;
}

std::unique_ptr<Platform::File> RecordingPlatform::OpenFile(const std::string& ansiPath) {
  log.push_back("OpenFile(" + AnsiToUtf8(ansiPath) + ")");
  const std::string host = HostPath(ansiPath);
  if (readOnlyFiles || failOpens || host.empty() || host.back() == '/') return nullptr;
  std::error_code ec;
  const std::filesystem::path path(host);
  // As on Windows, a missing folder is not created: opening fails.
  if (!std::filesystem::is_directory(path.parent_path(), ec)) return nullptr;
  std::FILE* f = std::fopen(host.c_str(), "r+b");
  if (!f && !std::filesystem::exists(path, ec)) f = std::fopen(host.c_str(), "w+b");
  if (!f) return nullptr;
  fileLog.push_back("open " + AnsiToUtf8(ansiPath));
  return std::make_unique<HostFile>(f, *this);
}

}  // namespace platform

namespace platform {

std::unique_ptr<Platform::File> RecordingPlatform::OpenExistingFile(const std::string& ansiPath) {
  log.push_back("OpenExistingFile(" + AnsiToUtf8(ansiPath) + ")");
  const std::string host = HostPath(ansiPath);
  std::error_code ec;
  if (host.empty() || !std::filesystem::is_regular_file(host, ec)) return nullptr;
  std::FILE* f = std::fopen(host.c_str(), "rb");
  if (!f) return nullptr;
  fileLog.push_back("open existing " + AnsiToUtf8(ansiPath));
  return std::make_unique<HostFile>(f, *this);
}

bool RecordingPlatform::CreateDirectoryA(const std::string& ansiPath) {
  log.push_back("CreateDirectoryA(" + AnsiToUtf8(ansiPath) + ")");
  const std::string host = HostPath(ansiPath);
  std::error_code ec;
  if (host.empty()) return false;
  const std::filesystem::path path(host);
  // As on Windows, one level only: the parent must be there.
  if (!std::filesystem::is_directory(path.parent_path(), ec)) return false;
  std::filesystem::create_directory(path, ec);
  return std::filesystem::is_directory(path, ec);
}

std::string RecordingPlatform::GetFolderPath(int csidl) {
  log.push_back("GetFolderPath(" + Hex(static_cast<std::uint64_t>(csidl)) + ")");
  const auto it = folders.find(csidl);
  return it == folders.end() ? std::string() : it->second;
}

}  // namespace platform
