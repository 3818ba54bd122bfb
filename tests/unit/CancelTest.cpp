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
      shutdownBox{"Extinction de l'ordinateur annulée. [64 Annulation]"};
  const struct {
    bool xp;
    int action;
    const char* commandLine;
    bool fromCountdownWindow;  // its "Annuler" is the main window's, confirmation included
    Lines tips, boxes;
  } rows[] = {{true, 1, "", false, shutdown, shutdownBox},
              {true, 1, "", true, shutdown, shutdownBox},
              {true,
               2,
               "",
               false,
               {"Shell_NotifyIconA(1,icon=102,tip=Redémarrage annulé.)", idle},
               {"Redémarrage de l'ordinateur annulé. [64 Annulation]"}},
              {false,
               3,
               "",
               false,
               {"Shell_NotifyIconA(1,icon=103,tip=Mise en veille annulée.)",
                "Shell_NotifyIconA(1,icon=123,tip=Mise en veille annulée.)", idle},
               {"Mise en veille annulée. [64 Annulation]"}},
              {true, 1, "-noconfirm", false, {idle}, {}}};
  for (const auto& r : rows) {
    SCOPED_TRACE(std::to_string(r.action) + (r.fromCountdownWindow ? " from the countdown window" : ""));
    Started f(r.commandLine, r.xp);
    f.StartCountdown(r.action, "0", "5", "0");
    f.os.ClearLog();
    std::size_t tipsWhileBoxWaits = 0;
    bool windowWhileBoxWaits = true;
    f.env.messageBoxes.onShow = [&](const ui::ShownBox&) {
      tipsWhileBoxWaits = f.os.CallsNamed("Shell_NotifyIconA(1").size();
      windowWhileBoxWaits = f.app->TimeStartIfLoaded() != nullptr;
    };
    if (r.fromCountdownWindow)
      f.app->TimeStartIfLoaded()->Annuler.onClick();
    else
      f.Main().Annule.onClick();
    EXPECT_EQ(f.os.CallsNamed("Shell_NotifyIconA(1"), r.tips);
    EXPECT_EQ(f.Boxes(), r.boxes);
    if (!r.boxes.empty()) {
      EXPECT_EQ(tipsWhileBoxWaits, r.tips.size() - 1);  // the idle tip comes after OK
      EXPECT_FALSE(windowWhileBoxWaits);                // the countdown window went before the box
    }
    EXPECT_EQ(std::tuple(f.Main().CountDown, f.Main().countdown.Timer1.Enabled(), f.Main().Action),
              std::tuple(false, false, 0));
    EXPECT_EQ(f.app->TimeStartIfLoaded(), nullptr);
  }
}

TEST_F(StartedTest, CancelInTheFinalSecondsBringsTheIdleLookBack) {
  StartCountdown(2, "0", "0", "8");
  Advance(4000);
  ASSERT_TRUE(Main().Petetout.Visible());
  Main().Annule.onClick();
  MainForm& w = Main();
  EXPECT_EQ(Shown({&w.Petetout, &w.Petetout2, &w.DisablePic}), "");
  for (ui::Control* c : {&w.Arrete, &w.Reboote, &w.VeilleProlongee, &w.ArreteLabel, &w.TxtH, &w.Label1})
    EXPECT_TRUE(c->Visible()) << c->Name();
  EXPECT_EQ(w.ArreteLabel.ForeColour(), ui::kWhite);
  EXPECT_EQ(w.Titre.Caption(), kShutdownTitle);
  EXPECT_EQ(w.TxtH.Caption() + w.TxtM.Caption() + w.TxtS.Caption(), "000000");
  EXPECT_EQ(std::pair(w.Visible(), w.wording.CheckMaj.Enabled()), std::pair(true, true));
  EXPECT_EQ(app->TimeStartIfLoaded(), nullptr);
  Advance(10000);
  EXPECT_TRUE(os.CallsNamed("ExitWindowsEx").empty());

  StartCountdown(2, "0", "1", "0");  // the next countdown shows its window again
  Advance(1000);
  EXPECT_NE(app->TimeStartIfLoaded(), nullptr);
}

TEST_F(AppTest, CancelDropsAPreparedRunThenClosesTheIdleProgram) {
  Start("-n");  // waits with the digits hidden
  MainForm& m = Main();
  EXPECT_EQ(std::tuple(m.WaitCmd, m.Visible(), Shown({&m.TxtM, &m.Label1})), std::tuple(true, true, ""));
  EXPECT_EQ(std::pair(os.CallsNamed("ExitWindowsEx"), os.CallsNamed("SetSystemPowerState")),
            std::pair(Lines{}, Lines{}));
  m.Annule.onClick();
  EXPECT_EQ(std::tuple(m.WaitCmd, m.CmdAllnow, app->Ended()), std::tuple(false, false, false));
  for (ui::Control* c : {&m.TxtH, &m.TxtS, &m.Label1, &m.Label2}) EXPECT_TRUE(c->Visible());
  EXPECT_TRUE(env.messageBoxes.shown.empty());

  Main().Annule.onClick();
  EXPECT_TRUE(app->Ended());
  EXPECT_EQ(os.CallsNamed("Shell_NotifyIconA(2").size(), 1u);

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
  EXPECT_EQ(env.messageBoxes.shown.size(), 1u);
  EXPECT_FALSE(Main().CountDown);
  EXPECT_TRUE(Main().Visible());

  // However a countdown came to start while an old box waited, OK on that box
  // leaves it running.
  StartCountdown(1, "0", "1", "0");
  bool first = true;
  env.messageBoxes.onShow = [&](const ui::ShownBox&) {
    if (std::exchange(first, false)) StartCountdown(2, "0", "0", "30");
  };
  Main().Annule.onClick();
  EXPECT_EQ(std::pair(Main().CountDown, Main().countdown.Timer1.Enabled()), std::pair(true, true));
  EXPECT_EQ(Main().Action, 2);
  Advance(30000);
  EXPECT_EQ(os.CallsNamed("ExitWindowsEx"), Lines{"ExitWindowsEx(6,0)"});
}

}  // namespace
