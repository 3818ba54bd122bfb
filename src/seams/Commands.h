#pragma once
// What the tray's menus, the dialogs and the countdown window ask of the main
// window. The main window is the one implementation; the others call these
// instead of reaching into it.
#include <cstdint>
#include <string>

struct RunOptions;

class Commands {
 public:
  virtual ~Commands() = default;

  // The flows of the main window's buttons, as a left-button release on them.
  virtual void Shutdown() = 0;
  virtual void Restart() = 0;
  virtual void Sleep() = 0;
  virtual void Quit() = 0;
  virtual void Options() = 0;
  // "Annuler": stops a countdown, drops a prepared run, or quits when idle.
  virtual void Cancel() = 0;

  // The countdown engine: starts a countdown from three time texts (rewritten
  // as it normalises them; the delay dialog closes when it came from there),
  // and turns a clock time into the delay until it (left in TpsH, TpsM, TpsS).
  virtual void TimeIsMoney(std::string& TimeH, std::string& TimeM, std::string& TimeS, bool TimeFormEnabled) = 0;
  virtual void CalculHoraire(std::int16_t& tmpHeure, std::int16_t& tmpMinute, std::int16_t& tmpSeconde) = 0;
  // A zero delay confirmed in the delay dialog: the chosen action at once;
  // the dialog closes, and a refused call comes back to idle with a word.
  virtual void ActNow() = 0;
  // Adds minutes to a running countdown's time left; a total past the
  // largest delay is refused with a beep. False when nothing moved.
  virtual bool Postpone(int minutes) = 0;
  // The chosen action came to nothing: no action, the tray free and idle.
  virtual void DropChosenAction() = 0;

  // The Shift watcher of the Sleep wording, paused while the delay dialog is open.
  virtual void WatchShift(bool on) = 0;
  // Hibernation or standby, and every text that names it.
  virtual void ApplySleepWording() = 0;
  virtual std::string SleepMenuCaption() const = 0;

  // The main window's time digits: shown or not, and what they read.
  virtual void ShowDigits(bool visible) = 0;
  virtual void SetDigits(const std::string& h, const std::string& m, const std::string& s) = 0;
  virtual void Digits(std::string& h, std::string& m, std::string& s) const = 0;

  // ---- The run state's changes the other windows make ----
  // The delay dialog opened or closed (Stoping).
  virtual void DelayDialogShown(bool shown) = 0;
  // The options dialog closed (StopOptions).
  virtual void OptionsClosed() = 0;
  // The countdown window shown afresh, so the ticks refresh it; or closed, so
  // they leave it alone (Nmbr2Refresh).
  virtual void CountdownWindowShown() = 0;
  virtual void CountdownWindowClosed() = 0;
  // The main window went into the notification area or came back (Reduced).
  virtual void SetReduced(bool reduced) = 0;
  // The tray tip's words before the time left (SystrayText).
  virtual void SetTipPrefix(const std::string& prefix) = 0;
  // Saved options while no countdown runs: an immediate run, and whether an
  // action button starts one at once (CmdAllnow, WaitCmd).
  virtual void PrepareRun(bool allNow, bool waitCmd) = 0;
  virtual void ApplyOptions(const RunOptions& options) = 0;
};
