// "Annuler": stops a countdown, drops a prepared run, or quits when idle; and
// the way back to idle when a chosen action comes to nothing.
#include <string>

#include "app/MainForm.h"
#include "platform/Platform.h"
#include "seams/Actions.h"
#include "seams/ResourceIds.h"
#include "seams/Texts.h"
#include "seams/Windows.h"
#include "settings/FileModule.h"
#include "tray/SystrayIcon.h"
#include "ui/Services.h"

namespace {
constexpr std::int16_t kIdleIcon = IDI_IDLE;
}  // namespace

void MainForm::Annule_Click() {
  // One cancel at a time: a second one while the first box waits would leave
  // a stale box able to undo whatever comes next.
  if (cancelling_) return;
  if (!WaitName.empty()) {
    // The held start is dropped: the program stays, idle.
    EndWait();
    DropHeldStart();
    CmdReduced = false;
    RestoreIdleLook();
    Restore();
    return;
  }
  if (CountDown) {
    // Stopped before any box can wait, so no tick runs behind it.
    Timer1.SetEnabled(false);
    app.UnloadTimeStart();
    KeepAwake(false);
    if (!NoConfirm && IsAction(Action)) {
      const ActionTexts texts = TextsOf(Action, *this);
      ShowInTray(texts.cancelledTip, Action);
      const std::uint32_t serial = countdownSerial_;
      cancelling_ = true;
      app.Svc().messageBoxes.Show(texts.cancelledText, ui::kMbInformation, "Annulation");
      cancelling_ = false;
      // A countdown started while the box waited is not this box's to undo.
      if (serial != countdownSerial_) return;
    }
    Action = 0;
    CountDown = false;
    if (SystrayIcon* tray = app.Tray()) tray->AddSystrayIcon(kIdleTip, kIdleIcon);
    RestoreIdleLook();
    if (!CmdTimStart) Restore();
    return;
  }

  if (WaitCmd) {
    CmdAllnow = false;
    WaitCmd = false;
    ShowDigits(true);
    SetDigits("00", "00", "00");
    return;
  }

  app.CloseTray();
  app.UnloadTimeForm();
  app.UnloadOptionsForm();
  app.UnloadMain();
}

void MainForm::ShowInTray(const std::string& tip, std::int16_t action) {
  SystrayIcon* tray = app.Tray();
  if (!tray) return;
  // The 256-colour icon first; then, on systems other than XP, the 16-colour one.
  tray->AddSystrayIcon(tip, static_cast<std::int16_t>(ActionIcon(action, true)));
  if (!app.System().xpLooks) tray->AddSystrayIcon(tip, static_cast<std::int16_t>(ActionIcon(action, false)));
}

void MainForm::RestoreIdleLook() {
  for (ui::Control* c : {&VeilleProlongee, &Arrete, &Reboote, &Label1, &Label2, &TxtH, &TxtM, &TxtS})
    c->SetVisible(true);
  Petetout.SetVisible(false);
  Petetout2.SetVisible(false);
  for (ui::Control* c : {&ArreteLabel, &RebooteLabel, &VeilleProlongeeLabel}) {
    c->SetVisible(true);
    c->SetForeColour(TextColour(ui::kWhite));
  }
  DisablePic.SetVisible(false);
  EnableActionKeys(true);
  if (app.System().CanHibernate(ForceHibern)) CheckMaj.SetEnabled(true);
  Nmbr2Refresh = 0;
  Titre.SetCaption(kShutdownTitle);
  SetDigits("00", "00", "00");
}

void MainForm::EndWait() {
  WaitEnd.SetEnabled(false);
  WaitName.clear();
  DisablePic.SetVisible(false);
  if (SystrayIcon* tray = app.Tray()) tray->AddSystrayIcon(kIdleTip, kIdleIcon);
}

void MainForm::DropChosenAction() {
  Action = 0;
  Stoping = false;
  if (SystrayIcon* tray = app.Tray())
    if (tray->Icon() != kIdleIcon) tray->AddSystrayIcon(kIdleTip, kIdleIcon);
}

void MainForm::ReturnToIdle(const std::string& refusal) {
  if (CountDown) {
    Timer1.SetEnabled(false);
    app.UnloadTimeStart();
    KeepAwake(false);
    CountDown = false;
    RestoreIdleLook();
  }
  // A refused sleep has already taken the icon away: it comes back here.
  app.OpenTray();
  DropChosenAction();
  // Whatever hid it, the window comes back so that the user sees what happened.
  if (Loaded()) Restore();
  if (!refusal.empty()) app.Svc().messageBoxes.Show(refusal, ui::kMbExclamation, kProgramName);
}
