#include "win32/Win32Platform.h"

#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "text/Text.h"
#include "win32/Dynamic.h"
#include "win32/Win32Text.h"

namespace {

template <class T>
T As(platform::Handle h) {
  return reinterpret_cast<T>(h);
}

template <class T>
platform::Handle Of(T h) {
  return reinterpret_cast<platform::Handle>(h);
}

class Win32File : public platform::Platform::File {
 public:
  explicit Win32File(HANDLE file) : file_(file) {}
  ~Win32File() override { ::CloseHandle(file_); }
  Win32File(const Win32File&) = delete;
  Win32File& operator=(const Win32File&) = delete;

  int ReadAt(std::uint64_t offset, std::uint8_t* out, int n) override {
    if (n < 0 || (n > 0 && !out)) return -1;
    if (n == 0) return 0;
    OVERLAPPED at = Where(offset);
    DWORD got = 0;
    if (!ReadFile(file_, out, static_cast<DWORD>(n), &got, &at)) return GetLastError() == ERROR_HANDLE_EOF ? 0 : -1;
    return static_cast<int>(got);
  }

  bool WriteAt(std::uint64_t offset, const std::uint8_t* data, int n) override {
    if (n < 0 || (n > 0 && !data)) return false;
    if (n == 0) return true;
    OVERLAPPED at = Where(offset);
    DWORD put = 0;
    return WriteFile(file_, data, static_cast<DWORD>(n), &put, &at) && put == static_cast<DWORD>(n);
  }

 private:
  // On a synchronous handle the OVERLAPPED offset is where the call reads or writes.
  static OVERLAPPED Where(std::uint64_t offset) {
    OVERLAPPED at{};
    at.Offset = static_cast<DWORD>(offset & 0xFFFFFFFFu);
    at.OffsetHigh = static_cast<DWORD>(offset >> 32);
    return at;
  }
  HANDLE file_;
};

}  // namespace

std::wstring ArgumentsOf(const std::wstring& commandLine) {
  std::size_t i = 0;
  const std::size_t n = commandLine.size();
  if (n > 0 && commandLine[0] == L'"') {
    // A quoted path runs to the next quote; there is no escaping in it.
    i = commandLine.find(L'"', 1);
    i = (i == std::wstring::npos) ? n : i + 1;
  } else {
    while (i < n && commandLine[i] != L' ' && commandLine[i] != L'\t') ++i;
  }
  while (i < n && (commandLine[i] == L' ' || commandLine[i] == L'\t')) ++i;
  return commandLine.substr(i);
}

Win32Platform::Win32Platform(HINSTANCE instance, HWND appWindow) : instance_(instance), appWindow_(appWindow) {
  // Held for the life of the process: a second start in the same session sees it.
  // cppcheck-suppress useInitializationList ; GetLastError must be read right after
  instanceMutex_ = CreateMutexW(nullptr, FALSE, L"Local\\Crepuscule.Instance");
  prevInstance_ = instanceMutex_ && GetLastError() == ERROR_ALREADY_EXISTS;
}

Win32Platform::~Win32Platform() {
  for (auto& [id, icon] : icons_)
    if (icon) DestroyIcon(icon);
  if (instanceMutex_) ::CloseHandle(instanceMutex_);
}

void Win32Platform::GetVersionExA(platform::OsVersionInfo& info) {
  OSVERSIONINFOA v{};
  v.dwOSVersionInfoSize = info.dwOSVersionInfoSize;  // as given: the call checks it
  ::GetVersionExA(&v);
  info.dwMajorVersion = v.dwMajorVersion;
  info.dwMinorVersion = v.dwMinorVersion;
  info.dwBuildNumber = v.dwBuildNumber;
  info.dwPlatformId = v.dwPlatformId;
}

platform::Handle Win32Platform::GetCurrentProcess() { return Of(::GetCurrentProcess()); }

