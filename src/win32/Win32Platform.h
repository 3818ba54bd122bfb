#pragma once
// The real operating-system calls, forwarded as the portable code makes them.
#include <windows.h>

#include <memory>
#include <vector>

#include "platform/Platform.h"
#include "ui/SmallMap.h"
#include "win32/Scoped.h"
#include "win32/ToolTipWindow.h"

class Win32Platform : public platform::Platform {
 public:
  // appWindow: the hidden application window whose caption is the title.
  Win32Platform(HINSTANCE instance, HWND appWindow);
  ~Win32Platform() override;
  Win32Platform(const Win32Platform&) = delete;
  Win32Platform& operator=(const Win32Platform&) = delete;

  void GetVersionExA(platform::OsVersionInfo& info) override;
  platform::Handle GetCurrentProcess() override;
  int SetSystemPowerState(int fSuspend, int fForce) override;
  std::uint32_t SetThreadExecutionState(std::uint32_t flags) override;
  std::uint32_t GetWindowsDirectoryA(std::string& buffer, std::uint32_t size) override;
  bool ProcessNames(std::vector<std::string>& names) override;
  int OpenProcessToken(platform::Handle process, std::uint32_t access, platform::Handle& token) override;
  int LookupPrivilegeValueA(const char* systemName, const std::string& name, platform::Luid& luid) override;
  int AdjustTokenPrivileges(platform::Handle token, int disableAll, const platform::TokenPrivileges& newState,
                            std::uint32_t bufferLength, platform::TokenPrivileges& previous,
                            std::uint32_t& returnLength) override;
  void CloseHandle(platform::Handle h) override;
  int ExitWindowsEx(std::uint32_t flags, std::uint32_t reserved) override;
  short GetAsyncKeyState(int virtualKey) override;
  platform::Handle FindWindowA(const std::string& className, const std::string& windowName) override;
  platform::Handle GetWindow(platform::Handle window, std::uint32_t relation) override;
  int SetForegroundWindow(platform::Handle window) override;
  std::uint32_t GetWindowThreadProcessId(platform::Handle window) override;
  int AllowSetForegroundWindow(std::uint32_t processId) override;
  std::uint32_t RegisterWindowMessageA(const std::string& name) override;
  int PostMessageA(platform::Handle window, std::uint32_t message, std::uintptr_t wParam,
                   std::intptr_t lParam) override;
  void Beep() override;
  int Shell_NotifyIconA(std::uint32_t message, const platform::NotifyIconData& data) override;
  void InitCommonControls() override;
  platform::Handle CreateWindowExA(std::uint32_t exStyle, const std::string& className, const char* windowName,
                                   std::uint32_t style, int x, int y, int width, int height, platform::Handle parent,
                                   platform::Handle menu, platform::Handle instance, void* param) override;
  int SetWindowPos(platform::Handle window, platform::Handle insertAfter, int x, int y, int cx, int cy,
                   std::uint32_t flags) override;
  std::intptr_t SendMessageA(platform::Handle window, std::uint32_t message, std::uintptr_t wParam,
                             std::intptr_t lParam) override;
  std::intptr_t SendMessageA(platform::Handle window, std::uint32_t message, std::uintptr_t wParam,
                             const platform::ToolInfo& tool) override;
  std::intptr_t SendMessageA(platform::Handle window, std::uint32_t message, std::uintptr_t wParam,
                             const std::string& text) override;
  int GetClientRect(platform::Handle window, platform::Rect& rect) override;
  std::uint32_t GetSysColor(int index) override;
  int DestroyWindow(platform::Handle window) override;
  platform::Handle InstanceHandle() override;

  bool PrevInstance() override;
  std::string AppTitle() override;
  void SetAppTitle(const std::string& title) override;
  std::string CommandLine() override;
  bool StartProcess(const std::string& commandLine, int showState) override;
  [[noreturn]] void EndProcess() override;
  platform::Handle LoadIconResource(int id) override;
  std::unique_ptr<File> OpenFile(const std::string& ansiPath) override;
  std::unique_ptr<File> OpenExistingFile(const std::string& ansiPath) override;
  bool CreateDirectoryA(const std::string& ansiPath) override;
  std::string GetFolderPath(int csidl) override;

 private:
  HINSTANCE instance_;
  HWND appWindow_;
  HANDLE instanceMutex_ = nullptr;
  bool prevInstance_ = false;
  // The tooltip window behind a handle the portable code holds; null for any other.
  peers::ToolTipWindow* Tip(platform::Handle window);

  SmallMap<int, scoped::Icon> icons_;                        // loaded once; the tray asks for them every second
  std::vector<std::unique_ptr<peers::ToolTipWindow>> tips_;  // made and destroyed by the portable code
};

// The tray record's tip (the record's first 64 characters, all that the first
// version of the record has): the text in the ANSI code page, cut between two
// characters to leave room for its NUL, then blanks.
constexpr std::size_t kTipChars = 64;
void FillTip(char* szTip, const std::string& tip);
