#include "win32/FormWindow.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>

#include "ui/Services.h"
#include "win32/Backend.h"
#include "win32/Dynamic.h"
#include "win32/Paint.h"
#include "win32/Scoped.h"

namespace peers {

namespace {

// The work area's offset from the screen's corner, on the window's monitor
// where the system knows about monitors (98, 2000 and later).
POINT WorkAreaOffset(HWND window) {
  using FromWindow = HMONITOR(WINAPI*)(HWND, DWORD);
  using Info = BOOL(WINAPI*)(HMONITOR, LPMONITORINFO);
  static const FromWindow fromWindow = LookUp<FromWindow>("user32.dll", "MonitorFromWindow");
  static const Info info = LookUp<Info>("user32.dll", "GetMonitorInfoA");
  if (fromWindow && info) {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    if (info(fromWindow(window, MONITOR_DEFAULTTOPRIMARY), &monitor))
      return {monitor.rcWork.left - monitor.rcMonitor.left, monitor.rcWork.top - monitor.rcMonitor.top};
  }
  RECT work{};
  if (SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0)) return {work.left, work.top};
  return {0, 0};
}

// Draws the eye to a window that may not take the focus: its caption, and
// its taskbar button where it has one, flash until it is activated.
void Flash(HWND window) {
  using Fn = BOOL(WINAPI*)(PFLASHWINFO);
  static const Fn flash = LookUp<Fn>("user32.dll", "FlashWindowEx");
  if (flash) {
    FLASHWINFO info{};
    info.cbSize = sizeof info;
    info.hwnd = window;
    info.dwFlags = FLASHW_ALL | FLASHW_TIMERNOFG;
    flash(&info);
  } else {
    FlashWindow(window, TRUE);
  }
}

struct Frame {
  DWORD style, exStyle;
  HWND owner;
};

// Owned by the application window: no taskbar button of their own but where asked.
Frame FrameOf(ui::FormStyle style) {
  const HWND app = TheBackend().app.Hwnd();
  switch (style) {
    case ui::FormStyle::Dialog:
      return {WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN, WS_EX_DLGMODALFRAME | WS_EX_APPWINDOW, app};
    case ui::FormStyle::ToolDialog:
      return {WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN, WS_EX_DLGMODALFRAME | WS_EX_TOOLWINDOW, app};
    default:
      break;
  }
  // No frame at all; the system menu only gives Alt+F4 and the taskbar's Close.
  return {WS_POPUP | WS_SYSMENU | WS_CLIPCHILDREN, WS_EX_APPWINDOW, app};
}

int ShiftState(WPARAM wParam) {
  return ((wParam & MK_SHIFT) ? 1 : 0) | ((wParam & MK_CONTROL) ? 2 : 0) | (GetKeyState(VK_MENU) < 0 ? 4 : 0);
}

int ButtonsHeld(WPARAM wParam) {
  return ((wParam & MK_LBUTTON) ? ui::kLeftButton : 0) | ((wParam & MK_RBUTTON) ? ui::kRightButton : 0) |
         ((wParam & MK_MBUTTON) ? ui::kMiddleButton : 0);
}

bool IsMouseMessage(UINT message) { return message >= WM_MOUSEFIRST && message <= WM_MBUTTONDBLCLK; }

}  // namespace

FormWindow::FormWindow(ui::Form& form, HINSTANCE instance) : form_(form), instance_(instance) {
  const Frame frame = FrameOf(form.Style());
  const ui::PixelRect r = ui::ToPixels(form.Bounds(), TwipsX(), TwipsY());
  Create(instance, kFormClass, kFormClassStyle, frame.exStyle, form.Caption(),
         frame.style | (form.Enabled() ? 0 : WS_DISABLED), r.left, r.top, r.width, r.height, frame.owner, nullptr);
  TheBackend().forms.push_back(this);
}

FormWindow::~FormWindow() {
  std::vector<FormWindow*>& forms = TheBackend().forms;
  forms.erase(std::remove(forms.begin(), forms.end(), this), forms.end());
  TearDown();  // the icons go after the window that shows them
}

