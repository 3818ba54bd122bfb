#pragma once
// The options dialog "Options de Crepuscule".
#include <string>

#include "ui/Control.h"
#include "ui/Form.h"

class Windows;

class OptionsForm : public ui::Form {
 public:
  explicit OptionsForm(Windows& app);
  ~OptionsForm() override;

  ui::Control DesignEnd, ForceHib, NoConfirmBox, HourMode, NoDiagTime, TimeControl, CheckSilence, MemTime;
  ui::Control Save, Cancel, Help;
  ui::Control StandbyAction, RestartAction, ShutDownAction;
  ui::Control SameAction, AlwaysAllNow, AlwaysMin;
  ui::Control WinVersion, Retail;

  void Form_Load() override;
  void Form_Unload() override;
  void Save_Click();
  void Cancel_Click();
  void Help_Click();
  void SameAction_Click();
  void EnableActions();
  void DisableActions();

  Windows& app;
  bool OptMin = false, OptAllNow = false, OptMemTime = false;
  bool OptShutDown = false, OptRestart = false, OptStandby = false;
  std::string OptH, OptM, OptS;
};
