// The countdown: starting it, one tick per second, the final seconds, the
// action at zero and its refusal, and its cancel.
#include "app/Countdown.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "app/MainForm.h"
#include "platform/Platform.h"
#include "power/ShutModule.h"
#include "seams/Actions.h"
#include "seams/Postpone.h"
#include "seams/ResourceIds.h"
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

std::int16_t Saturate16(int value) { return static_cast<std::int16_t>(std::clamp(value, -32768, 32767)); }

}  // namespace

Countdown::Countdown(MainForm& main) : Timer1(main, "Timer1", 1000, false, /*catchUp=*/true), main_(main) {
  Timer1.onTick = [this] { Timer1_Timer(); };
}

Windows& Countdown::app() const { return main_.app; }

void Countdown::TimeIsMoney(std::string& TimeH, std::string& TimeM, std::string& TimeS, bool TimeFormEnabled) {
  main_.WaitCmd = false;
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
    app().Svc().messageBoxes.Show("Erreur dans le délai", ui::kMbExclamation, "Information");
    main_.SetDigits("00", "00", "00");
    // Only the delay dialog has fields to clear; a bad time may come from elsewhere.
    if (TimeForm* dialog = app().TimeFormIfLoaded()) {
      dialog->txtHeure.SetText("00");
      dialog->txtMinute.SetText("00");
      dialog->txtSeconde.SetText("00");
      dialog->SetFocus();
    }
    return;
  }

  // A countdown lives in the notification area, even one started from the
  // command line before the start-up opens it.
  app().OpenTray();
  if (!main_.CmdTimStart) main_.Reduce();
  if (main_.CmdReduced) {
    main_.Hide();
    main_.SetState(ui::WindowState::Minimised);
  }
  main_.TpsS = ToByte(s);
  main_.TpsM = ToByte(m);
  main_.TpsH = ToByte(h);
  // Set before the dialog closes: its closing reads CountDown to tell an action
  // now under way from one dropped (which it would take back).
  main_.CountDown = true;
  if (TimeFormEnabled) app().UnloadTimeForm();
  if (!main_.Reduced) main_.Show();
  main_.CmdReduced = false;
  main_.ZeRo = 0;
  main_.TxtS.SetCaption(NumberText(main_.TpsS));
  main_.TxtM.SetCaption(NumberText(main_.TpsM));
  main_.TxtH.SetCaption(NumberText(main_.TpsH));
  app().Files().WriteLastTime(main_.TpsH, main_.TpsM, main_.TpsS);
  for (ui::Control* c : {&main_.TxtH, &main_.TxtM, &main_.TxtS}) c->SetCaption(PadTwo(c->Caption()));
  // Starting on a whole minute borrows at the first tick.
  if (NumericValue(main_.TxtS.Caption()) == 0) main_.ZeRo = 1;

  // A highlight left up would sit above the grey strip, clickable.
  main_.ResetActionButtons();
  main_.DisablePic.SetVisible(true);
  main_.EnableActionKeys(false);
  main_.ArreteLabel.SetForeColour(main_.TextColour(kDimmedShutdown, true));
  main_.RebooteLabel.SetForeColour(main_.TextColour(kDimmedOther, true));
  main_.VeilleProlongeeLabel.SetForeColour(main_.TextColour(kDimmedOther, true));
  if (IsAction(main_.Action)) main_.Titre.SetCaption(TextsOf(main_.Action, main_).title);
  main_.Stoping = false;
  ++countdownSerial_;
  KeepAwake(true);
  Timer1.SetEnabled(true);
  if (!main_.CmdTimStart) app().LoadTimeStart().Show();
  if (SystrayIcon* tray = app().Tray()) tray->IconRefresh();
  if (TimeStart* box = app().TimeStartIfLoaded()) box->RefreshTimeStart();
}

