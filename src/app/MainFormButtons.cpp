// The main window's behaviour: what its buttons start (the action flows, the
// options, reducing and closing) and the events wired to it.
#include <string>

#include "app/MainForm.h"
#include "seams/Actions.h"
#include "seams/Windows.h"
#include "settings/OptionsForm.h"
#include "text/Text.h"
#include "timeui/TimeForm.h"
#include "tray/SystrayIcon.h"
#include "ui/Services.h"

namespace {

// A time prepared in advance starts as soon as an action is chosen, with the
// digits the window shows.
void StartWaitingTime(MainForm& main) {
  std::string h = NumberText(NumericValue(main.TxtH.Caption()));
  std::string m = NumberText(NumericValue(main.TxtM.Caption()));
  std::string s = NumberText(NumericValue(main.TxtS.Caption()));
  main.TimeIsMoney(h, m, s, false);
  // Refused (99:60:00 carries to 100 hours): the program is idle again, with a
  // tray that answers.
  if (!main.CountDown) main.DropChosenAction();
}

}  // namespace

MainForm::MainForm(Windows& a) : MainView(a.Svc()), app(a), countdown(*this), wording(*this), startup(*this) {
  WireEvents();
}

MainForm::~MainForm() = default;

void MainForm::WireEvents() {
  // Alt+F4 quits the way the close picture does.
  onCloseBox = [this] { ClseBrillant_MouseUp(1, 0, 0, 0); };

  Annule.onClick = [this] { Annule_Click(); };
  TimeOptions.onClick = [this] { TimeOptions_Click(); };
  // Enter, Space and the access keys do what a click does.
  VeilleProlongeeKey.onClick = [this] { VeilleProlongeeBrillant_MouseUp(1, 0, 0, 0); };
  ArreteKey.onClick = [this] { ArreteBrillant_MouseUp(1, 0, 0, 0); };
  RebooteKey.onClick = [this] { RebooteBrillant_MouseUp(1, 0, 0, 0); };

  ArreteBrillant.onMouseUp = [this](const ui::MouseArgs& e) { ArreteBrillant_MouseUp(e.button, e.shift, e.x, e.y); };
  RebooteBrillant.onMouseUp = [this](const ui::MouseArgs& e) { RebooteBrillant_MouseUp(e.button, e.shift, e.x, e.y); };
  VeilleProlongeeBrillant.onMouseUp = [this](const ui::MouseArgs& e) {
    VeilleProlongeeBrillant_MouseUp(e.button, e.shift, e.x, e.y);
  };
  MinBrillant.onMouseUp = [this](const ui::MouseArgs& e) { MinBrillant_MouseUp(e.button, e.shift, e.x, e.y); };
  ClseBrillant.onMouseUp = [this](const ui::MouseArgs& e) { ClseBrillant_MouseUp(e.button, e.shift, e.x, e.y); };
}

// Shutdown and Sleep: a prepared run starts at once; otherwise the delay
// dialog opens and the tray shows the chosen action.
void MainForm::ChooseAction(std::int16_t action) {
  Stoping = true;
  Action = action;
  if (CmdAllnow && WaitCmd) {
    countdown.PerformAction();
  } else if (WaitCmd) {
    StartWaitingTime(*this);
  } else {
    app.LoadTimeForm().Show();
    SetEnabled(false);
    Stoping = true;
    ShowInTray(TextsOf(action, *this).chosenTip, action);
  }
}

// ---- Releases: the actions ----

// While a countdown runs no button may change its action: a highlighted
// picture left up by a quick pointer sits above the grey strip and would
// still take the click.
void MainForm::ArreteBrillant_MouseUp(int Button, int, float X, float Y) {
  if (ReleasedOn(ArreteBrillant, Button, X, Y) && !Busy()) ChooseAction(1);
  ResetLook(Arrete, ArreteBrillant, ArreteE);
}

void MainForm::RebooteBrillant_MouseUp(int Button, int, float X, float Y) {
  if (ReleasedOn(RebooteBrillant, Button, X, Y) && !Busy()) {
    Stoping = true;
    Action = 2;
    // The restart button switches the tray before deciding, in every case.
    ShowInTray(TextsOf(2, *this).chosenTip, 2);
    if (CmdAllnow && WaitCmd) {
      countdown.PerformAction();
    } else if (WaitCmd) {
      StartWaitingTime(*this);
    } else {
      SetEnabled(false);
      app.LoadTimeForm().Show();
      Stoping = true;
    }
  }
  ResetLook(Reboote, RebooteBrillant, RebooteE);
}

void MainForm::VeilleProlongeeBrillant_MouseUp(int Button, int, float X, float Y) {
  if (ReleasedOn(VeilleProlongeeBrillant, Button, X, Y) && !Busy()) ChooseAction(3);
  ResetLook(VeilleProlongee, VeilleProlongeeBrillant, VeilleProlongeeE);
}

void MainForm::MinBrillant_MouseUp(int Button, int, float X, float Y) {
  if (ReleasedOn(MinBrillant, Button, X, Y)) Reduce();
  Min.SetVisible(true);
  MinE.SetVisible(false);
}

void MainForm::ClseBrillant_MouseUp(int Button, int, float X, float Y) {
  if (!ReleasedOn(ClseBrillant, Button, X, Y)) return;
  Hide();
  app.UnloadMain();  // its unload closes the tray and the other windows
}

void MainForm::TimeOptions_Click() {
  OptionsForm& options = app.LoadOptionsForm();
  StopOptions = true;
  SetEnabled(false);
  options.Show();
}

void MainForm::Reduce() {
  if (SystrayIcon* tray = app.Tray()) tray->Reduce();
}

void MainForm::Restore() {
  if (SystrayIcon* tray = app.Tray()) {
    tray->Restore();
  } else {
    // No notification area to come back from: the window shows all the same.
    Show();
    SetState(ui::WindowState::Normal);
  }
}

void MainForm::PrepareRun(bool allNow, bool waitCmd) {
  CmdAllnow = allNow;
  WaitCmd = waitCmd;
}

void MainForm::ApplyOptions(const RunOptions& options) {
  OldEndDesgn = options.OldEndDesgn;
  Noding = options.Noding;
  CmdTimStart = options.CmdTimStart;
  UseHMode = options.UseHMode;
  NoConfirm = options.NoConfirm;
  ForceHibern = options.ForceHibern;
}
