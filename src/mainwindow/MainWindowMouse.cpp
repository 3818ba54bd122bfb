// The skinned window's picture buttons: hover, press and release looks, the
// action flows they start, dragging and re-centring.
#include <algorithm>
#include <cmath>
#include <string>

#include "mainwindow/MainForm.h"
#include "platform/Platform.h"
#include "power/ShutModule.h"
#include "seams/Actions.h"
#include "seams/Windows.h"
#include "settings/FileModule.h"
#include "settings/OptionsForm.h"
#include "text/Text.h"
#include "timeui/TimeForm.h"
#include "tray/SystrayIcon.h"
#include "ui/Services.h"

namespace {

constexpr int kLeftButton = 1;

// Bounds included: a release exactly on the right or bottom edge still counts.
bool Inside(const ui::Control& c, float x, float y) {
  return x >= 0 && y >= 0 && x <= static_cast<float>(c.Bounds().width) && y <= static_cast<float>(c.Bounds().height);
}

// Pressed while the button is held over the highlight, highlighted otherwise.
void TrackPress(ui::Control& brillant, ui::Control& pressed, const ui::MouseArgs& e) {
  if (e.button == kLeftButton && Inside(brillant, e.x, e.y)) {
    pressed.SetVisible(true);
    brillant.SetVisible(false);
  } else {
    pressed.SetVisible(false);
    brillant.SetVisible(true);
  }
}

void ResetLook(ui::Control& normal, ui::Control& brillant, ui::Control& pressed) {
  pressed.SetVisible(false);
  brillant.SetVisible(false);
  normal.SetVisible(true);
}

void Highlight(ui::Control& normal, ui::Control& brillant) {
  brillant.SetVisible(true);
  normal.SetVisible(false);
}

void Unhighlight(ui::Control& normal, ui::Control& brillant) {
  normal.SetVisible(true);
  brillant.SetVisible(false);
}

// Window moves in whole twips; a wild pointer value cannot overflow the position.
int ClampedTwips(double value) {
  if (!std::isfinite(value)) return 0;
  constexpr double kLimit = 1 << 28;
  if (value > kLimit) value = kLimit;
  if (value < -kLimit) value = -kLimit;
  return static_cast<int>(std::lround(value));
}

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

// A left press on an action button shows only its pressed picture.
void Press(ui::Control& normal, ui::Control& bright, ui::Control& pressed, const ui::MouseArgs& e) {
  if (e.button != kLeftButton) return;
  pressed.SetVisible(true);
  normal.SetVisible(false);
  bright.SetVisible(false);
}

}  // namespace

// Shutdown and Sleep: a prepared run starts at once; otherwise the delay
// dialog opens and the tray shows the chosen action.
void MainForm::ChooseAction(std::int16_t action) {
  Stoping = true;
  Action = action;
  if (CmdAllnow && WaitCmd) {
    PerformAction();
  } else if (WaitCmd) {
    StartWaitingTime(*this);
  } else {
    app.LoadTimeForm().Show();
    SetEnabled(false);
    Stoping = true;
    ShowInTray(TextsOf(action, *this).chosenTip, action);
  }
}

// ---- Hover over the normal pictures ----

void MainForm::Arrete_MouseMove(const ui::MouseArgs&) { Highlight(Arrete, ArreteBrillant); }
void MainForm::Reboote_MouseMove(const ui::MouseArgs&) { Highlight(Reboote, RebooteBrillant); }
void MainForm::VeilleProlongee_MouseMove(const ui::MouseArgs&) { Highlight(VeilleProlongee, VeilleProlongeeBrillant); }
void MainForm::Min_MouseMove(const ui::MouseArgs&) { Highlight(Min, MinBrillant); }
void MainForm::Clse_MouseMove(const ui::MouseArgs&) { Highlight(Clse, ClseBrillant); }

// ---- Press and drag over the highlighted pictures ----

void MainForm::ArreteBrillant_MouseDown(const ui::MouseArgs& e) { Press(Arrete, ArreteBrillant, ArreteE, e); }
void MainForm::RebooteBrillant_MouseDown(const ui::MouseArgs& e) { Press(Reboote, RebooteBrillant, RebooteE, e); }
void MainForm::VeilleProlongeeBrillant_MouseDown(const ui::MouseArgs& e) {
  Press(VeilleProlongee, VeilleProlongeeBrillant, VeilleProlongeeE, e);
}

// The title-bar buttons leave their normal picture alone when pressed.
void MainForm::MinBrillant_MouseDown(const ui::MouseArgs& e) {
  if (e.button != kLeftButton) return;
  MinE.SetVisible(true);
  MinBrillant.SetVisible(false);
}

void MainForm::ClseBrillant_MouseDown(const ui::MouseArgs& e) {
  if (e.button != kLeftButton) return;
  CloseE.SetVisible(true);
  ClseBrillant.SetVisible(false);
}

void MainForm::ArreteBrillant_MouseMove(const ui::MouseArgs& e) { TrackPress(ArreteBrillant, ArreteE, e); }
void MainForm::RebooteBrillant_MouseMove(const ui::MouseArgs& e) { TrackPress(RebooteBrillant, RebooteE, e); }
void MainForm::VeilleProlongeeBrillant_MouseMove(const ui::MouseArgs& e) {
  TrackPress(VeilleProlongeeBrillant, VeilleProlongeeE, e);
}
void MainForm::MinBrillant_MouseMove(const ui::MouseArgs& e) { TrackPress(MinBrillant, MinE, e); }
void MainForm::ClseBrillant_MouseMove(const ui::MouseArgs& e) { TrackPress(ClseBrillant, CloseE, e); }

