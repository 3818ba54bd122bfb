// The whole program, headless: any settings-file bytes, any command line, any
// mix of refused file operations and power calls, then a while of running time
// and a stream of user events. What must always hold:
// - a power call only when the command line asked for an action, a file of
//   ours holds a start-up action, or the user chose one;
// - reading resets a foreign settings file to the defaults and leaves one of
//   ours as it is (but for the last delay a countdown writes); no write loses the tag;
// - Stoping and StopOptions only while their dialog is open;
// - the delay dialog starts a countdown only with a delay in range;
// - a countdown that runs reaches its action.
// Input: a byte of switches (Shift held, refusals), a byte for the Windows
// version, whether there is a file and its length, the file, the command line
// up to a NUL (bytes from 0xF0 stand for a switch), then events, two bytes
// each but for a text typed into a field, which takes as many more as it is long.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "../unit/AppFixture.h"
#include "settings/OptionsForm.h"
#include "text/Text.h"
#include "timeui/TimeForm.h"
#include "timeui/TimeStart.h"
#include "tray/SystrayIcon.h"

namespace {

const char* const kSwitches[] = {
    " -a ", " -noconfirm ",          " -r ", " -notimediag ", " -v ", " -endinmain ", " -n ", " -forcehibernation ",
    " -m ", " -attendre:tache.exe ", " -t:", " -reporter:",   " -h:", " -t:0,0,2 ",   " -? ", ","};
// The first five start an action (UserChoosesAction counts on it).
const char* const kMenuItems[] = {"MnuArrete",   "MnuRedemarre", "MnuFerme",    "MnuArreteR", "MnuFermeR", "Reduce4",
                                  "OptionMenuN", "Restore4",     "OptionMenuR", "MnuAnnul",   "MnuAnnul1", "MnuAnnul4",
                                  "Reduce1",     "Restore2",     "MnuAnnul6",   "MnuAnnulR"};
// XP, 98, 95, 2000, NT 4, Me, 10 (as reported without a manifest), and a failed query.
constexpr std::uint32_t kVersions[][3] = {{2, 5, 1}, {1, 4, 10}, {1, 4, 0}, {2, 5, 0},
                                          {2, 4, 0}, {1, 4, 90}, {2, 6, 2}, {0, 0, 0}};
constexpr int kTrayEvents[] = {0x201, 0x202, 0x203, 0x204, 0x205, 0x7B, 0x401};

bool AsksForAction(const std::string& line) {
  for (const std::string& token : TraiteCommande(line, " "))
    if (token == "-a" || token == "-r" || token == "-v") return true;
  return false;
}

// The tag the fixture writes in its files of ours.
bool FileIsOurs(const std::vector<std::uint8_t>& file) {
  const std::vector<std::uint8_t> ours = AppFixture::TaggedBytes(0, 0);
  return file.size() >= 4 && std::equal(ours.begin(), ours.begin() + 4, file.begin());
}

void Check(bool condition, const char* what) {
  if (condition) return;
  std::fprintf(stderr, "broken: %s\n", what);
  std::abort();
}

void CheckFlags(AppFixture& f) {
  if (f.app->Ended() || f.processEnded) return;
  const RunState& state = f.Main();
  Check(!state.Stoping || f.app->TimeFormIfLoaded(), "Stoping without the delay dialog");
  Check(!state.StopOptions || f.app->OptionsFormIfLoaded(), "StopOptions without the options dialog");
}

bool UserChoosesAction(std::uint8_t op, std::uint8_t arg) { return op == 2 || (op == 6 && arg % 16 < 5); }

// One user event; text: what it types into a field.
void Event(AppFixture& f, std::uint8_t op, std::uint8_t arg, const std::string& text) {
  MainForm& main = f.Main();
  TimeForm* dialog = f.app->TimeFormIfLoaded();
  // The main window takes no click while hidden or disabled (a dialog is open).
  if (op >= 2 && op <= 4 && !(main.Visible() && main.Enabled())) return;
  switch (op) {
    case 0:
    case 1:
      f.Advance(op == 0 ? (arg + 1) * 250 : (arg % 8 + 1) * 5000);
      return;
    case 2: {
      ui::Control* buttons[] = {&main.ArreteBrillant, &main.RebooteBrillant, &main.VeilleProlongeeBrillant};
      ui::Control& b = *buttons[arg % 3];
      if (b.onMouseUp) f.Guard([&] { b.onMouseUp({1, 0, 10, 10}); });
      break;
    }
    case 3: {
      ui::Control* normals[] = {&main.Arrete, &main.Reboote, &main.VeilleProlongee, &main.Fond, &main.Titre};
      ui::Control& c = *normals[arg % 5];
      if (c.onMouseMove) c.onMouseMove({arg / 5 % 2, 0, 10, 10});
      break;
    }
    case 4:
      f.Guard([&] { main.Annule_Click(); });
      break;
    case 5:
      if (SystrayIcon* tray = f.app->Tray()) f.Guard([&] { tray->Form_MouseMove(kTrayEvents[arg % 7]); });
      break;
    case 6:
      if (SystrayIcon* tray = f.app->Tray()) {
        f.env.menus.choices = {kMenuItems[arg % 16]};
        f.Guard([&] { tray->Form_MouseMove(0x7B); });
        f.env.menus.choices.clear();
      }
      break;
    case 7:
      if (dialog) {
        ui::Control* fields[] = {&dialog->txtHeure, &dialog->txtMinute, &dialog->txtSeconde};
        fields[arg / 64 % 3]->TextFromUser(text);
      }
      break;
    case 8:
      if (dialog) {
        const bool running = main.CountDown;
        f.Guard([&] { dialog->LetsGo.onClick(); });
        if (!running && main.CountDown)
          Check(main.TpsH <= 99 && main.TpsM <= 59 && main.TpsS <= 59, "a countdown from a delay out of range");
      }
      break;
    case 9:
      if (dialog) f.Guard([&] { arg % 2 ? dialog->Annuled.onClick() : dialog->onCloseBox(); });
      break;
    case 10:
      if (dialog) dialog->WithTime.ValueFromUser(dialog->WithTime.Value() == 1 ? 0 : 1);
      break;
    case 11:
      if (arg % 4 == 3) {
        f.Guard([&] { f.app->Activated(arg); });  // a second copy's message, postponing or not
      } else if (TimeStart* box = f.app->TimeStartIfLoaded()) {
        ui::Control* buttons[] = {&box->Annuler, &box->Reporter};
        f.Guard([&] { arg % 4 < 2 ? buttons[arg % 2]->onClick() : box->onCloseBox(); });
      }
      break;
    case 12:
      if (!f.app->OptionsFormIfLoaded() && main.Loaded() && main.Visible() && main.Enabled()) main.TimeOptions_Click();
      break;
    case 13:
      if (OptionsForm* options = f.app->OptionsFormIfLoaded()) {
        ui::Control* boxes[] = {&options->AlwaysAllNow, &options->MemTime,    &options->SameAction,
                                &options->NoConfirmBox, &options->NoDiagTime, &options->ForceHib};
        if (arg < 12) boxes[arg % 6]->ValueFromUser(boxes[arg % 6]->Value() ? 0 : 1);
        if (arg == 12) options->Save.onClick();
        if (arg >= 13) options->Cancel.onClick();
      }
      break;
    case 14:
      f.env.messageBoxes.answers.push_back(arg % 2 ? ui::kIdCancel : ui::kIdOk);
      // The program a start may wait for ends, or starts again.
      if (arg >= 0xF0) f.os.processes = arg % 2 ? std::vector<std::string>{} : std::vector<std::string>{"tache.exe"};
      break;
    default:
      f.os.shiftState = static_cast<short>(arg % 2 ? -32768 : 0);
      f.Advance(100);
      break;
  }
  f.app->CollectGarbage();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2 || size > 512) return 0;
  const std::uint8_t switches = data[0];
  std::size_t at = 2;
  // 15 stands for a file far longer than ours.
  const std::size_t fileLength = std::min<std::size_t>(data[1] % 16 == 15 ? 40 : data[1] % 16, size - at);
  const std::vector<std::uint8_t> file(data + at, data + at + fileLength);
  at += fileLength;
  std::string line;
  for (; at < size && data[at] != 0; ++at)
    line += data[at] >= 0xF0 ? kSwitches[data[at] - 0xF0] : std::string(1, data[at]);
  ++at;

