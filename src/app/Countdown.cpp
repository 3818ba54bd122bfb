// The countdown: starting it, one tick per second, the final seconds, the
// action at zero, and the Sleep wording that follows the Shift key.
#include <cmath>
#include <string>

#include "app/MainForm.h"
#include "platform/Platform.h"
#include "power/ShutModule.h"
#include "seams/Actions.h"
#include "seams/Postpone.h"
#include "seams/Texts.h"
#include "seams/Windows.h"
#include "settings/FileModule.h"
#include "text/Text.h"
#include "timeui/TimeForm.h"
#include "timeui/TimeStart.h"
#include "tray/SystrayIcon.h"
#include "ui/Services.h"

namespace {

const ui::Colour kDimmedShutdown = ui::Rgb(207, 220, 251);
const ui::Colour kDimmedOther = ui::Rgb(194, 211, 249);

// Rewrites a time field with a new value.
void SetField(std::string& field, double value) { field = NumberText(value); }

// An out-of-range value becomes one that can never pass as a delay.
std::uint8_t DelayByte(int value) { return value >= 0 && value <= 255 ? static_cast<std::uint8_t>(value) : 255; }

std::int16_t Saturate16(int value) {
  if (value > 32767) return 32767;
  if (value < -32768) return -32768;
  return static_cast<std::int16_t>(value);
}

}  // namespace

void MainForm::TimeIsMoney(std::string& TimeH, std::string& TimeM, std::string& TimeS, bool TimeFormEnabled) {
  WaitCmd = false;
  double h = NumericValue(TimeH), m = NumericValue(TimeM), s = NumericValue(TimeS);

  const bool readable = std::isfinite(h) && std::isfinite(m) && std::isfinite(s) && h >= 0 && m >= 0 && s >= 0;
  if (readable) {
    // Whole numbers from here on, so that what is checked is what runs.
    const auto whole = [](std::string& text, double& v) {
      if (FitsInteger(v) && ToInteger(v) != v) SetField(text, v = ToInteger(v));
    };
    whole(TimeH, h), whole(TimeM, m), whole(TimeS, s);
    if (h + m + s == 0) return;

    if (s >= 60 && s < 100) {
      SetField(TimeS, s - 60);
      SetField(TimeM, m + 1);
    }
    m = NumericValue(TimeM);
    if (m >= 60 && m <= 100) {
      SetField(TimeM, m - 60);
      SetField(TimeH, h + 1);
    }
    h = NumericValue(TimeH), m = NumericValue(TimeM), s = NumericValue(TimeS);
  }

  if (!readable || !(h >= 0 && h < 100 && m >= 0 && m < 60 && s >= 0 && s < 60)) {
    app.Svc().messageBoxes.Show("Erreur dans le délai", ui::kMbExclamation, "Information");
    SetDigits("00", "00", "00");
    // Only the delay dialog has fields to clear; a bad time may come from elsewhere.
    if (TimeForm* dialog = app.TimeFormIfLoaded()) {
      dialog->txtHeure.SetText("00");
      dialog->txtMinute.SetText("00");
      dialog->txtSeconde.SetText("00");
      dialog->SetFocus();
    }
    return;
  }

  // A countdown lives in the notification area, even one started from the
  // command line before the start-up opens it.
  app.OpenTray();
  if (!CmdTimStart) Reduce();
  if (CmdReduced) {
    Hide();
    SetState(ui::WindowState::Minimised);
  }
  TpsS = ToByte(s);
  TpsM = ToByte(m);
  TpsH = ToByte(h);
  // Set before the dialog closes: its closing reads CountDown to tell an action
  // now under way from one dropped (which it would take back).
  CountDown = true;
  if (TimeFormEnabled) app.UnloadTimeForm();
  if (!Reduced) Show();
  CmdReduced = false;
  ZeRo = 0;
  TxtS.SetCaption(NumberText(TpsS));
  TxtM.SetCaption(NumberText(TpsM));
  TxtH.SetCaption(NumberText(TpsH));
  app.Files().WriteLastTime(TpsH, TpsM, TpsS);
  for (ui::Control* c : {&TxtH, &TxtM, &TxtS}) c->SetCaption(PadTwo(c->Caption()));
  // Starting on a whole minute borrows at the first tick.
  if (NumericValue(TxtS.Caption()) == 0) ZeRo = 1;

  // A highlight left up would sit above the grey strip, clickable.
  ResetActionButtons();
  DisablePic.SetVisible(true);
  EnableActionKeys(false);
  ArreteLabel.SetForeColour(TextColour(kDimmedShutdown, true));
  RebooteLabel.SetForeColour(TextColour(kDimmedOther, true));
  VeilleProlongeeLabel.SetForeColour(TextColour(kDimmedOther, true));
  if (IsAction(Action)) Titre.SetCaption(TextsOf(Action, *this).title);
  Stoping = false;
  ++countdownSerial_;
  KeepAwake(true);
  Timer1.SetEnabled(true);
  if (!CmdTimStart) app.LoadTimeStart().Show();
  if (SystrayIcon* tray = app.Tray()) tray->IconRefresh();
  if (TimeStart* box = app.TimeStartIfLoaded()) box->RefreshTimeStart();
}

