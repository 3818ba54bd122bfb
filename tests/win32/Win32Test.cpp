// The Windows layer against the real system (run under Wine): the calls it
// forwards, the files, the application and tray windows, the form windows, the
// timers and the test hook.
// Prints one line "win32: N passed, M failed" and fails when a check does.
#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "ui/Fakes.h"
#include "ui/Form.h"
#include "ui/Timer.h"
#include "win32/Api.h"
#include "win32/Backend.h"
#include "win32/CommonControls.h"
#include "win32/FormWindow.h"
#include "win32/Paint.h"
#include "win32/Peers.h"
#include "win32/Scoped.h"
#include "win32/Win32Platform.h"
#include "win32/Win32Services.h"
#include "win32/Win32Text.h"

namespace {

int passed = 0, failed = 0;

void Check(bool ok, const char* what, int line, const std::string& detail = {}) {
  if (ok) {
    ++passed;
    return;
  }
  ++failed;
  std::printf("FAILED line %d: %s %s\n", line, what, detail.c_str());
}
#define CHECK(cond) Check((cond), #cond, __LINE__)
#define CHECK_EQ(a, b) Check((a) == (b), #a " == " #b, __LINE__)

// Runs the message loop until done() or the time limit (ms) passes.
template <class F>
void PumpUntil(F done, DWORD limitMs) {
  const DWORD start = GetTickCount();
  while (!done() && GetTickCount() - start < limitMs) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
  }
}

void CommandLineArguments() {
  const struct {
    const wchar_t* line;
    const wchar_t* arguments;
  } cases[] = {
      {L"crepuscule.exe -a -t:0,0,5", L"-a -t:0,0,5"},
      {L"\"C:\\my app\\crepuscule.exe\" -m", L"-m"},
      {L"\"C:\\my app\\crepuscule.exe\"-m", L"-m"},  // the quote ends the path
      {L"C:\\app\\crepuscule.exe \t -n", L"-n"},
      {L"crepuscule.exe", L""},
      {L"\"C:\\never closed -a", L""},
      {L"", L""},
  };
  for (const auto& c : cases) Check(api::ArgumentsOf(c.line) == c.arguments, "ArgumentsOf", __LINE__, Narrow(c.line));
}

void SettingsFileAccess(Win32Platform& os) {
  wchar_t dir[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, dir);
  const std::string path = Narrow(dir) + "crep-win32-test.bin";
  DeleteFileA(path.c_str());
  {
    auto file = os.OpenFile(path);  // created when missing
    CHECK(file != nullptr);
    if (!file) return;
    const std::uint8_t tail[] = {1, 2, 3};
    std::uint8_t all[16] = {0xFF};
    // A write past the end fills the gap with zeros; at the end a read gets nothing, not an error.
    CHECK(file->WriteAt(6, tail, 3) && file->ReadAt(0, all, 16) == 9 && all[5] == 0 && all[8] == 3);
    CHECK(file->ReadAt(9, all, 4) == 0 && file->ReadAt(0, all, -1) == -1 && !file->WriteAt(0, tail, -1));
  }
  // Never truncated on opening; opened for reading only, never written.
  for (bool existing : {false, true}) {
    auto file = existing ? os.OpenExistingFile(path) : os.OpenFile(path);
    std::uint8_t byte = 0;
    CHECK(file && file->ReadAt(8, &byte, 1) == 1 && byte == 3);
  }
  if (auto readOnly = os.OpenExistingFile(path))
    CHECK(!readOnly->WriteAt(0, reinterpret_cast<const std::uint8_t*>("x"), 1));
  DeleteFileA(path.c_str());
  CHECK(os.OpenFile("C:\\no such directory\\x\\Crepuscule.ini") == nullptr);
  CHECK(os.OpenExistingFile(path) == nullptr);  // never created by a read
  const std::string folder = Narrow(dir) + "crep-win32-folder";
  RemoveDirectoryA(folder.c_str());
  CHECK(os.CreateDirectoryA(folder) && os.CreateDirectoryA(folder));  // already there: still fine
  CHECK(!os.CreateDirectoryA(folder + "\\no\\such"));
  RemoveDirectoryA(folder.c_str());
  const std::string appData = os.GetFolderPath(platform::kCsidlAppData);
  CHECK(!appData.empty() && appData.back() != '\\');

  std::string windows, tooSmall = "unchanged";
  const std::uint32_t length = os.GetWindowsDirectoryA(windows, 260);
  CHECK(length > 0 && windows.size() == length && os.GetWindowsDirectoryA(tooSmall, 2) > 2 && tooSmall.empty());
}

