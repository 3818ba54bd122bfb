// The Windows layer against the real system (run under Wine): the calls it
// forwards, the files, the application window, the timers and the test hook.
// Prints one line "win32: N passed, M failed" and fails when a check does.
#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "ui/Fakes.h"
#include "ui/Form.h"
#include "ui/Timer.h"
#include "win32/Api.h"
#include "win32/AppWindow.h"
#include "win32/CommonControls.h"
#include "win32/ControlWindows.h"
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
    CHECK(file->WriteAt(6, tail, 3));
    std::uint8_t all[16] = {0xFF};
    CHECK_EQ(file->ReadAt(0, all, 16), 9);  // a write past the end fills the gap with zeros
    CHECK(all[0] == 0 && all[5] == 0 && all[6] == 1 && all[8] == 3);
    CHECK_EQ(file->ReadAt(9, all, 4), 0);  // at the end: nothing, not an error
    CHECK_EQ(file->ReadAt(0, all, -1), -1);
    CHECK(!file->WriteAt(0, tail, -1));
  }
  {
    auto again = os.OpenFile(path);  // never truncated on opening
    std::uint8_t byte = 0;
    CHECK(again && again->ReadAt(8, &byte, 1) == 1 && byte == 3);
  }
  DeleteFileA(path.c_str());
  CHECK(os.OpenFile("C:\\no such directory\\x\\Crepuscule.ini") == nullptr);
  CHECK(os.OpenExistingFile(path) == nullptr);  // never created by a read
  {
    auto made = os.OpenFile(path);
    const std::uint8_t tag[] = {'S', '5', '.', '5'};
    CHECK(made && made->WriteAt(0, tag, 4));
  }
  {
    auto read = os.OpenExistingFile(path);
    std::uint8_t got[8] = {};
    CHECK(read && read->ReadAt(0, got, 8) == 4 && got[3] == '5');
    CHECK(read && !read->WriteAt(0, got, 1));  // read only
  }
  DeleteFileA(path.c_str());
  const std::string folder = Narrow(dir) + "crep-win32-folder";
  RemoveDirectoryA(folder.c_str());
  CHECK(os.CreateDirectoryA(folder));
  CHECK(os.CreateDirectoryA(folder));  // already there: still fine
  CHECK(!os.CreateDirectoryA(folder + "\\no\\such"));
  RemoveDirectoryA(folder.c_str());
  const std::string appData = os.GetFolderPath(platform::kCsidlAppData);
  CHECK(!appData.empty() && appData.back() != '\\');

  std::string windows;
  const std::uint32_t length = os.GetWindowsDirectoryA(windows, 260);
  CHECK(length > 0 && windows.size() == length);
  std::string tooSmall = "unchanged";
  CHECK(os.GetWindowsDirectoryA(tooSmall, 2) > 2 && tooSmall.empty());
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
  KeepAppWindowBehind(main);
  CHECK_EQ(os.GetWindow(reinterpret_cast<platform::Handle>(app), platform::kGwHwndPrev),
           reinterpret_cast<platform::Handle>(main));
  DestroyWindow(other);
  DestroyWindow(main);

  Win32Platform second(GetModuleHandleW(nullptr), app);
  CHECK(second.PrevInstance());  // the first one holds the session's mutex
}

void ForwardedCalls(Win32Platform& os) {
  platform::OsVersionInfo v;
  v.dwOSVersionInfoSize = 148;
  os.GetVersionExA(v);
  CHECK(v.dwPlatformId == 2 || v.dwPlatformId == 1);
  platform::OsVersionInfo wrongSize;
  wrongSize.dwOSVersionInfoSize = 12;  // refused by the system: the record keeps its zeros
  os.GetVersionExA(wrongSize);
  CHECK(wrongSize.dwPlatformId == 0 && wrongSize.dwMajorVersion == 0);

  platform::Handle token = 0;
  CHECK(os.OpenProcessToken(os.GetCurrentProcess(), 40, token) && token != 0);
  platform::TokenPrivileges state;
  CHECK(os.LookupPrivilegeValueA(nullptr, "SeShutdownPrivilege", state.luid));
  CHECK(state.luid.lowPart != 0 || state.luid.highPart != 0);
  state.privilegeCount = 1;
  state.attributes = 0;  // leaves the privilege as it is
  platform::TokenPrivileges previous;
  std::uint32_t returned = 0;
  // A length larger than the record must not let the system write past it.
  os.AdjustTokenPrivileges(token, 0, state, 4096, previous, returned);
  CHECK(returned <= sizeof(TOKEN_PRIVILEGES));
  os.CloseHandle(token);
}

