// Start-up: single instance, settings, command line, the immediate action or
// countdown it asks for, the held start, and the window's loading.
#include "app/Startup.h"

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
#include "tray/SystrayIcon.h"
#include "ui/Services.h"

namespace {

const char* const kCoffeeText = "Désolé mais je ne fais pas encore le café.\r\nDans une future version je l'espère :-P";
const char* const kBadDelayArg = "L'argument de temps (-t:) est suivi d'une information incorrecte.";
const char* const kBadHourArg = "L'argument de temps (-h:) est suivi d'une information incorrecte.";

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

Startup::Startup(MainForm& main)
    : Patient(main, "Patient", 1, false), WaitEnd(main, "WaitEnd", 1000, false), main_(main) {
  Patient.onTick = [this] { Patient_Timer(); };
  WaitEnd.onTick = [this] { WaitEnd_Timer(); };
}

Windows& Startup::app() const { return main_.app; }

void Startup::ApplySwitches() {
  for (const std::string& token : Tokens) {
    if (token == "-makecoffee") {
      app().Svc().messageBoxes.Show(kCoffeeText, ui::kMbInformation, "Machine à café");
    } else if (token == "-endinmain") {
      main_.OldEndDesgn = true;
    } else if (token == "-forcehibernation") {
      main_.ForceHibern = true;
      main_.ApplySleepWording();
    } else if (token == "-noconfirm") {
      main_.NoConfirm = true;
    } else if (token == "-noding") {
      main_.Noding = true;
    } else if (token == "-nomin") {
      main_.NoMinAfter = true;
    } else if (token == "-m") {
      main_.CmdReduced = true;
    } else if (token == "-notimediag") {
      main_.CmdTimStart = true;
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
      main_.CmdAllnow = true;
    } else if (token == "-?") {
      ShowHelp(app());
      HelpAsked = true;
    }
    const std::string prefix = LeftChars(token, 3);
    if (prefix == "-h:")
      HourArg = MidChars(token, 3);
    else if (prefix == "-t:")
      TimeArg = MidChars(token, 3);
  }
}

void Startup::ApplyTimeText() {
  TraiteCommande(TimeArg, ",", Tokens);
  bool valid = Tokens.size() >= 3;
  double field[3] = {0, 0, 0};
  for (std::size_t i = 0; valid && i < 3; ++i) valid = WholeField(Tokens[i], field[i]);
  const double h = field[0], m = field[1], s = field[2];
  if (valid && h + m + s == 0) {
    main_.CmdAllnow = true;
    return;
  }
  valid = valid && h < 100 && m < 100 && s < 100;

  if (valid && !HourArg.empty()) {
    // Converted only once known to be small whole numbers.
    std::int16_t clockH = ToInteger(h), clockM = ToInteger(m), clockS = ToInteger(s);
    main_.countdown.CalculHoraire(clockH, clockM, clockS);
  }
  if (!valid) {
    app().Svc().messageBoxes.Show(HourArg.empty() ? kBadDelayArg : kBadHourArg, ui::kMbInformation, kProgramName);
    TimeArg.clear();  // nothing to wait for: an action switch opens its dialog
    return;
  }

  if (!OpenShutdown && !OpenRestart && !OpenSleep) {
    // A time without an action: the next action button uses it.
    main_.WaitCmd = true;
    if (HourArg.empty()) {
      main_.TxtH.SetCaption(PadTwo(Tokens[0]));
      main_.TxtM.SetCaption(PadTwo(Tokens[1]));
      main_.TxtS.SetCaption(PadTwo(Tokens[2]));
    } else {
      main_.TxtH.SetCaption(PadTwo(NumberText(main_.TpsH)));
      main_.TxtM.SetCaption(PadTwo(NumberText(main_.TpsM)));
      main_.TxtS.SetCaption(PadTwo(NumberText(main_.TpsS)));
    }
    return;
  }

  main_.Action = OpenShutdown ? 1 : OpenRestart ? 2 : 3;
  std::string th, tm, ts;
  if (HourArg.empty()) {
    th = NumberText(h), tm = NumberText(m), ts = NumberText(s);
  } else {
    th = NumberText(main_.TpsH), tm = NumberText(main_.TpsM), ts = NumberText(main_.TpsS);
  }
  main_.countdown.TimeIsMoney(th, tm, ts, false);
  // Refused after all (99,60,0 carries to 100 hours): nothing is chosen.
  if (!main_.CountDown) main_.DropChosenAction();
}

void Startup::PerformImmediateAction() {
  // At most one applies (the settings are made to agree at reading).
  const std::int16_t action = OpenShutdown ? 1 : OpenSleep ? 3 : OpenRestart ? 2 : 0;
  if (action == 0) {
    // The next action button acts at once: no time to show.
    main_.WaitCmd = true;
    main_.ShowDigits(false);
    return;
  }
  // The command line's immediate sleep hibernates only when forced.
  std::string refusal;
  if (main_.countdown.PowerCall(action, main_.ForceHibern, refusal)) return;
  // Refused: the program stays, idle, instead of ending as if it had worked.
  main_.CmdAllnow = false;
  OpenShutdown = OpenRestart = OpenSleep = false;
  if (!refusal.empty()) app().Svc().messageBoxes.Show(refusal, ui::kMbExclamation, kProgramName);
}

void Startup::TraiteCommande(const std::string& Comm, const std::string& Separator, std::vector<std::string>& Tabl) {
  // Every token is kept and looked at, however many there are.
  Tabl = ::TraiteCommande(Comm, Separator);
}

void Startup::Form_Initialize() {
  platform::Platform& os = app().Os();
  os.InitCommonControls();
  // A second copy may only carry a postponement to the first.
  if (os.PrevInstance()) ActivatePreviousInstance(os, PostponeSwitch(::TraiteCommande(os.CommandLine(), " ")));

  app().Files().ReadSettings(main_.CmdReduced, main_.CmdAllnow, OpenShutdown, OpenRestart, OpenSleep, main_.NoMinAfter,
                             main_.Noding, UseLastTime, main_.CmdTimStart, main_.UseHMode, main_.NoConfirm,
                             main_.ForceHibern, main_.OldEndDesgn, LastH, LastM, LastS);
  // Decided before anything can show it: the help box, a countdown started
  // from the command line, its window and its first tip.
  main_.ApplySleepWording();
  // A damaged file may carry several start-up actions: keep one, so that an
  // immediate start can never run two power actions in a row.
  if (OpenShutdown) OpenRestart = OpenSleep = false;
  if (OpenRestart) OpenSleep = false;

  if (UseLastTime && NumericValue(LastH + LastM + LastS) != 0) TimeArg = LastH + "," + LastM + "," + LastS;

  TraiteCommande(os.CommandLine(), " ", Tokens);
  ApplySwitches();
  const std::string awaited = HelpAsked ? std::string() : WaitSwitch(Tokens);
  if (!awaited.empty() && !BeginWait(awaited)) DropHeldStart();

  if (main_.WaitName.empty()) StartAsked();
  if (HelpAsked) return;
  int left = 0, top = 0;
  main_.HomePosition(left, top);
  main_.SetLeft(left);
  main_.SetTop(top);
  if (main_.WaitCmd || !main_.CmdAllnow || !main_.WaitName.empty()) app().OpenTray();
  if (!main_.WaitName.empty())
    if (SystrayIcon* tray = app().Tray()) tray->AddSystrayIcon(WaitTip(main_.WaitName), IDI_IDLE);
}

void Startup::StartAsked() {
  if (!main_.CmdAllnow) {
    Tokens.clear();
    if (HelpAsked) return;
    if (!HourArg.empty()) TimeArg = HourArg;
    if (!TimeArg.empty()) ApplyTimeText();
  }
  if (main_.CmdAllnow) PerformImmediateAction();
}

bool Startup::BeginWait(const std::string& program) {
  std::vector<std::string> processes;
  const bool listed = app().Os().ProcessNames(processes);
  if (!listed || !ProgramRuns(processes, program)) {
    app().Svc().messageBoxes.Show(listed ? NotRunningText(program) : NoProcessListText(program), ui::kMbExclamation,
                                  kProgramName);
    return false;
  }
  main_.WaitName = program;
  main_.DisablePic.SetVisible(true);
  WaitEnd.SetEnabled(true);
  return true;
}

void Startup::DropHeldStart() {
  OpenShutdown = OpenRestart = OpenSleep = false;
  main_.CmdAllnow = false;
  TimeArg.clear();
}

void Startup::WaitEnd_Timer() {
  std::vector<std::string> processes;
  // A list that fails once proves nothing: the wait goes on.
  if (!app().Os().ProcessNames(processes) || ProgramRuns(processes, main_.WaitName)) return;
  EndWait();
  // Back as a start without the wait would have left it; a countdown puts it
  // into the tray again.
  if (!main_.CmdReduced) {
    main_.Show();
    main_.SetState(ui::WindowState::Normal);
    main_.Reduced = false;
  }
  StartAsked();
  if (main_.CmdAllnow && !main_.WaitCmd) {
    // The action was taken: the program's work is done.
    main_.Hide();
    app().UnloadMain();
    return;
  }
  if (main_.CmdReduced) main_.CmdReduced = false;
  if (TimeArg.empty() && (OpenShutdown || OpenRestart || OpenSleep)) Patient.SetEnabled(true);
}

// The window is shown only once its load is over: nothing here needs to hide it.
void Startup::Form_Load() {
  if (!main_.WaitName.empty()) {
    // Waits in the notification area; -m is kept for when the wait ends.
    main_.SetState(ui::WindowState::Minimised);
    main_.Reduced = true;
    return;
  }
  if ((main_.CmdAllnow && !main_.WaitCmd) || HelpAsked) {
    app().UnloadMain();
    return;
  }

  if (main_.CmdReduced) {
    main_.SetState(ui::WindowState::Minimised);
    main_.Reduced = true;
    main_.CmdReduced = false;
  }

  if (TimeArg.empty() && !main_.WaitCmd) main_.Action = 0;

  if (TimeArg.empty() && (OpenShutdown || OpenRestart || OpenSleep)) Patient.SetEnabled(true);
}

void Startup::Patient_Timer() {
  // The second tick: by then the main window is on screen.
  if (PatientTicks == 1) {
    if (OpenShutdown && !main_.CmdAllnow) main_.ArreteBrillant_MouseUp(1, 0, 0, 0);
    if (OpenRestart && !main_.CmdAllnow) main_.RebooteBrillant_MouseUp(1, 0, 0, 0);
    if (OpenSleep && !main_.CmdAllnow) main_.VeilleProlongeeBrillant_MouseUp(1, 0, 0, 0);
    Patient.SetEnabled(false);
  }
  if (PatientTicks < 255) ++PatientTicks;
}

void Startup::EndWait() {
  WaitEnd.SetEnabled(false);
  main_.WaitName.clear();
  main_.DisablePic.SetVisible(false);
  if (SystrayIcon* tray = app().Tray()) tray->AddSystrayIcon(kIdleTip, IDI_IDLE);
}

void Startup::CancelWait() {
  EndWait();
  DropHeldStart();
  main_.CmdReduced = false;
  main_.Restore();
}
