// The options dialog: shows the settings file and the running options, saves
// them and applies most of them at once.
#include "settings/OptionsForm.h"

#include "Version.h"
#include "power/ShutModule.h"
#include "seams/Actions.h"
#include "seams/Commands.h"
#include "seams/HelpMod.h"
#include "seams/Texts.h"
#include "seams/Windows.h"
#include "settings/FileModule.h"
#include "text/Text.h"
#include "ui/Services.h"

using ui::ControlKind;

namespace {
const char* const kVersionLine = "Crepuscule version " CREP_VERSION;
}  // namespace

OptionsForm::OptionsForm(Windows& a)
    : ui::Form(a.Svc(), "OptionsForm", ui::FormStyle::Dialog, {0, 0, 8490, 4545}, "Options de Crepuscule"),
      DesignEnd(*this, "DesignEnd", ControlKind::CheckBox, {3960, 2520, 4260, 255},
                "Compteur final dans la fenêtre principale"),
      ForceHib(*this, "ForceHib", ControlKind::CheckBox, {180, 1980, 3750, 255}, "Forcer la mise en veille prolongée"),
      NoConfirmBox(*this, "NoConfirmBox", ControlKind::CheckBox, {3960, 1080, 4260, 255},
                   "Ne pas afficher les confirmations"),
      HourMode(*this, "HourMode", ControlKind::CheckBox, {3960, 2160, 4260, 255}, "Toujours utiliser le mode horaire"),
      NoDiagTime(*this, "NoDiagTime", ControlKind::CheckBox, {180, 1620, 3750, 255}, "Désactiver la TimeSmartBox"),
      TimeControl(*this, "TimeControl", ControlKind::TextBox, {7260, 1740, 960, 300}, "00:00:00"),
      CheckSilence(*this, "CheckSilence", ControlKind::CheckBox, {180, 900, 3750, 255}, "Mode Silence"),
      MemTime(*this, "MemTime", ControlKind::CheckBox, {3960, 1440, 4260, 255}, "Utiliser le dernier temps enregistré"),
      Save(*this, "Save", ControlKind::Button, {4560, 3540, 1140, 375}, "Enregistrer"),
      Cancel(*this, "Cancel", ControlKind::Button, {5820, 3540, 1140, 375}, kCancelCaption),
      Help(*this, "Help", ControlKind::Button, {7080, 3540, 1140, 375}, "Aide"),
      StandbyAction(*this, "StandbyAction", ControlKind::OptionButton, {4200, 720, 4020, 255},
                    "Mettre en Veille Prolongée"),
      RestartAction(*this, "RestartAction", ControlKind::OptionButton, {4200, 450, 4020, 255}, kRestartVerb),
      ShutDownAction(*this, "ShutDownAction", ControlKind::OptionButton, {4200, 180, 4020, 255}, kShutdownVerb),
      SameAction(*this, "SameAction", ControlKind::CheckBox, {180, 180, 3750, 255},
                 "Toujours démarrer la même action..."),
      AlwaysAllNow(*this, "AlwaysAllNow", ControlKind::CheckBox, {180, 1260, 3750, 255},
                   "Désactiver le compteur en permanence"),
      AlwaysMin(*this, "AlwaysMin", ControlKind::CheckBox, {180, 540, 3750, 255}, "Toujours démarrer minimisé"),
      WinVersion(*this, "WinVersion", ControlKind::Label, {180, 3180, 8040, 210}, "Windows"),
      Retail(*this, "Retail", ControlKind::Label, {180, 2940, 8040, 210}, kProgramName),
      app(a) {
  SetBackColour(ui::kWhite);
  for (ui::Control* c : Controls())
    if (c->Kind() != ControlKind::Button && c->Kind() != ControlKind::TextBox) c->SetBackColour(ui::kWhite);

  ForceHib.SetToolTip("Active la veille prolongée sous Windows autre que Xp (sur les portables par exemple)");
  NoConfirmBox.SetToolTip(
      "Permet de ne plus afficher les fenêtres de messages qui confirment l'annulation d'une action...");
  HourMode.SetToolTip("Activera en permanence le mode horaire dans la fenêtre de temps ...");
  NoDiagTime.SetToolTip("Désactive l'affichage de la TimeSmartBox les 5 premières secondes du décompte...");
  TimeControl.SetToolTip("Contrôle du Temps");
  CheckSilence.SetToolTip("Active le mode silencieux de Crepuscule (pratique quand on écoute de la musique)");
  MemTime.SetToolTip("Lance Crepuscule avec le dernier temps utilisé...");
  SameAction.SetToolTip("Cette option permettra de toujours démarrer la même action au démarrage de Crepuscule...");
  AlwaysAllNow.SetToolTip("Active la fonction AllNow à tous les démarrages de Crepuscule...");
  AlwaysMin.SetToolTip("Cette option lancera toujours Crepuscule minimisé.");

  TimeControl.SetAlign(ui::Alignment::Centre);
  for (ui::Control* option : {&StandbyAction, &RestartAction, &ShutDownAction}) option->SetEnabled(false);
  ShutDownAction.SetValue(1);
  Cancel.SetCancel(true);

  // Tab order follows the layout: left column, right column, buttons.
  int tab = 0;
  for (ui::Control* c :
       {&SameAction, &AlwaysMin, &CheckSilence, &AlwaysAllNow, &NoDiagTime, &ForceHib, &ShutDownAction, &RestartAction,
        &StandbyAction, &NoConfirmBox, &MemTime, &TimeControl, &HourMode, &DesignEnd, &Save, &Cancel, &Help})
    c->SetTabIndex(tab++);

  SameAction.onClick = [this] { SameAction_Click(); };
  Save.onClick = [this] { Save_Click(); };
  Cancel.onClick = [this] { Cancel_Click(); };
  Help.onClick = [this] { Help_Click(); };
  onCloseBox = [this] { Cancel_Click(); };
}

