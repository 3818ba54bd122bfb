#pragma once
// The main window's behaviour over its skinned view (mainwindow/MainView.h):
// the program's start-up object and owner of the run state. Its parts each
// own their share: the countdown engine, start-up and the command line, and
// the Sleep wording; what is left here are the flows its buttons start.
#include <cstdint>
#include <string>
#include <vector>

#include "app/Countdown.h"
#include "app/SleepWording.h"
#include "app/Startup.h"
#include "mainwindow/MainView.h"
#include "seams/Commands.h"
#include "seams/RunState.h"

class Windows;

class MainForm : public MainView, public RunState, public Commands {
 public:
  explicit MainForm(Windows& app);
  ~MainForm() override;

  // ---- What the other windows ask of it ----
  void Shutdown() override { ArreteBrillant_MouseUp(1, 0, 0, 0); }
  void Restart() override { RebooteBrillant_MouseUp(1, 0, 0, 0); }
  void Sleep() override { VeilleProlongeeBrillant_MouseUp(1, 0, 0, 0); }
  void Quit() override { ClseBrillant_MouseUp(1, 0, 0, 0); }
  void Options() override { TimeOptions_Click(); }
  void Cancel() override { Annule_Click(); }
  void TimeIsMoney(std::string& TimeH, std::string& TimeM, std::string& TimeS, bool TimeFormEnabled) override {
    countdown.TimeIsMoney(TimeH, TimeM, TimeS, TimeFormEnabled);
  }
  void CalculHoraire(std::int16_t& tmpHeure, std::int16_t& tmpMinute, std::int16_t& tmpSeconde) override {
    countdown.CalculHoraire(tmpHeure, tmpMinute, tmpSeconde);
  }
  void ActNow() override { countdown.ActNow(); }
  bool Postpone(int minutes) override { return countdown.Postpone(minutes); }
  void WatchShift(bool on) override { wording.WatchShift(on); }
  void ApplySleepWording() override { wording.ApplySleepWording(); }
  std::string SleepMenuCaption() const override { return wording.SleepMenuCaption(); }
  void ShowDigits(bool visible) override { MainView::ShowDigits(visible); }
  void SetDigits(const std::string& h, const std::string& m, const std::string& s) override {
    MainView::SetDigits(h, m, s);
  }
  void Digits(std::string& h, std::string& m, std::string& s) const override { MainView::Digits(h, m, s); }
  void DelayDialogShown(bool shown) override { Stoping = shown; }
  void OptionsClosed() override { StopOptions = false; }
  void CountdownWindowShown() override { Nmbr2Refresh = 0; }
  void CountdownWindowClosed() override { Nmbr2Refresh = 5; }
  void SetReduced(bool reduced) override { Reduced = reduced; }
  void SetTipPrefix(const std::string& prefix) override { SystrayText = prefix; }
  void PrepareRun(bool allNow, bool waitCmd) override;
  void ApplyOptions(const RunOptions& options) override;
  // Nothing was started after all: no action chosen, the tray free and idle.
  void DropChosenAction() override;

  Windows& app;

  // ---- Its parts, in the order their timers tick ----
  Countdown countdown;
  SleepWording wording;
  Startup startup;

  void Form_Initialize() { startup.Form_Initialize(); }
  void Form_Load() override { startup.Form_Load(); }
  void Form_Unload() override;

  // ---- Cancel and exit ----
  void Annule_Click();

  // ---- What the window's buttons start ----
  void ArreteBrillant_MouseUp(int Button, int Shift, float X, float Y);
  void RebooteBrillant_MouseUp(int Button, int Shift, float X, float Y);
  void VeilleProlongeeBrillant_MouseUp(int Button, int Shift, float X, float Y);
  void MinBrillant_MouseUp(int Button, int Shift, float X, float Y);
  void ClseBrillant_MouseUp(int Button, int Shift, float X, float Y);
  void TimeOptions_Click();

 private:
  friend class Countdown;
  friend class SleepWording;
  friend class Startup;

  void WireEvents();
  // The idle look of a window that was counting down.
  void RestoreIdleLook();
  // Shutdown and Sleep chosen: a prepared run starts, or the delay dialog opens.
  void ChooseAction(std::int16_t action);
  // The tray shows the action with its icon, in the set this system takes.
  void ShowInTray(const std::string& tip, std::int16_t action);
  // A countdown runs or a start waits: the action buttons do nothing.
  bool Busy() const override { return CountDown || !WaitName.empty(); }
  // Into the notification area and back, where there is one.
  void Reduce();
  void Restore();
};
