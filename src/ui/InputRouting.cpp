#include "ui/InputRouting.h"

#include <algorithm>
#include <cstdlib>

#include "ui/Form.h"

namespace ui {

int ToPixels(int twips, int twipsPerPixel) {
  if (twipsPerPixel < 1) twipsPerPixel = 15;
  const long long t = twips;
  const long long q = (std::llabs(t) * 2 + twipsPerPixel) / (2LL * twipsPerPixel);
  return static_cast<int>(t < 0 ? -q : q);
}

PixelRect ToPixels(const TwipsRect& r, int twipsPerPixelX, int twipsPerPixelY) {
  return {ToPixels(r.left, twipsPerPixelX), ToPixels(r.top, twipsPerPixelY), ToPixels(r.width, twipsPerPixelX),
          ToPixels(r.height, twipsPerPixelY)};
}

Control* LightweightAt(const Form& form, int x, int y, int twipsPerPixelX, int twipsPerPixelY) {
  for (Control* c : form.Controls()) {
    if (c->IsWindowed() || !c->Visible()) continue;
    if (!ToPixels(c->Bounds(), twipsPerPixelX, twipsPerPixelY).Contains(x, y)) continue;
    return c->Enabled() ? c : nullptr;
  }
  return nullptr;
}

MouseArgs RelativeTo(const Control& c, int x, int y, int twipsPerPixelX, int twipsPerPixelY, int button, int shift) {
  if (twipsPerPixelX < 1) twipsPerPixelX = 15;
  if (twipsPerPixelY < 1) twipsPerPixelY = 15;
  MouseArgs e;
  e.button = button;
  e.shift = shift;
  e.x = static_cast<float>(static_cast<double>(x) * twipsPerPixelX - c.Bounds().left);
  e.y = static_cast<float>(static_cast<double>(y) * twipsPerPixelY - c.Bounds().top);
  return e;
}

Control* MouseRouter::Down(Control* hit, int button) {
  if (held_ == 0) captured_ = hit;
  held_ |= button;
  return captured_;
}

Control* MouseRouter::Up(int button) {
  if ((held_ & button) == 0) return nullptr;
  Control* target = captured_;
  held_ &= ~button;
  if (held_ == 0) captured_ = nullptr;
  return target;
}

void MouseRouter::Lost() {
  held_ = 0;
  captured_ = nullptr;
}

void MouseRouter::Forget(const Control* c) {
  if (captured_ == c) captured_ = nullptr;
}

namespace {
bool CanFocus(const Control& c) {
  switch (c.Kind()) {
    case ControlKind::Button:
    case ControlKind::HotSpot:
    case ControlKind::TextBox:
    case ControlKind::CheckBox:
    case ControlKind::OptionButton:
      return c.Visible() && c.Enabled();
    default:
      return false;
  }
}

bool IsTabStop(const Control& c) { return c.TabStop() && CanFocus(c); }

bool IsPressable(const Control& c) {
  return (c.Kind() == ControlKind::Button || c.Kind() == ControlKind::HotSpot) && CanFocus(c);
}

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

std::vector<Control*> ByTabIndex(const Form& form, bool (*keep)(const Control&)) {
  std::vector<Control*> stops;
  for (Control* c : form.Controls())
    if (keep(*c)) stops.push_back(c);
  std::stable_sort(stops.begin(), stops.end(),
                   [](const Control* a, const Control* b) { return a->TabIndex() < b->TabIndex(); });
  return stops;
}

Control* ButtonWhere(const Form& form, bool (Control::*flag)() const) {
  for (Control* c : form.Controls())
    if (c->Kind() == ControlKind::Button && (c->*flag)() && c->Visible() && c->Enabled()) return c;
  return nullptr;
}
}  // namespace

std::vector<Control*> TabOrder(const Form& form) { return ByTabIndex(form, IsTabStop); }

Control* NextTabStop(const Form& form, const Control* from, bool backwards) {
  const std::vector<Control*> stops = TabOrder(form);
  if (stops.empty()) return nullptr;
  const auto at = std::find(stops.begin(), stops.end(), from);
  if (at == stops.end()) return backwards ? stops.back() : stops.front();
  const std::size_t i = static_cast<std::size_t>(at - stops.begin());
  const std::size_t n = stops.size();
  return stops[backwards ? (i + n - 1) % n : (i + 1) % n];
}

Control* DefaultButton(const Form& form) { return ButtonWhere(form, &Control::IsDefault); }
Control* CancelButton(const Form& form) { return ButtonWhere(form, &Control::IsCancel); }

Control* EnterButton(const Form& form, Control* focused) {
  if (focused && &focused->Owner() == &form && IsPressable(*focused)) return focused;
  return DefaultButton(form);
}

bool EscapeCloses(const Form& form) {
  return !CancelButton(form) && (form.Style() == FormStyle::Dialog || form.Style() == FormStyle::ToolDialog);
}

Control* FocusTarget(const Form& form) {
  Control* last = form.Focused();
  if (last && CanFocus(*last)) return last;
  const std::vector<Control*> candidates = ByTabIndex(form, CanFocus);
  return candidates.empty() ? nullptr : candidates.front();
}

Control* AccessKeyTarget(const Form& form, char key) {
  if (key == 0) return nullptr;
  for (Control* c : form.Controls())
    if (Lower(c->AccessKey()) == Lower(key) && IsPressable(*c)) return c;
  return nullptr;
}

std::size_t AccessKeyPosition(const std::string& caption, char key) {
  if (key == 0) return std::string::npos;
  for (std::size_t i = 0; i < caption.size(); ++i)
    if (Lower(caption[i]) == Lower(key)) return i;
  return std::string::npos;
}

std::string WithAccessMark(const std::string& caption, char key) {
  const std::size_t at = AccessKeyPosition(caption, key);
  std::string marked;
  for (std::size_t i = 0; i < caption.size(); ++i) {
    if (i == at) marked += '&';
    if (caption[i] == '&') marked += '&';  // a plain ampersand stays one
    marked += caption[i];
  }
  return marked;
}

}  // namespace ui
