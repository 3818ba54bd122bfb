#include "win32/ControlWindows.h"

#include <commctrl.h>
#include <windowsx.h>

#include "ui/InputRouting.h"
#include "win32/Api.h"
#include "win32/FormWindow.h"
#include "win32/Paint.h"
#include "win32/Scoped.h"
#include "win32/Win32Text.h"

namespace peers {

namespace {

constexpr char kPictureClass[] = "CrepusculePicture";

// Pictures and labels: drawn by the form, so a change repaints where the
// control was and where it is now.
class LightweightPeer : public ui::ControlPeer {
 public:
  LightweightPeer(FormWindow& form, ui::Control& control) : form_(form), control_(control) { shown_ = Covered(); }
  ~LightweightPeer() override { form_.ControlGone(control_); }

  void Changed(ui::Prop what) override {
    if (form_.Dying()) return;
    form_.Invalidate(shown_);
    shown_ = Covered();
    form_.Invalidate(shown_);
    if (what == ui::Prop::Visible || what == ui::Prop::Bounds) form_.LightweightMoved();
  }

 private:
  RECT Covered() const { return control_.Visible() ? form_.CoveredRect(control_) : RECT{0, 0, 0, 0}; }

  FormWindow& form_;
  ui::Control& control_;
  RECT shown_{};
};

// The window text: what screen readers read, with the access key marked.
std::string WindowText(const ui::Control& c) {
  switch (c.Kind()) {
    case ui::ControlKind::WindowedPicture:
      return {};
    case ui::ControlKind::HotSpot:
      return ui::WithAccessMark(c.Caption(), c.AccessKey());
    default:
      return c.Caption();
  }
}

// Buttons, text boxes, check boxes, option buttons, windowed pictures, and the
// hot spots and read-outs, which the form draws as what lies under them.
class ChildPeer : public ui::ControlPeer, public OwnWindow {
 public:
  ChildPeer(FormWindow& form, ui::Control& control, int index);
  ~ChildPeer() override;
  void Changed(ui::Prop what) override;
  std::uintptr_t Handle() const override { return reinterpret_cast<std::uintptr_t>(hwnd_); }

 private:
  static LRESULT CALLBACK Subclass(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  // The windowed picture's own messages.
  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam) override;
  void ApplyFont(BOOL redraw);
  void ApplyLook();
  void ApplyText();
  void ApplyValue();