  AppFixture f;
  const auto& [platformId, major, minor] = kVersions[(data[1] >> 4) & 7];
  f.os.SetVersion(platformId, major, minor, 0);
  f.os.shiftState = switches & 1 ? -32768 : 0;
  if (!(data[1] & 0x80)) f.WriteSettingsBytes(file);
  f.os.failOpens = switches & 2;
  f.os.failWrites = switches & 4;
  f.os.failReads = switches & 8;
  f.os.shortReads = switches & 16;
  f.os.failExitWindows = switches & 32 ? 1 : 0;
  f.os.failPowerState = switches & 64 ? 1 : 0;
  f.os.failNotifyAdd = switches & 128 ? 3 : 0;
  f.os.processes = {"C:\\WINDOWS\\TACHE.EXE"};

  // Start-up and a few seconds alone: only what was asked for may act.
  f.Start(line);
  if (!f.app->Ended() && !f.processEnded) f.Advance(3000);
  // Or a file of ours with a start-up action among its option bits.
  const bool asked = AsksForAction(line) || (FileIsOurs(file) && file.size() >= 5 && (file[4] & 0x1C) != 0);
  if (!asked) Check(f.PowerCalls().size() == 0, "a power call at start-up that nothing asked for");
  CheckFlags(f);
  const bool fileRead = !(data[1] & 0x80) && !(switches & 0x1E) && !f.app->Ended() && !f.processEnded;
  if (fileRead) {
    std::vector<std::uint8_t> head = FileIsOurs(file) ? file : AppFixture::TaggedBytes(0, 0);
    head.resize(std::min<std::size_t>(head.size(), 6));
    const std::vector<std::uint8_t> after = f.SettingsBytes();
    Check(after.size() >= head.size() && std::equal(head.begin(), head.end(), after.begin()),
          "a settings file neither kept nor reset");
  }

