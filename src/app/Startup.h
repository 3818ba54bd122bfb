#pragma once
// Start-up and the command line: the settings and switches read once, the
// immediate action or countdown they ask for, the start held until another
// program ends, and the preset action opened once the window is up. MainForm
// owns it.
#include <cstdint>
#include <string>
#include <vector>

#include "ui/Timer.h"

class MainForm;
class Windows;

class Startup {
 public:
  explicit Startup(MainForm& main);

  ui::Timer Patient;  // 1 ms deferred opening of a preset action
  ui::Timer WaitEnd;  // 1000 ms look for the program a held start waits for

  void Form_Initialize();
  void Form_Load();
  void Patient_Timer();
  void WaitEnd_Timer();
  // Splits Comm into Tabl (Tabl[0] is the first token).
  void TraiteCommande(const std::string& Comm, const std::string& Separator, std::vector<std::string>& Tabl);
  // "Annuler" while a start is held: it is dropped, the program stays, idle.
  void CancelWait();

 private:
  Windows& app() const;
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

  MainForm& main_;
  bool UseLastTime = false;
  bool OpenShutdown = false, OpenRestart = false, OpenSleep = false;
  bool HelpAsked = false;
  std::string LastH, LastM, LastS;
  std::string TimeArg;
  std::string HourArg;
  std::vector<std::string> Tokens;
  std::uint8_t PatientTicks = 0;
};