int Win32Platform::SetSystemPowerState(int fSuspend, int fForce) {
  // From Windows 95 and 2000: NT 4 has no such call, and does nothing.
  using Fn = BOOL(WINAPI*)(BOOL, BOOL);
  static const Fn call = LookUp<Fn>("kernel32.dll", "SetSystemPowerState");
  return call ? call(fSuspend, fForce) : 0;
}

std::uint32_t Win32Platform::SetThreadExecutionState(std::uint32_t flags) {
  using Fn = DWORD(WINAPI*)(DWORD);
  static const Fn call = LookUp<Fn>("kernel32.dll", "SetThreadExecutionState");
  return call ? call(flags) : 0;
}

std::uint32_t Win32Platform::GetWindowsDirectoryA(std::string& buffer, std::uint32_t size) {
  const UINT room = std::min<std::uint32_t>(size, 32768);
  std::vector<char> text(room + 1, '\0');
  const UINT length = ::GetWindowsDirectoryA(text.data(), room);
  // A length of room or more means the buffer was too small: nothing usable.
  if (length > 0 && length < room)
    buffer.assign(text.data(), length);
  else
    buffer.clear();
  return length;
}

int Win32Platform::OpenProcessToken(platform::Handle process, std::uint32_t access, platform::Handle& token) {
  HANDLE h = nullptr;
  const BOOL ok = ::OpenProcessToken(As<HANDLE>(process), access, &h);
  token = Of(h);
  return ok;
}

int Win32Platform::LookupPrivilegeValueA(const char* systemName, const std::string& name, platform::Luid& luid) {
  LUID id{};
  const BOOL ok = ::LookupPrivilegeValueA(systemName, name.c_str(), &id);
  luid.lowPart = id.LowPart;
  luid.highPart = id.HighPart;
  return ok;
}

int Win32Platform::AdjustTokenPrivileges(platform::Handle token, int disableAll,
                                         const platform::TokenPrivileges& newState, std::uint32_t bufferLength,
                                         platform::TokenPrivileges& previous, std::uint32_t& returnLength) {
  TOKEN_PRIVILEGES state{};
  state.PrivilegeCount = newState.privilegeCount;
  state.Privileges[0].Luid.LowPart = newState.luid.lowPart;
  state.Privileges[0].Luid.HighPart = newState.luid.highPart;
  state.Privileges[0].Attributes = newState.attributes;
  TOKEN_PRIVILEGES before{};  // zero-filled; never read back beyond its one entry
  DWORD length = 0;
  // The system writes up to bufferLength bytes into the previous state: never
  // let it go past the record we own.
  const DWORD room = std::min<std::uint32_t>(bufferLength, sizeof before);
  const BOOL ok = ::AdjustTokenPrivileges(As<HANDLE>(token), disableAll, &state, room, &before, &length);
  previous.privilegeCount = before.PrivilegeCount;
  previous.luid.lowPart = before.Privileges[0].Luid.LowPart;
  previous.luid.highPart = before.Privileges[0].Luid.HighPart;
  previous.attributes = before.Privileges[0].Attributes;
  returnLength = length;
  return ok;
}

void Win32Platform::CloseHandle(platform::Handle h) {
  if (h) ::CloseHandle(As<HANDLE>(h));
}

int Win32Platform::ExitWindowsEx(std::uint32_t flags, std::uint32_t reserved) {
  return ::ExitWindowsEx(flags, reserved);
}

short Win32Platform::GetAsyncKeyState(int virtualKey) { return ::GetAsyncKeyState(virtualKey); }

platform::Handle Win32Platform::FindWindowA(const std::string& className, const std::string& windowName) {
  const std::string ansiClass = Utf8ToAnsi(className);
  const std::string ansiName = Utf8ToAnsi(windowName);
  return Of(::FindWindowA(ansiClass.c_str(), ansiName.c_str()));
}

platform::Handle Win32Platform::GetWindow(platform::Handle window, std::uint32_t relation) {
  return Of(::GetWindow(As<HWND>(window), relation));
}