  bool userChose = false;
  for (; at + 1 < size && !f.app->Ended() && !f.processEnded; at += 2) {
    const std::uint8_t op = data[at] % 16, arg = data[at + 1];
    std::string text;
    if (op == 7) {
      text.assign(reinterpret_cast<const char*>(data + at + 2), std::min<std::size_t>(arg % 64, size - at - 2));
      at += text.size();
    }
    const std::size_t before = f.PowerCalls().size();
    userChose = userChose || UserChoosesAction(op, arg);
    Event(f, op, arg, text);
    if (!asked && !userChose) Check(f.PowerCalls().size() == before, "a power call nobody chose");
    CheckFlags(f);
  }

  Check(!fileRead || FileIsOurs(f.SettingsBytes()), "a settings file that lost its tag");

  // A countdown that runs reaches its action (short ones only: time is dear here).
  if (f.app->Ended() || f.processEnded) return 0;
  MainForm& main = f.Main();
  const int left = main.TpsH * 3600 + main.TpsM * 60 + main.TpsS;
  if (main.CountDown && main.countdown.Timer1.Enabled() && left <= 120) {
    const std::size_t before = f.PowerCalls().size();
    f.Advance((left + 2) * 1000);
    Check(f.PowerCalls().size() > before || f.processEnded, "a running countdown that never acts");
  }
  return 0;
}
