// Postponing a countdown (tray item, countdown window, a second copy) and a
// start held until a program ends.
#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "AppFixture.h"
#include "seams/Postpone.h"
#include "text/Text.h"
#include "timeui/TimeStart.h"
#include "tray/SystrayIcon.h"
#include "ui/InputRouting.h"

namespace {

std::string LastTip(const AppFixture& f) { return f.os.notifyCalls.back().tip; }

TEST(Postpone, SwitchesTakeOnlyWellFormedValuesProgramsAreFoundByFileNameAndArithmeticStopsAtTheLargestDelay) {
  const std::tuple<const char*, int, const char*> rows[] = {
      {"-reporter:19", 19, ""},
      {"-reporter:0010 -reporter:1440", 1440, ""},
      {"-reporter:abc -reporter:0 -reporter:1441 -reporter: -reporter:-5 -reporter:5.5 -Reporter:5", 0, ""},
      {"-reporter:7 -reporter:99999", 7, ""},
      {"-attendre:setup.exe", 0, "setup.exe"},
      {"-attendre: -attendre:C:\\Jeux\\", 0, ""},
      {"-a -attendre:C:\\Jeux\\Setup.EXE -attendre:", 0, "Setup.EXE"}};
  for (const auto& [line, minutes, program] : rows) {
    const std::vector<std::string> tokens = TraiteCommande(line, " ");
    EXPECT_EQ(std::tuple(PostponeSwitch(tokens), WaitSwitch(tokens)), std::tuple(minutes, program)) << line;
  }
  // The awaited program is found by its file name, without case; the 95 family names the folder too.
  const std::vector<std::string> running = {"C:\\WINDOWS\\EXPLORER.EXE", "Éditeur.exe", "setup.exe.bak"};
  EXPECT_EQ(std::tuple(ProgramRuns(running, "explorer.exe"), ProgramRuns(running, "éDITEUR.EXE"),
                       ProgramRuns(running, "setup.exe"), ProgramRuns(running, "")),
            std::tuple(true, true, false, false));

  // Postponing stops at the largest delay.
  const std::tuple<std::uint8_t, std::uint8_t, std::uint8_t, int, bool, const char*> delays[] = {
      {0, 0, 12, 10, true, "0:10:12"},    {0, 55, 30, 10, true, "1:5:30"},   {2, 0, 0, 1440, true, "26:0:0"},
      {99, 49, 59, 10, true, "99:59:59"}, {99, 50, 0, 10, false, "99:50:0"}, {0, 0, 1, 0, false, "0:0:1"},
      {0, 0, 1, 1441, false, "0:0:1"}};
  for (auto [h, m, s, minutes, added, after] : delays) {
    EXPECT_EQ(AddMinutes(h, m, s, minutes), added);
    EXPECT_EQ(std::to_string(h) + ":" + std::to_string(m) + ":" + std::to_string(s), after);
  }
}

// At each stage the countdown goes on as if started with the longer time:
// the ticks to the power call, the digits, the look, the tip and its icon.
TEST(Postpone, AtEachStageTheCountdownGoesOnFromTheLongerTime) {
  // Minutes and seconds set, seconds run before postponing (2: into the final seconds); the time after, in
  // seconds too; the tip; the words in the countdown window.
  const std::tuple<const char*, const char*, int, const char*, int, const char*, const char*> rows[] = {
      {"0", "12", 0, "00:10:12", 612, "Arrêt dans 10 minutes ...", "10 minutes et 12 secondes."},
      {"1", "0", 0, "00:11:00", 660, "Arrêt dans 11 minutes ...", "11 minutes et zéro secondes."},
      {"5", "0", 90, "00:13:30", 810, "Arrêt dans 13 minutes ...", "13 minutes et 30 secondes."},
      {"0", "5", 2, "00:10:03", 603, "Arrêt dans 10 minutes ...", "10 minutes et 03 secondes."},
      {"55", "0", 0, "01:05:00", 3900, "Arrêt dans 1h05 ...", "une heure 05 minutes et zéro secondes."}};
  for (const auto& [minutes, seconds, before, after, left, tip, words] : rows) {
    SCOPED_TRACE(std::string(minutes) + ":" + seconds);
    Started f;
    f.StartCountdown(1, "0", minutes, seconds);
    f.Advance(before * 1000);
    f.os.ClearLog();
    ASSERT_TRUE(f.Main().Postpone(10));
    MainForm& m = f.Main();
    EXPECT_EQ(f.Digits() + " " + Shown({&m.Arrete, &m.TxtS, &m.DisablePic, &m.ArreteLabel, &m.Petetout, &m.Petetout2}),
              std::string(after) + " Arrete TxtS DisablePic ArreteLabel");
    EXPECT_EQ(std::pair(LastTip(f), f.os.notifyCalls.back().hIcon),
              std::pair(std::string(tip), platform::RecordingPlatform::kIconBase + 101));
    TimeStart* box = f.app->TimeStartIfLoaded();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(std::tuple(box->Visible(), box->TimeLabel.GetFont().bold, box->TimeLabel.Caption()),
              std::tuple(true, false, std::string("Arrêt dans ") + words));
    f.Advance((left - 1) * 1000);
    EXPECT_EQ(f.PowerCalls(), Lines{});
    f.Advance(1000);
    // One power call, and beeps for the new final seconds only.
    EXPECT_EQ(std::tuple(f.PowerCalls().size(), f.os.CallsNamed("Beep").size()), std::tuple(1u, 5u));
    EXPECT_EQ(f.os.CallsNamed("SetThreadExecutionState"), Lines{"SetThreadExecutionState(0x80000000)"});  // at zero
  }
}

TEST(Postpone, ClockTimeMovesOnAndTheLimitIsRefusedWithABeep) {
  Started clock("-a -h:10,30,0");  // the fake clock reads 10:00:00
  EXPECT_EQ((std::tuple{clock.Main().Postpone(10), clock.Digits()}), std::tuple(true, "00:40:00"));

  Started f;
  f.StartCountdown(2, "99", "55", "0");
  f.os.ClearLog();
  EXPECT_EQ((std::tuple{f.Main().Postpone(10), f.os.Calls(), f.Digits(), f.Main().countdown.Timer1.Enabled()}),
            std::tuple(false, Lines{"Beep()"}, "99:55:00", true));

  Started hour;  // the same minute an hour on: the tip is written again all the same
  hour.StartCountdown(1, "0", "10", "30");
  EXPECT_EQ((std::tuple{hour.Main().Postpone(60), LastTip(hour)}), std::tuple(true, "Arrêt dans 1h10 ..."));

  Started old("-endinmain");  // the final seconds brought the window up: it goes back to the tray
  old.StartCountdown(1, "0", "0", "8");
  old.Advance(4000);
  ASSERT_TRUE(old.Main().Visible());
  old.Main().Postpone(10);
  EXPECT_FALSE(old.Main().Visible());
  old.Tray().Restore();  // brought up by hand, it stays
  old.Main().Postpone(10);
  EXPECT_TRUE(old.Main().Visible());

  Started idle;  // nothing to postpone: nothing happens, not even a beep
  idle.os.ClearLog();
  EXPECT_EQ((std::tuple{idle.Main().Postpone(10), idle.os.Calls()}), std::tuple(false, Lines{}));
}

TEST(Postpone, FromTheTrayTheCountdownWindowAndASecondCopy) {
  Started f;
  SystrayIcon& tray = *f.app->Tray();
  for (ui::Menu* menu :
       {&tray.MnuShut, &tray.MnuReboot, &tray.MnuClose, &tray.MnuShutR, &tray.MnuRebootR, &tray.MnuCloseR})
    EXPECT_EQ(menu->items.at(2).caption + "|" + menu->items.at(3).caption.substr(0, 8),
              "Re&porter de 10 minutes|A&nnuler")
        << menu->name;

  f.StartCountdown(1, "0", "0", "12");
  f.env.menus.choices = {"MnuReporte4"};
  tray.Form_MouseMove(0x7B);
  EXPECT_EQ(f.Digits(), "00:10:12");
  f.app->TimeStartIfLoaded()->Reporter.onClick();
  EXPECT_EQ(f.Digits(), "00:20:12");
  // A second copy's message: the countdown moves, nothing comes forward.
  f.env.services.activeForm = nullptr;
  f.app->Activated(1);
  EXPECT_EQ(std::tuple(f.Digits(), f.env.services.activeForm), std::tuple("00:21:12", nullptr));
  f.app->Activated(1441);  // from any process: out of range, only the usual activation
  EXPECT_EQ(f.Digits(), "00:21:12");
}

// A program started while (or, with no processes, as if) tache.exe runs.
struct Waiting : AppFixture {
  explicit Waiting(const std::string& commandLine, std::vector<std::string> processes = {"C:\\WINDOWS\\TACHE.EXE"},
                   bool listed = true) {
    os.processes = std::move(processes);
    os.noProcessList = !listed;
    Start(commandLine);
  }
  // The awaited program ends, then this much time passes.
  void Ends(std::int64_t ms) {
    os.processes.clear();
    Advance(ms);
  }
};

TEST(Wait, HoldsTheStartInTheTrayUntilTheProgramEnds) {
  Waiting f("-a -t:0,0,2 -attendre:tache.exe");
  MainForm& m = f.Main();
  EXPECT_EQ(std::tuple(m.CountDown, m.Visible(), m.Reduced, m.DisablePic.Visible(), LastTip(f)),
            std::tuple(false, false, true, true, "En attente de la fin de tache.exe"));
  m.ArreteBrillant_MouseUp(1, 0, 0, 0);  // the buttons wait too
  f.app->Tray()->Form_MouseMove(0x7B);
  ASSERT_FALSE(f.env.menus.shown.empty());
  EXPECT_EQ(std::tuple(f.app->TimeFormIfLoaded(), f.env.menus.shown.back().menu), std::tuple(nullptr, "MnuWaitR"));
  f.Advance(5000);
  // The machine may sleep meanwhile; the processes are listed once at start, then once a second.
  EXPECT_EQ(
      std::tuple(f.PowerCalls(), f.os.CallsNamed("SetThreadExecutionState"), f.os.CallsNamed("ProcessNames").size()),
      std::tuple(Lines{}, Lines{}, 6u));

  f.Ends(1000);
  EXPECT_TRUE(m.CountDown);
  EXPECT_EQ(f.os.CallsNamed("SetThreadExecutionState"), Lines{"SetThreadExecutionState(0x80000001)"});
  f.Advance(2000);
  EXPECT_EQ(f.PowerCalls(), Lines{"ExitWindowsEx(12,0)"});
  f.Advance(5000);
  EXPECT_EQ(f.os.CallsNamed("ProcessNames").size(), 7u);
}

TEST(Wait, WhatTheHeldStartBecomes) {
  Waiting now("-v -n -attendre:tache.exe");
  now.Ends(1000);
  // Standby: hibernation only when forced.
  EXPECT_EQ(std::pair(now.PowerCalls(), now.app->Ended()), std::pair(Lines{"SetSystemPowerState(-1,-1)"}, true));

  Waiting dialog("-r -attendre:tache.exe");
  dialog.Ends(1100);
  MainForm& m = dialog.Main();  // the actions are no longer greyed
  EXPECT_EQ(
      std::tuple(m.Visible(), m.State(), m.DisablePic.Visible(), m.Action, dialog.app->TimeFormIfLoaded() != nullptr),
      std::tuple(true, ui::WindowState::Normal, false, 2, true));
}

TEST(Wait, CancelledFromTheTrayOrTheMainWindowNothingStarts) {
  for (bool fromTray : {true, false}) {
    Waiting f("-a -t:0,0,2 -attendre:tache.exe");
    if (fromTray) {
      f.env.menus.choices = {"MnuAnnulWR"};
      f.app->Tray()->Form_MouseMove(0x7B);
    } else {
      f.Main().Annule.onClick();
    }
    EXPECT_EQ(std::tuple(f.Main().WaitName, f.Main().Visible(), f.Digits(), ui::TabOrder(f.Main()).size(), LastTip(f)),
              std::tuple("", true, "00:00:00", 5u, kIdleTip));
    f.Ends(5000);
    EXPECT_EQ(std::tuple(f.Main().CountDown, f.PowerCalls(), f.Boxes()), std::tuple(false, Lines{}, Lines{}));
  }
}

TEST(Wait, AnAbsentProgramOrNoProcessListStartsNothing) {
  for (bool list : {true, false}) {
    Waiting f(list ? "-a -t:0,0,2 -attendre:tache.exe" : "-a -n -attendre:tache.exe", {"explorer.exe"}, list);
    EXPECT_EQ(f.Boxes(),
              Lines{(list ? NotRunningText("tache.exe") : NoProcessListText("tache.exe")) + " [48 Crepuscule]"});
    EXPECT_EQ(std::tuple(f.Main().CountDown, f.Main().Visible(), f.Main().WaitName), std::tuple(false, true, ""));
    f.Advance(5000);
    EXPECT_EQ(f.PowerCalls(), Lines{});
  }
  EXPECT_EQ(NotRunningText("setup.exe"), "Aucun programme setup.exe n'est en cours : rien n'est programmé.");
}

}  // namespace