void TooltipRecords(Win32Platform& os, HWND app) {
  HWND parent = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 100, 50, nullptr, nullptr, nullptr, nullptr);
  os.InitCommonControls();
  const platform::Handle tip =
      os.CreateWindowExA(0, "Tooltips_Class32", nullptr, 0x42, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                         CW_USEDEFAULT, reinterpret_cast<platform::Handle>(parent), 0, os.InstanceHandle(), nullptr);
  CHECK(tip != 0);
  platform::ToolInfo tool;
  tool.uFlags = 0x10;
  tool.hwnd = reinterpret_cast<platform::Handle>(parent);
  os.GetClientRect(tool.hwnd, tool.rect);
  CHECK(tool.rect.right == 100 && tool.rect.bottom == 50);
  tool.hinst = os.InstanceHandle();
  tool.lpszText = "Arrêtez Windows";
  CHECK(os.SendMessageA(tip, TTM_ADDTOOLA, 0, tool) != 0);
  CHECK_EQ(os.SendMessageA(tip, TTM_GETTOOLCOUNT, 0, std::intptr_t{0}), 1);
  char text[80] = {};
  TTTOOLINFOA query{};
  query.cbSize = TTTOOLINFOA_V2_SIZE;
  query.hwnd = parent;
  query.lpszText = text;
  SendMessageA(reinterpret_cast<HWND>(tip), TTM_GETTEXTA, sizeof text, reinterpret_cast<LPARAM>(&query));
  CHECK_EQ(std::string(text), std::string("Arr\xEAtez Windows"));  // in code page 1252
  CHECK(os.SendMessageA(tip, TTM_SETTITLEA, 1, std::string("Programmer l'arrêt")) != 0);
  CHECK(os.DestroyWindow(tip));
  DestroyWindow(parent);
  (void)app;
}

void ToolRecordSizes() {
  // 32-bit sizes of the first two forms of the record; the 64-bit ones are larger.
  const UINT v1 = sizeof(void*) == 4 ? 40 : 56, v2 = sizeof(void*) == 4 ? 44 : 64;
  CHECK_EQ(ToolInfoSize({4, 0}, false), v1);   // 95, NT 4 as shipped
  CHECK_EQ(ToolInfoSize({4, 70}, true), v2);   // Internet Explorer 3 on
  CHECK_EQ(ToolInfoSize({5, 82}, false), v2);  // 2000, XP without the manifest
  CHECK_EQ(ToolInfoSize({6, 10}, true), v2);   // never the record's last field
  const CommonControlsVersion installed = InstalledCommonControls();
  CHECK(installed.major >= 4);
}

void CodePages() {
  // Best fit where the code page lacks the character; the system's own
  // code page when none is named.
  CHECK_EQ(ToAnsi("Arrêt dans 3s", 1252), std::string("Arr\xEAt dans 3s"));
  CHECK_EQ(ToAnsi("Arrêt", 1251), std::string("Arret"));
  CHECK_EQ(FromAnsi("\xC0\xF0\xE5\xF2", 1251), std::string("Арет"));
  CHECK_EQ(ToAnsi("é", CP_ACP), ToAnsi("é", GetACP()));
  // In 932 "é" has no single byte: whatever stands for it, a cut never leaves
  // half of a double-byte character behind.
  const std::string kanji = "時間";  // two double-byte characters in 932
  CHECK_EQ(ToAnsi(kanji, 932).size(), std::size_t{4});
  CHECK_EQ(FitAnsi(kanji, 3, 932).size(), std::size_t{2});
  CHECK_EQ(FitAnsi("a" + kanji, 4, 932).size(), std::size_t{3});
  CHECK_EQ(FitAnsi("abc", 10, 1252), std::string("abc"));

  // The tray record: the text, its NUL, blanks; a long text is cut to leave room for the NUL.
  char tip[64];
  FillTip(tip, "Arrêt dans 3s ...");
  CHECK_EQ(std::string(tip, 18), std::string("Arr\xEAt dans 3s ...") + '\0');
  CHECK(tip[63] == ' ');
  std::string accents;
  for (int i = 0; i < 70; ++i) accents += "é";
  FillTip(tip, accents);
  CHECK_EQ(std::strlen(tip), ToAnsi("é").size() == 1 ? std::size_t{63} : std::strlen(tip));
  CHECK(tip[63] == '\0' || tip[std::strlen(tip)] == '\0');
}

