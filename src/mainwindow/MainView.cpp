// The main window's controls, where they stand, and how its pictures answer
// the mouse: hover, press, drag and re-centring.
#include "mainwindow/MainView.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "seams/ResourceIds.h"
#include "seams/Texts.h"
#include "ui/Services.h"

using ui::ControlKind;

namespace {
const ui::Colour kLightBlue = ui::Rgb(0xAA, 0xC4, 0xFC);

ui::Font Tahoma(double size, bool bold) { return ui::Font{"Tahoma", size, bold}; }

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
  return static_cast<int>(std::lround(std::clamp(value, -kLimit, kLimit)));
}

// A left press on an action button shows only its pressed picture.
void Press(ui::Control& normal, ui::Control& bright, ui::Control& pressed, const ui::MouseArgs& e) {
  if (e.button != kLeftButton) return;
  pressed.SetVisible(true);
  normal.SetVisible(false);
  bright.SetVisible(false);
}

}  // namespace

MainView::MainView(ui::Services& services)
    : ui::Form(services, "MainForm", ui::FormStyle::Borderless, {0, 0, 5790, 3000}, kProgramName),
      TimeOptions(*this, "TimeOptions", ControlKind::Button, {3600, 2520, 900, 300}, "Options"),
      ArreteE(*this, "ArreteE", ControlKind::WindowedPicture, {2640, 1080, 495, 495}),
      VeilleProlongeeBrillant(*this, "VeilleProlongeeBrillant", ControlKind::WindowedPicture, {720, 1080, 495, 495}),
      RebooteBrillant(*this, "RebooteBrillant", ControlKind::WindowedPicture, {4560, 1080, 495, 495}),
      ArreteBrillant(*this, "ArreteBrillant", ControlKind::WindowedPicture, {2640, 1080, 495, 495}),
      Annule(*this, "Annule", ControlKind::Button, {4635, 2520, 900, 300}, kCancelCaption),
      AaDefault(*this, "AaDefault", ControlKind::Button, {0, 3120, 255, 195}),
      VeilleProlongeeKey(*this, "VeilleProlongeeKey", ControlKind::HotSpot, {195, 1080, 1575, 915}),
      ArreteKey(*this, "ArreteKey", ControlKind::HotSpot, {2415, 1080, 975, 915}),
      RebooteKey(*this, "RebooteKey", ControlKind::HotSpot, {4155, 1080, 1335, 915}),
      DigitsReadOut(*this, "DigitsReadOut", ControlKind::ReadOut, {}),
      ClseBrillant(*this, "ClseBrillant", ControlKind::Picture, {5390, 45, 375, 390}),
      CloseE(*this, "CloseE", ControlKind::Picture, {5390, 45, 375, 390}),
      Clse(*this, "Clse", ControlKind::Picture, {5390, 40, 375, 390}),
      MinBrillant(*this, "MinBrillant", ControlKind::Picture, {5020, 40, 375, 390}),
      MinE(*this, "MinE", ControlKind::Picture, {5020, 40, 375, 390}),
      Min(*this, "Min", ControlKind::Picture, {5020, 40, 375, 390}),
      Petetout(*this, "Petetout", ControlKind::Label, {1920, 480, 1935, 1815}, "5"),
      Petetout2(*this, "Petetout2", ControlKind::Label, {2040, 600, 1935, 1815}, "5"),
      RebooteE(*this, "RebooteE", ControlKind::Picture, {4560, 1080, 495, 495}),
      VeilleProlongeeE(*this, "VeilleProlongeeE", ControlKind::Picture, {720, 1080, 495, 495}),
      DisablePic(*this, "DisablePic", ControlKind::Picture, {720, 1080, 4335, 495}),
      Label1(*this, "Label1", ControlKind::Label, {855, 2640, 90, 165}, ":"),
      Label2(*this, "Label2", ControlKind::Label, {480, 2640, 90, 165}, ":"),
      TxtS(*this, "TxtS", ControlKind::Label, {960, 2640, 255, 255}, "00"),
      TxtM(*this, "TxtM", ControlKind::Label, {600, 2640, 255, 255}, "00"),
      TxtH(*this, "TxtH", ControlKind::Label, {195, 2640, 240, 255}, "00"),
      Titre(*this, "Titre", ControlKind::Label, {195, 150, 5415, 375}, kShutdownTitle),
      RebooteLabel(*this, "RebooteLabel", ControlKind::Label, {4155, 1740, 1335, 255}, kRestartVerb),
      ArreteLabel(*this, "ArreteLabel", ControlKind::Label, {2415, 1740, 975, 255}, kShutdownVerb),
      VeilleProlongeeLabel(*this, "VeilleProlongeeLabel", ControlKind::Label, {195, 1740, 1575, 255}, kHibernateName),
      VeilleProlongee(*this, "VeilleProlongee", ControlKind::Picture, {720, 1080, 495, 495}),
      Reboote(*this, "Reboote", ControlKind::Picture, {4560, 1080, 495, 495}),
      Arrete(*this, "Arrete", ControlKind::Picture, {2640, 1080, 495, 495}),
      Fond(*this, "Fond", ControlKind::Picture, {0, 0, 5790, 3000}) {
  SetIcon(IDI_IDLE);
  TimeOptions.SetToolTip("Options de Crepuscule...");
  ClseBrillant.SetToolTip("Ferme Crepuscule...");
  MinBrillant.SetToolTip("Minimise Crepuscule...");

  struct Pic {
    ui::Control& control;
    int id;
    bool visible;
  };
  for (const Pic& p :
       {Pic{ArreteE, IDB_ARRETE_E, false}, Pic{VeilleProlongeeBrillant, IDB_VEILLE_BRILLANT, false},
        Pic{RebooteBrillant, IDB_REBOOTE_BRILLANT, false}, Pic{ArreteBrillant, IDB_ARRETE_BRILLANT, false},
        Pic{ClseBrillant, IDB_CLSE_BRILLANT, true}, Pic{CloseE, IDB_CLOSE_E, false}, Pic{Clse, IDB_CLSE, true},
        Pic{MinBrillant, IDB_MIN_BRILLANT, false}, Pic{MinE, IDB_MIN_E, false}, Pic{Min, IDB_MIN, true},
        Pic{RebooteE, IDB_REBOOTE_E, false}, Pic{VeilleProlongeeE, IDB_VEILLE_E, false},
        Pic{DisablePic, IDB_DISABLE, false}, Pic{VeilleProlongee, IDB_VEILLE, true}, Pic{Reboote, IDB_REBOOTE, true},
        Pic{Arrete, IDB_ARRETE, true}, Pic{Fond, IDB_FOND, true}}) {
    p.control.SetPicture(p.id);
    p.control.SetVisible(p.visible);
  }

  for (ui::Control* big : {&Petetout, &Petetout2}) {
    big->SetFont(Tahoma(72, true));
    big->SetVisible(false);
  }
  Petetout.SetForeColour(ui::kWhite);
  Petetout2.SetForeColour(kLightBlue);

  for (ui::Control* digits : {&Label1, &Label2, &TxtS, &TxtM, &TxtH}) {
    digits->SetForeColour(ui::kWhite);
    digits->SetFont(Tahoma(9.75, true));
  }
  Titre.SetFont(ui::Font{"Arial", 14.25, false});
  Titre.SetForeColour(ui::kWhite);
  for (ui::Control* caption : {&RebooteLabel, &ArreteLabel, &VeilleProlongeeLabel}) {
    caption->SetFont(Tahoma(8.25, true));
    caption->SetForeColour(ui::kWhite);
    caption->SetAlign(ui::Alignment::Centre);
  }
  // High contrast: the window's own colours give way to the system's, and the
  // dusk picture behind the texts goes (it stays a drag handle).
  highContrast_ = Svc().screen.HighContrast();
  if (highContrast_) {
    SetBackColour(ui::kWindowColour);
    Fond.SetPicture(0);
    for (ui::Control* text :
         {&Petetout, &Label1, &Label2, &TxtS, &TxtM, &TxtH, &Titre, &RebooteLabel, &ArreteLabel, &VeilleProlongeeLabel})
      text->SetForeColour(ui::kWindowTextColour);
    Petetout2.SetForeColour(ui::kWindowColour);  // the big digit's shadow
  }

  // The off-screen default button takes the focus first, so no visible
  // button shows a focus rectangle when the window opens.
  AaDefault.SetDefault(true);
  AaDefault.SetTabStop(false);
  // Each action covers its picture and its caption, whose words it bears.
  struct Key {
    ui::Control& key;
    ui::Control& label;
    char letter;
  };
  int tab = 0;
  for (const Key& k : {Key{VeilleProlongeeKey, VeilleProlongeeLabel, 'V'}, Key{ArreteKey, ArreteLabel, 'A'},
                       Key{RebooteKey, RebooteLabel, 'R'}}) {
    k.key.Echo({&k.label});
    k.key.SetAccessKey(k.letter);
    k.label.SetAccessKey(k.letter);
    k.key.SetTabIndex(++tab);
  }
  TimeOptions.SetTabIndex(++tab);
  Annule.SetTabIndex(++tab);
  // The last seconds' big digit is read out in place of the small ones.
  DigitsReadOut.Echo({&TxtH, &Label2, &TxtM, &Label1, &TxtS, &Petetout});

  Arrete.onMouseMove = [this](const ui::MouseArgs& e) { Arrete_MouseMove(e); };
  Reboote.onMouseMove = [this](const ui::MouseArgs& e) { Reboote_MouseMove(e); };
  VeilleProlongee.onMouseMove = [this](const ui::MouseArgs& e) { VeilleProlongee_MouseMove(e); };

  ArreteBrillant.onMouseDown = [this](const ui::MouseArgs& e) { ArreteBrillant_MouseDown(e); };
  ArreteBrillant.onMouseMove = [this](const ui::MouseArgs& e) { ArreteBrillant_MouseMove(e); };
  RebooteBrillant.onMouseDown = [this](const ui::MouseArgs& e) { RebooteBrillant_MouseDown(e); };
  RebooteBrillant.onMouseMove = [this](const ui::MouseArgs& e) { RebooteBrillant_MouseMove(e); };
  VeilleProlongeeBrillant.onMouseDown = [this](const ui::MouseArgs& e) { VeilleProlongeeBrillant_MouseDown(e); };
  VeilleProlongeeBrillant.onMouseMove = [this](const ui::MouseArgs& e) { VeilleProlongeeBrillant_MouseMove(e); };

  Min.onMouseMove = [this](const ui::MouseArgs& e) { Min_MouseMove(e); };
  MinBrillant.onMouseDown = [this](const ui::MouseArgs& e) { MinBrillant_MouseDown(e); };
  MinBrillant.onMouseMove = [this](const ui::MouseArgs& e) { MinBrillant_MouseMove(e); };
  Clse.onMouseMove = [this](const ui::MouseArgs& e) { Clse_MouseMove(e); };
  ClseBrillant.onMouseDown = [this](const ui::MouseArgs& e) { ClseBrillant_MouseDown(e); };
  ClseBrillant.onMouseMove = [this](const ui::MouseArgs& e) { ClseBrillant_MouseMove(e); };

  // Drag handles; Fond and Titre also reset the highlights.
  for (ui::Control* handle :
       {&Fond, &Titre, &DisablePic, &ArreteLabel, &RebooteLabel, &VeilleProlongeeLabel, &Petetout, &Petetout2}) {
    handle->onMouseDown = [this](const ui::MouseArgs& e) { Handle_MouseDown(e); };
    handle->onMouseMove = [this](const ui::MouseArgs& e) { Handle_MouseMove(e); };
    handle->onDblClick = [this] { RecentreWindow(); };
  }
  Fond.onMouseMove = [this](const ui::MouseArgs& e) { Fond_MouseMove(e); };
  Fond.onMouseUp = [this](const ui::MouseArgs& e) { Fond_MouseUp(e); };
  Titre.onMouseMove = [this](const ui::MouseArgs& e) { Titre_MouseMove(e); };
}

