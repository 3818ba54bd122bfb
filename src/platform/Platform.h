#pragma once
// The operating-system calls the program names, with the arguments it gives
// them. win32/ forwards them as they stand; tests use RecordingPlatform.
// Texts are UTF-8 and win32/ converts them to the system's ANSI code page for
// the A calls; paths and command lines built from GetWindowsDirectoryA stay
// in that code page, as the system gave them.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace platform {

using Handle = std::uintptr_t;

struct OsVersionInfo {  // OSVERSIONINFOA, the fields that are read
  std::uint32_t dwOSVersionInfoSize = 0;
  std::uint32_t dwMajorVersion = 0;
  std::uint32_t dwMinorVersion = 0;
  std::uint32_t dwBuildNumber = 0;
  std::uint32_t dwPlatformId = 0;
};
constexpr std::uint32_t kOsVersionInfoSize = 148;  // sizeof(OSVERSIONINFOA)
constexpr std::uint32_t kPlatformWindows = 1;      // 95 / 98 / Me
constexpr std::uint32_t kPlatformNt = 2;

struct Luid {
  std::uint32_t lowPart = 0;
  std::int32_t highPart = 0;
};

struct TokenPrivileges {  // TOKEN_PRIVILEGES with one entry
  std::uint32_t privilegeCount = 0;
  Luid luid;
  std::uint32_t attributes = 0;
};

struct NotifyIconData {  // NOTIFYICONDATAA, version 1
  std::uint32_t cbSize = 0;
  Handle hWnd = 0;
  std::uint32_t uID = 0;
  std::uint32_t uFlags = 0;
  std::uint32_t uCallbackMessage = 0;
  Handle hIcon = 0;
  std::string tip;  // win32/ fits it into the record's 64 ANSI characters
};

struct Rect {
  std::int32_t left = 0, top = 0, right = 0, bottom = 0;
};

struct ToolInfo {  // TOOLINFOA
  std::uint32_t cbSize = 0;
  std::uint32_t uFlags = 0;
  Handle hwnd = 0;
  std::uintptr_t uId = 0;
  Rect rect;
  Handle hinst = 0;
  std::string lpszText;  // UTF-8 here; win32/ passes it on in the ANSI code page
};

class Platform {
 public:
  virtual ~Platform() = default;