void TimersOnTheApplicationWindow(HWND app) {
  Win32Scheduler scheduler(app);
  SetAppWindowHandlers({[&scheduler] { scheduler.OnTimer(); }, nullptr, nullptr, nullptr});
  ui::FakeEnvironment fakes;
  ui::Services services{scheduler, fakes.messageBoxes, fakes.menus, fakes.clock, fakes.screen};
  ui::Form form(services, "F", ui::FormStyle::Hidden, {}, "");
  std::vector<char> order;
  ui::Timer slow(form, "slow", 120, true);
  ui::Timer fast(form, "fast", 1, true);  // below the system's minimum: still fires
  int slowTicks = 0;
  slow.onTick = [&] {
    order.push_back('s');
    if (++slowTicks == 2) slow.SetEnabled(false);
  };
  fast.onTick = [&] {
    order.push_back('f');
    fast.SetEnabled(false);
  };
  const std::int64_t start = scheduler.Now();
  PumpUntil([&] { return !slow.Enabled(); }, 3000);
  const std::int64_t elapsed = scheduler.Now() - start;
  CHECK_EQ(std::string(order.begin(), order.end()), std::string("fss"));
  // The timer and the clock round their milliseconds apart: allow a few either way.
  Check(elapsed >= 230 && elapsed < 2000, "two 120 ms ticks take about 240 ms", __LINE__, std::to_string(elapsed));
  SetAppWindowHandlers({});
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
  SetAppWindowHandlers({nullptr, nullptr, nullptr, [&text] { return text; }});
  SendMessageW(app, request, reinterpret_cast<WPARAM>(receiver), 0);
  CHECK_EQ(describeText, text);
  CHECK_EQ(describeTag, ULONG_PTR{0x43524550});
  CHECK_EQ(describeReply, app);
  // A requester that is not a window is ignored.
  CHECK_EQ(SendMessageW(app, request, 12345, 0), LRESULT{1});
  SetAppWindowHandlers({});
  DestroyWindow(receiver);
}