OptionsForm::~OptionsForm() = default;

void OptionsForm::Form_Load() {
  const RunState& main = app.State();
  ShutModule& shut = app.Shut();
  CentreOnScreen();

  Retail.SetCaption(kVersionLine);
  WinVersion.SetCaption("Votre système d'exploitation est Windows " + shut.GetOSVersionString() + " (Windows " +
                        shut.GetOSDisplayName() + ").");
  if (!app.System().CanHibernate(main.ForceHibern)) StandbyAction.SetCaption("Mettre en " + main.StandByTxt);
  if (app.System().nt5) ForceHib.SetEnabled(false);

  // The file's own copies of the running options are not shown: the running
  // program's values are (switches may have changed them).
  bool alwaysMin = false, allNow = false, shutDown = false, restart = false, standby = false, memTime = false;
  bool ofTheRun{};  // read into one place and dropped
  std::string hours = "00", minutes = "00", seconds = "00";
  app.Files().ReadSettings(alwaysMin, allNow, shutDown, restart, standby, ofTheRun, ofTheRun, memTime, ofTheRun,
                           ofTheRun, ofTheRun, ofTheRun, ofTheRun, hours, minutes, seconds);
  OptMin = alwaysMin;
  OptAllNow = allNow;
  OptShutDown = shutDown;
  OptRestart = restart;
  OptStandby = standby;
  OptMemTime = memTime;
  OptH = hours;
  OptM = minutes;
  OptS = seconds;

  AlwaysMin.SetValue(OptMin ? 1 : 0);
  AlwaysAllNow.SetValue(OptAllNow ? 1 : 0);
  if (OptStandby) {
    EnableActions();
    StandbyAction.SetValue(1);
  }
  if (OptRestart) {
    EnableActions();
    RestartAction.SetValue(1);
  }
  if (OptShutDown) {
    EnableActions();
    ShutDownAction.SetValue(1);
  }

  DesignEnd.SetValue(main.OldEndDesgn ? 1 : 0);
  CheckSilence.SetValue(main.Noding ? 1 : 0);
  MemTime.SetValue(OptMemTime ? 1 : 0);
  NoDiagTime.SetValue(main.CmdTimStart ? 1 : 0);
  NoConfirmBox.SetValue(main.NoConfirm ? 1 : 0);
  ForceHib.SetValue(main.ForceHibern ? 1 : 0);
  HourMode.SetValue(main.UseHMode ? 1 : 0);

  TimeControl.SetText(OptH + ":" + OptM + ":" + OptS);
}

void OptionsForm::Form_Unload() {
  ui::Form& main = app.MainWindow();
  main.SetEnabled(true);
  app.Do().OptionsClosed();
  // A main window that is itself closing is not brought forward.
  if (main.Loaded() && main.State() == ui::WindowState::Normal) main.SetFocus();
}

void OptionsForm::EnableActions() {
  for (ui::Control* option : {&ShutDownAction, &RestartAction, &StandbyAction}) option->SetEnabled(true);
  SameAction.SetValue(1);
}

void OptionsForm::DisableActions() {
  for (ui::Control* option : {&ShutDownAction, &RestartAction, &StandbyAction}) option->SetEnabled(false);
}

void OptionsForm::SameAction_Click() {
  if (SameAction.Value() == 1)
    EnableActions();
  else
    DisableActions();
}

void OptionsForm::Save_Click() {
  const RunState& main = app.State();
  Commands& mainWindow = app.Do();

  OptAllNow = AlwaysAllNow.Value() == 1;
  OptMemTime = MemTime.Value() == 1;
  if (!main.CountDown) {
    // Like the start-up, a remembered delay of zero prepares nothing: an
    // action button would otherwise start an empty countdown and do nothing.
    mainWindow.PrepareRun(OptAllNow, OptMemTime && (OptAllNow || NumericValue(OptH + OptM + OptS) != 0));
    mainWindow.ShowDigits(!OptAllNow);
    if (OptMemTime)
      mainWindow.SetDigits(OptH, OptM, OptS);
    else
      mainWindow.SetDigits("00", "00", "00");
  }

  OptMin = AlwaysMin.Value() == 1;

  const bool same = SameAction.Value() == 1;
  OptStandby = same && StandbyAction.Value() == 1;
  OptRestart = same && RestartAction.Value() == 1;
  OptShutDown = same && ShutDownAction.Value() == 1;

  RunOptions flags;
  flags.OldEndDesgn = DesignEnd.Value() == 1;
  flags.Noding = CheckSilence.Value() == 1;
  flags.CmdTimStart = NoDiagTime.Value() == 1;
  flags.UseHMode = HourMode.Value() == 1;
  flags.NoConfirm = NoConfirmBox.Value() == 1;
  flags.ForceHibern = ForceHib.Value() == 1;
  mainWindow.ApplyOptions(flags);

  const bool saved = app.Files().WriteSettings(OptMin, OptAllNow, OptShutDown, OptRestart, OptStandby, main.NoMinAfter,
                                               main.Noding, OptMemTime, main.CmdTimStart, main.UseHMode, main.NoConfirm,
                                               main.ForceHibern, main.OldEndDesgn);

  mainWindow.ApplySleepWording();

  // Options that could not be written stay on screen, to be saved again or
  // dropped: closing would lose them without a word.
  if (saved) app.UnloadOptionsForm();
}

void OptionsForm::Cancel_Click() { app.UnloadOptionsForm(); }

void OptionsForm::Help_Click() { ShowHelp(app); }
