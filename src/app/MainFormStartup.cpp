// Start-up of the main window: single instance, settings, command line, the
// immediate action or countdown it asks for, loading and unloading.
#include <algorithm>
#include <string>

#include "app/InstanceModule.h"
#include "app/MainForm.h"
#include "platform/Platform.h"
#include "seams/Actions.h"
#include "seams/HelpMod.h"
#include "seams/Postpone.h"
#include "seams/ResourceIds.h"
#include "seams/Texts.h"
#include "seams/Windows.h"
#include "settings/FileModule.h"
#include "text/Text.h"
#include "tooltip/cToolTip.h"
#include "tray/SystrayIcon.h"
#include "ui/Services.h"

namespace {

const char* const kCoffeeText = "Désolé mais je ne fais pas encore le café.\r\nDans une future version je l'espère :-P";
const char* const kBadDelayArg = "L'argument de temps (-t:) est suivi d'une information incorrecte.";
const char* const kBadHourArg = "L'argument de temps (-h:) est suivi d'une information incorrecte.";

// Tooltip look shared by the three action buttons.
constexpr std::int32_t kBalloon = 64, kInfoIcon = 1, kDefaultHover = -1, kPopupMs = 20000;
constexpr std::int32_t kButtonTextColour = static_cast<std::int32_t>(0x80000012);
constexpr std::int32_t kTooltipBackColour = static_cast<std::int32_t>(0x80000018);

const char* const kHibernateBalloon =
    " |Plonge votre ordinateur dans un coma profond ...|C'est sympa on est plus obligé de sauvegarder nos "
    "documents|actifs quand on veut éteindre l'ordinateur !!||Pressez sur [Shift] pour avoir la mise en veille "
    "classique...";
const char* const kStandbyBalloon =
    " |Plonge votre ordinateur dans le coma ...|C'est sympa pour faire des économies d'électricité sans fermer "
    "les|documents actifs !!";

// A field of a command-line time: empty (0, as in ",,,") or digits only,
// blanks aside. Letters, a fraction or a sign are refused rather than read as
// 0 or rounded, which could turn "half an hour" into an immediate, forced
// action.
bool WholeField(const std::string& text, double& value) {
  std::string digits;
  for (char c : text) {
    if (c == ' ' || c == '\t' || c == '\r' || c == '\n') continue;
    if (c < '0' || c > '9') return false;
    digits += c;
  }
  value = NumericValue(digits);
  return true;
}

}  // namespace

void MainForm::ApplySwitches() {
  for (const std::string& token : Tokens) {
    if (token == "-makecoffee") {
      app.Svc().messageBoxes.Show(kCoffeeText, ui::kMbInformation, "Machine à café");
    } else if (token == "-endinmain") {
      OldEndDesgn = true;
    } else if (token == "-forcehibernation") {
      ForceHibern = true;
      ApplySleepWording();
    } else if (token == "-noconfirm") {
      NoConfirm = true;
    } else if (token == "-noding") {
      Noding = true;
    } else if (token == "-nomin") {
      NoMinAfter = true;
    } else if (token == "-m") {
      CmdReduced = true;
    } else if (token == "-notimediag") {
      CmdTimStart = true;
    } else if (token == "-v") {
      OpenSleep = true;
      OpenRestart = OpenShutdown = false;
    } else if (token == "-r") {
      OpenRestart = true;
      OpenShutdown = OpenSleep = false;
    } else if (token == "-a") {
      OpenShutdown = true;
      OpenRestart = OpenSleep = false;
    } else if (token == "-n") {
      CmdAllnow = true;
    } else if (token == "-?") {
      ShowHelp(app);
      HelpAsked = true;
    }
    const std::string prefix = LeftChars(token, 3);
    if (prefix == "-h:")
      HourArg = MidChars(token, 3);
    else if (prefix == "-t:")
      TimeArg = MidChars(token, 3);
  }
}

