#pragma once
// How a window's input reaches its controls: twips on the pixel grid, the
// lightweight control under the pointer, the control that keeps the mouse
// while a button is held, and the Tab order.
#include <cstddef>
#include <string>
#include <vector>

#include "ui/Control.h"

namespace ui {

class Form;

struct PixelRect {
  int left = 0, top = 0, width = 0, height = 0;
  // Right and bottom edges excluded, as pixels are.
  bool Contains(int x, int y) const { return x >= left && x < left + width && y >= top && y < top + height; }
  bool operator==(const PixelRect&) const = default;
};

// Nearest pixel, halves away from zero. A twips-per-pixel below 1 counts as 15 (96 dpi).
int ToPixels(int twips, int twipsPerPixel);
PixelRect ToPixels(const TwipsRect& r, int twipsPerPixelX, int twipsPerPixelY);

// The visible lightweight control (picture or label) at a client pixel, from
// the top of the z-order down. A disabled one takes the event from those below
// it and gives it to nobody.
Control* LightweightAt(const Form& form, int x, int y, int twipsPerPixelX, int twipsPerPixelY);

// Mouse arguments for a control from a client pixel: twips relative to the
// control's top-left corner, outside it when the mouse is held elsewhere.
MouseArgs RelativeTo(const Control& c, int x, int y, int twipsPerPixelX, int twipsPerPixelY, int button, int shift);

enum MouseButton { kLeftButton = 1, kRightButton = 2, kMiddleButton = 4 };

// The control that got a button down keeps every mouse event until the last
// button is up, wherever the pointer goes and even while it is hidden.
class MouseRouter {
 public:
  // A button went down over `hit`; returns the control that gets the event.
  Control* Down(Control* hit, int button);
  // The pointer moved over `hit`; returns the control that gets the event.
  Control* Move(Control* hit) const { return held_ != 0 ? captured_ : hit; }
  // A button went up; returns the control that got its down, null for a
  // button that went down elsewhere.
  Control* Up(int button);
  bool Holding() const { return held_ != 0; }
  // The mouse was taken away (another window, a message box).
  void Lost();
  // A control is going away: it gets nothing more.
  void Forget(const Control* c);

 private:
  Control* captured_ = nullptr;
  int held_ = 0;
};

// The controls Tab stops at (visible, enabled buttons, hot spots, boxes and
// options, not taken off the cycle), by TabIndex and then in declaration order.
std::vector<Control*> TabOrder(const Form& form);
// The tab stop after (before) `from`, wrapping round; the first (last) one when
// `from` is not a tab stop; null when there is none.
Control* NextTabStop(const Form& form, const Control* from, bool backwards);
// The buttons Enter and Esc press: visible and enabled, default or cancel.
Control* DefaultButton(const Form& form);
Control* CancelButton(const Form& form);
// What Enter presses: the focused control when it is a button or hot spot,
// else the default button.
Control* EnterButton(const Form& form, Control* focused);
// Esc in a dialog without a cancel button closes it as its close box does.
bool EscapeCloses(const Form& form);
// Where the focus goes when the window gets it: back to the control that had
// it if it still can take it, else to the first (by TabIndex) that can, on the
// Tab cycle or not; null when none can.
Control* FocusTarget(const Form& form);
// The available button or hot spot that Alt and this letter press, whatever its case.
Control* AccessKeyTarget(const Form& form, char key);
// Where a caption shows its access key: its first letter of that key, whatever
// the case; npos when it has none.
std::size_t AccessKeyPosition(const std::string& caption, char key);
// The caption as a window text: "&" before the access key, "&&" for a plain "&".
std::string WithAccessMark(const std::string& caption, char key);

}  // namespace ui
