#include "settings/OptionsForm.h"
#include "app/App.h"
using ui::ControlKind;
OptionsForm::OptionsForm(App& a)
    : ui::Form(a.Svc(), "OptionsForm", ui::FormStyle::Dialog, {0, 0, 7000, 5000}, "Options de Crepuscule"),
      DesignEnd(*this, "DesignEnd", ControlKind::CheckBox, {}, "Compteur final dans la fenêtre principale"),
      ForceHib(*this, "ForceHib", ControlKind::CheckBox, {}, "Forcer la mise en veille prolongée"),
      NoConfirmBox(*this, "NoConfirmBox", ControlKind::CheckBox, {}, "Ne pas afficher les confirmations"),
      HourMode(*this, "HourMode", ControlKind::CheckBox, {}, "Toujours utiliser le mode horaire"),
      NoDiagTime(*this, "NoDiagTime", ControlKind::CheckBox, {}, "Désactiver la TimeSmartBox"),
      TimeControl(*this, "TimeControl", ControlKind::TextBox, {}, "00:00:00"),
      CheckSilence(*this, "CheckSilence", ControlKind::CheckBox, {}, "Mode Silence"),
      MemTime(*this, "MemTime", ControlKind::CheckBox, {}, "Utiliser le dernier temps enregistré"),
      Save(*this, "Save", ControlKind::Button, {}, "Enregistrer"),
      Cancel(*this, "Cancel", ControlKind::Button, {}, "Annuler"),
      Help(*this, "Help", ControlKind::Button, {}, "Aide"),
      StandbyAction(*this, "StandbyAction", ControlKind::OptionButton, {}, "Mettre en Veille Prolongée"),
      RestartAction(*this, "RestartAction", ControlKind::OptionButton, {}, "Redémarrer"),
      ShutDownAction(*this, "ShutDownAction", ControlKind::OptionButton, {}, "Arrêter"),
      SameAction(*this, "SameAction", ControlKind::CheckBox, {}, "Toujours démarrer la même action..."),
      AlwaysAllNow(*this, "AlwaysAllNow", ControlKind::CheckBox, {}, "Désactiver le compteur en permanence"),
      AlwaysMin(*this, "AlwaysMin", ControlKind::CheckBox, {}, "Toujours démarrer minimisé"),
      WinVersion(*this, "WinVersion", ControlKind::Label, {}, "Windows"),
      Retail(*this, "Retail", ControlKind::Label, {}, "Crepuscule"), app(a) {}
OptionsForm::~OptionsForm() = default;
void OptionsForm::Form_Load() {}
void OptionsForm::Form_Unload() {}
void OptionsForm::Save_Click() {}
void OptionsForm::Cancel_Click() {}
void OptionsForm::Help_Click() {}
void OptionsForm::SameAction_Click() {}
void OptionsForm::EnableActions() {}
void OptionsForm::DisableActions() {}
