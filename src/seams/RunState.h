#pragma once
// The program's run state, as plain data under the names every window knows
// it by: the main window's fields (the chosen action, the remaining time, the
// flags of this run) and the notification area's. The main window owns it;
// the other windows read it through their Windows and change it only through
// the named operations of Commands.
#include <cstdint>
#include <string>

struct RunState {
  // ---- The main window's ----
  std::string StandByTxt;         // the Sleep action in titles: "Veille prolongée" or "veille"
  std::string StandByTxtmin;      // the same in lower case
  std::int16_t Action = 0;        // 0 none, 1 Shutdown, 2 Restart, 3 Sleep
  bool Noding = false;            // silent: no beeps in the last seconds
  bool NoMinAfter = false;        // "-nomin", written back with the options
  bool CmdReduced = false;        // start in the notification area
  bool CountDown = false;         // a countdown runs
  bool CmdTimStart = false;       // no countdown window
  bool NoConfirm = false;         // no box when a countdown is cancelled
  bool UseHMode = false;          // the delay dialog starts in clock-time mode
  bool CmdAllnow = false;         // act at once, without a countdown
  bool ForceHibern = false;       // hibernation offered whatever the system
  bool WaitCmd = false;           // a time (or "now") waits for an action button
  bool LongStandby = false;       // Sleep hibernates (true) or stands by
  bool OldEndDesgn = false;       // the last seconds in the main window only
  std::uint8_t Nmbr2Refresh = 0;  // refreshes of the countdown window since it was shown
  std::uint8_t ZeRo = 0;          // ticks the seconds have spent at zero
  std::uint8_t TpsS = 0;          // remaining seconds
  std::uint8_t TpsM = 0;          // remaining minutes
  std::uint8_t TpsH = 0;          // remaining hours
  std::string WaitName;           // the program a held start waits for; empty when none

  // ---- The notification area's ----
  bool Stoping = false;      // an action was chosen and its delay is being entered
  std::string SystrayText;   // the tip's prefix for the running action ("Arrêt dans ")
  bool StopOptions = false;  // the options dialog is open
  bool Reduced = false;      // the main window is in the notification area
};

// The flags the options dialog sets on the running program.
struct RunOptions {
  bool OldEndDesgn = false;
  bool Noding = false;
  bool CmdTimStart = false;
  bool UseHMode = false;
  bool NoConfirm = false;
  bool ForceHibern = false;
};
