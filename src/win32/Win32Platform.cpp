#include "win32/Win32Platform.h"

#include <commctrl.h>
#include <shellapi.h>
#include <tlhelp32.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "app/InstanceModule.h"
#include "win32/Api.h"
#include "win32/CommonControls.h"
#include "win32/Dynamic.h"
#include "win32/ToolTipWindow.h"
#include "win32/Trace.h"
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
    if (n < 0 || (n > 0 && !out) || !Seek(offset)) return -1;
    if (n == 0) return 0;
    DWORD got = 0;
    if (!ReadFile(file_, out, static_cast<DWORD>(n), &got, nullptr)) return -1;
    return static_cast<int>(got);
  }

  bool WriteAt(std::uint64_t offset, const std::uint8_t* data, int n) override {
    if (n < 0 || (n > 0 && !data) || !Seek(offset)) return false;
    if (n == 0) return true;
    DWORD put = 0;
    return WriteFile(file_, data, static_cast<DWORD>(n), &put, nullptr) && put == static_cast<DWORD>(n);
  }

 private:
  // The 95 family refuses a position given with the call on a disk file: the
  // file pointer is moved first.
  bool Seek(std::uint64_t offset) {
    if (offset > 0x7FFFFFFFu) return false;  // a nine-byte file is never read that far
    SetLastError(NO_ERROR);
    const DWORD at = SetFilePointer(file_, static_cast<LONG>(offset), nullptr, FILE_BEGIN);
    return at != INVALID_SET_FILE_POINTER || GetLastError() == NO_ERROR;
  }
  HANDLE file_;
};

platform::OsVersionInfo SystemVersion() {
  OSVERSIONINFOA v{};
  v.dwOSVersionInfoSize = sizeof v;
  ::GetVersionExA(&v);
  platform::OsVersionInfo info;
  info.dwMajorVersion = v.dwMajorVersion;
  info.dwPlatformId = v.dwPlatformId;
  return info;
}

}  // namespace

void FillTip(char* szTip, const std::string& tip) {
  const std::string ansi = FitAnsi(tip, kTipChars - 1);
  std::memset(szTip, ' ', kTipChars);
  std::memcpy(szTip, ansi.data(), ansi.size());
  szTip[ansi.size()] = '\0';
}

Win32Platform::Win32Platform(HINSTANCE instance, HWND appWindow) : instance_(instance), appWindow_(appWindow) {
  // Held for the life of the process: a second start in the same session sees it.
  // cppcheck-suppress useInitializationList ; GetLastError must be read right after
  instanceMutex_ = CreateMutexA(nullptr, FALSE, InstanceMutexName(SystemVersion()).c_str());
  prevInstance_ = instanceMutex_ && GetLastError() == ERROR_ALREADY_EXISTS;
}

Win32Platform::~Win32Platform() {
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

namespace {

// Tool Help, in kernel32 on the 95 family and from Windows 2000 on.
bool ToolHelpNames(std::vector<std::string>& names) {
  using Snapshot = HANDLE(WINAPI*)(DWORD, DWORD);
  using Walk = BOOL(WINAPI*)(HANDLE, PROCESSENTRY32*);
  static const Snapshot snapshot = LookUp<Snapshot>("kernel32.dll", "CreateToolhelp32Snapshot");
  static const Walk first = LookUp<Walk>("kernel32.dll", "Process32First");
  static const Walk next = LookUp<Walk>("kernel32.dll", "Process32Next");
  if (!snapshot || !first || !next) return false;
  const HANDLE list = snapshot(TH32CS_SNAPPROCESS, 0);
  if (list == INVALID_HANDLE_VALUE) return false;
  PROCESSENTRY32 entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = first(list, &entry); more; more = next(list, &entry)) {
    entry.szExeFile[sizeof entry.szExeFile - 1] = '\0';
    names.push_back(FromAnsi(entry.szExeFile));
  }
  ::CloseHandle(list);
  return true;
}

// PSAPI, for NT 4: each process's first module is its program. Processes
// this user may not open are not listed.
bool PsapiNames(std::vector<std::string>& names) {
  using Enum = BOOL(WINAPI*)(DWORD*, DWORD, DWORD*);
  using Modules = BOOL(WINAPI*)(HANDLE, HMODULE*, DWORD, DWORD*);
  using BaseName = DWORD(WINAPI*)(HANDLE, HMODULE, LPSTR, DWORD);
  static const Enum enumProcesses = LookUp<Enum>("psapi.dll", "EnumProcesses");
  static const Modules enumModules = LookUp<Modules>("psapi.dll", "EnumProcessModules");
  static const BaseName baseName = LookUp<BaseName>("psapi.dll", "GetModuleBaseNameA");
  if (!enumProcesses || !enumModules || !baseName) return false;
  std::vector<DWORD> ids(1024);
  DWORD bytes = 0;
  if (!enumProcesses(ids.data(), static_cast<DWORD>(ids.size() * sizeof(DWORD)), &bytes)) return false;
  ids.resize(bytes / sizeof(DWORD));
  for (DWORD id : ids) {
    const HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, id);
    if (!process) continue;
    HMODULE module = nullptr;
    DWORD needed = 0;
    char name[MAX_PATH] = {};
    if (enumModules(process, &module, sizeof module, &needed) && baseName(process, module, name, MAX_PATH) > 0)
      names.push_back(FromAnsi(name));
    ::CloseHandle(process);
  }
  return true;
}

}  // namespace