bool MainForm::Postpone(int minutes) {
  // Only a running countdown moves, and not while its cancel box waits.
  if (!CountDown || cancelling_ || !Timer1.Enabled()) return false;
  std::uint8_t h = TpsH, m = TpsM, s = TpsS;
  if (!AddMinutes(h, m, s, minutes)) {
    app.Os().Beep();
    return false;
  }
  TpsH = h, TpsM = m, TpsS = s;
  // As if it started now: a whole minute borrows at the next tick.
  ZeRo = s == 0 ? 1 : 0;
  SetDigits(PadTwo(NumberText(h)), PadTwo(NumberText(m)), PadTwo(NumberText(s)));

  // Out of the final seconds: the digits and the dimmed buttons come back.
  const bool finalSeconds = Petetout.Visible();
  ShowDigits(true);
  for (ui::Control* c :
       {&VeilleProlongee, &Arrete, &Reboote, &ArreteLabel, &RebooteLabel, &VeilleProlongeeLabel, &DisablePic})
    c->SetVisible(true);
  Petetout.SetVisible(false);
  Petetout2.SetVisible(false);
  if (finalSeconds && OldEndDesgn && !CmdTimStart) Reduce();  // the final seconds had brought it up

  if (SystrayIcon* tray = app.Tray()) {
    // The final seconds' icon goes, and the tip is written again whatever it said.
    tray->AddSystrayIcon(tray->Nid.tip, static_cast<std::int16_t>(ActionIcon(Action, app.System().xpLooks)));
    tray->IconRefresh(true);
  }
  if (!CmdTimStart) {
    Nmbr2Refresh = 0;
    TimeStart& box = app.LoadTimeStart();
    box.TimeLabel.SetBold(false);
    box.Show();
    box.RefreshTimeStart();
  }
  return true;
}

void MainForm::CalculHoraire(std::int16_t& tmpHeure, std::int16_t& tmpMinute, std::int16_t& tmpSeconde) {
  const ui::TimeOfDay now = app.Svc().clock.Now();
  // Worked in int: the 16-bit fields cannot overflow on the way.
  int h = tmpHeure - now.hour;
  if (h < 0) h += 24;
  int m = tmpMinute - now.minute;
  if (m < 0) {
    m += 60;
    if (--h < 0) h += 24;
  }
  int s = tmpSeconde - now.second;
  if (s < 0) {
    s += 60;
    if (--m < 0) {
      m += 60;
      if (--h < 0) h += 24;
    }
  }
  tmpHeure = Saturate16(h);
  tmpMinute = Saturate16(m);
  tmpSeconde = Saturate16(s);
  TpsH = DelayByte(h);
  TpsM = DelayByte(m);
  TpsS = DelayByte(s);
}

