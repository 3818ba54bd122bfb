#pragma once
// The window of one form: its frame, the painting of its lightweight controls,
// the mouse given to them, the focus, the dialog keys and the tooltips.
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "ui/Form.h"
#include "ui/InputRouting.h"
#include "win32/Api.h"
#include "win32/Scoped.h"
#include "win32/ToolTipWindow.h"
#include "win32/Window.h"

namespace peers {

// A windowed control's id is this plus its place in its form's list: clear of
// IDOK and IDCANCEL, which dialog keys would otherwise send.
constexpr int kFirstControlId = 100;
// The class of the forms' windows, and of the tray's.
constexpr char kFormClass[] = "CrepusculeForm";
constexpr UINT kFormClassStyle = CS_DBLCLKS;

class FormWindow : public ui::FormPeer, public OwnWindow {
 public:
  FormWindow(ui::Form& form, HINSTANCE instance);
  ~FormWindow() override;
  FormWindow(const FormWindow&) = delete;
  FormWindow& operator=(const FormWindow&) = delete;

  void Changed(ui::FormProp what) override;
  std::uintptr_t Handle() const override { return reinterpret_cast<std::uintptr_t>(hwnd_); }

  // Once the controls have their peers: stacking, tooltips, first look.
  void Ready();

  HWND Window() const { return hwnd_; }
  HINSTANCE Instance() const { return instance_; }
  ui::Form& Owner() const { return form_; }
  // True from the moment the form starts going away: nothing reaches it then.
  bool Dying() const { return dying_; }

  RECT PixelRect(const ui::Control& c) const;
  // What a lightweight control covers on screen.
  RECT CoveredRect(const ui::Control& c) const;
  void Invalidate(const RECT& r);
  COLORREF Background() const;

  // From the controls' peers.
  void LightweightMoved();
  // The tooltips of the controls, made or brought up to date on the pointer's way in.
  void PrepareToolTips();
  void Mouse(UINT message, WPARAM wParam, POINT client, ui::Control* over);
  void ChildFocused(ui::Control& c);
  void ControlGone(const ui::Control& c);
  void Click(ui::Control& c);

  // Tab, Enter and Esc for this window; true when used.
  bool DialogKey(const MSG& msg);
  // Alt and a letter (WM_SYSCHAR); true when a control took it.
  bool AccessKey(const MSG& msg);
  // The form window of a top-level window, if it is one of ours.
  static FormWindow* Of(HWND root);

 private:
  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam) override;
  int TwipsX() const;
  int TwipsY() const;
  ui::Control* ControlOf(HWND child) const;
  void Paint(HDC dc, const RECT& clip);
  // The background and the lightweight controls within clip, drawn on dc.
  void PaintLayer(HDC dc, const RECT& clip);
  // A hot spot or read-out: what lies under it, and the focus mark.
  void DrawItem(const DRAWITEMSTRUCT& item);
  bool ShowsAccessKeys();
  void ApplyVisible();
  void ApplyBounds();
  void ApplyIcon();
  void ApplyFocus();
  void ApplyOnTop();
  LRESULT ToolTipText(LPARAM lParam);
  void FocusSomething();
  void ShowDefaultLook(ui::Control* focused);
  void Command(WPARAM wParam, LPARAM lParam);
  LRESULT ColourFor(UINT message, HDC dc, HWND child);
  void RebuildRectTools();
  void TearDown();
  // Events handed to the form are counted so that a move made by a handler
  // (left, then top) reaches the screen once, when it returns.
  void Enter() { ++busy_; }
  void Leave();

  ui::Form& form_;
  HINSTANCE instance_;
  ToolTipWindow tips_{true};
  scoped::Icon bigIcon_, smallIcon_;
  bool ready_ = false, dying_ = false;
  int busy_ = 0;
  bool boundsPending_ = false;
  ui::MouseRouter router_;
  std::vector<UINT_PTR> rectTools_;
  bool rectToolsStale_ = false;
};

}  // namespace peers