bool Win32Platform::ProcessNames(std::vector<std::string>& names) {
  names.clear();
  if (ToolHelpNames(names)) return true;
  names.clear();
  return PsapiNames(names);
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
  return Of(::FindWindowA(ToAnsi(className).c_str(), ToAnsi(windowName).c_str()));
}

platform::Handle Win32Platform::GetWindow(platform::Handle window, std::uint32_t relation) {
  return Of(::GetWindow(As<HWND>(window), relation));
}

int Win32Platform::SetForegroundWindow(platform::Handle window) { return ::SetForegroundWindow(As<HWND>(window)); }

std::uint32_t Win32Platform::GetWindowThreadProcessId(platform::Handle window) {
  DWORD process = 0;
  ::GetWindowThreadProcessId(As<HWND>(window), &process);
  return process;
}

int Win32Platform::AllowSetForegroundWindow(std::uint32_t processId) {
  using Fn = BOOL(WINAPI*)(DWORD);
  static const Fn call = LookUp<Fn>("user32.dll", "AllowSetForegroundWindow");  // 2000 on; Me exports no such function
  return call ? call(processId) : 0;
}

std::uint32_t Win32Platform::RegisterWindowMessageA(const std::string& name) {
  return ::RegisterWindowMessageA(ToAnsi(name).c_str());
}

int Win32Platform::PostMessageA(platform::Handle window, std::uint32_t message, std::uintptr_t wParam,
                                std::intptr_t lParam) {
  return ::PostMessageA(As<HWND>(window), message, wParam, lParam);
}

void Win32Platform::Beep() { MessageBeep(MB_OK); }

namespace {

// The second version of the record, as shells from 2000 and Me on read it,
// spelled out: the floor's headers for 95 and NT 4 do not declare it.
struct NotifyIconDataV2 {
  DWORD cbSize;
  HWND hWnd;
  UINT uID, uFlags, uCallbackMessage;
  HICON hIcon;
  CHAR szTip[128];
  DWORD dwState, dwStateMask;
  CHAR szInfo[256];
  UINT uVersion;
  CHAR szInfoTitle[64];
  DWORD dwInfoFlags;
};
static_assert(sizeof(void*) != 4 || sizeof(NotifyIconDataV2) == 488, "NOTIFYICONDATAA_V2_SIZE");

// Shell version 5 (2000, Me, and 95, 98 and NT 4 with a later desktop
// update) is the first to take NIM_SETVERSION.
bool ShellTakesVersions() { return DllVersionOf("shell32.dll").major >= 5; }

}  // namespace

int Win32Platform::Shell_NotifyIconA(std::uint32_t message, const platform::NotifyIconData& data) {
  if (message == platform::kNimSetVersion) {
    if (!ShellTakesVersions()) return 0;
    NotifyIconDataV2 nid{};
    nid.cbSize = sizeof nid;
    nid.hWnd = As<HWND>(data.hWnd);
    nid.uID = data.uID;
    nid.uVersion = 3;  // NOTIFYICON_VERSION: the lParam stays the event, as before
    return Traced(::Shell_NotifyIconA(message, reinterpret_cast<PNOTIFYICONDATAA>(&nid)), "Shell_NotifyIconA");
  }
  NOTIFYICONDATAA nid{};
  // The first version of the record: every shell since Windows 95 takes it.
  nid.cbSize = NOTIFYICONDATAA_V1_SIZE;
  nid.hWnd = As<HWND>(data.hWnd);
  nid.uID = data.uID;
  nid.uFlags = data.uFlags;
  nid.uCallbackMessage = data.uCallbackMessage;
  nid.hIcon = As<HICON>(data.hIcon);
  static_assert(sizeof nid.szTip >= kTipChars);
  FillTip(nid.szTip, data.tip);
  return Traced(::Shell_NotifyIconA(message, &nid), "Shell_NotifyIconA");
}

void Win32Platform::InitCommonControls() { ::InitCommonControls(); }

