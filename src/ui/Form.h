#pragma once
// A window of the program: caption, visibility, state, position and icon, the
// controls it holds in z-order, and a load / show / hide / unload life cycle.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ui/ControlHost.h"
#include "ui/Types.h"

namespace ui {

struct Services;
class Control;
class Timer;

enum class WindowState { Normal = 0, Minimised = 1 };
// Borderless: skinned main window. Dialog: fixed frame with only a close box.
// ToolDialog: the same without a taskbar button. Hidden: never shown (tray owner).
enum class FormStyle { Borderless, Dialog, ToolDialog, Hidden };
enum class FormProp { Caption, Visible, Enabled, State, Bounds, Icon, Activate, Focus, Repaint, OnTop };

class FormPeer {
 public:
  virtual ~FormPeer() = default;
  virtual void Changed(FormProp what) = 0;
  virtual std::uintptr_t Handle() const { return 0; }
};

class Form : public ControlHost {
 public:
  Form(Services& services, std::string name, FormStyle style, TwipsRect bounds, std::string caption);
  Form(const Form&) = delete;
  Form& operator=(const Form&) = delete;
  virtual ~Form();

  const std::string& Name() const { return name_; }
  FormStyle Style() const { return style_; }

  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& c);
  bool Visible() const { return visible_; }
  void SetVisible(bool v);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  // Shown above every other window without taking the focus, flashing: a
  // warning that must be seen whatever window the user is working in (and
  // which a program in the background may not bring to the front otherwise).
  void ShowOnTop();
  bool OnTop() const { return onTop_; }
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool e);
  WindowState State() const { return state_; }
  void SetState(WindowState s);
  int Icon() const { return icon_; }
  void SetIcon(int id);
  // Client-area colour; until set, the system's dialog colour.
  bool HasBackColour() const { return hasBackColour_; }
  Colour BackColour() const { return backColour_; }
  void SetBackColour(Colour c) {
    backColour_ = c;
    hasBackColour_ = true;
    Notify(FormProp::Repaint);
  }

  // Outer position and size, twips.
  const TwipsRect& Bounds() const { return bounds_; }
  void SetBounds(const TwipsRect& r);
  int Left() const { return bounds_.left; }
  int Top() const { return bounds_.top; }
  int Width() const { return bounds_.width; }
  int Height() const { return bounds_.height; }
  void SetLeft(int twips);
  void SetTop(int twips);
  void SetWidth(int twips);
  // Centred on the screen (dialogs at load).
  void CentreOnScreen();

  // Activates the window and gives it (or its last focused control) the focus.
  void SetFocus();
  bool IsActive() const;

  // Where the focus really went; from SetFocus, or from the peer for the user.
  void FocusChanged(Control* c);
  void FocusRequested(Control& c) override;

  const std::vector<Timer*>& Timers() const { return timers_; }

  void AttachPeer(std::unique_ptr<FormPeer> peer);
  FormPeer* Peer() const { return peer_.get(); }
  std::uintptr_t Hwnd() const { return peer_ ? peer_->Handle() : 0; }

  // Life cycle, driven by the application object.
  virtual void Form_Load() {}
  virtual void Form_Unload() {}
  bool Loaded() const { return loaded_; }
  void MarkLoaded(bool l) { loaded_ = l; }

  // The window's close box (Alt+F4 on the borderless window): the owner decides.
  std::function<void()> onCloseBox;
  // A hidden window's notification-area callback (the event number: 0x201 left
  // down, ...), and the shell's restart (TaskbarCreated): the icon must come back.
  std::function<void(int)> onShellNotify;
  std::function<void()> onShellRestarted;

 private:
  friend class Timer;
  void Notify(FormProp what);

  std::string name_;
  FormStyle style_;
  TwipsRect bounds_;
  std::string caption_;
  bool visible_ = false, enabled_ = true, loaded_ = false, onTop_ = false;
  WindowState state_ = WindowState::Normal;
  int icon_ = 0;
  Colour backColour_ = kWhite;
  bool hasBackColour_ = false;
  std::vector<Timer*> timers_;
  std::unique_ptr<FormPeer> peer_;
};

}  // namespace ui
