// "Annuler": drops a held start, stops a countdown (its parts do), drops a
// prepared run, or quits when idle; and the way back to idle.
#include <string>

#include "app/MainForm.h"
#include "seams/Actions.h"
#include "seams/ResourceIds.h"
#include "seams/Texts.h"
#include "seams/Windows.h"
#include "tray/SystrayIcon.h"

namespace {
constexpr std::int16_t kIdleIcon = IDI_IDLE;
}  // namespace

void MainForm::Annule_Click() {
  // One cancel at a time: a second one while the first box waits would leave
  // a stale box able to undo whatever comes next.
  if (countdown.Cancelling()) return;
  if (!WaitName.empty()) {
    startup.CancelWait();
    return;
  }
  if (CountDown) {
    countdown.Cancel();
    return;
  }

  if (WaitCmd) {
    CmdAllnow = false;
    WaitCmd = false;
    ShowDigits(true);
    SetDigits("00", "00", "00");
    return;
  }

  app.UnloadMain();  // its unload closes the tray and the other windows
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
  if (app.System().CanHibernate(ForceHibern)) wording.CheckMaj.SetEnabled(true);
  Nmbr2Refresh = 0;
  Titre.SetCaption(kShutdownTitle);
  SetDigits("00", "00", "00");
}

void MainForm::DropChosenAction() {
  Action = 0;
  Stoping = false;
  if (SystrayIcon* tray = app.Tray())
    if (tray->Icon() != kIdleIcon) tray->AddSystrayIcon(kIdleTip, kIdleIcon);
}

void MainForm::Form_Unload() {
  countdown.KeepAwake(false);
  app.CloseTray();
  app.UnloadTimeStart();
  app.UnloadOptionsForm();
  app.UnloadTimeForm();
  wording.DropBalloons();  // their windows go with the main window's
}