MainView::~MainView() = default;

void MainView::ShowDigits(bool visible) {
  for (ui::Control* c : {&TxtH, &TxtM, &TxtS, &Label1, &Label2}) c->SetVisible(visible);
}

void MainView::SetDigits(const std::string& h, const std::string& m, const std::string& s) {
  TxtH.SetCaption(h);
  TxtM.SetCaption(m);
  TxtS.SetCaption(s);
}

void MainView::Digits(std::string& h, std::string& m, std::string& s) const {
  h = TxtH.Caption();
  m = TxtM.Caption();
  s = TxtS.Caption();
}

// ---- Hover over the normal pictures ----

void MainView::Arrete_MouseMove(const ui::MouseArgs&) { Highlight(Arrete, ArreteBrillant); }
void MainView::Reboote_MouseMove(const ui::MouseArgs&) { Highlight(Reboote, RebooteBrillant); }
void MainView::VeilleProlongee_MouseMove(const ui::MouseArgs&) { Highlight(VeilleProlongee, VeilleProlongeeBrillant); }
void MainView::Min_MouseMove(const ui::MouseArgs&) { Highlight(Min, MinBrillant); }
void MainView::Clse_MouseMove(const ui::MouseArgs&) { Highlight(Clse, ClseBrillant); }

// ---- Press and drag over the highlighted pictures ----