bool Countdown::Postpone(int minutes) {
  // Only a running countdown moves, and not while its cancel box waits.
  if (!main_.CountDown || cancelling_ || !Timer1.Enabled()) return false;
  std::uint8_t h = main_.TpsH, m = main_.TpsM, s = main_.TpsS;
  if (!AddMinutes(h, m, s, minutes)) {
    app().Os().Beep();
    return false;
  }
  main_.TpsH = h, main_.TpsM = m, main_.TpsS = s;
  // As if it started now: a whole minute borrows at the next tick.
  main_.ZeRo = s == 0 ? 1 : 0;
  main_.SetDigits(PadTwo(NumberText(h)), PadTwo(NumberText(m)), PadTwo(NumberText(s)));

  // Out of the final seconds: the digits and the dimmed buttons come back.
  const bool finalSeconds = main_.Petetout.Visible();
  main_.ShowDigits(true);
  for (ui::Control* c : {&main_.VeilleProlongee, &main_.Arrete, &main_.Reboote, &main_.ArreteLabel, &main_.RebooteLabel,
                         &main_.VeilleProlongeeLabel, &main_.DisablePic})
    c->SetVisible(true);
  main_.Petetout.SetVisible(false);
  main_.Petetout2.SetVisible(false);
  if (finalSeconds && main_.OldEndDesgn && !main_.CmdTimStart) main_.Reduce();  // the final seconds had brought it up

  if (SystrayIcon* tray = app().Tray()) {
    // The final seconds' icon goes, and the tip is written again whatever it said.
    tray->AddSystrayIcon(tray->Nid.tip, static_cast<std::int16_t>(ActionIcon(main_.Action, app().System().xpLooks)));
    tray->IconRefresh(true);
  }
  if (!main_.CmdTimStart) {
    main_.Nmbr2Refresh = 0;
    TimeStart& box = app().LoadTimeStart();
    box.TimeLabel.SetBold(false);
    box.Show();
    box.RefreshTimeStart();
  }
  return true;
}

void Countdown::CalculHoraire(std::int16_t& tmpHeure, std::int16_t& tmpMinute, std::int16_t& tmpSeconde) {
  const ui::TimeOfDay now = app().Svc().clock.Now();
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
  main_.TpsH = DelayByte(h);
  main_.TpsM = DelayByte(m);
  main_.TpsS = DelayByte(s);
}

void Countdown::Timer1_Timer() {
  main_.TxtM.SetCaption(PadTwo(main_.TxtM.Caption()));
  if (main_.TpsS > 0) {
    --main_.TpsS;
    main_.TxtS.SetCaption(PadTwo(NumberText(main_.TpsS)));
    if (main_.TpsH == 0 && main_.TpsM == 0 && main_.TpsS <= 5) {
      // The final seconds, in big digits.
      for (ui::Control* c : {&main_.VeilleProlongee, &main_.Arrete, &main_.Reboote, &main_.ArreteLabel,
                             &main_.RebooteLabel, &main_.VeilleProlongeeLabel, &main_.DisablePic, &main_.Label1,
                             &main_.Label2, &main_.TxtH, &main_.TxtM, &main_.TxtS})
        c->SetVisible(false);
      main_.Petetout.SetVisible(true);
      main_.Petetout2.SetVisible(true);
      if (!main_.CmdTimStart && !main_.OldEndDesgn) {
        main_.Nmbr2Refresh = 0;
        TimeStart& box = app().LoadTimeStart();
        box.ShowOnTop();              // the user may be working in another window
        box.TimeLabel.SetBold(true);  // refreshed below, as Nmbr2Refresh is 0
      } else {
        if (main_.State() == ui::WindowState::Normal) main_.Show();
        if (main_.State() == ui::WindowState::Minimised) main_.Restore();
      }
      main_.Petetout.SetCaption(NumberText(main_.TpsS));
      main_.Petetout2.SetCaption(NumberText(main_.TpsS));
      // XP shows the last seconds in the tray icon too.
      if (app().System().xpLooks && main_.TpsS > 0) {
        TrayIconId = static_cast<std::int16_t>(CountdownIcon(main_.TpsS));
        const std::string tip =
            IsAction(main_.Action) ? TextsOf(main_.Action, main_).tipPrefix + NumberText(main_.TpsS) + "s ..." : "";
        if (SystrayIcon* tray = app().Tray()) tray->AddSystrayIcon(tip, TrayIconId);
      }
      if (main_.TpsS > 0 && !main_.Noding) app().Os().Beep();
    }
  }
  if (main_.TpsS == 0 && main_.ZeRo < 255) ++main_.ZeRo;
  if (main_.TpsM > 0 && main_.TpsS == 0 && main_.ZeRo >= 2) {
    --main_.TpsM;
    main_.TpsS = 59;
    main_.TxtS.SetCaption(NumberText(main_.TpsS));
    main_.TxtM.SetCaption(PadTwo(NumberText(main_.TpsM)));
    main_.ZeRo = 0;
  }
  if (main_.TpsM == 0 && main_.TpsH > 0 && main_.TpsS == 0 && main_.ZeRo >= 2) {
    --main_.TpsH;
    main_.TxtH.SetCaption(PadTwo(NumberText(main_.TpsH)));
    main_.TpsM = 59;
    main_.TpsS = 59;
    main_.TxtM.SetCaption("59");
    main_.TxtS.SetCaption("59");
    main_.ZeRo = 0;
  }
  if (SystrayIcon* tray = app().Tray()) tray->IconRefresh();
  if (!main_.CmdTimStart) {
    if (main_.Nmbr2Refresh < 4) {
      if (TimeStart* box = app().TimeStartIfLoaded()) box->RefreshTimeStart();
      ++main_.Nmbr2Refresh;
    } else if (main_.Nmbr2Refresh == 4) {
      // Its closing sets Nmbr2Refresh to 5: the next ticks leave it alone.
      app().UnloadTimeStart();
    }
  }
  if (main_.TpsH + main_.TpsM + main_.TpsS == 0) PerformAction();
}

