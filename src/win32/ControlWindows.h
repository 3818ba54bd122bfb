#pragma once
// The peers of the controls: lightweight ones (pictures, labels) that the form
// paints, and windowed ones that are child windows of the form.
#include <windows.h>

#include <memory>

#include "ui/Control.h"

namespace peers {

class FormWindow;

// `index` is the control's place in its form's list, which gives its window id.
std::unique_ptr<ui::ControlPeer> MakeControlPeer(FormWindow& form, ui::Control& control, int index);

}  // namespace peers
