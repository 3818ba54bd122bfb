// "Annuler": a running countdown, a prepared run, and the idle window.
#include <gtest/gtest.h>

#include <utility>

#include "AppFixture.h"
#include "timeui/TimeStart.h"
#include "tray/SystrayIcon.h"

namespace {

TEST(Cancel, ConfirmsWithTheActionsIconThenGoesIdle) {
  const std::string idle = std::string("Shell_NotifyIconA(1,icon=112,tip=") + kIdleTip + ")";
  const Lines shutdown{"Shell_NotifyIconA(1,icon=101,tip=Arrêt annulé.)", idle},
      shutdownBox{"Extinction de l'ordinateur annulée. [64 Annulation]"},
      restart{"Shell_NotifyIconA(1,icon=102,tip=Redémarrage annulé.)", idle},
      restartBox{"Redémarrage de l'ordinateur annulé. [64 Annulation]"},
      sleep{"Shell_NotifyIconA(1,icon=103,tip=Mise en veille annulée.)",
            "Shell_NotifyIconA(1,icon=123,tip=Mise en veille annulée.)", idle},
      sleepBox{"Mise en veille annulée. [64 Annulation]"};
  // XP or 98, the action, the command line, whether from the countdown window (its "Annuler" is the main window's,
  // confirmation included), the tips and the boxes.
  const std::tuple<bool, int, const char*, bool, Lines, Lines> rows[] = {
      {true, 1, "", false, shutdown, shutdownBox}, {true, 1, "", true, shutdown, shutdownBox},
      {true, 2, "", false, restart, restartBox},   {false, 3, "", false, sleep, sleepBox},
      {true, 1, "-noconfirm", false, {idle}, {}},
  };
  for (const auto& [xp, action, commandLine, fromCountdownWindow, tips, boxes] : rows) {
    SCOPED_TRACE(std::to_string(action) + (fromCountdownWindow ? " from the countdown window" : ""));
    Started f(commandLine, xp);
    f.StartCountdown(action, "0", "5", "0");
    f.os.ClearLog();
    std::size_t tipsWhileBoxWaits = 0;
    bool windowWhileBoxWaits = true;
    f.env.messageBoxes.onShow = [&](const ui::ShownBox&) {
      tipsWhileBoxWaits = f.os.CallsNamed("Shell_NotifyIconA(1").size();
      windowWhileBoxWaits = f.app->TimeStartIfLoaded() != nullptr;
    };
    (fromCountdownWindow ? f.app->TimeStartIfLoaded()->Annuler : f.Main().Annule).onClick();
    EXPECT_EQ(f.os.CallsNamed("Shell_NotifyIconA(1"), tips);
    EXPECT_EQ(f.Boxes(), boxes);
    // The idle tip comes after OK; the countdown window went before the box.
    EXPECT_EQ(std::pair(tipsWhileBoxWaits, windowWhileBoxWaits),
              boxes.empty() ? std::pair(std::size_t{0}, true) : std::pair(tips.size() - 1, false));
    EXPECT_EQ(std::tuple(f.Main().CountDown, f.Main().countdown.Timer1.Enabled(), f.Main().Action,
                         f.app->TimeStartIfLoaded() == nullptr),
              std::tuple(false, false, 0, true));
  }
}

TEST_F(StartedTest, CancelInTheFinalSecondsBringsTheIdleLookBack) {
  StartCountdown(2, "0", "0", "8");
  Advance(4000);
  ASSERT_TRUE(Main().Petetout.Visible());
  Main().Annule.onClick();
  MainForm& w = Main();
  EXPECT_EQ(Shown({&w.Petetout, &w.Petetout2, &w.DisablePic, &w.Arrete, &w.Reboote, &w.VeilleProlongee, &w.ArreteLabel,
                   &w.TxtH, &w.Label1}),
            "Arrete Reboote VeilleProlongee ArreteLabel TxtH Label1");
  EXPECT_EQ(w.ArreteLabel.ForeColour(), ui::kWhite);
  EXPECT_EQ(w.Titre.Caption() + " " + Digits(), std::string(kShutdownTitle) + " 00:00:00");
  EXPECT_EQ(std::tuple(w.Visible(), w.wording.CheckMaj.Enabled(), app->TimeStartIfLoaded() == nullptr),
            std::tuple(true, true, true));
  Advance(10000);
  EXPECT_TRUE(os.CallsNamed("ExitWindowsEx").empty());

  StartCountdown(2, "0", "1", "0");  // the next countdown shows its window again
  Advance(1000);
  EXPECT_NE(app->TimeStartIfLoaded(), nullptr);
}

TEST_F(AppTest, CancelDropsAPreparedRunThenClosesTheIdleProgram) {
  Start("-n");  // waits on screen, in its normal state, with the digits hidden
  MainForm& m = Main();
  EXPECT_EQ(std::tuple(m.WaitCmd, m.Visible(), m.State(), Shown({&m.TxtM, &m.Label1})),
            std::tuple(true, true, ui::WindowState::Normal, ""));
  EXPECT_EQ(PowerCalls(), Lines{});
  m.Annule.onClick();
  EXPECT_EQ(std::tuple(m.WaitCmd, m.CmdAllnow, app->Ended()), std::tuple(false, false, false));
  for (ui::Control* c : {&m.TxtH, &m.TxtS, &m.Label1, &m.Label2}) EXPECT_TRUE(c->Visible());
  EXPECT_TRUE(env.messageBoxes.shown.empty());

  Main().Annule.onClick();
  EXPECT_EQ(std::pair(app->Ended(), os.CallsNamed("Shell_NotifyIconA(2").size()), std::pair(true, std::size_t{1}));

  Started timed("-t:0,10,0");  // a dropped time leaves no digits behind
  timed.Main().Annule.onClick();
  EXPECT_EQ(std::pair(timed.Main().WaitCmd, timed.Digits()), std::pair(false, std::string("00:00:00")));
}

TEST_F(StartedTest, CancelOneAtATimeAndAnOldBoxNeverUndoesANewerCountdown) {
  StartCountdown(1, "0", "5", "0");
  SystrayIcon& tray = *app->Tray();
  env.messageBoxes.onShow = [&](const ui::ShownBox&) {
    // While the box waits: cancel again from the tray menu, and from the
    // countdown window a double click brings back.
    env.menus.choices = {"MnuAnnul4"};
    tray.Form_MouseMove(0x7B);
    tray.Form_MouseMove(0x203);
    if (TimeStart* box = app->TimeStartIfLoaded()) box->Annuler.onClick();
    EXPECT_FALSE(Main().Postpone(10));  // nor is the countdown being cancelled postponed
  };
  Main().Annule.onClick();
  EXPECT_EQ(std::tuple(env.messageBoxes.shown.size(), Main().CountDown, Main().Visible()), std::tuple(1u, false, true));

  // However a countdown came to start while an old box waited, OK on that box
  // leaves it running.
  StartCountdown(1, "0", "1", "0");
  bool first = true;
  env.messageBoxes.onShow = [&](const ui::ShownBox&) {
    if (std::exchange(first, false)) StartCountdown(2, "0", "0", "30");
  };
  Main().Annule.onClick();
  EXPECT_EQ(std::tuple(Main().CountDown, Main().countdown.Timer1.Enabled(), Main().Action), std::tuple(true, true, 2));
  Advance(30000);
  EXPECT_EQ(os.CallsNamed("ExitWindowsEx"), Lines{"ExitWindowsEx(6,0)"});
}

}  // namespace
