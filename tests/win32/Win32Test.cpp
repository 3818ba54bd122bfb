// The Windows layer against the real system (run under Wine): the calls it
// forwards, the files, the tooltips, the tray and form windows, the drawing
// and the timers.
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
#include "win32/ToolTipWindow.h"
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
  CHECK(os.OpenExistingFile(path) == nullptr);  // never created by a read
  std::string windows, tooSmall = "unchanged";
  const std::uint32_t length = os.GetWindowsDirectoryA(windows, 260);
  CHECK(length > 0 && windows.size() == length && os.GetWindowsDirectoryA(tooSmall, 2) > 2 && tooSmall.empty());
}

void ForwardedCalls(Win32Platform& os) {
  const std::string title = "Crépuscule test";  // the window's caption goes through the ANSI code page
  os.SetAppTitle(title);
  CHECK_EQ(os.AppTitle(), title);

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
  // A legacy shutdown whose rundll32.exe is missing is told as refused.
  CHECK(!os.StartProcess("C:\\nowhere\\rundll32.exe user,exitwindows", 1));
}

// The second copy finds the main window as the one just before the application
// window: it goes back there when another window came between them.
void KeptBehindTheMainWindow(Win32Platform& os, HWND app) {
  HWND main = CreateWindowExW(0, L"STATIC", L"main", WS_POPUP, 0, 0, 10, 10, app, nullptr, nullptr, nullptr);
  HWND other = CreateWindowExW(0, L"STATIC", L"other", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  SetWindowPos(other, main, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  TheBackend().app.KeepBehind(main);
  CHECK_EQ(os.GetWindow(reinterpret_cast<platform::Handle>(app), platform::kGwHwndPrev),
           reinterpret_cast<platform::Handle>(main));
  DestroyWindow(other);
  DestroyWindow(main);
}

// The balloons come through the platform calls, the forms' tips straight from
// the tooltip window: both have their tools taken, and a tip asked for in the
// A form gets its text in the ANSI code page.
void ToolTips(Win32Platform& os) {
  HWND parent = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 100, 50, nullptr, nullptr, nullptr, nullptr);
  os.InitCommonControls();
  const platform::Handle balloon =
      os.CreateWindowExA(0, "Tooltips_Class32", nullptr, 0x42, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                         CW_USEDEFAULT, reinterpret_cast<platform::Handle>(parent), 0, os.InstanceHandle(), nullptr);
  platform::ToolInfo record;
  record.uFlags = TTF_SUBCLASS;
  record.hwnd = reinterpret_cast<platform::Handle>(parent);
  record.lpszText = "Arrêtez Windows";
  CHECK(os.SendMessageA(balloon, TTM_ADDTOOLA, 0, record) != 0 && os.DestroyWindow(balloon) &&
        !IsWindow(reinterpret_cast<HWND>(balloon)));

  peers::ToolTipWindow tips(true);
  CHECK(tips.Make(0, TOOLTIPS_CLASSA, "", WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                  CW_USEDEFAULT, parent, nullptr, GetModuleHandleW(nullptr)) != nullptr);
  peers::ToolTipWindow::Tool tool;
  tool.flags = TTF_SUBCLASS;
  tool.owner = parent;
  tool.id = 1;
  tool.rect = RECT{0, 0, 10, 10};
  CHECK(tips.AddTool(tool) != 0);
  NMTTDISPINFOA asked{};
  asked.hdr = NMHDR{tips.Handle(), 1, TTN_GETDISPINFOA};
  CHECK(tips.AsksText(asked.hdr));
  tips.GiveText(reinterpret_cast<LPARAM>(&asked), "Arrêtez");
  CHECK_EQ(std::string(asked.lpszText), ToAnsi("Arrêtez"));
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
  // Best fit where the code page lacks the character.
  CHECK_EQ(ToAnsi("Arrêt", 1251), std::string("Arret"));
  CHECK_EQ(FromAnsi("\xC0\xF0\xE5\xF2", 1251), std::string("Арет"));
  // A cut never leaves half of a double-byte character behind ("時間": two of them in 932).
  const struct {
    std::string text;
    std::size_t room, bytes;
  } cuts[] = {{"時間", 10, 4}, {"時間", 3, 2}, {"a時間", 4, 3}, {"abc", 10, 3}};
  for (const auto& c : cuts) Check(FitAnsi(c.text, c.room, 932).size() == c.bytes, "FitAnsi", __LINE__, c.text);

  // The tray record: the text, its NUL, blanks; a long text is cut to leave room for the NUL.
  char tip[64];
  FillTip(tip, "Arrêt");
  CHECK(std::string(tip, 6) == std::string("Arr\xEAt", 5) + '\0' && tip[63] == ' ');
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

void ScreenAndClock() {
  Win32Screen screen;
  const ui::Font tahoma;
  const int one = screen.TextWidthTwips("W", tahoma);
  CHECK(one > 0 && screen.TextWidthTwips("WWW", tahoma) > 2 * one && screen.TextWidthTwips("", tahoma) == 0);
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
        key(form, "Key", ui::ControlKind::HotSpot, {1800, 150, 1500, 700}),
        name(form, "Name", ui::ControlKind::ReadOut, {}),
        field(form, "Field", ui::ControlKind::TextBox, {150, 900, 720, 375}, "00"),
        box(form, "Box", ui::ControlKind::CheckBox, {3000, 900, 1500, 255}, "Horaire...") {
    key.Echo({&label});
    key.SetAccessKey('a');
    name.Echo({&label});
  }
  ui::Form form;
  ui::Control label, picture, lit, go, key, name, field, box;
};

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
  f.form.SetLeft(3000);
  RECT placed;
  GetWindowRect(window, &placed);
  CHECK_EQ(placed.left, 3000 / tpp);

  // A click on a button, a tick of the box and typing reach the controls' events;
  // the program's own text is one change, not two.
  int clicks = 0, changes = 0, presses = 0;
  f.go.onClick = [&] { ++clicks; };
  f.key.onClick = [&] { ++presses; };
  f.field.onChange = [&] { ++changes; };
  SendMessageW(Child(f.go), BM_CLICK, 0, 0);
  SendMessageW(Child(f.box), BM_CLICK, 0, 0);
  SetWindowTextW(Child(f.field), L"12");
  CHECK(clicks == 1 && f.box.Value() == 1 && f.field.Text() == "12" && changes == 1);
  f.field.SetText("05");
  CHECK(WindowText(Child(f.field)) == "05" && changes == 2);
  // A field is sunken (the client edge) unless flat, then it has a plain border.
  const auto style = [&](int which) { return GetWindowLongPtrW(Child(f.field), which); };
  CHECK((style(GWL_EXSTYLE) & WS_EX_CLIENTEDGE) && !(style(GWL_STYLE) & WS_BORDER));
  f.field.SetFlat(true);
  CHECK(!(style(GWL_EXSTYLE) & WS_EX_CLIENTEDGE) && (style(GWL_STYLE) & WS_BORDER));

  // A hot spot is named with its access key for screen readers and pressed
  // by their default action; a read-out stands just above the field it names.
  HWND hotSpot = Child(f.key);
  CHECK_EQ(WindowText(hotSpot), std::string("&Arrêter"));
  SendMessageW(hotSpot, BM_CLICK, 0, 0);
  CHECK_EQ(presses, 1);
  f.label.SetCaption("Veille");
  CHECK(WindowText(Child(f.name)) == "Veille" && GetWindow(Child(f.field), GW_HWNDPREV) == Child(f.name));
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
}

// The drawing objects every window shares are made once and freed with the record that holds them.
void DrawingObjectsFreed() {
  HGDIOBJ brush = nullptr, font = nullptr;
  {
    Backend record(GetModuleHandleW(nullptr));
    brush = peers::BrushFor(RGB(1, 2, 3));
    font = peers::FontFor(ui::Font{});
    CHECK(GetObjectType(brush) == OBJ_BRUSH && GetObjectType(font) == OBJ_FONT && peers::FontFor(ui::Font{}) == font);
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
  ForwardedCalls(os);
  KeptBehindTheMainWindow(os, app);
  ToolTips(os);
  CodePages();
  FormAndControlWindows();
  TrayWindow();
  Painting();
  DrawingObjectsFreed();
  TimersOnTheApplicationWindow(app);
  ScreenAndClock();

  std::printf("win32: %d passed, %d failed\n", passed, failed);
  return failed == 0 ? 0 : 1;
}