int Win32Platform::SetForegroundWindow(platform::Handle window) { return ::SetForegroundWindow(As<HWND>(window)); }

void Win32Platform::Beep() { MessageBeep(MB_OK); }

int Win32Platform::Shell_NotifyIconA(std::uint32_t message, const platform::NotifyIconData& data) {
  NOTIFYICONDATAA nid{};
  // The first version of the record: every shell since Windows 95 takes it.
  nid.cbSize = NOTIFYICONDATAA_V1_SIZE;
  nid.hWnd = As<HWND>(data.hWnd);
  nid.uID = data.uID;
  nid.uFlags = data.uFlags;
  nid.uCallbackMessage = data.uCallbackMessage;
  nid.hIcon = As<HICON>(data.hIcon);
  // The caller's tip may fill all 64 characters without a NUL: the shell needs one.
  std::size_t length = 0;
  while (length < sizeof data.szTip - 1 && data.szTip[length] != '\0') ++length;
  std::memcpy(nid.szTip, data.szTip, length);
  nid.szTip[length] = '\0';
  return ::Shell_NotifyIconA(message, &nid);
}

void Win32Platform::InitCommonControls() { ::InitCommonControls(); }

platform::Handle Win32Platform::CreateWindowExA(std::uint32_t exStyle, const std::string& className,
                                                const char* windowName, std::uint32_t style, int x, int y, int width,
                                                int height, platform::Handle parent, platform::Handle menu,
                                                platform::Handle instance, void* param) {
  const std::string ansiClass = Utf8ToAnsi(className);
  const std::string ansiName = windowName ? Utf8ToAnsi(windowName) : std::string();
  return Of(::CreateWindowExA(exStyle, ansiClass.c_str(), windowName ? ansiName.c_str() : nullptr, style, x, y, width,
                              height, As<HWND>(parent), As<HMENU>(menu), As<HINSTANCE>(instance), param));
}

int Win32Platform::SetWindowPos(platform::Handle window, platform::Handle insertAfter, int x, int y, int cx, int cy,
                                std::uint32_t flags) {
  return ::SetWindowPos(As<HWND>(window), As<HWND>(insertAfter), x, y, cx, cy, flags);
}

std::intptr_t Win32Platform::SendMessageA(platform::Handle window, std::uint32_t message, std::uintptr_t wParam,
                                          std::intptr_t lParam) {
  // A negative tooltip delay means "the system's default". Windows reads it so;
  // Wine takes the low word (65535 ms), so the default is spelled out here.
  if (message == TTM_SETDELAYTIME && lParam < 0) {
    const LPARAM initial = static_cast<LPARAM>(::GetDoubleClickTime());
    lParam = wParam == TTDT_AUTOPOP ? initial * 10 : wParam == TTDT_RESHOW ? initial / 5 : initial;
  }
  return ::SendMessageA(As<HWND>(window), message, wParam, lParam);
}

std::intptr_t Win32Platform::SendMessageA(platform::Handle window, std::uint32_t message, std::uintptr_t wParam,
                                          const platform::ToolInfo& tool) {
  std::string text = Utf8ToAnsi(tool.lpszText);
  TTTOOLINFOA ti{};
  // Up to lParam, without lpReserved: 44 bytes on 32-bit Windows, the size
  // every comctl32 since version 4.70 accepts (the full record is refused by
  // those before version 6).
  ti.cbSize = TTTOOLINFOA_V2_SIZE;
  ti.uFlags = tool.uFlags;
  ti.hwnd = As<HWND>(tool.hwnd);
  ti.uId = tool.uId;
  ti.rect = RECT{tool.rect.left, tool.rect.top, tool.rect.right, tool.rect.bottom};
  ti.hinst = As<HINSTANCE>(tool.hinst);
  ti.lpszText = text.data();
  return ::SendMessageA(As<HWND>(window), message, wParam, reinterpret_cast<LPARAM>(&ti));
}