void MainForm::ApplyTimeText() {
  TraiteCommande(TimeArg, ",", Tokens);
  bool valid = Tokens.size() >= 3;
  double field[3] = {0, 0, 0};
  for (std::size_t i = 0; valid && i < 3; ++i) valid = WholeField(Tokens[i], field[i]);
  const double h = field[0], m = field[1], s = field[2];
  if (valid && h + m + s == 0) {
    CmdAllnow = true;
    return;
  }
  valid = valid && h < 100 && m < 100 && s < 100;

  if (valid && !HourArg.empty()) {
    // Converted only once known to be small whole numbers.
    std::int16_t clockH = ToInteger(h), clockM = ToInteger(m), clockS = ToInteger(s);
    CalculHoraire(clockH, clockM, clockS);
    // Cannot happen with fields below 100, but a delay that does not fit is
    // refused rather than run.
    valid = clockH >= 0 && clockH < 100 && clockM >= 0 && clockM < 100 && clockS >= 0 && clockS < 100;
  }
  if (!valid) {
    app.Svc().messageBoxes.Show(HourArg.empty() ? kBadDelayArg : kBadHourArg, ui::kMbInformation, kProgramName);
    TimeArg.clear();
    HourArg.clear();
    return;
  }

  if (!OpenShutdown && !OpenRestart && !OpenSleep) {
    // A time without an action: the next action button uses it.
    WaitCmd = true;
    if (HourArg.empty()) {
      TxtH.SetCaption(PadTwo(Tokens[0]));
      TxtM.SetCaption(PadTwo(Tokens[1]));
      TxtS.SetCaption(PadTwo(Tokens[2]));
    } else {
      TxtH.SetCaption(PadTwo(NumberText(TpsH)));
      TxtM.SetCaption(PadTwo(NumberText(TpsM)));
      TxtS.SetCaption(PadTwo(NumberText(TpsS)));
    }
    return;
  }

  Action = OpenShutdown ? 1 : OpenRestart ? 2 : 3;
  std::string th, tm, ts;
  if (HourArg.empty()) {
    th = NumberText(h), tm = NumberText(m), ts = NumberText(s);
  } else {
    th = NumberText(TpsH), tm = NumberText(TpsM), ts = NumberText(TpsS);
  }
  TimeIsMoney(th, tm, ts, false);
  // Refused after all (99,60,0 carries to 100 hours): nothing is chosen.
  if (!CountDown) DropChosenAction();
}

void MainForm::PerformImmediateAction() {
  // At most one applies (the settings are made to agree at reading).
  const std::int16_t action = OpenShutdown ? 1 : OpenSleep ? 3 : OpenRestart ? 2 : 0;
  if (action == 0) {
    // The next action button acts at once: no time to show.
    WaitCmd = true;
    ShowDigits(false);
    return;
  }
  // The command line's immediate sleep hibernates only when forced.
  std::string refusal;
  if (PowerCall(action, ForceHibern, refusal)) return;
  // Refused: the program stays, idle, instead of ending as if it had worked.
  CmdAllnow = false;
  OpenShutdown = OpenRestart = OpenSleep = false;
  if (!refusal.empty()) app.Svc().messageBoxes.Show(refusal, ui::kMbExclamation, kProgramName);
}

void MainForm::TraiteCommande(const std::string& Comm, const std::string& Separator, std::vector<std::string>& Tabl) {
  // Every token is kept and looked at, however many there are.
  Tabl = ::TraiteCommande(Comm, Separator);
}

void MainForm::Form_Initialize() {
  platform::Platform& os = app.Os();
  os.InitCommonControls();
  // A second copy may only carry a postponement to the first.
  if (os.PrevInstance()) ActivatePreviousInstance(os, PostponeSwitch(::TraiteCommande(os.CommandLine(), " ")));

  app.Files().ReadSettings(CmdReduced, CmdAllnow, OpenShutdown, OpenRestart, OpenSleep, NoMinAfter, Noding, UseLastTime,
                           CmdTimStart, UseHMode, NoConfirm, ForceHibern, OldEndDesgn, LastH, LastM, LastS);
  // Decided before anything can show it: the help box, a countdown started
  // from the command line, its window and its first tip.
  ApplySleepWording();
  // A damaged file may carry several start-up actions: keep one, so that an
  // immediate start can never run two power actions in a row.
  if (OpenShutdown) OpenRestart = OpenSleep = false;
  if (OpenRestart) OpenSleep = false;

  if (UseLastTime && NumericValue(LastH + LastM + LastS) != 0) TimeArg = LastH + "," + LastM + "," + LastS;

  TraiteCommande(os.CommandLine(), " ", Tokens);
  ApplySwitches();
  const std::string awaited = HelpAsked ? std::string() : WaitSwitch(Tokens);
  if (!awaited.empty() && !BeginWait(awaited)) DropHeldStart();

  if (WaitName.empty()) StartAsked();
  if (HelpAsked) return;
  int left = 0, top = 0;
  HomePosition(left, top);
  SetLeft(left);
  SetTop(top);
  if (WaitCmd || !CmdAllnow || !WaitName.empty()) app.OpenTray();
  if (!WaitName.empty())
    if (SystrayIcon* tray = app.Tray()) tray->AddSystrayIcon(WaitTip(WaitName), IDI_IDLE);
}

void MainForm::StartAsked() {
  if (!CmdAllnow) {
    Tokens.clear();
    if (HelpAsked) return;
    if (!HourArg.empty()) TimeArg = HourArg;
    if (!TimeArg.empty()) ApplyTimeText();
  }
  if (CmdAllnow) PerformImmediateAction();
}

bool MainForm::BeginWait(const std::string& program) {
  std::vector<std::string> processes;
  const bool listed = app.Os().ProcessNames(processes);
  if (!listed || !ProgramRuns(processes, program)) {
    app.Svc().messageBoxes.Show(listed ? NotRunningText(program) : NoProcessListText(program), ui::kMbExclamation,
                                kProgramName);
    return false;
  }
  WaitName = program;
  DisablePic.SetVisible(true);
  WaitEnd.SetEnabled(true);
  return true;
}