platform::Handle Win32Platform::CreateWindowExA(std::uint32_t exStyle, const std::string& className,
                                                const char* windowName, std::uint32_t style, int x, int y, int width,
                                                int height, platform::Handle parent, platform::Handle menu,
                                                platform::Handle instance, void*) {
  // The portable code makes tooltip windows only; each lives here until it is destroyed.
  auto tip = std::make_unique<peers::ToolTipWindow>(false);
  const HWND made = tip->Make(exStyle, className.c_str(), windowName, style, x, y, width, height, As<HWND>(parent),
                              As<HMENU>(menu), As<HINSTANCE>(instance));
  if (made) tips_.push_back(std::move(tip));
  return Of(made);
}

peers::ToolTipWindow* Win32Platform::Tip(platform::Handle window) {
  for (const auto& tip : tips_)
    if (window && tip->Handle() == As<HWND>(window)) return tip.get();
  return nullptr;
}

int Win32Platform::SetWindowPos(platform::Handle window, platform::Handle insertAfter, int x, int y, int cx, int cy,
                                std::uint32_t flags) {
  return ::SetWindowPos(As<HWND>(window), As<HWND>(insertAfter), x, y, cx, cy, flags);
}

std::intptr_t Win32Platform::SendMessageA(platform::Handle window, std::uint32_t message, std::uintptr_t wParam,
                                          std::intptr_t lParam) {
  if (peers::ToolTipWindow* tip = Tip(window)) return tip->Send(message, wParam, lParam);
  return ::SendMessageA(As<HWND>(window), message, wParam, lParam);
}

std::intptr_t Win32Platform::SendMessageA(platform::Handle window, std::uint32_t message, std::uintptr_t,
                                          const platform::ToolInfo& tool) {
  peers::ToolTipWindow* tip = Tip(window);
  if (!tip || message != TTM_ADDTOOLA) return 0;  // the one message that takes a tool record here
  peers::ToolTipWindow::Tool t;
  t.flags = tool.uFlags;
  t.owner = As<HWND>(tool.hwnd);
  t.id = tool.uId;
  t.rect = RECT{tool.rect.left, tool.rect.top, tool.rect.right, tool.rect.bottom};
  t.instance = As<HINSTANCE>(tool.hinst);
  t.text = &tool.lpszText;
  return tip->AddTool(t);
}

std::intptr_t Win32Platform::SendMessageA(platform::Handle window, std::uint32_t message, std::uintptr_t wParam,
                                          const std::string& text) {
  peers::ToolTipWindow* tip = Tip(window);
  if (tip && message == TTM_SETTITLEA) return tip->SetTitle(wParam, text);
  const std::string ansi = ToAnsi(text);
  return ::SendMessageA(As<HWND>(window), message, wParam, reinterpret_cast<LPARAM>(ansi.c_str()));
}

int Win32Platform::GetClientRect(platform::Handle window, platform::Rect& rect) {
  RECT r{};
  const BOOL ok = ::GetClientRect(As<HWND>(window), &r);
  rect = platform::Rect{r.left, r.top, r.right, r.bottom};
  return ok;
}

std::uint32_t Win32Platform::GetSysColor(int index) { return ::GetSysColor(index); }

int Win32Platform::DestroyWindow(platform::Handle window) {
  for (auto it = tips_.begin(); it != tips_.end(); ++it) {
    if ((*it)->Handle() != As<HWND>(window)) continue;
    const BOOL done = (*it)->Destroy();
    tips_.erase(it);
    return done;
  }
  return ::DestroyWindow(As<HWND>(window));
}

platform::Handle Win32Platform::InstanceHandle() { return Of(instance_); }

bool Win32Platform::PrevInstance() { return prevInstance_; }

std::string Win32Platform::AppTitle() { return api::Text(appWindow_); }

void Win32Platform::SetAppTitle(const std::string& title) { api::SetText(appWindow_, title); }

std::string Win32Platform::CommandLine() { return api::CommandLineArguments(); }

bool Win32Platform::StartProcess(const std::string& commandLine, int showState) {
  return WinExec(commandLine.c_str(), static_cast<UINT>(showState)) > 31;  // below 32 is an error code
}

void Win32Platform::EndProcess() { ExitProcess(0); }

platform::Handle Win32Platform::LoadIconResource(int id) {
  if (const scoped::Icon* found = icons_.Find(id)) return Of(found->Get());
  // Small size: these icons go to the notification area.
  HICON icon = static_cast<HICON>(LoadImageA(instance_, MAKEINTRESOURCEA(id), IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                             GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR));
  icons_[id] = scoped::Icon(icon);
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
  constexpr int kCreateIfMissing = 0x8000;  // CSIDL_FLAG_CREATE
  if (!call || call(nullptr, csidl | kCreateIfMissing, nullptr, 0, path) != S_OK) return {};
  std::string folder(path);
  while (!folder.empty() && folder.back() == '\\') folder.pop_back();
  return folder;
}
