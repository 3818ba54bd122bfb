#include "timeui/TimeForm.h"
#include "app/App.h"
using ui::ControlKind;
TimeForm::TimeForm(App& a)
    : ui::Form(a.Svc(), "TimeForm", ui::FormStyle::Dialog, {0, 0, 4000, 2000}, "..."),
      LetsGo(*this, "LetsGo", ControlKind::Button, {}, "..."),
      txtHeure(*this, "txtHeure", ControlKind::TextBox, {}, "00"),
      txtMinute(*this, "txtMinute", ControlKind::TextBox, {}, "00"),
      txtSeconde(*this, "txtSeconde", ControlKind::TextBox, {}, "00"),
      Annuled(*this, "Annuled", ControlKind::Button, {}, "Annuler"),
      WithTime(*this, "WithTime", ControlKind::CheckBox, {}, "Horaire..."),
      pt2(*this, "pt2", ControlKind::Label, {}, ":"), Pt1(*this, "Pt1", ControlKind::Label, {}, ":"),
      Label1(*this, "Label1", ControlKind::Label, {}, "Heures"),
      Label2(*this, "Label2", ControlKind::Label, {}, "Minutes"),
      Label3(*this, "Label3", ControlKind::Label, {}, "Secondes"),
      TimeLabel(*this, "TimeLabel", ControlKind::Label, {}, "00:00:00"),
      TimeTimer(*this, "TimeTimer", 100, false), app(a) {}
TimeForm::~TimeForm() = default;
void TimeForm::Form_Load() {}
void TimeForm::Form_Unload() {}
void TimeForm::TimeTimer_Timer() {}
void TimeForm::txtHeure_Change() {}
void TimeForm::txtMinute_Change() {}
void TimeForm::txtSeconde_Change() {}
void TimeForm::txtField_GotFocus(ui::Control&) {}
void TimeForm::WithTime_Click() {}
void TimeForm::LetsGo_Click() {}
void TimeForm::Annuled_Click() {}