void TitleAndSingleInstance(Win32Platform& os, HWND app) {
  const std::string title = "Crépuscule test " + std::to_string(GetCurrentProcessId());
  os.SetAppTitle(title);
  CHECK_EQ(os.AppTitle(), title);
  // Found by class and title, the title given in the ANSI code page.
  CHECK_EQ(os.FindWindowA("ThunderRT6Main", title), reinterpret_cast<platform::Handle>(app));
  CHECK_EQ(os.FindWindowA("ThunderRT6Main", "unwanted instance"), platform::Handle{0});

  // The main window is the one just before the application window.
  HWND main = CreateWindowExW(0, L"STATIC", L"main", WS_POPUP, 0, 0, 10, 10, app, nullptr, nullptr, nullptr);
  HWND other = CreateWindowExW(0, L"STATIC", L"other", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  // Another window comes between them: the application window goes back just behind the main one.
  SetWindowPos(other, main, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  TheBackend().app.KeepBehind(main);
  CHECK_EQ(os.GetWindow(reinterpret_cast<platform::Handle>(app), platform::kGwHwndPrev),
           reinterpret_cast<platform::Handle>(main));
  DestroyWindow(other);
  DestroyWindow(main);

  Win32Platform second(GetModuleHandleW(nullptr), app);
  CHECK(second.PrevInstance());  // the first one holds the session's mutex
}

void ForwardedCalls(Win32Platform& os) {
  // The record's size goes as given: a wrong one is refused, the record keeps its zeros.
  platform::OsVersionInfo v, wrongSize;
  v.dwOSVersionInfoSize = 148;
  wrongSize.dwOSVersionInfoSize = 12;
  os.GetVersionExA(v);
  os.GetVersionExA(wrongSize);
  CHECK((v.dwPlatformId == 2 || v.dwPlatformId == 1) && wrongSize.dwPlatformId == 0);

  platform::Handle token = 0;
  CHECK(os.OpenProcessToken(os.GetCurrentProcess(), 40, token) && token != 0);
  platform::TokenPrivileges state;
  CHECK(os.LookupPrivilegeValueA(nullptr, "SeShutdownPrivilege", state.luid));
  state.privilegeCount = 1;
  state.attributes = 0;  // leaves the privilege as it is
  platform::TokenPrivileges previous;
  std::uint32_t returned = 0;
  // A length larger than the record must not let the system write past it.
  os.AdjustTokenPrivileges(token, 0, state, 4096, previous, returned);
  CHECK(returned <= sizeof(TOKEN_PRIVILEGES));
  os.CloseHandle(token);
}

void TooltipRecords(Win32Platform& os) {
  HWND parent = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 100, 50, nullptr, nullptr, nullptr, nullptr);
  os.InitCommonControls();
  const platform::Handle tip =
      os.CreateWindowExA(0, "Tooltips_Class32", nullptr, 0x42, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                         CW_USEDEFAULT, reinterpret_cast<platform::Handle>(parent), 0, os.InstanceHandle(), nullptr);
  platform::ToolInfo tool;
  tool.uFlags = 0x10;
  tool.hwnd = reinterpret_cast<platform::Handle>(parent);
  os.GetClientRect(tool.hwnd, tool.rect);
  tool.hinst = os.InstanceHandle();
  tool.lpszText = "Arrêtez Windows";
  // Taken: the record has the size this system's common controls accept.
  CHECK(os.SendMessageA(tip, TTM_ADDTOOLA, 0, tool) != 0 && os.DestroyWindow(tip));
  DestroyWindow(parent);

  // The record's first two sizes (32-bit: 40 and 44 bytes; the 64-bit ones are larger).
  const UINT v1 = sizeof(void*) == 4 ? 40 : 56, v2 = sizeof(void*) == 4 ? 44 : 64;
  const struct {
    CommonControlsVersion version;
    bool wide;
    UINT size;
  } sizes[] = {{{4, 0}, false, v1}, {{4, 70}, true, v2}, {{5, 82}, false, v2}, {{6, 10}, true, v2}};
  for (const auto& c : sizes) Check(ToolInfoSize(c.version, c.wide) == c.size, "ToolInfoSize", __LINE__);
}

void CodePages() {
  // Best fit where the code page lacks the character; the system's own
  // code page when none is named.
  CHECK_EQ(ToAnsi("Arrêt dans 3s", 1252), std::string("Arr\xEAt dans 3s"));
  CHECK_EQ(ToAnsi("Arrêt", 1251), std::string("Arret"));
  CHECK_EQ(FromAnsi("\xC0\xF0\xE5\xF2", 1251), std::string("Арет"));
  CHECK_EQ(ToAnsi("é", CP_ACP), ToAnsi("é", GetACP()));
  // A cut never leaves half of a double-byte character behind ("時間": two of them in 932).
  const struct {
    std::string text;
    std::size_t room, bytes;
  } cuts[] = {{"時間", 10, 4}, {"時間", 3, 2}, {"a時間", 4, 3}, {"abc", 10, 3}};
  for (const auto& c : cuts) Check(FitAnsi(c.text, c.room, 932).size() == c.bytes, "FitAnsi", __LINE__, c.text);

  // The tray record: the text, its NUL, blanks; a long text is cut to leave room for the NUL.
  char tip[64];
  FillTip(tip, "Arrêt dans 3s ...");
  CHECK_EQ(std::string(tip, 18), std::string("Arr\xEAt dans 3s ...") + '\0');
  CHECK(tip[63] == ' ');
  std::string accents;
  for (int i = 0; i < 70; ++i) accents += "é";
  FillTip(tip, accents);
  CHECK(std::strlen(tip) <= 63 && (ToAnsi("é").size() != 1 || std::strlen(tip) == 63));
}

void TimersOnTheApplicationWindow(HWND app) {
  Win32Scheduler scheduler(app);
  TheBackend().app.handlers = {[&scheduler] { scheduler.OnTimer(); }, nullptr, nullptr, nullptr};
  ui::FakeEnvironment fakes;
  ui::Services services{scheduler, fakes.messageBoxes, fakes.menus, fakes.clock, fakes.screen};
  ui::Form form(services, "F", ui::FormStyle::Hidden, {}, "");
  ui::Timer slow(form, "slow", 120, true);
  ui::Timer fast(form, "fast", 1, true);  // below the system's minimum: still fires
  std::string order;
  slow.onTick = [&] { slow.SetEnabled((order += 's').size() < 3); };
  fast.onTick = [&] { fast.SetEnabled((order += 'f').empty()); };
  const std::int64_t start = scheduler.Now();
  PumpUntil([&] { return !slow.Enabled(); }, 3000);
  const std::int64_t elapsed = scheduler.Now() - start;
  // The timer and the clock round their milliseconds apart: allow a few either way.
  Check(order == "fss" && elapsed >= 230 && elapsed < 2000, "two 120 ms ticks after one at once", __LINE__,
        order + " " + std::to_string(elapsed));
  TheBackend().app.handlers = {};
}

HWND describeReply = nullptr;
std::string describeText;
ULONG_PTR describeTag = 0;

LRESULT CALLBACK ReceiverProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COPYDATA) {
    const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
    describeReply = reinterpret_cast<HWND>(wParam);
    describeTag = data->dwData;
    describeText.assign(static_cast<const char*>(data->lpData), data->cbData);
    return TRUE;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

void DescribeHook(HWND app) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = ReceiverProc;
  wc.lpszClassName = L"CrepTestReceiver";
  RegisterClassW(&wc);
  HWND receiver = CreateWindowExW(0, wc.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
  const UINT request = RegisterWindowMessageW(L"CrepusculeDescribe");
  const std::string text = "form|MainForm|Crépuscule|visible=1\n";
  TheBackend().app.handlers = {nullptr, nullptr, nullptr, [&text] { return text; }};
  SendMessageW(app, request, reinterpret_cast<WPARAM>(receiver), 0);
  CHECK(describeText == text && describeTag == ULONG_PTR{0x43524550} && describeReply == app);
  // A requester that is not a window is ignored.
  CHECK_EQ(SendMessageW(app, request, 12345, 0), LRESULT{1});
  TheBackend().app.handlers = {};
  DestroyWindow(receiver);
}

void ScreenAndClock() {
  Win32Screen screen;
  const ui::Font tahoma;
  ui::Font bold = tahoma;
  bold.bold = true;
  const int one = screen.TextWidthTwips("W", tahoma);
  CHECK(one > 0 && screen.TextWidthTwips("WWW", tahoma) > 2 * one && screen.TextWidthTwips("", tahoma) == 0);
  CHECK(screen.TextWidthTwips("Arrêter", bold) >= screen.TextWidthTwips("Arrêter", tahoma));
  CHECK(!Win32Clock().FormatNow().empty());
}

// A form with one control of each kind, mirrored by the real peers.
struct PeeredForm {
  explicit PeeredForm(ui::Services& services)
      : form(services, "Test", ui::FormStyle::Dialog, {1500, 1500, 6000, 3000}, "Crépuscule essai"),
        label(form, "Label", ui::ControlKind::Label, {150, 150, 1500, 300}, "Arrêter"),
        picture(form, "Picture", ui::ControlKind::Picture, {1800, 150, 495, 495}),
        lit(form, "Lit", ui::ControlKind::WindowedPicture, {2400, 150, 495, 495}),
        go(form, "Go", ui::ControlKind::Button, {150, 1500, 1200, 375}, "Démarrer"),
        stop(form, "Stop", ui::ControlKind::Button, {1500, 1500, 1200, 375}, "Annuler"),
        key(form, "Key", ui::ControlKind::HotSpot, {1800, 150, 1500, 700}),
        name(form, "Name", ui::ControlKind::ReadOut, {}),
        field(form, "Field", ui::ControlKind::TextBox, {150, 900, 720, 375}, "00"),
        box(form, "Box", ui::ControlKind::CheckBox, {3000, 900, 1500, 255}, "Horaire...") {
    go.SetDefault(true);
    stop.SetCancel(true);
    key.Echo({&label});
    key.SetAccessKey('a');
    name.Echo({&label});
  }
  ui::Form form;
  ui::Control label, picture, lit, go, stop, key, name, field, box;
};

std::string ClassOf(HWND w) {
  char name[64] = {};
  GetClassNameA(w, name, sizeof name);
  return name;
}

HWND Child(const ui::Control& c) { return reinterpret_cast<HWND>(c.Hwnd()); }

std::string WindowText(HWND w) {
  wchar_t text[128] = {};
  GetWindowTextW(w, text, 128);
  return Narrow(text);
}

void FormAndControlWindows() {
  Win32Scheduler scheduler(nullptr);
  ui::FakeEnvironment fakes;
  Win32Screen screen;
  ui::Services services{scheduler, fakes.messageBoxes, fakes.menus, fakes.clock, screen};
  services.peers = &TheBackend().peers;
  PeeredForm f(services);
  services.peers->CreatePeers(f.form);
  HWND window = reinterpret_cast<HWND>(f.form.Hwnd());
  CHECK(window != nullptr);
  if (!window) return;
  CHECK_EQ(WindowText(window), std::string("Crépuscule essai"));

  // Pictures and labels are painted by the form; the others are child
  // windows, each with its id and its place in pixels.
  CHECK(f.label.Hwnd() == 0 && f.picture.Hwnd() == 0);
  const int tpp = screen.TwipsPerPixelX();
  int index = 0;
  for (ui::Control* c : f.form.Controls()) {
    if (HWND child = Child(*c)) {
      RECT r;
      GetWindowRect(child, &r);
      MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&r), 2);
      Check(GetParent(child) == window && GetDlgCtrlID(child) == peers::kFirstControlId + index &&
                r.left == c->Bounds().left / tpp && r.right - r.left == c->Bounds().width / tpp,
            "child window", __LINE__, c->Name());
    }
    ++index;
  }
  f.go.SetCaption("Arrêter");
  CHECK_EQ(WindowText(Child(f.go)), std::string("Arrêter"));

  f.form.Show();
  CHECK(IsWindowVisible(window));
  f.form.SetLeft(3000);
  RECT placed;
  GetWindowRect(window, &placed);
  CHECK_EQ(placed.left, 3000 / tpp);

  // A click on a button, a tick of the box and typing reach the controls' events;
  // the program's own text is one change, not two.
  int clicks = 0, changes = 0, stops = 0, presses = 0, downs = 0;
  f.go.onClick = [&] { ++clicks; };
  f.stop.onClick = [&] { ++stops; };
  f.key.onClick = [&] { ++presses; };
  f.field.onChange = [&] { ++changes; };
  f.label.onMouseDown = [&](const ui::MouseArgs& e) { downs += e.button; };
  SendMessageW(Child(f.go), BM_CLICK, 0, 0);
  SendMessageW(Child(f.box), BM_CLICK, 0, 0);
  SetWindowTextW(Child(f.field), L"12");
  CHECK(clicks == 1 && f.box.Value() == 1 && f.field.Text() == "12" && changes == 1);
  f.field.SetText("05");
  CHECK(WindowText(Child(f.field)) == "05" && changes == 2);

  // The mouse over a painted label is the label's.
  const LPARAM overLabel = MAKELPARAM(150 / tpp + 4, 150 / tpp + 3);
  SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, overLabel);
  SendMessageW(window, WM_LBUTTONUP, 0, overLabel);
  CHECK_EQ(downs, ui::kLeftButton);

  // Enter presses the default button and Esc the cancel one from any control;
  // Alt and a hot spot's letter press it. Other keys go on to the window.
  HWND hotSpot = Child(f.key);
  const struct {
    HWND to;
    UINT message;
    WPARAM key;
    bool used;
    int* counter;
  } keys[] = {{Child(f.field), WM_KEYDOWN, VK_RETURN, true, &clicks},
              {Child(f.field), WM_KEYDOWN, VK_ESCAPE, true, &stops},
              {Child(f.field), WM_KEYDOWN, 'A', false, nullptr},
              {hotSpot, WM_SYSCHAR, 'a', true, &presses},
              {hotSpot, WM_SYSCHAR, 'z', false, nullptr}};
  for (const auto& k : keys) {
    const int before = k.counter ? *k.counter : 0;
    MSG msg{k.to, k.message, k.key, 0, 0, {}};
    Check(PeersPreTranslate(msg) == k.used && (!k.counter || *k.counter == before + 1), "key", __LINE__,
          std::to_string(k.key));
  }

  // A hot spot is a push button to screen readers, named with its access key,
  // pressed by their default action; the mouse goes through it. A read-out is
  // a static text just above the field it names.
  CHECK_EQ(ClassOf(hotSpot), std::string("Button"));
  CHECK_EQ(GetWindowLongA(hotSpot, GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW);
  CHECK_EQ(WindowText(hotSpot), std::string("&Arrêter"));
  CHECK_EQ(SendMessageW(hotSpot, WM_NCHITTEST, 0, 0), LRESULT{HTTRANSPARENT});
  SendMessageW(hotSpot, BM_CLICK, 0, 0);
  CHECK_EQ(presses, 2);
  f.label.SetCaption("Veille");
  CHECK(ClassOf(Child(f.name)) == "Static" && WindowText(Child(f.name)) == "Veille");
  CHECK_EQ(GetWindow(Child(f.field), GW_HWNDPREV), Child(f.name));

  f.form.Hide();
  CHECK(!IsWindowVisible(window));
}

