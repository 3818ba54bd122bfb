#pragma once
// The recording substitute: every call is kept as a line such as
// "ExitWindowsEx(12,0)", the version it reports is set by the test, and the
// Windows directory maps onto a directory of the host (a temporary one).
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/Platform.h"

namespace platform {

// Thrown by EndProcess so that a test sees the process end and nothing after it runs.
struct ProcessEnded : std::runtime_error {
  ProcessEnded() : std::runtime_error("process ended") {}
};

class RecordingPlatform : public Platform {
 public:
  // Sets the version GetVersionExA reports.
  void SetVersion(std::uint32_t platformId, std::uint32_t major, std::uint32_t minor, std::uint32_t build);
  void SetXp() { SetVersion(2, 5, 1, 2600); }
  void Set98() { SetVersion(1, 4, 10, 0x040A08AE); }
  void SetWin10() { SetVersion(2, 6, 2, 9200); }  // as reported without a compatibility manifest
  const OsVersionInfo& Version() const { return version_; }

  // Calls, one line each, in order. Calls() filters out the chatty ones
  // (GetVersionExA, GetAsyncKeyState, LoadIconResource, GetSysColor,
  // ProcessNames).
  std::vector<std::string> log;
  std::vector<std::string> Calls() const;
  std::vector<std::string> CallsNamed(const std::string& prefix) const;
  void ClearLog() { log.clear(); }

  // Scripted answers.
  std::string windowsDirectory = "C:\\WINDOWS";
  std::string hostRoot;  // host directory that stands for windowsDirectory; empty: no files at all
  bool prevInstance = false;
  std::map<std::pair<std::string, std::string>, Handle> windows;  // (class, title) -> handle
  short shiftState = 0;
  std::string commandLine;
  std::string appTitle = "Crepuscule";
  std::map<int, std::string> folders;  // GetFolderPath answers by CSIDL
  // Further Windows folders that stand for host directories, beside windowsDirectory.
  std::vector<std::pair<std::string, std::string>> mounts;
  int failExitWindows = 0;                  // ExitWindowsEx answers this many failures first
  int failPowerState = 0;                   // likewise SetSystemPowerState
  bool failStartProcess = false;            // the command cannot be started
  bool failWrites = false;                  // file writes fail after opening
  bool failReads = false;                   // file reads fail after opening
  bool readOnlyFiles = false;               // OpenFile is refused, as for a file the user may not write
  bool failOpens = false;                   // files cannot be opened or created
  bool shortReads = false;                  // reads return one byte less than they could
  int failNotifyAdd = 0;                    // NIM_ADD answers this many failures first
  bool oldShell = false;                    // NIM_SETVERSION refused, as before 2000 and Me
  std::vector<NotifyIconData> notifyCalls;  // records of Shell_NotifyIconA, in order
  std::vector<std::uint32_t> notifyMessages;
  std::vector<std::string> processes;  // ProcessNames' answer
  bool noProcessList = false;          // ProcessNames fails, as where neither list exists
  Handle nextHandle = 0x1000;
  bool failVersionQuery = false;          // GetVersionExA leaves the record alone
  std::map<Handle, Handle> windowBefore;  // GetWindow(w, GW_HWNDPREV) answers
  Rect clientRect{0, 0, 200, 100};        // GetClientRect answer
  std::vector<std::string> fileLog;       // "open ...", "read 0+4=4", "write 4+1", in order
  TokenPrivileges lastNewState;           // the record AdjustTokenPrivileges was given

  // Fixed answers, so that tests can spot a handle passed on wrongly.
  static constexpr Handle kProcessHandle = static_cast<Handle>(-1);
  static constexpr Handle kTokenHandle = 0x70CE;
  static constexpr std::uint32_t kShutdownLuid = 19;
  static constexpr Handle kIconBase = 0x1C000000;              // LoadIconResource(id) = kIconBase + id
  static constexpr std::uint32_t kProcessId = 0x7A0;           // GetWindowThreadProcessId's answer
  static constexpr std::uint32_t kRegisteredMessage = 0xC123;  // RegisterWindowMessageA's answer

  void GetVersionExA(OsVersionInfo& info) override;
  Handle GetCurrentProcess() override;
  int SetSystemPowerState(int fSuspend, int fForce) override;
  std::uint32_t SetThreadExecutionState(std::uint32_t flags) override;
  std::uint32_t GetWindowsDirectoryA(std::string& buffer, std::uint32_t size) override;
  bool ProcessNames(std::vector<std::string>& names) override;
  int OpenProcessToken(Handle process, std::uint32_t access, Handle& token) override;
  int LookupPrivilegeValueA(const char* systemName, const std::string& name, Luid& luid) override;
  int AdjustTokenPrivileges(Handle token, int disableAll, const TokenPrivileges& newState, std::uint32_t bufferLength,
                            TokenPrivileges& previous, std::uint32_t& returnLength) override;
  void CloseHandle(Handle h) override;
  int ExitWindowsEx(std::uint32_t flags, std::uint32_t reserved) override;
  short GetAsyncKeyState(int virtualKey) override;
  Handle FindWindowA(const std::string& className, const std::string& windowName) override;
  Handle GetWindow(Handle window, std::uint32_t relation) override;
  int SetForegroundWindow(Handle window) override;
  std::uint32_t GetWindowThreadProcessId(Handle window) override;
  int AllowSetForegroundWindow(std::uint32_t processId) override;
  std::uint32_t RegisterWindowMessageA(const std::string& name) override;
  int PostMessageA(Handle window, std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) override;
  void Beep() override;
  int Shell_NotifyIconA(std::uint32_t message, const NotifyIconData& data) override;
  void InitCommonControls() override;
  Handle CreateWindowExA(std::uint32_t exStyle, const std::string& className, const char* windowName,
                         std::uint32_t style, int x, int y, int width, int height, Handle parent, Handle menu,
                         Handle instance, void* param) override;
  int SetWindowPos(Handle window, Handle insertAfter, int x, int y, int cx, int cy, std::uint32_t flags) override;
  std::intptr_t SendMessageA(Handle window, std::uint32_t message, std::uintptr_t wParam,
                             std::intptr_t lParam) override;
  std::intptr_t SendMessageA(Handle window, std::uint32_t message, std::uintptr_t wParam,
                             const ToolInfo& tool) override;
  std::intptr_t SendMessageA(Handle window, std::uint32_t message, std::uintptr_t wParam,
                             const std::string& text) override;
  int GetClientRect(Handle window, Rect& rect) override;
  std::uint32_t GetSysColor(int index) override;
  int DestroyWindow(Handle window) override;
  Handle InstanceHandle() override { return 0x400000; }
  bool PrevInstance() override;
  std::string AppTitle() override;
  void SetAppTitle(const std::string& title) override;
  std::string CommandLine() override;
  bool StartProcess(const std::string& commandLine, int showState) override;
  [[noreturn]] void EndProcess() override;
  Handle LoadIconResource(int id) override;
  std::unique_ptr<File> OpenFile(const std::string& ansiPath) override;
  std::unique_ptr<File> OpenExistingFile(const std::string& ansiPath) override;
  bool CreateDirectoryA(const std::string& ansiPath) override;
  std::string GetFolderPath(int csidl) override;

  // The host path that a Windows path under windowsDirectory stands for.
  std::string HostPath(const std::string& windowsPath) const;

 private:
  OsVersionInfo version_;
};

}  // namespace platform