void MainView::ArreteBrillant_MouseDown(const ui::MouseArgs& e) { Press(Arrete, ArreteBrillant, ArreteE, e); }
void MainView::RebooteBrillant_MouseDown(const ui::MouseArgs& e) { Press(Reboote, RebooteBrillant, RebooteE, e); }
void MainView::VeilleProlongeeBrillant_MouseDown(const ui::MouseArgs& e) {
  Press(VeilleProlongee, VeilleProlongeeBrillant, VeilleProlongeeE, e);
}

// The title-bar buttons leave their normal picture alone when pressed.
void MainView::MinBrillant_MouseDown(const ui::MouseArgs& e) {
  if (e.button != kLeftButton) return;
  MinE.SetVisible(true);
  MinBrillant.SetVisible(false);
}

void MainView::ClseBrillant_MouseDown(const ui::MouseArgs& e) {
  if (e.button != kLeftButton) return;
  CloseE.SetVisible(true);
  ClseBrillant.SetVisible(false);
}

void MainView::ArreteBrillant_MouseMove(const ui::MouseArgs& e) { TrackPress(ArreteBrillant, ArreteE, e); }
void MainView::RebooteBrillant_MouseMove(const ui::MouseArgs& e) { TrackPress(RebooteBrillant, RebooteE, e); }
void MainView::VeilleProlongeeBrillant_MouseMove(const ui::MouseArgs& e) {
  TrackPress(VeilleProlongeeBrillant, VeilleProlongeeE, e);
}
void MainView::MinBrillant_MouseMove(const ui::MouseArgs& e) { TrackPress(MinBrillant, MinE, e); }
void MainView::ClseBrillant_MouseMove(const ui::MouseArgs& e) { TrackPress(ClseBrillant, CloseE, e); }

