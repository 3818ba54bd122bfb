// The countdown window: the action's picture, the remaining time in words and
// a cancel button. The countdown engine and the tray drive it from outside.
#include "timeui/TimeStart.h"

#include <algorithm>
#include <cmath>

#include "seams/Actions.h"
#include "seams/Commands.h"
#include "seams/Postpone.h"
#include "seams/ResourceIds.h"
#include "seams/Texts.h"
#include "seams/Windows.h"
#include "text/Text.h"

using ui::ControlKind;

namespace {
// The design client area is 6420 x 1020; the form is sized by its outer
// rectangle, so add a tool window's frame (3 px a side) and small caption.
constexpr int kFrameTwips = 2 * 3 * 15;
constexpr int kCaptionTwips = 18 * 15;
constexpr int kClientWidth = 6420, kClientHeight = 1020;
// Outer width beyond the label's, so the text never runs under the frame.
constexpr int kWidthAroundLabel = 1125;
constexpr ui::TwipsRect kPicture{240, 240, 495, 495};  // 33 x 33 pixels
}  // namespace

TimeStart::TimeStart(Windows& a)
    : ui::Form(a.Svc(), "TimeStart", ui::FormStyle::ToolDialog,
               {0, 0, kClientWidth + kFrameTwips, kClientHeight + kFrameTwips + kCaptionTwips}, "..."),
      TimeLabel(*this, "TimeLabel", ControlKind::Label, {840, 390, 0, 195}, "..."),
      Annuler(*this, "Annuler", ControlKind::Button, {5280, 600, 1095, 375}, kCancelCaption),
      Reporter(*this, "Reporter", ControlKind::Button, {4080, 600, 1095, 375}, "+10 min"),
      TimeReadOut(*this, "TimeReadOut", ControlKind::ReadOut, {}),
      ArretPict(*this, "ArretPict", ControlKind::Picture, kPicture),
      RebootePict(*this, "RebootePict", ControlKind::Picture, kPicture),
      StandbyPict(*this, "StandbyPict", ControlKind::Picture, kPicture),
      app(a) {
  TimeLabel.SetAutoSize(true);
  TimeLabel.SetFont(ui::Font{"Tahoma", 8.25, false});  // sizes the label to "..."
  TimeReadOut.Echo({&TimeLabel});
  struct Pic {
    ui::Control& control;
    int id;
  };
  for (const Pic& p :
       {Pic{ArretPict, IDB_ARRET_PICT}, Pic{RebootePict, IDB_REBOOTE_PICT}, Pic{StandbyPict, IDB_STANDBY_PICT}}) {
    p.control.SetPicture(p.id);
    p.control.SetVisible(false);
  }
  Annuler.onClick = [this] { Annuler_Click(); };
  Reporter.onClick = [this] { app.Do().Postpone(kPostponeMinutes); };
  onCloseBox = [this] { app.UnloadTimeStart(); };
}

TimeStart::~TimeStart() = default;

void TimeStart::Form_Load() {
  CentreOnScreen();
  TimeLabel.SetBold(false);
  const RunState& main = app.State();
  // The action's own picture; the window's icon is the 256-colour one everywhere.
  for (ui::Control* picture : {&ArretPict, &RebootePict, &StandbyPict})
    if (picture->Picture() == ActionPicture(main.Action)) picture->SetVisible(true);
  if (IsAction(main.Action)) SetIcon(ActionIcon(main.Action, true));
  SetCaption(IsAction(main.Action) ? TextsOf(main.Action, main).windowCaption : "...");
}

void TimeStart::Form_Unload() {
  // Closed by whatever cause: the ticks leave the window alone from now on.
  app.Do().CountdownWindowClosed();
}

void TimeStart::RefreshTimeStart() {
  const RunState& main = app.State();
  std::string hh, mm, ss;  // as the main window's digits read
  app.Do().Digits(hh, mm, ss);
  TimeLabel.SetCaption(SpellRemainingTime(main.SystrayText, main.TpsH, main.TpsM, main.TpsS, hh, mm, ss));
  // Never narrower than the design width: a short text would otherwise leave
  // "Annuler" outside the window, and the countdown could not be cancelled here.
  SetWidth(std::max(TimeLabel.Bounds().width + kWidthAroundLabel, kClientWidth + kFrameTwips));
}

void TimeStart::Annuler_Click() { app.Do().Cancel(); }

std::string SpellRemainingTime(const std::string& prefix, int H, int M, int S, const std::string& hh,
                               const std::string& mm, const std::string& ss) {
  std::string text = prefix;
  bool wroteHoursOrMinutes = true;
  if (H >= 25) {
    // Days come from the hours text, as shown in the main window.
    const double hours = NumericValue(hh);
    const double days = std::floor(hours / 24);
    text += NumberText(days) + " jour(s) " + NumberText(hours - 24 * days) + " heure(s) ";
  } else if (H == 24) {
    text += "un jour ";
  } else if (H >= 2) {
    text += hh + " heures ";
  } else if (H == 1) {
    text += "une heure ";
  } else {
    wroteHoursOrMinutes = false;
  }

  if (M >= 2) {
    text += mm + " minutes ";
    wroteHoursOrMinutes = true;
  } else if (M == 1) {
    text += "une minute ";
    wroteHoursOrMinutes = true;
  }

  if (wroteHoursOrMinutes) text += "et ";

  if (S >= 2)
    text += ss + " secondes.";
  else if (S == 1)
    text += "une seconde.";
  else
    text += "zéro secondes.";
  return text;
}
