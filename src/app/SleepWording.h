#pragma once
// The Sleep action's words: hibernation or standby, from the system, the
// forced option and the Shift key, and every text that names it (fields,
// label, tray item, balloon); with the action buttons' balloons that carry
// them. MainForm owns it.
#include <memory>
#include <string>

#include "ui/SmallMap.h"
#include "ui/Timer.h"

class MainForm;
class Windows;
class cToolTip;
namespace ui {
class Control;
}

class SleepWording {
 public:
  explicit SleepWording(MainForm& main);
  ~SleepWording();

  ui::Timer CheckMaj;  // 100 ms Shift watcher

  void ApplySleepWording();
  std::string SleepMenuCaption() const;
  // The Shift watcher, paused while the delay dialog is open.
  void WatchShift(bool on);
  void CheckMaj_Timer();

  // The three buttons' balloons, made once the window is up; dropped with it.
  void AddBalloons();
  void DropBalloons();
  // The balloons of the action buttons, by the name of their picture.
  const SmallMap<std::string, std::unique_ptr<cToolTip>>& Balloons() const { return ToolTips; }

 private:
  Windows& app() const;
  void AddToolTip(ui::Control& button, const std::string& title, const std::string& text);

  MainForm& main_;
  SmallMap<std::string, std::unique_ptr<cToolTip>> ToolTips;
  bool ShiftHeld = false;
};
