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
bool IsTabStop(const Control& c) {
  switch (c.Kind()) {
    case ControlKind::Button:
    case ControlKind::TextBox:
    case ControlKind::CheckBox:
    case ControlKind::OptionButton:
      return c.Visible() && c.Enabled();
    default:
      return false;
  }
}

Control* ButtonWhere(const Form& form, bool (Control::*flag)() const) {
  for (Control* c : form.Controls())
    if (c->Kind() == ControlKind::Button && (c->*flag)() && c->Visible() && c->Enabled()) return c;
  return nullptr;
}
}  // namespace

std::vector<Control*> TabOrder(const Form& form) {
  std::vector<Control*> stops;
  for (Control* c : form.Controls())
    if (IsTabStop(*c)) stops.push_back(c);
  std::stable_sort(stops.begin(), stops.end(),
                   [](const Control* a, const Control* b) { return a->TabIndex() < b->TabIndex(); });
  return stops;
}

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
  if (focused && &focused->Owner() == &form && focused->Kind() == ControlKind::Button && IsTabStop(*focused))
    return focused;
  return DefaultButton(form);
}

Control* FocusTarget(const Form& form) {
  Control* last = form.Focused();
  if (last && IsTabStop(*last)) return last;
  const std::vector<Control*> stops = TabOrder(form);
  return stops.empty() ? nullptr : stops.front();
}

}  // namespace ui
