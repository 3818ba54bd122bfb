// A power call the system refuses is not a success, wherever it comes from:
// the program goes back to idle and says so. And a countdown keeps the machine
// awake while it runs.
#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

#include "AppFixture.h"
#include "timeui/TimeForm.h"
#include "tray/SystrayIcon.h"

namespace {

const char* const kShutdownRefused = "Windows a refusé d'arrêter l'ordinateur.";
const char* const kRestartRefused = "Windows a refusé de redémarrer l'ordinateur.";
const char* const kStandbyRefused = "Windows a refusé de mettre l'ordinateur en veille.";
const char* const kOfferStandby =
    "Windows a refusé la mise en veille prolongée.\r\nMettre l'ordinateur en veille à la place ?";

std::string Refused(const char* text) { return std::string(text) + " [48 Crepuscule]"; }

void ExpectIdleOnScreen(AppFixture& f) {
  MainForm& m = f.Main();
  EXPECT_EQ(std::tuple(f.app->Ended(), m.CountDown, m.countdown.Timer1.Enabled(), m.Action, m.Stoping, m.Visible(),
                       m.Enabled(), m.State() == ui::WindowState::Normal, f.app->TimeStartIfLoaded() == nullptr),
            std::tuple(false, false, false, 0, false, true, true, true, true));
  EXPECT_EQ(m.Titre.Caption() + "|" + Shown({&m.Petetout, &m.DisablePic}), std::string(kShutdownTitle) + "|");
  ASSERT_NE(f.app->Tray(), nullptr);
  EXPECT_EQ(f.app->Tray()->Icon(), 112);
}

TEST(PowerRefused, AtZeroTheCountdownGoesIdleAndTheNextOneStillActs) {
  const std::tuple<int, const char*, const char*> rows[] = {{1, "ExitWindowsEx(12,0)", kShutdownRefused},
                                                            {2, "ExitWindowsEx(6,0)", kRestartRefused}};
  for (const auto& [action, call, text] : rows) {
    SCOPED_TRACE(call);
    Started f;
    f.os.failExitWindows = 1;
    f.StartCountdown(action, "0", "0", "3");
    f.Advance(3000);
    EXPECT_EQ(std::pair(f.os.CallsNamed("ExitWindowsEx"), f.Boxes()), std::pair(Lines{call}, Lines{Refused(text)}));
    ExpectIdleOnScreen(f);

    f.StartCountdown(action, "0", "0", "8");  // the tick stopped itself at zero: it must run again
    f.Advance(8000);
    EXPECT_EQ(std::pair(f.os.CallsNamed("ExitWindowsEx"), f.Main().Visible()), std::pair(Lines{call, call}, false));
  }
}

TEST(PowerRefused, ARefusedHibernationOffersStandby) {
  const std::string offer = std::string(kOfferStandby) + " [33 Crepuscule]", hibernate = "SetSystemPowerState(0,-1)",
                    standby = "SetSystemPowerState(-1,-1)";
  // XP or 98, the calls that fail, the answer to the offer; the calls, the boxes, and whether the program ended.
  const std::tuple<bool, int, int, Lines, Lines, bool> rows[] = {
      {true, 1, ui::kIdOk, {hibernate, standby}, {offer}, true},
      {true, 1, ui::kIdCancel, {hibernate}, {offer}, false},
      {true, 2, ui::kIdOk, {hibernate, standby}, {offer, Refused(kStandbyRefused)}, false},
      {false, 1, ui::kIdOk, {standby}, {Refused(kStandbyRefused)}, false}};  // nothing to offer
  for (const auto& [xp, failures, answer, calls, boxes, ended] : rows) {
    SCOPED_TRACE("failures " + std::to_string(failures) + ", answer " + std::to_string(answer) + (xp ? "" : ", 98"));
    Started f("", xp);
    f.os.failPowerState = failures;
    f.env.messageBoxes.answers = {answer};
    f.StartCountdown(3, "0", "0", "2");
    f.Advance(2000);
    EXPECT_EQ(std::tuple(f.os.CallsNamed("SetSystemPowerState"), f.Boxes(), f.app->Ended()),
              std::tuple(calls, boxes, ended));
    if (!ended) {
      ExpectIdleOnScreen(f);
      // The icon had gone before the call: it is back, added afresh.
      EXPECT_EQ(f.os.CallsNamed("Shell_NotifyIconA(0").size(), 2u);
    }
  }
}

TEST(PowerRefused, AnImmediateActionFromTheCommandLineLeavesTheProgramIdle) {
  const std::tuple<bool, const char*, const char*> rows[] = {
      {true, "-a -n", kShutdownRefused},
      {true, "-r -t:0,0,0 -m", kRestartRefused},
      {false, "-a -n", kShutdownRefused},  // rundll32 could not start: the program does not end
      {false, "-v -n", kStandbyRefused}};
  for (const auto& [xp, commandLine, text] : rows) {
    SCOPED_TRACE(std::string(commandLine) + (xp ? " xp" : " 98"));
    AppFixture f;
    if (!xp) f.os.Set98();
    f.os.failExitWindows = 1;
    f.os.failPowerState = 1;
    f.os.failStartProcess = true;
    f.Start(commandLine);
    f.Advance(100);
    EXPECT_EQ(f.Boxes(), Lines{Refused(text)});
    // Nothing else opens by itself.
    EXPECT_EQ(std::tuple(f.processEnded, f.app->Ended(), f.Main().CmdAllnow, f.Main().WaitCmd,
                         f.app->TimeFormIfLoaded() == nullptr, f.os.CallsNamed("Shell_NotifyIconA(0").size()),
              std::tuple(false, false, false, false, true, 1u));
  }
}

TEST_F(StartedTest, PowerRefusedAfterTheZeroDelayQuestion) {
  os.failExitWindows = 1;
  Main().RebooteBrillant_MouseUp(1, 0, 0, 0);
  app->TimeFormIfLoaded()->LetsGo.onClick();  // 00:00:00, and OK to the question
  EXPECT_EQ(std::pair(os.CallsNamed("ExitWindowsEx"), app->TimeFormIfLoaded() == nullptr),
            std::pair(Lines{"ExitWindowsEx(6,0)"}, true));
  EXPECT_EQ(Boxes(), (Lines{"Êtes-vous certain de vouloir redémarrer immédiatement ? [33 Info Temps]",
                            Refused(kRestartRefused)}));
  ExpectIdleOnScreen(*this);
}

TEST_F(AppTest, ACountdownKeepsTheMachineAwakeUntilItIsCancelledEndsOrTheProgramQuits) {
  const Lines awake{"SetThreadExecutionState(0x80000001)"}, released{"SetThreadExecutionState(0x80000000)"};
  Start("-noconfirm");
  EXPECT_EQ(os.CallsNamed("SetThreadExecutionState"), Lines{});
  StartCountdown(1, "0", "0", "30");
  EXPECT_EQ(os.CallsNamed("SetThreadExecutionState"), awake);
  os.ClearLog();
  Main().Annule_Click();
  EXPECT_EQ(os.CallsNamed("SetThreadExecutionState"), released);

  os.ClearLog();
  StartCountdown(2, "0", "0", "2");
  Advance(2000);
  const Lines calls = os.Calls();
  const auto release = std::find(calls.begin(), calls.end(), released[0]);
  EXPECT_LT(release - calls.begin(), std::find(calls.begin(), calls.end(), "ExitWindowsEx(6,0)") - calls.begin());

  os.ClearLog();
  Main().CountDown = false;  // the system did not end the program: a new countdown, then quit
  StartCountdown(1, "0", "0", "30");
  Main().ClseBrillant_MouseUp(1, 0, 0, 0);
  EXPECT_EQ(std::pair(app->Ended(), os.CallsNamed("SetThreadExecutionState")),
            std::pair(true, Lines{awake[0], released[0]}));
  Advance(30000);  // its ticks went with it
  EXPECT_EQ(os.CallsNamed("ExitWindowsEx"), Lines{});
}

}  // namespace
