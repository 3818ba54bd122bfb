#pragma once
// The main window's behaviour over its skinned view (mainwindow/MainView.h):
// the program's start-up object, owner of the run state, the countdown and
// the cancel logic, and the flows its buttons start.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "mainwindow/MainView.h"
#include "seams/Commands.h"
#include "seams/RunState.h"
#include "ui/SmallMap.h"
#include "ui/Timer.h"

class Windows;
class cToolTip;

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
  void ActNow() override;
  bool Postpone(int minutes) override;
  void WatchShift(bool on) override;
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

  ui::Timer Timer1;    // 1000 ms countdown tick
  ui::Timer CheckMaj;  // 100 ms Shift watcher
  ui::Timer Patient;   // 1 ms deferred opening of a preset action
  ui::Timer WaitEnd;   // 1000 ms look for the program a held start waits for

  // ---- Start-up and command line ----
  void Form_Initialize();
  void Form_Load() override;
  void Form_Unload() override;
  // The three buttons' balloons, made once the window is up.
  void AddBalloons();
  void Patient_Timer();
  void WaitEnd_Timer();
  // Splits Comm into Tabl (Tabl[0] is the first token).
  void TraiteCommande(const std::string& Comm, const std::string& Separator, std::vector<std::string>& Tabl);

  // ---- Countdown engine ----
  void TimeIsMoney(std::string& TimeH, std::string& TimeM, std::string& TimeS, bool TimeFormEnabled) override;
  void CalculHoraire(std::int16_t& tmpHeure, std::int16_t& tmpMinute, std::int16_t& tmpSeconde) override;
  void PerformAction();
  void Timer1_Timer();
  void CheckMaj_Timer();
  // Hibernation or standby, from the system, the forced option and the Shift
  // key, and every text that names it: fields, label, tray item, balloon.
  void ApplySleepWording() override;
  std::string SleepMenuCaption() const override;

  // ---- Cancel and exit ----
  void Annule_Click();
  // Nothing was started after all: no action chosen, the tray free and idle.
  void DropChosenAction() override;

  // ---- Power calls that may be refused ----
  // Performs the action; a refused hibernation offers standby instead. False
  // when nothing happened; refusal is then the text to tell the user (empty
  // when the user turned the standby offer down).
  bool PowerCall(std::int16_t action, bool hibernate, std::string& refusal);
  // After a refused power call: idle again, the window on screen, and the box.
  void ReturnToIdle(const std::string& refusal);

  // ---- What the window's buttons start ----
  void ArreteBrillant_MouseUp(int Button, int Shift, float X, float Y);
  void RebooteBrillant_MouseUp(int Button, int Shift, float X, float Y);
  void VeilleProlongeeBrillant_MouseUp(int Button, int Shift, float X, float Y);
  void MinBrillant_MouseUp(int Button, int Shift, float X, float Y);
  void ClseBrillant_MouseUp(int Button, int Shift, float X, float Y);
  void TimeOptions_Click();

  Windows& app;

  // The balloons of the action buttons, by the name of their picture.
  const SmallMap<std::string, std::unique_ptr<cToolTip>>& Balloons() const { return ToolTips; }

 private:
  // ---- Run state of the start-up, the countdown and the mouse, its own ----
  bool UseLastTime = false;
  bool OpenShutdown = false, OpenRestart = false, OpenSleep = false;
  bool HelpAsked = false;
  std::string LastH, LastM, LastS;
  std::string TimeArg;
  std::string HourArg;
  std::vector<std::string> Tokens;
  std::int16_t TrayIconId = 0;
  SmallMap<std::string, std::unique_ptr<cToolTip>> ToolTips;
  std::uint8_t PatientTicks = 0;
  bool ShiftHeld = false;

  void WireEvents();
  void ApplySwitches();
  // The start the command line and the settings ask for, now or once the
  // awaited program has ended.
  void StartAsked();
  // Holds the start until the awaited program ends; false (and a box) when
  // it does not run, or the system cannot tell.
  bool BeginWait(const std::string& program);
  // The held start will never come: nothing preset is left.
  void DropHeldStart();
  // No more waiting: the timer stops, the buttons and the idle tray come back.
  void EndWait();
  void ApplyTimeText();
  void PerformImmediateAction();
  void AddToolTip(ui::Control& button, const std::string& title, const std::string& text);
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
  // Keeps the system from sleeping for inactivity while a countdown runs.
  void KeepAwake(bool on);

  bool awake_ = false;
  bool cancelling_ = false;            // a cancel's box is up
  std::uint32_t countdownSerial_ = 0;  // one more for every countdown started
};
