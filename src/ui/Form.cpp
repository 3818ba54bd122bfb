#include "ui/Form.h"

#include "ui/Control.h"
#include "ui/Services.h"

namespace ui {

Form::Form(Services& services, std::string name, FormStyle style, TwipsRect bounds, std::string caption)
    : ControlHost(services), name_(std::move(name)), style_(style), bounds_(bounds), caption_(std::move(caption)) {}

Form::~Form() {
  if (services_.activeForm == this) services_.activeForm = nullptr;
}

void Form::Notify(FormProp what) {
  if (peer_) peer_->Changed(what);
}

void Form::SetCaption(const std::string& c) {
  if (caption_ == c) return;
  caption_ = c;
  Notify(FormProp::Caption);
}

void Form::SetVisible(bool v) {
  if (visible_ == v) return;
  visible_ = v;
  Notify(FormProp::Visible);
}

void Form::ShowOnTop() {
  if (visible_ && onTop_) return;
  visible_ = true;
  onTop_ = true;
  Notify(FormProp::OnTop);
}

void Form::SetEnabled(bool e) {
  if (enabled_ == e) return;
  enabled_ = e;
  Notify(FormProp::Enabled);
}

void Form::SetState(WindowState s) {
  if (state_ == s) return;
  state_ = s;
  Notify(FormProp::State);
}

void Form::SetIcon(int id) {
  if (icon_ == id) return;
  icon_ = id;
  Notify(FormProp::Icon);
}

void Form::SetBounds(const TwipsRect& r) {
  if (bounds_ == r) return;
  bounds_ = r;
  Notify(FormProp::Bounds);
}

void Form::SetLeft(int twips) {
  TwipsRect r = bounds_;
  r.left = twips;
  SetBounds(r);
}

void Form::SetTop(int twips) {
  TwipsRect r = bounds_;
  r.top = twips;
  SetBounds(r);
}

void Form::SetWidth(int twips) {
  TwipsRect r = bounds_;
  r.width = twips;
  SetBounds(r);
}

void Form::CentreOnScreen() {
  TwipsRect r = bounds_;
  r.left = (services_.screen.WidthTwips() - r.width) / 2;
  r.top = (services_.screen.HeightTwips() - r.height) / 2;
  SetBounds(r);
}

void Form::SetFocus() {
  services_.activeForm = this;
  Notify(FormProp::Activate);
}

bool Form::IsActive() const { return services_.activeForm == this; }

void Form::FocusRequested(Control& c) {
  services_.activeForm = this;
  if (peer_) {
    focused_ = &c;
    peer_->Changed(FormProp::Focus);  // the peer reports back through FocusChanged
  } else {
    FocusChanged(&c);
  }
}

void Form::FocusChanged(Control* c) {
  focused_ = c;
  services_.activeForm = this;
  if (c && c->onGotFocus) c->onGotFocus();
}

void Form::AttachPeer(std::unique_ptr<FormPeer> peer) { peer_ = std::move(peer); }

}  // namespace ui