// ---- Releases: the actions ----

// While a countdown runs no button may change its action: a highlighted
// picture left up by a quick pointer sits above the grey strip and would
// still take the click.
void MainForm::ArreteBrillant_MouseUp(int Button, int, float X, float Y) {
  if (Button == kLeftButton && Inside(ArreteBrillant, X, Y) && !Busy()) ChooseAction(1);
  ResetLook(Arrete, ArreteBrillant, ArreteE);
}

void MainForm::RebooteBrillant_MouseUp(int Button, int, float X, float Y) {
  if (Button == kLeftButton && Inside(RebooteBrillant, X, Y) && !Busy()) {
    Stoping = true;
    Action = 2;
    // The restart button switches the tray before deciding, in every case.
    ShowInTray(TextsOf(2, *this).chosenTip, 2);
    if (CmdAllnow && WaitCmd) {
      PerformAction();
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
  if (Button == kLeftButton && Inside(VeilleProlongeeBrillant, X, Y) && !Busy()) ChooseAction(3);
  ResetLook(VeilleProlongee, VeilleProlongeeBrillant, VeilleProlongeeE);
}

void MainForm::ResetActionButtons() {
  ResetLook(Arrete, ArreteBrillant, ArreteE);
  ResetLook(Reboote, RebooteBrillant, RebooteE);
  ResetLook(VeilleProlongee, VeilleProlongeeBrillant, VeilleProlongeeE);
}

ui::Colour MainForm::TextColour(ui::Colour onSkin, bool dimmed) const {
  if (!highContrast_) return onSkin;
  return dimmed ? ui::kGrayTextColour : ui::kWindowTextColour;
}

void MainForm::EnableActionKeys(bool on) {
  for (ui::Control* key : {&VeilleProlongeeKey, &ArreteKey, &RebooteKey}) key->SetEnabled(on);
}

void MainForm::MinBrillant_MouseUp(int Button, int, float X, float Y) {
  if (Button == kLeftButton && Inside(MinBrillant, X, Y)) Reduce();
  Min.SetVisible(true);
  MinE.SetVisible(false);
}

void MainForm::ClseBrillant_MouseUp(int Button, int, float X, float Y) {
  if (Button != kLeftButton || !Inside(ClseBrillant, X, Y)) return;
  Hide();
  app.UnloadMain();
  app.CloseTray();
  app.UnloadTimeForm();
}

// ---- Background and title: highlights go, and they drag the window ----

void MainForm::Fond_MouseMove(const ui::MouseArgs& e) {
  Unhighlight(Min, MinBrillant);
  // While counting, DisablePic covers the action buttons: they are left as they are.
  if (!Busy()) {
    Unhighlight(Arrete, ArreteBrillant);
    Unhighlight(Reboote, RebooteBrillant);
    Unhighlight(VeilleProlongee, VeilleProlongeeBrillant);
  }
  if (e.button == kLeftButton) DragWindow(e.x, e.y);
}

void MainForm::Fond_MouseUp(const ui::MouseArgs&) {
  Unhighlight(Clse, ClseBrillant);
  Unhighlight(Min, MinBrillant);
  Unhighlight(Arrete, ArreteBrillant);
  Unhighlight(Reboote, RebooteBrillant);
  Unhighlight(VeilleProlongee, VeilleProlongeeBrillant);
}

void MainForm::Titre_MouseMove(const ui::MouseArgs& e) {
  Unhighlight(Min, MinBrillant);
  Unhighlight(Clse, ClseBrillant);
  if (e.button == kLeftButton) DragWindow(e.x, e.y);
}

void MainForm::Handle_MouseDown(const ui::MouseArgs& e) {
  if (e.button != kLeftButton) return;
  DragX = e.x;
  DragY = e.y;
}

void MainForm::Handle_MouseMove(const ui::MouseArgs& e) {
  if (e.button == kLeftButton) DragWindow(e.x, e.y);
}

// The pointer is relative to the grabbed control, which moves with the window,
// so moving by the offset from the anchor keeps the grabbed point under it.
void MainForm::DragWindow(float X, float Y) {
  if (X != DragX) SetLeft(ClampedTwips(static_cast<double>(Left()) + (static_cast<double>(X) - DragX)));
  if (Y != DragY) SetTop(ClampedTwips(static_cast<double>(Top()) + (static_cast<double>(Y) - DragY)));
}

// The top is worked out from the widths too, which on a wide screen puts it
// below the bottom edge (3840 x 1080): the window is then kept on the screen.
void MainForm::HomePosition(int& left, int& top) const {
  const ui::Screen& screen = Svc().screen;
  const int spare = screen.WidthTwips() - Width();
  left = std::clamp(spare / 2, 0, std::max(0, spare));
  top = std::clamp(spare / 3, 0, std::max(0, screen.HeightTwips() - Height()));
}

void MainForm::RecentreWindow() {
  int targetLeft = 0, targetTop = 0;
  HomePosition(targetLeft, targetTop);
  // Only a window moved both ways goes back.
  if (Left() == targetLeft || Top() == targetTop) return;
  Hide();
  SetLeft(targetLeft);
  SetTop(targetTop);
  Show();
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
