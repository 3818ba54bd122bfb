#pragma once
// The headless backend: scripted message boxes and menus, a settable clock and
// screen. Used by the unit tests and the fuzz targets.
#include <deque>
#include <string>
#include <vector>

#include "ui/Services.h"
#include "ui/Timer.h"

namespace ui {

struct ShownBox {
  std::string text;
  int flags;
  std::string title;
};

class FakeMessageBoxes : public MessageBoxService {
 public:
  int Show(const std::string& text, int flags, const std::string& title) override;
  std::vector<ShownBox> shown;
  std::deque<int> answers;                      // answered in order; OK when empty
  std::function<void(const ShownBox&)> onShow;  // runs while the box "waits"
};

struct ShownMenu {
  std::string menu;
  std::vector<std::string> captions;
  std::string defaultItem;
};

class FakeMenus : public MenuService {
 public:
  void Popup(Form& owner, Menu& menu, const std::string& defaultItem) override;
  std::vector<ShownMenu> shown;
  std::deque<std::string> choices;  // item names chosen in order; none when empty
};

class FakeClock : public Clock {
 public:
  TimeOfDay Now() const override { return now; }
  std::string FormatNow() const override;
  TimeOfDay now{10, 0, 0};
};

class FakeScreen : public Screen {
 public:
  int WidthTwips() const override { return width; }
  int HeightTwips() const override { return height; }
  bool HighContrast() const override { return highContrast; }
  int width = 1024 * 15;
  int height = 768 * 15;
  bool highContrast = false;
};

// Everything a headless form needs, in one place.
struct FakeEnvironment {
  FakeScheduler scheduler;
  FakeMessageBoxes messageBoxes;
  FakeMenus menus;
  FakeClock clock;
  FakeScreen screen;
  Services services{scheduler, messageBoxes, menus, clock, screen};
};

}  // namespace ui