void MainForm::DropHeldStart() {
  OpenShutdown = OpenRestart = OpenSleep = false;
  CmdAllnow = false;
  TimeArg.clear();
  HourArg.clear();
}

void MainForm::WaitEnd_Timer() {
  std::vector<std::string> processes;
  // A list that fails once proves nothing: the wait goes on.
  if (!app.Os().ProcessNames(processes) || ProgramRuns(processes, WaitName)) return;
  EndWait();
  // Back as a start without the wait would have left it; a countdown puts it
  // into the tray again.
  if (!CmdReduced) {
    Show();
    SetState(ui::WindowState::Normal);
    Reduced = false;
  }
  StartAsked();
  if (CmdAllnow && !WaitCmd) {
    // The action was taken: the program's work is done.
    Hide();
    app.UnloadMain();
    return;
  }
  if (CmdReduced) CmdReduced = false;
  if (TimeArg.empty() && (OpenShutdown || OpenRestart || OpenSleep)) Patient.SetEnabled(true);
}

void MainForm::Form_Load() {
  if (!WaitName.empty()) {
    // Waits in the notification area; -m is kept for when the wait ends.
    Hide();
    SetState(ui::WindowState::Minimised);
    Reduced = true;
    return;
  }
  if ((CmdAllnow && !WaitCmd) || HelpAsked) {
    Hide();
    app.UnloadMain();
    return;
  }

  if (CmdReduced) {
    Hide();
    SetState(ui::WindowState::Minimised);
    Reduced = true;
    CmdReduced = false;
  }

  if (TimeArg.empty() && !WaitCmd) {
    Action = 0;
    CountDown = false;
  }

  if (TimeArg.empty() && (OpenShutdown || OpenRestart || OpenSleep)) Patient.SetEnabled(true);
}

void MainForm::AddBalloons() {
  AddToolTip(ArreteBrillant, "Programmer l'arrêt de l'ordinateur",
             " |Arrêtez Windows (c'est bon pour le moral) ce qui vous permettra|de mettre votre ordinateur hors "
             "tension en toute sécurité sans|même y penser.");
  AddToolTip(RebooteBrillant, "Programmer le redémarrage de Windows",
             " |Ferme Windows et redémarre ... Très pratique quand ça commence à être|le bordel dans le système. (à "
             "faire environ toutes les 2 heures ... lol)");
  AddToolTip(VeilleProlongeeBrillant, "Programmer la mise en " + StandByTxtmin,
             LongStandby ? kHibernateBalloon : kStandbyBalloon);
}

void MainForm::AddToolTip(ui::Control& button, const std::string& title, const std::string& text) {
  std::unique_ptr<cToolTip>& tip = ToolTips[button.Name()];
  if (!tip) tip = std::make_unique<cToolTip>(app.Os());
  // Made again by the same object, the old window goes first: two balloons
  // on one button share its subclass, and the old one's end would take it.
  tip->Create(button, text, kBalloon, true, kInfoIcon, title, kButtonTextColour, kTooltipBackColour, kDefaultHover,
              kPopupMs);
}

void MainForm::ApplySleepWording() {
  const bool canHibernate = app.System().CanHibernate(ForceHibern);
  if (!canHibernate) ShiftHeld = false;  // its watcher stops
  LongStandby = canHibernate && !ShiftHeld;
  StandByTxt = LongStandby ? kHibernateName : "veille";
  StandByTxtmin = LongStandby ? "veille prolongée" : "veille";
  VeilleProlongeeLabel.SetCaption(LongStandby ? StandByTxt : "Mettre en " + StandByTxt);
  CheckMaj.SetEnabled(canHibernate);

  if (SystrayIcon* tray = app.Tray()) tray->ShowSleepWording();
  // The balloons exist once start-up has shown the window; this one is made again
  // only when its words change.
  const auto* tip = ToolTips.Find(VeilleProlongeeBrillant.Name());
  const std::string title = "Programmer la mise en " + StandByTxtmin;
  if (tip && (*tip)->Title() != title)
    AddToolTip(VeilleProlongeeBrillant, title, LongStandby ? kHibernateBalloon : kStandbyBalloon);
}

std::string MainForm::SleepMenuCaption() const { return LongStandby ? "&Veille Prolongée" : "Mise en &" + StandByTxt; }

void MainForm::Form_Unload() {
  KeepAwake(false);
  app.CloseTray();
  app.UnloadTimeStart();
  app.UnloadOptionsForm();
  app.UnloadTimeForm();
  ToolTips.clear();  // their windows go with the main window's
}

void MainForm::Patient_Timer() {
  // The second tick: by then the main window is on screen.
  if (PatientTicks == 1) {
    if (OpenShutdown && !CmdAllnow) ArreteBrillant_MouseUp(1, 0, 0, 0);
    if (OpenRestart && !CmdAllnow) RebooteBrillant_MouseUp(1, 0, 0, 0);
    if (OpenSleep && !CmdAllnow) VeilleProlongeeBrillant_MouseUp(1, 0, 0, 0);
    Patient.SetEnabled(false);
  }
  if (PatientTicks < 255) ++PatientTicks;
}
