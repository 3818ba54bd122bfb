#pragma once
// The real services of the forms: timers on the application window, message
// boxes, popup menus, the clock and the screen.
#include <windows.h>

#include <string>

#include "ui/RunningTime.h"
#include "ui/Services.h"
#include "ui/Timer.h"

// Time that stands still while the machine sleeps, so a countdown pauses with
// it: the system's own such clock from Windows 7 on, the tick count less the
// sleeps before.
class Win32Scheduler : public ui::Scheduler {
 public:
  explicit Win32Scheduler(HWND window);
  std::int64_t Now() const override;
  // The application window's WM_TIMER and WM_POWERBROADCAST.
  void OnTimer() { FireDue(); }
  void OnPower(WPARAM event);

 protected:
  void Rearm() override;

 private:
  using UnbiasedTime = BOOL(WINAPI*)(PULONGLONG);
  HWND window_;
  UnbiasedTime unbiased_;
  mutable ui::RunningTime ticks_;
  bool armed_ = false;
};

class Win32MessageBoxes : public ui::MessageBoxService {
 public:
  int Show(const std::string& text, int flags, const std::string& title) override;
  ui::Services* services = nullptr;  // for the active form, the boxes' owner
};

class Win32Menus : public ui::MenuService {
 public:
  void Popup(ui::Form& owner, ui::Menu& menu, const std::string& defaultItem) override;
  // The last menu popped up, as the test hook reports it.
  const std::string& LastMenu() const { return lastMenu_; }

 private:
  std::string lastMenu_;
};

class Win32Clock : public ui::Clock {
 public:
  ui::TimeOfDay Now() const override;
  std::string FormatNow() const override;
};

class Win32Screen : public ui::Screen {
 public:
  Win32Screen();
  int WidthTwips() const override;
  int HeightTwips() const override;
  int TwipsPerPixelX() const override { return twipsPerPixelX_; }
  int TwipsPerPixelY() const override { return twipsPerPixelY_; }
  int TextWidthTwips(const std::string& text, const ui::Font& font) const override;
  bool HighContrast() const override;

 private:
  int dpiX_ = 96, dpiY_ = 96;
  int twipsPerPixelX_ = 15, twipsPerPixelY_ = 15;
};