void ScreenAndClock() {
  Win32Screen screen;
  HDC dc = GetDC(nullptr);
  const int dpi = GetDeviceCaps(dc, LOGPIXELSX);
  ReleaseDC(nullptr, dc);
  CHECK_EQ(screen.TwipsPerPixelX(), 1440 / dpi);
  CHECK_EQ(screen.WidthTwips(), GetSystemMetrics(SM_CXSCREEN) * (1440 / dpi));
  const ui::Font tahoma;
  ui::Font bold = tahoma;
  bold.bold = true;
  const int one = screen.TextWidthTwips("W", tahoma);
  CHECK(one > 0 && screen.TextWidthTwips("WWW", tahoma) > 2 * one);
  CHECK(screen.TextWidthTwips("Arrêter", bold) >= screen.TextWidthTwips("Arrêter", tahoma));
  CHECK_EQ(screen.TextWidthTwips("", tahoma), 0);

  Win32Clock clock;
  const ui::TimeOfDay now = clock.Now();
  CHECK(now.hour >= 0 && now.hour < 24 && now.minute >= 0 && now.minute < 60);
  CHECK(!clock.FormatNow().empty());
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

void FormAndControlWindows(HINSTANCE instance) {
  Win32Scheduler scheduler(nullptr);
  ui::FakeEnvironment fakes;
  Win32Screen screen;
  ui::Services services{scheduler, fakes.messageBoxes, fakes.menus, fakes.clock, screen};
  services.peers = &Win32Peers(instance);
  PeeredForm f(services);
  services.peers->CreatePeers(f.form);
  HWND window = reinterpret_cast<HWND>(f.form.Hwnd());
  CHECK(window != nullptr);
  if (!window) return;
  CHECK_EQ(WindowText(window), std::string("Crépuscule essai"));

  // Pictures and labels are painted by the form; the others are child
  // windows, each with its id and its place in pixels (15 twips a pixel at 96 dpi).
  CHECK(f.label.Hwnd() == 0 && f.picture.Hwnd() == 0);
  const int tpp = screen.TwipsPerPixelX();
  int index = 0;
  for (ui::Control* c : f.form.Controls()) {
    if (HWND child = Child(*c)) {
      CHECK_EQ(GetParent(child), window);
      CHECK_EQ(GetDlgCtrlID(child), peers::kFirstControlId + index);
      RECT r;
      GetWindowRect(child, &r);
      MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&r), 2);
      Check(r.left == c->Bounds().left / tpp && r.right - r.left == c->Bounds().width / tpp, "child rect", __LINE__,
            c->Name());
    }
    ++index;
  }
  CHECK_EQ(WindowText(Child(f.go)), std::string("Démarrer"));
  f.go.SetCaption("Arrêter");
  CHECK_EQ(WindowText(Child(f.go)), std::string("Arrêter"));

  f.form.Show();
  CHECK(IsWindowVisible(window));
  f.form.SetLeft(3000);
  RECT placed;
  GetWindowRect(window, &placed);
  CHECK_EQ(placed.left, 3000 / tpp);

  // A click on a button, a tick of the box and typing reach the controls' events.
  int clicks = 0, changes = 0;
  f.go.onClick = [&] { ++clicks; };
  f.field.onChange = [&] { ++changes; };
  SendMessageW(Child(f.go), BM_CLICK, 0, 0);
  CHECK_EQ(clicks, 1);
  SendMessageW(Child(f.box), BM_CLICK, 0, 0);
  CHECK_EQ(f.box.Value(), 1);
  SetWindowTextW(Child(f.field), L"12");
  CHECK_EQ(f.field.Text(), std::string("12"));
  CHECK_EQ(changes, 1);
  f.field.SetText("05");  // the program's own text: one change, not two
  CHECK_EQ(WindowText(Child(f.field)), std::string("05"));
  CHECK_EQ(changes, 2);

  // The mouse over a painted label is the label's, in twips from its corner.
  std::vector<ui::MouseArgs> downs;
  f.label.onMouseDown = [&](const ui::MouseArgs& e) { downs.push_back(e); };
  const int x = 150 / tpp + 4, y = 150 / tpp + 3;
  SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
  SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
  CHECK_EQ(downs.size(), std::size_t{1});
  if (!downs.empty()) CHECK(downs[0].button == 1 && downs[0].x == 4.0f * tpp && downs[0].y == 3.0f * tpp);

  // Enter presses the default button, Esc the cancel one, from any control.
  int stops = 0;
  f.stop.onClick = [&] { ++stops; };
  MSG key{Child(f.field), WM_KEYDOWN, VK_RETURN, 0, 0, {}};
  CHECK(PeersPreTranslate(key));
  CHECK_EQ(clicks, 2);
  key.wParam = VK_ESCAPE;
  CHECK(PeersPreTranslate(key));
  CHECK_EQ(stops, 1);
  key.wParam = 'A';
  CHECK(!PeersPreTranslate(key));

  // A hot spot is a push button to screen readers, named with its access key,
  // pressed by their default action (BM_CLICK) and by Alt and its letter; the
  // mouse goes through it. A read-out is a static text just above the field it names.
  HWND hotSpot = Child(f.key);
  CHECK_EQ(ClassOf(hotSpot), std::string("Button"));
  CHECK_EQ(GetWindowLongA(hotSpot, GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW);
  CHECK_EQ(WindowText(hotSpot), std::string("&Arrêter"));
  CHECK_EQ(SendMessageW(hotSpot, WM_NCHITTEST, 0, 0), LRESULT{HTTRANSPARENT});
  int presses = 0;
  f.key.onClick = [&] { ++presses; };
  SendMessageW(hotSpot, BM_CLICK, 0, 0);
  CHECK_EQ(presses, 1);
  MSG alt{hotSpot, WM_SYSCHAR, 'a', 0, 0, {}};
  CHECK(PeersPreTranslate(alt));
  CHECK_EQ(presses, 2);
  alt.wParam = 'z';
  CHECK(!PeersPreTranslate(alt));
  f.label.SetCaption("Veille");
  CHECK_EQ(WindowText(hotSpot), std::string("Veille"));  // no A: no mark
  CHECK_EQ(ClassOf(Child(f.name)), std::string("Static"));
  CHECK_EQ(WindowText(Child(f.name)), std::string("Veille"));
  CHECK_EQ(GetWindow(Child(f.field), GW_HWNDPREV), Child(f.name));

  f.form.Hide();
  CHECK(!IsWindowVisible(window));
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
  CHECK_EQ(peers::ToColorRef(0x80000000u | COLOR_WINDOW), GetSysColor(COLOR_WINDOW));
  CHECK(peers::FontFor(ui::Font{}) == peers::FontFor(ui::Font{}));  // made once
}

}  // namespace

int main() {
  SetConsoleOutputCP(CP_UTF8);
  HINSTANCE instance = GetModuleHandleW(nullptr);
  HWND app = CreateAppWindow(instance, "Crepuscule");
  CHECK(app != nullptr);
  if (!app) return 1;
  Win32Platform os(instance, app);

  CommandLineArguments();
  SettingsFileAccess(os);
  TitleAndSingleInstance(os, app);
  ForwardedCalls(os);
  TooltipRecords(os, app);
  ToolRecordSizes();
  CodePages();
  FormAndControlWindows(instance);
  Painting();
  TimersOnTheApplicationWindow(app);
  DescribeHook(app);
  ScreenAndClock();

  DestroyWindow(app);
  std::printf("win32: %d passed, %d failed\n", passed, failed);
  return failed == 0 ? 0 : 1;
}
