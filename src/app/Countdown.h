#pragma once
// The countdown engine: starting a countdown, its ticks, the final seconds,
// the power call at zero and its refusal, and stopping it on a cancel. It
// works on the main window's run state and digits; MainForm owns it.
#include <cstdint>
#include <string>

#include "ui/Timer.h"

class MainForm;
class Windows;

class Countdown {
 public:
  explicit Countdown(MainForm& main);

  ui::Timer Timer1;  // 1000 ms countdown tick

  void TimeIsMoney(std::string& TimeH, std::string& TimeM, std::string& TimeS, bool TimeFormEnabled);
  void CalculHoraire(std::int16_t& tmpHeure, std::int16_t& tmpMinute, std::int16_t& tmpSeconde);
  void Timer1_Timer();
  void PerformAction();
  void ActNow();
  bool Postpone(int minutes);
  // The cancel of a running countdown, its box included.
  void Cancel();
  // A cancel's box is up.
  bool Cancelling() const { return cancelling_; }

  // Performs the action; a refused hibernation offers standby instead. False
  // when nothing happened; refusal is then the text to tell the user (empty
  // when the user turned the standby offer down).
  bool PowerCall(std::int16_t action, bool hibernate, std::string& refusal);
  // After a refused power call: idle again, the window on screen, and the box.
  void ReturnToIdle(const std::string& refusal);
  // Keeps the system from sleeping for inactivity while a countdown runs.
  void KeepAwake(bool on);

 private:
  Windows& app() const;

  MainForm& main_;
  std::int16_t TrayIconId = 0;
  bool awake_ = false;
  bool cancelling_ = false;            // a cancel's box is up
  std::uint32_t countdownSerial_ = 0;  // one more for every countdown started
};