// The tray's hidden form: the icon's callback (WM_MOUSEMOVE, the event in
// lParam) and the shell's restart reach the form; the window is never shown.
void TrayWindow() {
  ui::FakeEnvironment fakes;
  fakes.services.peers = &TheBackend().peers;
  ui::Form tray(fakes.services, "Tray", ui::FormStyle::Hidden, {}, "SystrayIcon");
  int event = 0, restarts = 0;
  tray.onShellNotify = [&](int e) { event = e; };
  tray.onShellRestarted = [&] { ++restarts; };
  fakes.services.peers->CreatePeers(tray);
  HWND window = reinterpret_cast<HWND>(tray.Hwnd());
  tray.Show();
  SendMessageW(window, WM_MOUSEMOVE, 0, WM_RBUTTONUP);
  SendMessageW(window, RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
  CHECK(window && !IsWindowVisible(window) && event == WM_RBUTTONUP && restarts == 1);
}

void Painting() {
  scoped::GetDC screen(nullptr);
  scoped::CompatibleDC dc(screen);
  scoped::GdiObject bits(CreateCompatibleBitmap(screen, 200, 40));
  scoped::Select selected(dc, bits.Get());
  RECT all{0, 0, 200, 40};
  FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));

  ui::FakeEnvironment fakes;
  ui::Form form(fakes.services, "F", ui::FormStyle::Hidden, {}, "");
  ui::Control label(form, "L", ui::ControlKind::Label, {}, "Arrêter l'ordinateur");
  label.SetForeColour(ui::kWhite);
  const RECT box{10, 5, 40, 25};  // narrower than the text: it spills over, never cut
  const RECT covered = peers::LabelRect(dc, label, box);
  CHECK(covered.left == 10 && covered.top == 5 && covered.right > 40);
  peers::PaintLabel(dc, box, label, true);
  int lit = 0;
  for (int px = 10; px < covered.right; ++px)
    for (int py = 5; py < 25; ++py) lit += GetPixel(dc, px, py) != RGB(0, 0, 0);
  CHECK(lit > 20);
  CHECK(GetPixel(dc, 5, 30) == RGB(0, 0, 0));  // nothing outside

  label.SetAlign(ui::Alignment::Centre);
  const RECT wide{0, 0, 200, 20};
  const RECT centred = peers::LabelRect(dc, label, wide);
  CHECK(centred.left == 0 && centred.right == 200);  // the box covers the centred text

  peers::PaintPicture(dc, all, 9999);  // no such bitmap: nothing drawn, nothing broken
  CHECK(GetPixel(dc, 150, 35) == RGB(0, 0, 0));
  CHECK(peers::FontFor(ui::Font{}) == peers::FontFor(ui::Font{}));  // made once
}