std::intptr_t Win32Platform::SendMessageA(platform::Handle window, std::uint32_t message, std::uintptr_t wParam,
                                          const std::string& text) {
  const std::string ansi = Utf8ToAnsi(text);
  return ::SendMessageA(As<HWND>(window), message, wParam, reinterpret_cast<LPARAM>(ansi.c_str()));
}

int Win32Platform::GetClientRect(platform::Handle window, platform::Rect& rect) {
  RECT r{};
  const BOOL ok = ::GetClientRect(As<HWND>(window), &r);
  rect = platform::Rect{r.left, r.top, r.right, r.bottom};
  return ok;
}

std::uint32_t Win32Platform::GetSysColor(int index) { return ::GetSysColor(index); }

int Win32Platform::DestroyWindow(platform::Handle window) { return ::DestroyWindow(As<HWND>(window)); }

platform::Handle Win32Platform::InstanceHandle() { return Of(instance_); }

bool Win32Platform::PrevInstance() { return prevInstance_; }

std::string Win32Platform::AppTitle() {
  const int length = GetWindowTextLengthW(appWindow_);
  if (length <= 0) return {};
  std::wstring title(static_cast<std::size_t>(length) + 1, L'\0');
  const int got = GetWindowTextW(appWindow_, title.data(), length + 1);
  title.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
  return Narrow(title);
}

void Win32Platform::SetAppTitle(const std::string& title) { SetWindowTextW(appWindow_, Widen(title).c_str()); }

std::string Win32Platform::CommandLine() {
  const wchar_t* line = GetCommandLineW();
  return Narrow(ArgumentsOf(line ? line : L""));
}

bool Win32Platform::StartProcess(const std::string& commandLine, int showState) {
  const std::string ansi = Utf8ToAnsi(commandLine);
  return WinExec(ansi.c_str(), static_cast<UINT>(showState)) > 31;  // below 32 is an error code
}

void Win32Platform::EndProcess() { ExitProcess(0); }

platform::Handle Win32Platform::LoadIconResource(int id) {
  auto found = icons_.find(id);
  if (found != icons_.end()) return Of(found->second);
  // Small size: these icons go to the notification area.
  HICON icon = static_cast<HICON>(LoadImageW(instance_, MAKEINTRESOURCEW(id), IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                             GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR));
  icons_[id] = icon;
  return Of(icon);
}

std::unique_ptr<platform::Platform::File> Win32Platform::OpenFile(const std::string& ansiPath) {
  // Opened for reading and writing, created when missing, never truncated.
  HANDLE file = CreateFileA(ansiPath.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return nullptr;
  return std::make_unique<Win32File>(file);
}

std::unique_ptr<platform::Platform::File> Win32Platform::OpenExistingFile(const std::string& ansiPath) {
  HANDLE file = CreateFileA(ansiPath.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return nullptr;
  return std::make_unique<Win32File>(file);
}

bool Win32Platform::CreateDirectoryA(const std::string& ansiPath) {
  if (::CreateDirectoryA(ansiPath.c_str(), nullptr)) return true;
  const DWORD attributes = GetFileAttributesA(ansiPath.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

std::string Win32Platform::GetFolderPath(int csidl) {
  // shell32 has it from 2000 (and from 98 with later shells); shfolder.dll
  // brings it to older systems where it was installed.
  using Fn = HRESULT(WINAPI*)(HWND, int, HANDLE, DWORD, LPSTR);
  static const Fn call = [] {
    Fn f = LookUp<Fn>("shell32.dll", "SHGetFolderPathA");
    return f ? f : LookUp<Fn>("shfolder.dll", "SHGetFolderPathA");
  }();
  char path[MAX_PATH + 1] = {};
  if (!call || call(nullptr, csidl, nullptr, 0, path) != S_OK) return {};
  std::string folder(path);
  while (!folder.empty() && folder.back() == '\\') folder.pop_back();
  return folder;
}
