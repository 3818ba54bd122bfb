#pragma once
// What a control needs of the window it sits in: the services, the list it is
// part of (in z-order, the first on top) and the focus. Form is the one host;
// a control knows no more of it, so that controls never depend on forms.
#include <vector>

namespace ui {

struct Services;
class Control;

class ControlHost {
 public:
  Services& Svc() const { return services_; }
  const std::vector<Control*>& Controls() const { return controls_; }
  Control* Focused() const { return focused_; }
  // A control asks for the focus; the host gives it, through its window if it has one.
  virtual void FocusRequested(Control& c) = 0;

 protected:
  explicit ControlHost(Services& services) : services_(services) {}
  ~ControlHost() = default;

  Services& services_;
  std::vector<Control*> controls_;
  Control* focused_ = nullptr;

 private:
  friend class Control;
};

}  // namespace ui