// The drawing objects every window shares are freed with the record that holds them.
void DrawingObjectsFreed() {
  HGDIOBJ brush = nullptr, font = nullptr;
  {
    Backend record(GetModuleHandleW(nullptr));
    brush = peers::BrushFor(RGB(1, 2, 3));
    font = peers::FontFor(ui::Font{});
    CHECK(GetObjectType(brush) == OBJ_BRUSH && GetObjectType(font) == OBJ_FONT);
  }
  CHECK(GetObjectType(brush) == 0 && GetObjectType(font) == 0);
}

}  // namespace

int main() {
  SetConsoleOutputCP(CP_UTF8);
  HINSTANCE instance = GetModuleHandleW(nullptr);
  Backend backend(instance);
  HWND app = backend.app.Create(instance, "Crepuscule");
  CHECK(app != nullptr);
  if (!app) return 1;
  Win32Platform os(instance, app);

  CommandLineArguments();
  SettingsFileAccess(os);
  TitleAndSingleInstance(os, app);
  ForwardedCalls(os);
  TooltipRecords(os);
  CodePages();
  FormAndControlWindows();
  TrayWindow();
  Painting();
  DrawingObjectsFreed();
  TimersOnTheApplicationWindow(app);
  DescribeHook(app);
  ScreenAndClock();

  std::printf("win32: %d passed, %d failed\n", passed, failed);
  return failed == 0 ? 0 : 1;
}