void FormWindow::TearDown() {
  dying_ = true;
  tips_.Destroy();
  if (hwnd_) DestroyWindow(hwnd_);  // its children go with it
  hwnd_ = nullptr;
}

FormWindow* FormWindow::Of(HWND root) {
  for (FormWindow* w : TheBackend().forms)
    if (w->hwnd_ == root && root) return w;
  return nullptr;
}

int FormWindow::TwipsX() const { return form_.Svc().screen.TwipsPerPixelX(); }
int FormWindow::TwipsY() const { return form_.Svc().screen.TwipsPerPixelY(); }

RECT FormWindow::PixelRect(const ui::Control& c) const {
  const ui::PixelRect p = ui::ToPixels(c.Bounds(), TwipsX(), TwipsY());
  return RECT{p.left, p.top, p.left + p.width, p.top + p.height};
}

RECT FormWindow::CoveredRect(const ui::Control& c) const {
  const RECT r = PixelRect(c);
  if (c.Kind() != ui::ControlKind::Label || !hwnd_) return r;
  scoped::GetDC dc(hwnd_);
  return LabelRect(dc, c, r);
}

void FormWindow::Invalidate(const RECT& r) {
  // The hot spots and read-outs over it show what the form paints there too.
  if (hwnd_ && r.right > r.left && r.bottom > r.top) RedrawWindow(hwnd_, &r, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
}

COLORREF FormWindow::Background() const {
  return form_.HasBackColour() ? ToColorRef(form_.BackColour()) : GetSysColor(COLOR_BTNFACE);
}

ui::Control* FormWindow::ControlOf(HWND child) const {
  if (!child || !hwnd_ || GetParent(child) != hwnd_) return nullptr;
  const int index = GetDlgCtrlID(child) - kFirstControlId;
  const auto& controls = form_.Controls();
  if (index < 0 || index >= static_cast<int>(controls.size())) return nullptr;
  return controls[static_cast<std::size_t>(index)];
}

void FormWindow::Ready() {
  if (!hwnd_) return;
  // Windowed controls stack in declaration order, the first on top, all above
  // the lightweight ones the form paints.
  for (ui::Control* c : form_.Controls())
    if (HWND child = reinterpret_cast<HWND>(c->Hwnd()))
      SetWindowPos(child, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);

  // Focus rectangles show once the keyboard is used, as in the system's dialogs.
  api::Send(hwnd_, WM_CHANGEUISTATE, MAKEWPARAM(UIS_INITIALIZE, UISF_HIDEFOCUS | UISF_HIDEACCEL), 0);
  ready_ = true;
  ApplyIcon();
  ApplyVisible();
}

void FormWindow::PrepareToolTips() {
  if (dying_ || !ready_) return;
  // Made when the pointer first comes over the window, not when it opens: a
  // window never pointed at costs no tooltip.
  if (!tips_.Handle()) {
    if (!tips_.Make(WS_EX_TOPMOST, TOOLTIPS_CLASSA, "", WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                    CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwnd_, nullptr, instance_))
      return;
    for (ui::Control* c : form_.Controls()) {
      HWND child = reinterpret_cast<HWND>(c->Hwnd());
      if (!child || c->ToolTip().empty()) continue;
      ToolTipWindow::Tool tool;
      tool.flags = TTF_IDISHWND | TTF_SUBCLASS;
      tool.owner = hwnd_;
      tool.id = reinterpret_cast<UINT_PTR>(child);
      tips_.AddTool(tool);
    }
    rectToolsStale_ = true;
  }
  if (rectToolsStale_) RebuildRectTools();
}

void FormWindow::RebuildRectTools() {
  rectToolsStale_ = false;
  if (!tips_.Handle() || dying_) return;
  for (UINT_PTR id : rectTools_) tips_.RemoveTool(hwnd_, id);
  rectTools_.clear();
  // Every visible lightweight control gets a tool, top first, so that the
  // tooltip finds the one really under the pointer; one without a text shows
  // nothing.
  const auto& controls = form_.Controls();
  for (std::size_t i = 0; i < controls.size(); ++i) {
    const ui::Control& c = *controls[i];
    if (c.IsWindowed() || !c.Visible()) continue;
    ToolTipWindow::Tool tool;
    tool.flags = TTF_SUBCLASS;
    tool.owner = hwnd_;
    tool.id = i + 1;
    tool.rect = PixelRect(c);
    if (tips_.AddTool(tool)) rectTools_.push_back(tool.id);
  }
}

void FormWindow::LightweightMoved() {
  // Remade when the pointer next comes over the window, however often they move until then.
  rectToolsStale_ = true;
}

void FormWindow::Changed(ui::FormProp what) {
  if (!hwnd_ || dying_) return;
  switch (what) {
    case ui::FormProp::Caption:
      api::SetText(hwnd_, form_.Caption());
      break;
    case ui::FormProp::Visible:
    case ui::FormProp::State:
      if (ready_) ApplyVisible();
      break;
    case ui::FormProp::Enabled:
      EnableWindow(hwnd_, form_.Enabled() ? TRUE : FALSE);
      break;
    case ui::FormProp::Bounds:
      if (busy_ > 0)
        boundsPending_ = true;
      else
        ApplyBounds();
      break;
    case ui::FormProp::Icon:
      ApplyIcon();
      break;
    case ui::FormProp::Activate:
      if (boundsPending_) ApplyBounds();
      if (IsWindowVisible(hwnd_)) {
        // A message box of this window comes first: it is what waits for the user.
        HWND target = GetLastActivePopup(hwnd_);
        if (!target || !IsWindowVisible(target)) target = hwnd_;
        SetForegroundWindow(target);
        SetActiveWindow(target);
      }
      break;
    case ui::FormProp::OnTop:
      if (ready_) ApplyOnTop();
      break;
    case ui::FormProp::Focus:
      ApplyFocus();
      break;
    case ui::FormProp::Repaint:
      InvalidateRect(hwnd_, nullptr, FALSE);
      break;
  }
}

void FormWindow::ApplyVisible() {
  if (boundsPending_) ApplyBounds();
  const bool visible = IsWindowVisible(hwnd_) != FALSE;
  if (!form_.Visible()) {
    if (visible) ShowWindow(hwnd_, SW_HIDE);
    return;
  }
  if (form_.State() == ui::WindowState::Minimised) {
    if (!visible || !IsIconic(hwnd_)) ShowWindow(hwnd_, visible ? SW_MINIMIZE : SW_SHOWMINNOACTIVE);
    return;
  }
  if (IsIconic(hwnd_))
    ShowWindow(hwnd_, SW_RESTORE);
  else if (!visible && form_.OnTop())
    ApplyOnTop();
  else if (!visible)
    ShowWindow(hwnd_, SW_SHOW);
  if (form_.Style() == ui::FormStyle::Borderless) TheBackend().app.KeepBehind(hwnd_);
}

void FormWindow::ApplyOnTop() {
  if (boundsPending_) ApplyBounds();
  SetWindowPos(hwnd_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
  Flash(hwnd_);
}

void FormWindow::ApplyBounds() {
  boundsPending_ = false;
  const ui::PixelRect r = ui::ToPixels(form_.Bounds(), TwipsX(), TwipsY());
  if (IsIconic(hwnd_)) {
    // A minimised window keeps its place for when it comes back.
    WINDOWPLACEMENT place{};
    place.length = sizeof place;
    GetWindowPlacement(hwnd_, &place);
    // Placements are in work-area coordinates, but for tool windows.
    POINT offset{0, 0};
    if (!(GetWindowLongA(hwnd_, GWL_EXSTYLE) & WS_EX_TOOLWINDOW)) offset = WorkAreaOffset(hwnd_);
    place.rcNormalPosition = {r.left - offset.x, r.top - offset.y, r.left - offset.x + r.width,
                              r.top - offset.y + r.height};
    SetWindowPlacement(hwnd_, &place);
    return;
  }
  RECT now;
  GetWindowRect(hwnd_, &now);
  UINT flags = SWP_NOZORDER | SWP_NOACTIVATE;
  if (now.right - now.left == r.width && now.bottom - now.top == r.height) flags |= SWP_NOSIZE;
  if (now.left == r.left && now.top == r.top) flags |= SWP_NOMOVE;
  if ((flags & (SWP_NOSIZE | SWP_NOMOVE)) != (SWP_NOSIZE | SWP_NOMOVE))
    SetWindowPos(hwnd_, nullptr, r.left, r.top, r.width, r.height, flags);
}

void FormWindow::ApplyIcon() {
  scoped::Icon big, small;
  const int id = form_.Icon();
  if (id > 0 && id <= 0xFFFF) {
    big.Reset(static_cast<HICON>(LoadImageA(instance_, MAKEINTRESOURCEA(id), IMAGE_ICON, GetSystemMetrics(SM_CXICON),
                                            GetSystemMetrics(SM_CYICON), LR_DEFAULTCOLOR)));
    small.Reset(
        static_cast<HICON>(LoadImageA(instance_, MAKEINTRESOURCEA(id), IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                      GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR)));
  }
  api::Send(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big.Get()));
  api::Send(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small.Get()));
  // The window shows the new ones now: the old ones may go.
  bigIcon_ = std::move(big);
  smallIcon_ = std::move(small);
}

