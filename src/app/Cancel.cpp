// "Annuler": stops a countdown, drops a prepared run, or quits when idle; and
// the way back to idle when a chosen action comes to nothing.
#include <string>

#include "app/MainForm.h"
#include "app/Windows.h"
#include "platform/Platform.h"
#include "power/ShutModule.h"
#include "settings/FileModule.h"
#include "tray/SystrayIcon.h"
#include "ui/Services.h"

namespace {
const char* const kIdleTip = "Crepuscule";
constexpr std::int16_t kIdleIcon = 112;
}  // namespace

void MainForm::Annule_Click() {
  // One cancel at a time: a second one while the first box waits would leave
  // a stale box able to undo whatever comes next.
  if (cancelling_) return;
  if (CountDown) {
    // Stopped before any box can wait, so no tick runs behind it.
    Timer1.SetEnabled(false);
    app.UnloadTimeStart();
    KeepAwake(false);
    if (!NoConfirm) {
      std::string tip, text;
      std::int16_t icon = 0;
      switch (Action) {
        case 1:
          tip = "Arrêt annulé.", text = "Extinction de l'ordinateur annulée.", icon = 101;
          break;
        case 2:
          tip = "Redémarrage annulé.", text = "Redémarrage de l'ordinateur annulé.", icon = 102;
          break;
        case 3:
          tip = text = "Mise en " + StandByTxt + " annulée.";
          icon = 103;
          break;
        default:
          break;
      }
      if (icon != 0) {
        if (SystrayIcon* tray = app.Tray()) {
          tray->AddSystrayIcon(tip, icon);
          // The 256-colour icons are for XP; other systems get the 16-colour ones.
          if (app.Shut().GetOSName() != "Xp") tray->AddSystrayIcon(tip, static_cast<std::int16_t>(icon + 20));
        }
        const std::uint32_t serial = countdownSerial_;
        cancelling_ = true;
        app.Svc().messageBoxes.Show(text, ui::kMbInformation, "Annulation");
        cancelling_ = false;
        // A countdown started while the box waited is not this box's to undo.
        if (serial != countdownSerial_) return;
      }
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
    for (ui::Control* c : {&TxtH, &TxtM, &TxtS, &Label1, &Label2}) c->SetVisible(true);
    TxtH.SetCaption("00");
    TxtM.SetCaption("00");
    TxtS.SetCaption("00");
    return;
  }

  app.CloseTray();
  app.UnloadTimeForm();
  app.UnloadOptionsForm();
  app.UnloadMain();
}

void MainForm::RestoreIdleLook() {
  for (ui::Control* c : {&VeilleProlongee, &Arrete, &Reboote, &Label1, &Label2, &TxtH, &TxtM, &TxtS})
    c->SetVisible(true);
  Petetout.SetVisible(false);
  Petetout2.SetVisible(false);
  for (ui::Control* c : {&ArreteLabel, &RebooteLabel, &VeilleProlongeeLabel}) {
    c->SetVisible(true);
    c->SetForeColour(ui::kWhite);
  }
  DisablePic.SetVisible(false);
  if (app.Shut().IsNT5() || ForceHibern) CheckMaj.SetEnabled(true);
  Nmbr2Refresh = 0;
  Titre.SetCaption("Arrêter l'ordinateur");
  TxtS.SetCaption("00");
  TxtM.SetCaption("00");
  TxtH.SetCaption("00");
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
  if (!refusal.empty()) app.Svc().messageBoxes.Show(refusal, ui::kMbExclamation, "Crepuscule");
}