  FormWindow& form_;
  ui::Control& control_;
  WNDPROC systemProc_ = nullptr;  // the button's or edit's own, behind ours
};

ChildPeer::ChildPeer(FormWindow& form, ui::Control& control, int index) : form_(form), control_(control) {
  const char* windowClass = "BUTTON";
  DWORD style = WS_CHILD | WS_CLIPSIBLINGS;
  DWORD exStyle = 0;
  const DWORD tabStop = control.TabStop() ? WS_TABSTOP : 0;
  switch (control.Kind()) {
    case ui::ControlKind::Button:
      style |= tabStop | WS_GROUP | (control.IsDefault() ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
      break;
    case ui::ControlKind::HotSpot:
      // A real push button, so that screen readers know it as one and can press it.
      style |= tabStop | WS_GROUP | BS_OWNERDRAW;
      break;
    case ui::ControlKind::ReadOut:
      // Without SS_NOTIFY a static lets the mouse through to what it covers.
      windowClass = "STATIC";
      style |= SS_OWNERDRAW;
      break;
    case ui::ControlKind::CheckBox:
      style |= WS_TABSTOP | WS_GROUP | BS_AUTOCHECKBOX;
      break;
    case ui::ControlKind::OptionButton: {
      // One group per run of option buttons, as they are declared.
      const auto& all = form.Owner().Controls();
      const bool first =
          index == 0 || all[static_cast<std::size_t>(index - 1)]->Kind() != ui::ControlKind::OptionButton;
      style |= WS_TABSTOP | BS_AUTORADIOBUTTON | (first ? WS_GROUP : 0);
      break;
    }
    case ui::ControlKind::TextBox:
      windowClass = "EDIT";
      style |= WS_TABSTOP | WS_GROUP | ES_AUTOHSCROLL;
      if (control.Align() == ui::Alignment::Centre) style |= ES_CENTER;
      if (control.Align() == ui::Alignment::Right) style |= ES_RIGHT;
      if (control.Flat())
        style |= WS_BORDER;
      else
        exStyle |= WS_EX_CLIENTEDGE;
      break;
    case ui::ControlKind::WindowedPicture:
      windowClass = kPictureClass;
      break;
    default:
      break;
  }
  if (control.Visible()) style |= WS_VISIBLE;
  if (!control.Enabled()) style |= WS_DISABLED;
  const RECT r = form.PixelRect(control);
  const auto id = reinterpret_cast<HMENU>(INT_PTR{kFirstControlId + index});
  const bool picture = control.Kind() == ui::ControlKind::WindowedPicture;
  if (picture)
    Create(form.Instance(), kPictureClass, CS_DBLCLKS, exStyle, WindowText(control), style, r.left, r.top,
           r.right - r.left, r.bottom - r.top, form.Window(), id);
  else
    hwnd_ = api::MakeWindow(exStyle, windowClass, WindowText(control), style, r.left, r.top, r.right - r.left,
                            r.bottom - r.top, form.Window(), id, form.Instance(), nullptr);
  if (!hwnd_) return;
  if (!picture) {
    // The classic way: the system's subclassing helpers need common controls 6.
    Attach(hwnd_, this);
    systemProc_ = api::Subclass(hwnd_, &ChildPeer::Subclass);
    ApplyFont(FALSE);
  }
  if (control.Kind() == ui::ControlKind::TextBox && control.MaxLength() > 0)
    api::Send(hwnd_, EM_LIMITTEXT, static_cast<WPARAM>(control.MaxLength()), 0);
  ApplyValue();
}

ChildPeer::~ChildPeer() {
  form_.ControlGone(control_);  // destroys the form's window, and this one with it
  if (hwnd_) DestroyWindow(hwnd_);
}

void ChildPeer::Changed(ui::Prop what) {
  if (!hwnd_ || form_.Dying()) return;
  switch (what) {
    case ui::Prop::Visible:
      ShowWindow(hwnd_, control_.Visible() ? SW_SHOWNA : SW_HIDE);
      break;
    case ui::Prop::Enabled:
      EnableWindow(hwnd_, control_.Enabled() ? TRUE : FALSE);
      break;
    case ui::Prop::Caption:
      ApplyText();
      break;
    case ui::Prop::Colours:
      InvalidateRect(hwnd_, nullptr, TRUE);
      break;
    case ui::Prop::Font:
      ApplyFont(TRUE);
      break;
    case ui::Prop::Bounds: {
      const RECT r = form_.PixelRect(control_);
      SetWindowPos(hwnd_, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top, SWP_NOZORDER | SWP_NOACTIVATE);
      break;
    }
    case ui::Prop::Picture:
      InvalidateRect(hwnd_, nullptr, FALSE);
      break;
    case ui::Prop::Value:
      ApplyValue();
      break;
    case ui::Prop::Selection:
      if (control_.Kind() == ui::ControlKind::TextBox)
        api::Send(hwnd_, EM_SETSEL, static_cast<WPARAM>(control_.SelStart()),
                  static_cast<LPARAM>(control_.SelStart() + control_.SelLength()));
      break;
    case ui::Prop::Look:
      ApplyLook();
      break;
  }
}

void ChildPeer::ApplyFont(BOOL redraw) {
  api::Send(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(FontFor(control_.GetFont())), redraw);
  // The margins a big font brings leave two bold digits no room in a small
  // box: the box would scroll them out of sight.
  if (control_.Kind() == ui::ControlKind::TextBox)
    api::Send(hwnd_, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELPARAM(1, 1));
}

void ChildPeer::ApplyText() {
  if (control_.Kind() == ui::ControlKind::WindowedPicture) return;
  // The edit reports the change back (EN_CHANGE); the control finds its text
  // unchanged and fires nothing twice.
  api::SetText(hwnd_, WindowText(control_));
}

void ChildPeer::ApplyValue() {
  if (control_.Kind() == ui::ControlKind::CheckBox || control_.Kind() == ui::ControlKind::OptionButton)
    api::Send(hwnd_, BM_SETCHECK, control_.Value() != 0 ? BST_CHECKED : BST_UNCHECKED, 0);
}

void ChildPeer::ApplyLook() {
  if (control_.Kind() != ui::ControlKind::TextBox) return;
  LONG_PTR style = GetWindowLongPtrA(hwnd_, GWL_STYLE);
  LONG_PTR exStyle = GetWindowLongPtrA(hwnd_, GWL_EXSTYLE);
  if (control_.Flat()) {
    style |= WS_BORDER;
    exStyle &= ~static_cast<LONG_PTR>(WS_EX_CLIENTEDGE);
  } else {
    style &= ~static_cast<LONG_PTR>(WS_BORDER);
    exStyle |= WS_EX_CLIENTEDGE;
  }
  SetWindowLongPtrA(hwnd_, GWL_STYLE, style);
  SetWindowLongPtrA(hwnd_, GWL_EXSTYLE, exStyle);
  SetWindowPos(hwnd_, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

LRESULT CALLBACK ChildPeer::Subclass(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = static_cast<ChildPeer*>(ObjectOf(hwnd));
  if (!self) return api::DefProc(hwnd, message, wParam, lParam);
  const WNDPROC system = self->systemProc_;
  switch (message) {
    case WM_SETFOCUS: {
      const LRESULT result = api::CallProc(system, hwnd, message, wParam, lParam);
      self->form_.ChildFocused(self->control_);
      return result;
    }
    case WM_NCHITTEST:
      // The mouse belongs to the pictures under a hot spot.
      if (self->control_.Kind() == ui::ControlKind::HotSpot) return HTTRANSPARENT;
      break;
    case WM_MOUSEMOVE:
      self->form_.PrepareToolTips();
      break;
    case WM_LBUTTONUP: {
      const LRESULT result = api::CallProc(system, hwnd, message, wParam, lParam);
      // A click in a text box is its Click, after the caret has moved.
      if (self->control_.Kind() == ui::ControlKind::TextBox) self->form_.Click(self->control_);
      return result;
    }
    case WM_NCDESTROY:
      // The window goes: it no longer leads to this object.
      api::Subclass(hwnd, system);
      Attach(hwnd, nullptr);
      self->hwnd_ = nullptr;
      break;
    default:
      break;
  }
  return api::CallProc(system, hwnd, message, wParam, lParam);
}

LRESULT ChildPeer::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      scoped::Paint paint(hwnd_);
      RECT client;
      GetClientRect(hwnd_, &client);
      if (!form_.Dying()) PaintPicture(paint, client, control_.Picture());
      return 0;
    }
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_MBUTTONDBLCLK: {
      // The form routes it: a button held here keeps the mouse on this
      // control through the form's capture, even once this window is hidden.
      POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
      MapWindowPoints(hwnd_, form_.Window(), &p, 1);
      form_.Mouse(message, wParam, p, &control_);
      return 0;
    }
    default:
      return Default(message, wParam, lParam);
  }
}

}  // namespace

std::unique_ptr<ui::ControlPeer> MakeControlPeer(FormWindow& form, ui::Control& control, int index) {
  if (control.IsWindowed()) return std::make_unique<ChildPeer>(form, control, index);
  return std::make_unique<LightweightPeer>(form, control);
}

}  // namespace peers