void FormWindow::ApplyFocus() {
  ui::Control* c = form_.Focused();
  HWND target = c ? reinterpret_cast<HWND>(c->Hwnd()) : nullptr;
  // A window not on screen takes the focus when it is next activated.
  if (target && IsWindowVisible(hwnd_)) SetFocus(target);
}

void FormWindow::FocusSomething() {
  ui::Control* c = ui::FocusTarget(form_);
  if (HWND target = c ? reinterpret_cast<HWND>(c->Hwnd()) : nullptr) {
    SetFocus(target);
  } else {
    Enter();
    form_.FocusChanged(nullptr);
    Leave();
  }
}

void FormWindow::ShowDefaultLook(ui::Control* focused) {
  // As in the system's dialogs, the button Enter would press has the thick border.
  const ui::Control* pressed = ui::EnterButton(form_, focused);
  for (ui::Control* c : form_.Controls()) {
    HWND button = reinterpret_cast<HWND>(c->Hwnd());
    if (c->Kind() != ui::ControlKind::Button || !button) continue;
    const bool isDefault = (GetWindowLongA(button, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
    if (isDefault != (c == pressed))
      api::Send(button, BM_SETSTYLE, c == pressed ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
  }
}

void FormWindow::ChildFocused(ui::Control& c) {
  if (dying_ || !ready_) return;
  ShowDefaultLook(&c);
  Enter();
  form_.FocusChanged(&c);
  Leave();
}

void FormWindow::ControlGone(const ui::Control& c) {
  router_.Forget(&c);
  // The form's controls are being destroyed, the form next: from now on no
  // message may reach them.
  if (!dying_) TearDown();
}

void FormWindow::Click(ui::Control& c) {
  if (dying_ || !c.onClick) return;
  Enter();
  c.onClick();
  Leave();
}

void FormWindow::Leave() {
  if (--busy_ == 0 && boundsPending_ && hwnd_ && !dying_) ApplyBounds();
}

void FormWindow::Mouse(UINT message, WPARAM wParam, POINT p, ui::Control* over) {
  if (dying_ || !ready_) return;
  if (message == WM_MOUSEMOVE) PrepareToolTips();
  const int tx = TwipsX(), ty = TwipsY();
  ui::Control* hit = over ? over : ui::LightweightAt(form_, p.x, p.y, tx, ty);
  const int shift = ShiftState(wParam);
  int button = 0;
  bool down = false, up = false, dbl = false;
  switch (message) {
    case WM_MOUSEMOVE:
      button = ButtonsHeld(wParam);
      break;
    case WM_LBUTTONDBLCLK:
      dbl = true;
      [[fallthrough]];
    case WM_LBUTTONDOWN:
      down = true;
      button = ui::kLeftButton;
      break;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
      down = true;
      button = ui::kRightButton;
      break;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
      down = true;
      button = ui::kMiddleButton;
      break;
    case WM_LBUTTONUP:
      up = true;
      button = ui::kLeftButton;
      break;
    case WM_RBUTTONUP:
      up = true;
      button = ui::kRightButton;
      break;
    case WM_MBUTTONUP:
      up = true;
      button = ui::kMiddleButton;
      break;
    default:
      return;
  }
  Enter();
  if (down) {
    const bool wasHolding = router_.Holding();
    ui::Control* target = router_.Down(hit, button);
    if (!wasHolding && router_.Holding()) SetCapture(hwnd_);
    // The second click of a double click is a DblClick, not a MouseDown.
    if (target && dbl && target->onDblClick)
      target->onDblClick();
    else if (target && !dbl && target->onMouseDown)
      target->onMouseDown(ui::RelativeTo(*target, p.x, p.y, tx, ty, button, shift));
  } else if (up) {
    ui::Control* target = router_.Up(button);
    // Let the mouse go first: the handler may open a message box or hide us.
    if (!router_.Holding() && GetCapture() == hwnd_) ReleaseCapture();
    if (target && target->onMouseUp) target->onMouseUp(ui::RelativeTo(*target, p.x, p.y, tx, ty, button, shift));
  } else if (ui::Control* target = router_.Move(hit)) {
    if (target->onMouseMove) target->onMouseMove(ui::RelativeTo(*target, p.x, p.y, tx, ty, button, shift));
  }
  Leave();
}

bool FormWindow::DialogKey(const MSG& msg) {
  if (dying_ || !ready_ || !IsWindowEnabled(hwnd_)) return false;
  const bool repeat = (msg.lParam & (1 << 30)) != 0;
  ui::Control* focused = ControlOf(GetFocus());
  switch (msg.wParam) {
    case VK_TAB: {
      if (GetKeyState(VK_CONTROL) < 0 || GetKeyState(VK_MENU) < 0) return false;
      api::Send(hwnd_, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
      ui::Control* next = ui::NextTabStop(form_, focused, GetKeyState(VK_SHIFT) < 0);
      if (HWND target = next ? reinterpret_cast<HWND>(next->Hwnd()) : nullptr) {
        // As in dialogs, a text box reached by Tab has its text selected.
        if (next->Kind() == ui::ControlKind::TextBox) api::Send(target, EM_SETSEL, 0, -1);
        SetFocus(target);
      }
      return true;
    }
    case VK_RETURN: {
      if (repeat) return true;
      if (ui::Control* button = ui::EnterButton(form_, focused)) Click(*button);
      return true;
    }
    case VK_ESCAPE: {
      if (ui::Control* cancel = ui::CancelButton(form_)) {
        if (!repeat) Click(*cancel);
        return true;
      }
      if (!ui::EscapeCloses(form_)) return false;
      if (!repeat && form_.onCloseBox) {
        Enter();
        form_.onCloseBox();
        Leave();
      }
      return true;
    }
    default:
      return false;
  }
}

bool FormWindow::AccessKey(const MSG& msg) {
  if (dying_ || !ready_ || !IsWindowEnabled(hwnd_)) return false;
  if (msg.wParam == 0 || msg.wParam >= 0x80) return false;  // access keys are plain letters
  ui::Control* target = ui::AccessKeyTarget(form_, static_cast<char>(msg.wParam));
  if (!target) return false;
  if ((msg.lParam & (1 << 30)) == 0) Click(*target);
  return true;
}

bool FormWindow::ShowsAccessKeys() {
  // Before 2000 nothing hides them, and the message answers 0.
  return (api::Send(hwnd_, WM_QUERYUISTATE, 0, 0) & UISF_HIDEACCEL) == 0;
}

void FormWindow::Paint(HDC dc, const RECT& clip) {
  RECT client;
  GetClientRect(hwnd_, &client);
  if (client.right <= 0 || client.bottom <= 0) return;
  // Drawn off screen, then copied at once: no flicker while pictures swap.
  scoped::CompatibleDC buffer(dc);
  scoped::GdiObject bits(CreateCompatibleBitmap(dc, client.right, client.bottom));
  scoped::Select drawing(buffer, bits.Get());
  PaintLayer(buffer, clip);
  BitBlt(dc, clip.left, clip.top, clip.right - clip.left, clip.bottom - clip.top, buffer, clip.left, clip.top, SRCCOPY);
}

void FormWindow::DrawItem(const DRAWITEMSTRUCT& item) {
  ui::Control* c = ControlOf(item.hwndItem);
  const int width = item.rcItem.right - item.rcItem.left, height = item.rcItem.bottom - item.rcItem.top;
  if (!c || width <= 0 || height <= 0) return;
  POINT at{0, 0};
  MapWindowPoints(item.hwndItem, hwnd_, &at, 1);
  scoped::CompatibleDC buffer(item.hDC);
  scoped::GdiObject bits(CreateCompatibleBitmap(item.hDC, width, height));
  scoped::Select drawing(buffer, bits.Get());
  // The form's own drawing, moved so that this window's corner is at 0, 0.
  SetViewportOrgEx(buffer, -at.x, -at.y, nullptr);
  PaintLayer(buffer, RECT{at.x, at.y, at.x + width, at.y + height});
  SetViewportOrgEx(buffer, 0, 0, nullptr);
  if (c->Kind() == ui::ControlKind::HotSpot && (item.itemState & ODS_FOCUS) && !(item.itemState & ODS_NOFOCUSRECT)) {
    RECT mark = item.rcItem;
    DrawFocusRect(buffer, &mark);
  }
  BitBlt(item.hDC, 0, 0, width, height, buffer, 0, 0, SRCCOPY);
}

void FormWindow::PaintLayer(HDC buffer, const RECT& clip) {
  RECT client;
  GetClientRect(hwnd_, &client);
  FillRect(buffer, &client, BrushFor(Background()));
  const bool showKeys = ShowsAccessKeys();
  const auto& controls = form_.Controls();
  for (auto it = controls.rbegin(); it != controls.rend(); ++it) {
    const ui::Control& c = **it;
    if (c.IsWindowed() || !c.Visible()) continue;
    const RECT bounds = PixelRect(c);
    if (c.Kind() == ui::ControlKind::Picture) {
      RECT overlap;
      if (IntersectRect(&overlap, &bounds, &clip)) PaintPicture(buffer, bounds, c.Picture());
    } else {
      const RECT covered = LabelRect(buffer, c, bounds);
      RECT overlap;
      if (IntersectRect(&overlap, &covered, &clip)) PaintLabel(buffer, bounds, c, showKeys);
    }
  }
}

void FormWindow::Command(WPARAM wParam, LPARAM lParam) {
  HWND child = reinterpret_cast<HWND>(lParam);
  ui::Control* c = ControlOf(child);
  if (!c) return;
  const WORD code = HIWORD(wParam);
  Enter();
  switch (c->Kind()) {
    case ui::ControlKind::Button:
    case ui::ControlKind::HotSpot:
      if (code == BN_CLICKED && c->onClick) c->onClick();
      break;
    case ui::ControlKind::CheckBox:
      if (code == BN_CLICKED) c->ValueFromUser(api::Send(child, BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0);
      break;
    case ui::ControlKind::OptionButton:
      if (code == BN_CLICKED && api::Send(child, BM_GETCHECK, 0, 0) == BST_CHECKED) c->ValueFromUser(1);
      break;
    case ui::ControlKind::TextBox:
      if (code == EN_CHANGE) c->TextFromUser(api::Text(child));  // a text the program just set is no change
      break;
    default:
      break;
  }
  Leave();
}

LRESULT FormWindow::ColourFor(UINT message, HDC dc, HWND child) {
  ui::Control* c = ControlOf(child);
  if (c && c->Kind() == ui::ControlKind::TextBox) {
    SetTextColor(dc, ToColorRef(c->ForeColour()));
    const COLORREF back = ToColorRef(c->BackColour());
    SetBkColor(dc, back);
    return reinterpret_cast<LRESULT>(BrushFor(back));
  }
  // Check boxes, options and buttons stand on the form's own background.
  const COLORREF back = Background();
  if (message == WM_CTLCOLORSTATIC && c) SetTextColor(dc, ToColorRef(c->ForeColour()));
  SetBkColor(dc, back);
  SetBkMode(dc, TRANSPARENT);
  return reinterpret_cast<LRESULT>(BrushFor(back));
}

LRESULT FormWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  // Nothing reaches the form before its controls have their windows, nor once it goes.
  if (dying_ || !ready_) return Default(message, wParam, lParam);
  if (IsMouseMessage(message) && message != WM_MOUSEWHEEL) {
    Mouse(message, wParam, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}, nullptr);
    return 0;
  }
  switch (message) {
    case WM_CAPTURECHANGED:
      if (reinterpret_cast<HWND>(lParam) != hwnd_) router_.Lost();
      return 0;
    case WM_ERASEBKGND:
      return 1;  // WM_PAINT covers everything
    case WM_PAINT: {
      scoped::Paint paint(hwnd_);
      Paint(paint, paint.Area());
      return 0;
    }
    case WM_PRINTCLIENT: {
      // Themed buttons ask for what lies behind their rounded corners.
      RECT client;
      GetClientRect(hwnd_, &client);
      Paint(reinterpret_cast<HDC>(wParam), client);
      return 0;
    }
    case WM_CLOSE:
      // The form's owner decides; the window goes only with the form.
      if (form_.onCloseBox) {
        Enter();
        form_.onCloseBox();
        Leave();
      }
      return 0;
    case WM_ACTIVATE:
      if (LOWORD(wParam) != WA_INACTIVE && form_.Style() == ui::FormStyle::Borderless)
        TheBackend().app.KeepBehind(hwnd_);
      break;  // DefWindowProc puts the focus on the window: WM_SETFOCUS below passes it on
    case WM_SETFOCUS:
      FocusSomething();
      return 0;
    case WM_COMMAND:
      if (lParam != 0) Command(wParam, lParam);
      return 0;
    case WM_DRAWITEM:
      DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
      return TRUE;
    case WM_UPDATEUISTATE: {
      // Focus marks and underlined access keys come or go: everything shows them.
      const LRESULT result = api::DefProc(hwnd_, message, wParam, lParam);
      RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
      return result;
    }
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
      return ColourFor(message, reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_NOTIFY: {
      auto* header = reinterpret_cast<NMHDR*>(lParam);
      if (tips_.AsksText(*header)) return ToolTipText(lParam);
      break;
    }
    default:
      break;
  }
  return api::DefProc(hwnd_, message, wParam, lParam);
}

LRESULT FormWindow::ToolTipText(LPARAM lParam) {
  // A child window's tool is known by the window, a painted control's by its place plus one.
  const auto* info = reinterpret_cast<const NMTTDISPINFOW*>(lParam);
  const UINT_PTR id = info->hdr.idFrom;
  ui::Control* c = nullptr;
  if (info->uFlags & TTF_IDISHWND)
    c = ControlOf(reinterpret_cast<HWND>(id));
  else if (id >= 1 && id <= form_.Controls().size())
    c = form_.Controls()[id - 1];
  tips_.GiveText(lParam, c ? c->ToolTip() : std::string());
  return 0;
}

}  // namespace peers
