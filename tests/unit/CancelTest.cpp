// "Annuler": a running countdown, a prepared run, and the idle window.
#include <gtest/gtest.h>

#include <utility>

#include "AppFixture.h"
#include "timeui/TimeStart.h"
#include "tray/SystrayIcon.h"

namespace {

using Lines = std::vector<std::string>;

TEST(Cancel, ConfirmsWithTheActionsIconThenGoesIdle) {
  const std::string idle = "Shell_NotifyIconA(1,icon=112,tip=Crepuscule)";
  const std::tuple<bool, int, const char*, Lines> rows[] = {
      {true, 1, "-", {"Shell_NotifyIconA(1,icon=101,tip=Arrêt annulé.)", idle}},
      {true, 2, "-", {"Shell_NotifyIconA(1,icon=102,tip=Redémarrage annulé.)", idle}},
      {false,
       3,
       "-",
       {"Shell_NotifyIconA(1,icon=103,tip=Mise en veille annulée.)",
        "Shell_NotifyIconA(1,icon=123,tip=Mise en veille annulée.)", idle}},
      {true, 1, "-noconfirm", {idle}}};
  const char* const boxes[] = {"", "Extinction de l'ordinateur annulée.", "Redémarrage de l'ordinateur annulé.",
                               "Mise en veille annulée."};
  for (const auto& [xp, action, commandLine, tips] : rows) {
    AppFixture f;
    if (!xp) f.os.Set98();
    f.Start(commandLine);
    std::string h = "0", m = "5", s = "0";
    f.Main().Action = static_cast<std::int16_t>(action);
    f.Main().TimeIsMoney(h, m, s, false);
    f.os.ClearLog();
    std::size_t tipsWhileBoxWaits = 0;
    f.env.messageBoxes.onShow = [&](const ui::ShownBox&) {
      tipsWhileBoxWaits = f.os.CallsNamed("Shell_NotifyIconA(1").size();
    };
    f.Main().Annule_Click();
    SCOPED_TRACE(action);
    EXPECT_EQ(f.os.CallsNamed("Shell_NotifyIconA(1"), tips);
    const bool confirmed = std::string(commandLine) != "-noconfirm";
    ASSERT_EQ(f.env.messageBoxes.shown.size(), confirmed ? 1u : 0u);
    if (confirmed) {
      EXPECT_EQ(tipsWhileBoxWaits, tips.size() - 1);  // the idle tip comes after OK
      EXPECT_EQ(f.env.messageBoxes.shown[0].text, boxes[action]);
      EXPECT_EQ(f.env.messageBoxes.shown[0].flags, 64);
      EXPECT_EQ(f.env.messageBoxes.shown[0].title, "Annulation");
    }
    EXPECT_EQ(std::tuple(f.Main().CountDown, f.Main().Timer1.Enabled(), f.Main().Action), std::tuple(false, false, 0));
  }
}

TEST_F(AppTest, CancelInTheFinalSecondsBringsTheIdleLookBack) {
  Start("");
  std::string h = "0", m = "0", s = "8";
  Main().Action = 2;
  Main().TimeIsMoney(h, m, s, false);
  Advance(4000);
  ASSERT_TRUE(Main().Petetout.Visible());
  Main().Annule_Click();
  MainForm& w = Main();
  EXPECT_EQ(Shown({&w.Petetout, &w.Petetout2, &w.DisablePic}), "");
  for (ui::Control* c : {&w.Arrete, &w.Reboote, &w.VeilleProlongee, &w.ArreteLabel, &w.TxtH, &w.Label1})
    EXPECT_TRUE(c->Visible()) << c->Name();
  EXPECT_EQ(w.ArreteLabel.ForeColour(), ui::kWhite);
  EXPECT_EQ(w.Titre.Caption(), "Arrêter l'ordinateur");
  EXPECT_EQ(w.TxtH.Caption() + w.TxtM.Caption() + w.TxtS.Caption(), "000000");
  EXPECT_EQ(std::pair(w.Visible(), w.CheckMaj.Enabled()), std::pair(true, true));
  EXPECT_EQ(app->TimeStartIfLoaded(), nullptr);
  Advance(10000);
  EXPECT_TRUE(os.CallsNamed("ExitWindowsEx").empty());

  m = "1", s = "0";  // the next countdown shows its window again
  Main().TimeIsMoney(h, m, s, false);
  Advance(1000);
  EXPECT_NE(app->TimeStartIfLoaded(), nullptr);
}

TEST_F(AppTest, CancelDropsAPreparedRunThenClosesTheIdleProgram) {
  Start("-n");  // waits with the digits hidden
  MainForm& m = Main();
  EXPECT_EQ(std::tuple(m.WaitCmd, m.Visible(), Shown({&m.TxtM, &m.Label1})), std::tuple(true, true, ""));
  EXPECT_EQ(std::pair(os.CallsNamed("ExitWindowsEx"), os.CallsNamed("SetSystemPowerState")),
            std::pair(Lines{}, Lines{}));
  m.Annule_Click();
  EXPECT_EQ(std::tuple(m.WaitCmd, m.CmdAllnow, app->Ended()), std::tuple(false, false, false));
  for (ui::Control* c : {&m.TxtH, &m.TxtS, &m.Label1, &m.Label2}) EXPECT_TRUE(c->Visible());
  EXPECT_TRUE(env.messageBoxes.shown.empty());

  Main().Annule_Click();
  EXPECT_TRUE(app->Ended());
  EXPECT_EQ(os.CallsNamed("Shell_NotifyIconA(2").size(), 1u);
}

TEST_F(AppTest, CancelOneAtATimeAndAnOldBoxNeverUndoesANewerCountdown) {
  Start("");
  std::string h = "0", m = "5", s = "0";
  Main().Action = 1;
  Main().TimeIsMoney(h, m, s, false);
  SystrayIcon& tray = *app->Tray();
  env.messageBoxes.onShow = [&](const ui::ShownBox&) {
    // While the box waits: cancel again from the tray menu, and from the
    // countdown window a double click brings back.
    env.menus.choices = {"MnuAnnul4"};
    tray.Form_MouseMove(0x205);
    tray.Form_MouseMove(0x203);
    if (TimeStart* box = app->TimeStartIfLoaded()) box->Annuler.onClick();
  };
  Main().Annule_Click();
  EXPECT_EQ(env.messageBoxes.shown.size(), 1u);
  EXPECT_FALSE(Main().CountDown);
  EXPECT_TRUE(Main().Visible());

  // However a countdown came to start while an old box waited, OK on that box
  // leaves it running.
  m = "1";
  Main().Action = 1;
  Main().TimeIsMoney(h, m, s, false);
  bool first = true;
  env.messageBoxes.onShow = [&](const ui::ShownBox&) {
    if (!std::exchange(first, false)) return;
    std::string h2 = "0", m2 = "0", s2 = "30";
    Main().Action = 2;
    Main().TimeIsMoney(h2, m2, s2, false);
  };
  Main().Annule_Click();
  EXPECT_EQ(std::pair(Main().CountDown, Main().Timer1.Enabled()), std::pair(true, true));
  EXPECT_EQ(Main().Action, 2);
  Advance(30000);
  EXPECT_EQ(os.CallsNamed("ExitWindowsEx"), Lines{"ExitWindowsEx(6,0)"});
}

}  // namespace
