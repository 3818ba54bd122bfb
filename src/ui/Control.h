#pragma once
// A control is plain data with change notification; an optional peer mirrors it
// on screen and feeds user events back through the same setters and events.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ui/Types.h"

namespace ui {

class ControlHost;

// HotSpot: a button with no look of its own over painted pictures and labels:
// it takes the focus, shows only a focus mark, and lets the mouse through.
// ReadOut: the text of painted labels for screen readers, shown as they paint.
enum class ControlKind { Picture, WindowedPicture, Label, Button, TextBox, CheckBox, OptionButton, HotSpot, ReadOut };
enum class Alignment { Left, Centre, Right };
enum class Prop { Visible, Enabled, Caption, Colours, Font, Bounds, Picture, Value, Selection, Look };

class ControlPeer {
 public:
  virtual ~ControlPeer() = default;
  virtual void Changed(Prop what) = 0;
  virtual std::uintptr_t Handle() const { return 0; }
};

class Control {
 public:
  // Registers itself with its form; declaration order is z-order, top first.
  Control(ControlHost& owner, std::string name, ControlKind kind, TwipsRect bounds, std::string caption = {});
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;
  virtual ~Control();

  ControlHost& Owner() const { return owner_; }
  const std::string& Name() const { return name_; }
  ControlKind Kind() const { return kind_; }
  bool IsWindowed() const;

  bool Visible() const { return visible_; }
  void SetVisible(bool v);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool e);

  // Caption of labels, buttons and boxes; the text of a text box. Changing a
  // text box's text by program fires onChange, as a user's typing does.
  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& text);
  const std::string& Text() const { return caption_; }
  void SetText(const std::string& text) { SetCaption(text); }

  Colour ForeColour() const { return fore_; }
  void SetForeColour(Colour c);
  Colour BackColour() const { return back_; }
  void SetBackColour(Colour c);
  bool Transparent() const { return transparent_; }

  const ui::Font& GetFont() const { return font_; }
  void SetFont(const ui::Font& f);
  void SetBold(bool bold);

  const TwipsRect& Bounds() const { return bounds_; }
  void SetBounds(const TwipsRect& r);

  // Picture (bitmap resource id) of pictures, icon of forms.
  int Picture() const { return picture_; }
  void SetPicture(int id);

  // Check box: 0 unticked, 1 ticked. Option button: 1 selected. Setting a new
  // value fires onClick, as a user's click would; selecting an option clears
  // the other option buttons of the form.
  int Value() const { return value_; }
  void SetValue(int v);

  int SelStart() const { return selStart_; }
  int SelLength() const { return selLength_; }
  void SetSelection(int start, int length);

  Alignment Align() const { return align_; }
  void SetAlign(Alignment a) { align_ = a; }
  int MaxLength() const { return maxLength_; }
  void SetMaxLength(int n) { maxLength_ = n; }
  bool Flat() const { return flat_; }  // flat rather than 3D look
  void SetFlat(bool f);
  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool a) { autoSize_ = a; }
  const std::string& ToolTip() const { return toolTip_; }
  void SetToolTip(const std::string& t) { toolTip_ = t; }
  bool IsDefault() const { return default_; }
  void SetDefault(bool d) { default_ = d; }
  bool IsCancel() const { return cancel_; }
  void SetCancel(bool c) { cancel_ = c; }
  int TabIndex() const { return tabIndex_; }
  void SetTabIndex(int i) { tabIndex_ = i; }
  // A control off the Tab cycle may still hold the focus it is given.
  bool TabStop() const { return tabStop_; }
  void SetTabStop(bool t) { tabStop_ = t; }
  // Alt and this letter press a button; a label shows it underlined. 0: none.
  char AccessKey() const { return accessKey_; }
  void SetAccessKey(char k);

  // The caption becomes the visible sources' captions joined, and follows
  // them; the control shows while one of them does, and a read-out covers them.
  void Echo(std::vector<Control*> sources);

  void SetFocus();
  bool HasFocus() const;

  // Window handle of a windowed control's peer; 0 when it has none.
  std::uintptr_t Hwnd() const { return peer_ ? peer_->Handle() : 0; }
  void AttachPeer(std::unique_ptr<ControlPeer> peer);
  ControlPeer* Peer() const { return peer_.get(); }

  // From the peer: the user typed, ticked or selected; fires the events.
  void TextFromUser(const std::string& text);
  void ValueFromUser(int v) { SetValue(v); }

  std::function<void(const MouseArgs&)> onMouseDown, onMouseMove, onMouseUp;
  std::function<void()> onClick, onDblClick, onChange, onGotFocus;

 private:
  void Notify(Prop what);
  void Reecho();
  void SourceChanged();

  ControlHost& owner_;
  std::string name_;
  ControlKind kind_;
  TwipsRect bounds_;
  std::string caption_;
  std::string toolTip_;
  bool visible_ = true, enabled_ = true, transparent_ = false, flat_ = false, autoSize_ = false;
  bool default_ = false, cancel_ = false, tabStop_ = true;
  char accessKey_ = 0;
  std::vector<Control*> sources_, echoes_;
  Colour fore_ = kBlack, back_ = kWhite;
  ui::Font font_;
  int picture_ = 0, value_ = 0, selStart_ = 0, selLength_ = 0, maxLength_ = 0, tabIndex_ = 0;
  Alignment align_ = Alignment::Left;
  std::unique_ptr<ControlPeer> peer_;
};

}  // namespace ui
