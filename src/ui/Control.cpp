#include "ui/Control.h"

#include <algorithm>

#include "ui/ControlHost.h"
#include "ui/Services.h"

namespace ui {

Control::Control(ControlHost& owner, std::string name, ControlKind kind, TwipsRect bounds, std::string caption)
    : owner_(owner), name_(std::move(name)), kind_(kind), bounds_(bounds), caption_(std::move(caption)) {
  owner_.controls_.push_back(this);
  if (kind_ == ControlKind::Label) transparent_ = true;
}

Control::~Control() {
  if (owner_.focused_ == this) owner_.focused_ = nullptr;
  auto forget = [this](std::vector<Control*>& list) { std::erase(list, this); };
  for (Control* s : sources_) forget(s->echoes_);
  for (Control* e : echoes_) forget(e->sources_);
}

bool Control::IsWindowed() const { return kind_ != ControlKind::Picture && kind_ != ControlKind::Label; }

void Control::Notify(Prop what) {
  if (peer_) peer_->Changed(what);
}

void Control::SourceChanged() {
  for (Control* e : echoes_) e->Reecho();
}

void Control::Echo(std::vector<Control*> sources) {
  for (Control* s : sources_) std::erase(s->echoes_, this);
  sources_ = std::move(sources);
  for (Control* s : sources_) s->echoes_.push_back(this);
  Reecho();
}

void Control::Reecho() {
  std::string text;
  int left = 0, top = 0, right = 0, bottom = 0;
  bool any = false;
  for (const Control* s : sources_) {
    if (!s->Visible()) continue;
    text += s->Caption();
    const TwipsRect& b = s->Bounds();
    left = any ? std::min(left, b.left) : b.left;
    top = any ? std::min(top, b.top) : b.top;
    right = any ? std::max(right, b.left + b.width) : b.left + b.width;
    bottom = any ? std::max(bottom, b.top + b.height) : b.top + b.height;
    any = true;
  }
  SetCaption(text);
  if (kind_ == ControlKind::ReadOut && any) SetBounds({left, top, right - left, bottom - top});
  SetVisible(any);
}

void Control::SetAccessKey(char k) {
  if (accessKey_ == k) return;
  accessKey_ = k;
  Notify(Prop::Caption);
}

void Control::SetVisible(bool v) {
  if (visible_ == v) return;
  visible_ = v;
  Notify(Prop::Visible);
  SourceChanged();
}

void Control::SetEnabled(bool e) {
  if (enabled_ == e) return;
  enabled_ = e;
  Notify(Prop::Enabled);
}

void Control::SetCaption(const std::string& text) {
  if (caption_ == text) return;
  caption_ = text;
  if (autoSize_) bounds_.width = owner_.Svc().screen.TextWidthTwips(caption_, font_);
  Notify(Prop::Caption);
  SourceChanged();
  if (kind_ == ControlKind::TextBox && onChange) onChange();
}

void Control::TextFromUser(const std::string& text) {
  if (caption_ == text) return;
  caption_ = text;
  if (onChange) onChange();
}

void Control::SetForeColour(Colour c) {
  if (fore_ == c) return;
  fore_ = c;
  Notify(Prop::Colours);
}

void Control::SetBackColour(Colour c) {
  if (back_ == c) return;
  back_ = c;
  Notify(Prop::Colours);
}

void Control::SetFont(const ui::Font& f) {
  font_ = f;
  if (autoSize_) bounds_.width = owner_.Svc().screen.TextWidthTwips(caption_, font_);
  Notify(Prop::Font);
  if (autoSize_) SourceChanged();
}

void Control::SetBold(bool bold) {
  if (font_.bold == bold) return;
  ui::Font f = font_;
  f.bold = bold;
  SetFont(f);
}

void Control::SetBounds(const TwipsRect& r) {
  if (bounds_ == r) return;
  bounds_ = r;
  Notify(Prop::Bounds);
  SourceChanged();
}

void Control::SetPicture(int id) {
  if (picture_ == id) return;
  picture_ = id;
  Notify(Prop::Picture);
}

void Control::SetValue(int v) {
  if (value_ == v) return;
  value_ = v;
  if (kind_ == ControlKind::OptionButton && v != 0) {
    for (Control* other : owner_.Controls())
      if (other != this && other->kind_ == ControlKind::OptionButton && other->value_ != 0) {
        other->value_ = 0;
        other->Notify(Prop::Value);
      }
  }
  Notify(Prop::Value);
  // A programmatic tick clicks like the user's; an option is clicked only when selected.
  if (onClick && (kind_ == ControlKind::CheckBox || (kind_ == ControlKind::OptionButton && v != 0))) onClick();
}

void Control::SetSelection(int start, int length) {
  selStart_ = start;
  selLength_ = length;
  Notify(Prop::Selection);
}

void Control::SetFlat(bool f) {
  if (flat_ == f) return;
  flat_ = f;
  Notify(Prop::Look);
}

void Control::SetFocus() { owner_.FocusRequested(*this); }

bool Control::HasFocus() const { return owner_.Focused() == this; }

void Control::AttachPeer(std::unique_ptr<ControlPeer> peer) { peer_ = std::move(peer); }

}  // namespace ui
