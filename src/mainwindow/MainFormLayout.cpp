// The main window's controls, where they stand and what their events call.
#include "mainwindow/MainForm.h"
#include "platform/Platform.h"
#include "power/ShutModule.h"
#include "seams/ResourceIds.h"
#include "seams/Texts.h"
#include "seams/Windows.h"
#include "settings/FileModule.h"
#include "tooltip/cToolTip.h"
#include "ui/Services.h"

using ui::ControlKind;

namespace {
const ui::Colour kLightBlue = ui::Rgb(0xAA, 0xC4, 0xFC);

ui::Font Tahoma(double size, bool bold) { return ui::Font{"Tahoma", size, bold}; }
}  // namespace

MainForm::MainForm(Windows& a)
    : ui::Form(a.Svc(), "MainForm", ui::FormStyle::Borderless, {0, 0, 5790, 3000}, kProgramName),
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
      Fond(*this, "Fond", ControlKind::Picture, {0, 0, 5790, 3000}),
      Timer1(*this, "Timer1", 1000, false, /*catchUp=*/true),
      CheckMaj(*this, "CheckMaj", 100, true),
      Patient(*this, "Patient", 1, false),
      WaitEnd(*this, "WaitEnd", 1000, false),
      app(a) {
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

  WireEvents();
}

MainForm::~MainForm() = default;

void MainForm::WireEvents() {
  Timer1.onTick = [this] { Timer1_Timer(); };
  CheckMaj.onTick = [this] { CheckMaj_Timer(); };
  Patient.onTick = [this] { Patient_Timer(); };
  WaitEnd.onTick = [this] { WaitEnd_Timer(); };

  // Alt+F4 quits the way the close picture does.
  onCloseBox = [this] { ClseBrillant_MouseUp(1, 0, 0, 0); };

  Annule.onClick = [this] { Annule_Click(); };
  TimeOptions.onClick = [this] { TimeOptions_Click(); };
  // Enter, Space and the access keys do what a click does.
  VeilleProlongeeKey.onClick = [this] { VeilleProlongeeBrillant_MouseUp(1, 0, 0, 0); };
  ArreteKey.onClick = [this] { ArreteBrillant_MouseUp(1, 0, 0, 0); };
  RebooteKey.onClick = [this] { RebooteBrillant_MouseUp(1, 0, 0, 0); };

  Arrete.onMouseMove = [this](const ui::MouseArgs& e) { Arrete_MouseMove(e); };
  Reboote.onMouseMove = [this](const ui::MouseArgs& e) { Reboote_MouseMove(e); };
  VeilleProlongee.onMouseMove = [this](const ui::MouseArgs& e) { VeilleProlongee_MouseMove(e); };

  ArreteBrillant.onMouseDown = [this](const ui::MouseArgs& e) { ArreteBrillant_MouseDown(e); };
  ArreteBrillant.onMouseMove = [this](const ui::MouseArgs& e) { ArreteBrillant_MouseMove(e); };
  ArreteBrillant.onMouseUp = [this](const ui::MouseArgs& e) { ArreteBrillant_MouseUp(e.button, e.shift, e.x, e.y); };
  RebooteBrillant.onMouseDown = [this](const ui::MouseArgs& e) { RebooteBrillant_MouseDown(e); };
  RebooteBrillant.onMouseMove = [this](const ui::MouseArgs& e) { RebooteBrillant_MouseMove(e); };
  RebooteBrillant.onMouseUp = [this](const ui::MouseArgs& e) { RebooteBrillant_MouseUp(e.button, e.shift, e.x, e.y); };
  VeilleProlongeeBrillant.onMouseDown = [this](const ui::MouseArgs& e) { VeilleProlongeeBrillant_MouseDown(e); };
  VeilleProlongeeBrillant.onMouseMove = [this](const ui::MouseArgs& e) { VeilleProlongeeBrillant_MouseMove(e); };
  VeilleProlongeeBrillant.onMouseUp = [this](const ui::MouseArgs& e) {
    VeilleProlongeeBrillant_MouseUp(e.button, e.shift, e.x, e.y);
  };

  Min.onMouseMove = [this](const ui::MouseArgs& e) { Min_MouseMove(e); };
  MinBrillant.onMouseDown = [this](const ui::MouseArgs& e) { MinBrillant_MouseDown(e); };
  MinBrillant.onMouseMove = [this](const ui::MouseArgs& e) { MinBrillant_MouseMove(e); };
  MinBrillant.onMouseUp = [this](const ui::MouseArgs& e) { MinBrillant_MouseUp(e.button, e.shift, e.x, e.y); };
  Clse.onMouseMove = [this](const ui::MouseArgs& e) { Clse_MouseMove(e); };
  ClseBrillant.onMouseDown = [this](const ui::MouseArgs& e) { ClseBrillant_MouseDown(e); };
  ClseBrillant.onMouseMove = [this](const ui::MouseArgs& e) { ClseBrillant_MouseMove(e); };
  ClseBrillant.onMouseUp = [this](const ui::MouseArgs& e) { ClseBrillant_MouseUp(e.button, e.shift, e.x, e.y); };

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

void MainForm::ShowDigits(bool visible) {
  for (ui::Control* c : {&TxtH, &TxtM, &TxtS, &Label1, &Label2}) c->SetVisible(visible);
}

void MainForm::SetDigits(const std::string& h, const std::string& m, const std::string& s) {
  TxtH.SetCaption(h);
  TxtM.SetCaption(m);
  TxtS.SetCaption(s);
}

void MainForm::Digits(std::string& h, std::string& m, std::string& s) const {
  h = TxtH.Caption();
  m = TxtM.Caption();
  s = TxtS.Caption();
}