void Countdown::PerformAction() {
  Timer1.SetEnabled(false);
  KeepAwake(false);  // the countdown is over, whatever comes of the call
  // An action button acting at once has set Stoping, yet no delay is being
  // entered: left set, it would turn every tray click away.
  main_.Stoping = false;
  const std::int16_t action = main_.Action;
  if (!IsAction(action)) return;
  if (action == 3) {
    app().CloseTray();
    app().UnloadTimeStart();
  }
  std::string refusal;
  if (PowerCall(action, main_.LongStandby, refusal)) {
    // Back from sleep the program's work is done; otherwise the system ends it.
    if (action == 3)
      app().UnloadMain();
    else
      main_.Hide();
    return;
  }
  ReturnToIdle(refusal);
}

bool Countdown::PowerCall(std::int16_t action, bool hibernate, std::string& refusal) {
  if (!IsAction(action)) return false;
  if (CallPower(app().Shut(), action, hibernate)) return true;
  // Hibernation may be switched off while standby still works.
  if (action == 3 && hibernate) {
    if (app().Svc().messageBoxes.Show(
            "Windows a refusé la mise en veille prolongée.\r\nMettre l'ordinateur en veille à la place ?",
            ui::kMbOkCancel + ui::kMbQuestion, kProgramName) != ui::kIdOk)
      return false;
    if (CallPower(app().Shut(), action, false)) return true;
  }
  refusal = TextsOf(action, main_).refusal;
  return false;
}

void Countdown::KeepAwake(bool on) {
  if (on == awake_) return;
  awake_ = on;
  app().Os().SetThreadExecutionState(on ? platform::kEsContinuous | platform::kEsSystemRequired
                                        : platform::kEsContinuous);
}

void Countdown::ActNow() {
  const std::int16_t action = main_.Action;
  const bool known = IsAction(action);
  std::string refusal;
  const bool done = known && PowerCall(action, main_.LongStandby, refusal);
  if (done && action == 3) app().UnloadMain();  // the machine woke up: the program ends
  app().UnloadTimeForm();
  if (known && !done) ReturnToIdle(refusal);
}

void Countdown::ReturnToIdle(const std::string& refusal) {
  if (main_.CountDown) {
    Timer1.SetEnabled(false);
    app().UnloadTimeStart();
    KeepAwake(false);
    main_.CountDown = false;
    main_.RestoreIdleLook();
  }
  // A refused sleep has already taken the icon away: it comes back here.
  app().OpenTray();
  main_.DropChosenAction();
  // Whatever hid it, the window comes back so that the user sees what happened.
  if (main_.Loaded()) main_.Restore();
  if (!refusal.empty()) app().Svc().messageBoxes.Show(refusal, ui::kMbExclamation, kProgramName);
}

void Countdown::Cancel() {
  // Stopped before any box can wait, so no tick runs behind it.
  Timer1.SetEnabled(false);
  app().UnloadTimeStart();
  KeepAwake(false);
  if (!main_.NoConfirm && IsAction(main_.Action)) {
    const ActionTexts texts = TextsOf(main_.Action, main_);
    main_.ShowInTray(texts.cancelledTip, main_.Action);
    const std::uint32_t serial = countdownSerial_;
    cancelling_ = true;
    app().Svc().messageBoxes.Show(texts.cancelledText, ui::kMbInformation, "Annulation");
    cancelling_ = false;
    // A countdown started while the box waited is not this box's to undo.
    if (serial != countdownSerial_) return;
  }
  main_.Action = 0;
  main_.CountDown = false;
  if (SystrayIcon* tray = app().Tray()) tray->AddSystrayIcon(kIdleTip, IDI_IDLE);
  main_.RestoreIdleLook();
  if (!main_.CmdTimStart) main_.Restore();
}