  // kernel32
  virtual void GetVersionExA(OsVersionInfo& info) = 0;
  virtual Handle GetCurrentProcess() = 0;
  // 0 on failure, and where the system lacks the call (NT 4).
  virtual int SetSystemPowerState(int fSuspend, int fForce) = 0;
  // ES_* flags; returns the previous state, 0 on failure or where the system
  // lacks the call (95, NT 4).
  virtual std::uint32_t SetThreadExecutionState(std::uint32_t flags) = 0;
  // Returns the length; the text is cut to it.
  virtual std::uint32_t GetWindowsDirectoryA(std::string& buffer, std::uint32_t size) = 0;
  // Tool Help (kernel32, not on NT 4) or PSAPI (NT 4): the running processes'
  // file names, with their folders on the 95 family; false where the system
  // gives no list.
  virtual bool ProcessNames(std::vector<std::string>& names) = 0;
  // advapi32
  virtual int OpenProcessToken(Handle process, std::uint32_t access, Handle& token) = 0;
  virtual int LookupPrivilegeValueA(const char* systemName, const std::string& name, Luid& luid) = 0;
  virtual int AdjustTokenPrivileges(Handle token, int disableAll, const TokenPrivileges& newState,
                                    std::uint32_t bufferLength, TokenPrivileges& previous,
                                    std::uint32_t& returnLength) = 0;
  virtual void CloseHandle(Handle h) = 0;
  // user32
  virtual int ExitWindowsEx(std::uint32_t flags, std::uint32_t reserved) = 0;
  virtual short GetAsyncKeyState(int virtualKey) = 0;
  virtual Handle FindWindowA(const std::string& className, const std::string& windowName) = 0;
  virtual Handle GetWindow(Handle window, std::uint32_t relation) = 0;
  virtual int SetForegroundWindow(Handle window) = 0;
  virtual std::uint32_t GetWindowThreadProcessId(Handle window) = 0;  // the process id
  // 0 where the system lacks the call (95, NT 4).
  virtual int AllowSetForegroundWindow(std::uint32_t processId) = 0;
  virtual std::uint32_t RegisterWindowMessageA(const std::string& name) = 0;
  virtual int PostMessageA(Handle window, std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) = 0;
  virtual void Beep() = 0;
  // shell32
  virtual int Shell_NotifyIconA(std::uint32_t message, const NotifyIconData& data) = 0;
  // comctl32 and the tooltip window calls
  virtual void InitCommonControls() = 0;
  virtual Handle CreateWindowExA(std::uint32_t exStyle, const std::string& className, const char* windowName,
                                 std::uint32_t style, int x, int y, int width, int height, Handle parent, Handle menu,
                                 Handle instance, void* param) = 0;
  virtual int SetWindowPos(Handle window, Handle insertAfter, int x, int y, int cx, int cy, std::uint32_t flags) = 0;
  // lParam as a number, or the tool record / the text for the messages that take one.
  virtual std::intptr_t SendMessageA(Handle window, std::uint32_t message, std::uintptr_t wParam,
                                     std::intptr_t lParam) = 0;
  virtual std::intptr_t SendMessageA(Handle window, std::uint32_t message, std::uintptr_t wParam,
                                     const ToolInfo& tool) = 0;
  virtual std::intptr_t SendMessageA(Handle window, std::uint32_t message, std::uintptr_t wParam,
                                     const std::string& text) = 0;
  virtual int GetClientRect(Handle window, Rect& rect) = 0;
  virtual std::uint32_t GetSysColor(int index) = 0;
  virtual int DestroyWindow(Handle window) = 0;
  virtual Handle InstanceHandle() = 0;

  // Process services
  virtual bool PrevInstance() = 0;  // the same program already runs for this user
  virtual std::string AppTitle() = 0;
  virtual void SetAppTitle(const std::string& title) = 0;
  virtual std::string CommandLine() = 0;  // arguments only
  // The command line is ANSI; false when it could not be started.
  virtual bool StartProcess(const std::string& commandLine, int showState) = 0;
  [[noreturn]] virtual void EndProcess() = 0;  // at once, no unload handlers
  virtual Handle LoadIconResource(int id) = 0;

  // The settings file: byte access in a given directory.
  // Opens for reading and writing, creating it empty when missing.
  class File {
   public:
    virtual ~File() = default;
    // Reads up to n bytes at offset; returns how many were read, -1 on error.
    virtual int ReadAt(std::uint64_t offset, std::uint8_t* out, int n) = 0;
    // Returns false on error.
    virtual bool WriteAt(std::uint64_t offset, const std::uint8_t* data, int n) = 0;
  };
  // Null when the file cannot be opened or created.
  virtual std::unique_ptr<File> OpenFile(const std::string& ansiPath) = 0;
  // Opens an existing file for reading only, never creating it; null when it
  // is missing or cannot be read.
  virtual std::unique_ptr<File> OpenExistingFile(const std::string& ansiPath) = 0;
  // Creates one folder (its parent must exist); true when it exists afterwards.
  virtual bool CreateDirectoryA(const std::string& ansiPath) = 0;
  // A shell folder by CSIDL, without a trailing backslash; empty where the
  // system does not know it.
  virtual std::string GetFolderPath(int csidl) = 0;
};

// Windows constants the portable code passes through.
constexpr std::uint32_t kGwHwndPrev = 3;
constexpr int kVkShift = 16;
constexpr std::uint32_t kNimAdd = 0, kNimModify = 1, kNimDelete = 2;
// Asks for the newer notifications (the keyboard's among them); shells older
// than 2000 and Me refuse it, and the call is not even made there.
constexpr std::uint32_t kNimSetVersion = 4;
constexpr std::uint32_t kEsSystemRequired = 0x1, kEsContinuous = 0x80000000u;
constexpr int kCsidlAppData = 0x1A, kCsidlLocalAppData = 0x1C;

}  // namespace platform