void MainForm::Timer1_Timer() {
  TxtM.SetCaption(PadTwo(TxtM.Caption()));
  if (TpsS > 0) {
    --TpsS;
    TxtS.SetCaption(PadTwo(NumberText(TpsS)));
    if (TpsH == 0 && TpsM == 0 && TpsS <= 5) {
      // The final seconds, in big digits.
      for (ui::Control* c : {&VeilleProlongee, &Arrete, &Reboote, &ArreteLabel, &RebooteLabel, &VeilleProlongeeLabel,
                             &DisablePic, &Label1, &Label2, &TxtH, &TxtM, &TxtS})
        c->SetVisible(false);
      Petetout.SetVisible(true);
      Petetout2.SetVisible(true);
      if (!CmdTimStart && !OldEndDesgn) {
        Nmbr2Refresh = 0;
        TimeStart& box = app.LoadTimeStart();
        box.ShowOnTop();  // the user may be working in another window
        box.TimeLabel.SetBold(true);
        box.RefreshTimeStart();
      } else {
        if (State() == ui::WindowState::Normal) Show();
        if (State() == ui::WindowState::Minimised) Restore();
      }
      Petetout.SetCaption(NumberText(TpsS));
      Petetout2.SetCaption(NumberText(TpsS));
      // XP shows the last seconds in the tray icon too.
      if (app.System().xpLooks && TpsS > 0) {
        TrayIconId = static_cast<std::int16_t>(CountdownIcon(TpsS));
        const std::string tip = IsAction(Action) ? TextsOf(Action, *this).tipPrefix + NumberText(TpsS) + "s ..." : "";
        if (SystrayIcon* tray = app.Tray()) tray->AddSystrayIcon(tip, TrayIconId);
      }
      if (TpsS > 0 && !Noding) app.Os().Beep();
    }
  }
  if (TpsS == 0 && ZeRo < 255) ++ZeRo;
  if (TpsM > 0 && TpsS == 0 && ZeRo >= 2) {
    --TpsM;
    TpsS = 59;
    TxtS.SetCaption(NumberText(TpsS));
    TxtM.SetCaption(PadTwo(NumberText(TpsM)));
    ZeRo = 0;
  }
  if (TpsM == 0 && TpsH > 0 && TpsS == 0 && ZeRo >= 2) {
    --TpsH;
    TxtH.SetCaption(PadTwo(NumberText(TpsH)));
    TpsM = 59;
    TpsS = 59;
    TxtM.SetCaption("59");
    TxtS.SetCaption("59");
    ZeRo = 0;
  }
  if (SystrayIcon* tray = app.Tray()) tray->IconRefresh();
  if (!CmdTimStart) {
    if (Nmbr2Refresh < 4) {
      if (TimeStart* box = app.TimeStartIfLoaded()) box->RefreshTimeStart();
      ++Nmbr2Refresh;
    } else if (Nmbr2Refresh == 4) {
      // Its closing sets Nmbr2Refresh to 5: the next ticks leave it alone.
      app.UnloadTimeStart();
    }
  }
  if (TpsH + TpsM + TpsS == 0) PerformAction();
}

void MainForm::PerformAction() {
  Timer1.SetEnabled(false);
  KeepAwake(false);  // the countdown is over, whatever comes of the call
  // An action button acting at once has set Stoping, yet no delay is being
  // entered: left set, it would turn every tray click away.
  Stoping = false;
  const std::int16_t action = Action;
  if (action < 1 || action > 3) return;
  if (action == 3) {
    app.CloseTray();
    app.UnloadTimeStart();
  }
  std::string refusal;
  if (PowerCall(action, LongStandby, refusal)) {
    // Back from sleep the program's work is done; otherwise the system ends it.
    if (action == 3)
      app.UnloadMain();
    else
      Hide();
    return;
  }
  ReturnToIdle(refusal);
}

bool MainForm::PowerCall(std::int16_t action, bool hibernate, std::string& refusal) {
  refusal.clear();
  if (!IsAction(action)) return false;
  if (CallPower(app.Shut(), action, hibernate)) return true;
  // Hibernation may be switched off while standby still works.
  if (action == 3 && hibernate) {
    if (app.Svc().messageBoxes.Show(
            "Windows a refusé la mise en veille prolongée.\r\nMettre l'ordinateur en veille à la place ?",
            ui::kMbOkCancel + ui::kMbQuestion, kProgramName) != ui::kIdOk)
      return false;
    if (CallPower(app.Shut(), action, false)) return true;
  }
  refusal = TextsOf(action, *this).refusal;
  return false;
}

void MainForm::KeepAwake(bool on) {
  if (on == awake_) return;
  awake_ = on;
  app.Os().SetThreadExecutionState(on ? platform::kEsContinuous | platform::kEsSystemRequired
                                      : platform::kEsContinuous);
}

void MainForm::ActNow() {
  const std::int16_t action = Action;
  const bool known = action >= 1 && action <= 3;
  std::string refusal;
  const bool done = known && PowerCall(action, LongStandby, refusal);
  if (done && action == 3) app.UnloadMain();  // the machine woke up: the program ends
  app.UnloadTimeForm();
  if (known && !done) ReturnToIdle(refusal);
}

void MainForm::WatchShift(bool on) { CheckMaj.SetEnabled(on && app.System().CanHibernate(ForceHibern)); }

void MainForm::CheckMaj_Timer() {
  const bool down = app.Os().GetAsyncKeyState(platform::kVkShift) != 0;
  if (down == ShiftHeld) return;
  ShiftHeld = down;
  ApplySleepWording();
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