void MainView::ResetActionButtons() {
  ResetLook(Arrete, ArreteBrillant, ArreteE);
  ResetLook(Reboote, RebooteBrillant, RebooteE);
  ResetLook(VeilleProlongee, VeilleProlongeeBrillant, VeilleProlongeeE);
}
ui::Colour MainView::TextColour(ui::Colour onSkin, bool dimmed) const {
  if (!highContrast_) return onSkin;
  return dimmed ? ui::kGrayTextColour : ui::kWindowTextColour;
}
void MainView::EnableActionKeys(bool on) {
  for (ui::Control* key : {&VeilleProlongeeKey, &ArreteKey, &RebooteKey}) key->SetEnabled(on);
}

bool MainView::ReleasedOn(const ui::Control& c, int button, float x, float y) {
  return button == kLeftButton && Inside(c, x, y);
}

void MainView::ResetLook(ui::Control& normal, ui::Control& brillant, ui::Control& pressed) {
  pressed.SetVisible(false);
  brillant.SetVisible(false);
  normal.SetVisible(true);
}

// ---- Background and title: highlights go, and they drag the window ----

void MainView::Fond_MouseMove(const ui::MouseArgs& e) {
  Unhighlight(Min, MinBrillant);
  // While counting, DisablePic covers the action buttons: they are left as they are.
  if (!Busy()) {
    Unhighlight(Arrete, ArreteBrillant);
    Unhighlight(Reboote, RebooteBrillant);
    Unhighlight(VeilleProlongee, VeilleProlongeeBrillant);
  }
  if (e.button == kLeftButton) DragWindow(e.x, e.y);
}

void MainView::Fond_MouseUp(const ui::MouseArgs&) {
  Unhighlight(Clse, ClseBrillant);
  Unhighlight(Min, MinBrillant);
  Unhighlight(Arrete, ArreteBrillant);
  Unhighlight(Reboote, RebooteBrillant);
  Unhighlight(VeilleProlongee, VeilleProlongeeBrillant);
}

void MainView::Titre_MouseMove(const ui::MouseArgs& e) {
  Unhighlight(Min, MinBrillant);
  Unhighlight(Clse, ClseBrillant);
  if (e.button == kLeftButton) DragWindow(e.x, e.y);
}

void MainView::Handle_MouseDown(const ui::MouseArgs& e) {
  if (e.button != kLeftButton) return;
  DragX = e.x;
  DragY = e.y;
}

void MainView::Handle_MouseMove(const ui::MouseArgs& e) {
  if (e.button == kLeftButton) DragWindow(e.x, e.y);
}

// The pointer is relative to the grabbed control, which moves with the window,
// so moving by the offset from the anchor keeps the grabbed point under it.
void MainView::DragWindow(float X, float Y) {
  if (X != DragX) SetLeft(ClampedTwips(static_cast<double>(Left()) + (static_cast<double>(X) - DragX)));
  if (Y != DragY) SetTop(ClampedTwips(static_cast<double>(Top()) + (static_cast<double>(Y) - DragY)));
}

// The top is worked out from the widths too, which on a wide screen puts it
// below the bottom edge (3840 x 1080): the window is then kept on the screen.
void MainView::HomePosition(int& left, int& top) const {
  const ui::Screen& screen = Svc().screen;
  const int spare = screen.WidthTwips() - Width();
  left = std::clamp(spare / 2, 0, std::max(0, spare));
  top = std::clamp(spare / 3, 0, std::max(0, screen.HeightTwips() - Height()));
}

void MainView::RecentreWindow() {
  int targetLeft = 0, targetTop = 0;
  HomePosition(targetLeft, targetTop);
  // Only a window moved both ways goes back.
  if (Left() == targetLeft || Top() == targetTop) return;
  Hide();
  SetLeft(targetLeft);
  SetTop(targetTop);
  Show();
}
