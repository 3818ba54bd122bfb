// The countdown: starting and normalising a delay, clock times, ticks, the
// final seconds, the action at zero and the Shift key.
#include <gtest/gtest.h>

#include "AppFixture.h"
#include "timeui/TimeForm.h"
#include "timeui/TimeStart.h"
#include "tray/SystrayIcon.h"

namespace {

// A started program with a countdown begun.
struct Running : Started {
  Running(int action, const char* h, const char* m, const char* s, const std::string& commandLine = "", bool xp = true)
      : Started(commandLine, xp) {
    StartCountdown(action, h, m, s);
  }
};

TEST(Countdown, ActsAfterExactlyTheDelay) {
  const std::tuple<const char*, const char*, const char*, int, const char*> rows[] = {
      {"0", "0", "5", 5, "00:00:04"},
      {"0", "1", "0", 60, "00:00:59"},
      {"1", "0", "0", 3600, "00:59:59"},
      {"2", "0", "30", 7230, "02:00:29"}};
  for (const auto& [h, m, s, expectedTicks, afterFirst] : rows) {
    SCOPED_TRACE(std::string(h) + ":" + m + ":" + s);
    Running f(1, h, m, s);
    f.Advance(1000);
    EXPECT_EQ(f.Digits(), afterFirst);
    f.Advance((expectedTicks - 2) * 1000);
    EXPECT_EQ(f.PowerCalls(), Lines{});
    f.Advance(1000);
    EXPECT_EQ(std::tuple(f.os.CallsNamed("ExitWindowsEx"), f.Main().countdown.Timer1.Enabled(), f.Main().Visible()),
              std::tuple(Lines{"ExitWindowsEx(12,0)"}, false, false));
  }
}

TEST(Countdown, DelaysAreNormalisedOrRefused) {
  const std::tuple<const char*, const char*, const char*, const char*> rows[] = {
      {"0", "75", "0", "01:15:00"},  {"0", "0", "75", "00:01:15"}, {"0", "100", "0", "01:40:00"},
      {"0", "1.5", "0", "00:02:00"}, {"0", "0", "100", nullptr},   {"99", "59", "60", nullptr},
      {"0", "101", "0", nullptr},    {"-1", "0", "5", nullptr},    {"1e999", "0", "0", nullptr}};
  for (const auto& [h, m, s, started] : rows) {
    Running f(2, h, m, s);
    SCOPED_TRACE(std::string(h) + "," + m + "," + s);
    // The delay dialog is not opened just to be cleared.
    EXPECT_EQ(std::tuple(f.Main().CountDown, f.Digits(), f.Boxes(), f.app->TimeFormIfLoaded() == nullptr),
              std::tuple(started != nullptr, std::string(started ? started : "00:00:00"),
                         started ? Lines{} : Lines{"Erreur dans le délai [48 Information]"}, true));
  }
  Running zero(1, "0", "0", "0.4");  // rounds to nothing: silently ignored
  EXPECT_EQ(std::pair(zero.Main().CountDown, zero.Boxes()), std::pair(false, Lines{}));
}

TEST_F(StartedTest, CountdownErrorsClearTheOpenDelayDialogAndClockTimesBecomeTheDelayUntilThem) {
  TimeForm& dialog = app->LoadTimeForm();
  dialog.txtHeure.SetText("99");
  std::string h = "99", m = "59", s = "60";
  Main().TimeIsMoney(h, m, s, true);
  EXPECT_EQ(h + "," + m + "," + s, "100,0,0");  // the carries rewrite the caller's texts
  EXPECT_EQ(dialog.txtHeure.Text() + dialog.txtMinute.Text() + dialog.txtSeconde.Text(), "000000");

  // Clock times become the delay until them.
  const std::tuple<ui::TimeOfDay, std::int16_t, std::int16_t, std::int16_t, const char*> rows[] = {
      {{22, 30, 15}, 23, 0, 0, "0:29:45"}, {{22, 30, 15}, 8, 0, 0, "9:29:45"}, {{0, 0, 30}, 0, 0, 10, "23:59:40"},
      {{10, 56, 59}, 10, 56, 59, "0:0:0"}, {{23, 59, 59}, 0, 0, 0, "0:0:1"},   {{0, 0, 0}, 99, 99, 99, "99:99:99"},
      {{12, 0, 0}, -30, 0, 0, "255:0:0"},  // never wraps into a valid-looking delay
      {{12, 0, 0}, 32767, 0, 0, "255:0:0"}};
  for (const auto& [now, h0, m0, s0, delay] : rows) {
    env.clock.now = now;
    std::int16_t h = h0, m = m0, s = s0;
    Main().CalculHoraire(h, m, s);
    if (Main().TpsH != 255) EXPECT_EQ(std::to_string(h) + ":" + std::to_string(m) + ":" + std::to_string(s), delay);
    EXPECT_EQ(std::to_string(Main().TpsH) + ":" + std::to_string(Main().TpsM) + ":" + std::to_string(Main().TpsS),
              delay);
  }
}

TEST(Countdown, StartingDimsTheButtonsAndShowsTheCountdownWindowForFiveTicksOrThroughTheFinalSeconds) {
  Running f(3, "0", "0", "12");
  MainForm& m = f.Main();
  EXPECT_EQ(std::tuple(m.Titre.Caption(), m.DisablePic.Visible(), m.Reduced),
            std::tuple("Mise en Veille prolongée...", true, true));
  EXPECT_EQ(std::tuple(m.ArreteLabel.ForeColour(), m.RebooteLabel.ForeColour(), m.VeilleProlongeeLabel.ForeColour()),
            std::tuple(ui::Rgb(207, 220, 251), ui::Rgb(194, 211, 249), ui::Rgb(194, 211, 249)));
  EXPECT_EQ(f.SettingsBytes(), AppFixture::TaggedBytes(0, 0, 12, 0, 0));
  for (int tick = 1; tick <= 5; ++tick) {
    EXPECT_NE(f.app->TimeStartIfLoaded(), nullptr) << tick;
    f.Advance(1000);
  }
  EXPECT_EQ(f.app->TimeStartIfLoaded(), nullptr);
  f.Advance(2000);  // 5 left: the final seconds bring it back in bold
  ASSERT_NE(f.app->TimeStartIfLoaded(), nullptr);
  EXPECT_EQ(std::pair(f.app->TimeStartIfLoaded()->Visible(), f.app->TimeStartIfLoaded()->TimeLabel.GetFont().bold),
            std::pair(true, true));
  EXPECT_EQ(Shown({&m.Arrete, &m.TxtS, &m.DisablePic, &m.Petetout, &m.Petetout2}), "Petetout Petetout2");
  f.Advance(1000);
  EXPECT_EQ(m.Petetout.Caption() + "/" + m.Petetout2.Caption(), "4/4");  // the digit and its shadow

  // The window stays when its fifth tick is the first of the final seconds; ticks missed on a busy machine are
  // caught up.
  Running ten(1, "0", "0", "10");
  ten.Advance(5000);
  ASSERT_NE(ten.app->TimeStartIfLoaded(), nullptr);
  EXPECT_TRUE(ten.app->TimeStartIfLoaded()->TimeLabel.GetFont().bold);
  ten.env.scheduler.Stall(3500);
  ten.Advance(0);
  EXPECT_EQ(ten.Main().Petetout.Caption(), "2");
}

TEST(Countdown, FinalSecondsBeepAndSwitchTheTrayIconOnXpAndEndSilentlyInTheOldStyleOnOtherSystems) {
  Lines digitIcons;  // icons 108 to 104, and nothing more at zero
  for (int left = 5; left > 0; --left)
    digitIcons.push_back("Shell_NotifyIconA(1,icon=" + std::to_string(103 + left) + ",tip=Arrêt dans " +
                         std::to_string(left) + "s ...)");
  for (bool xp : {true, false}) {
    SCOPED_TRACE(xp ? "XP" : "98, old style");
    Running f(xp ? 1 : 2, "0", "0", xp ? "6" : "3", xp ? "" : "-noding -endinmain", xp);
    f.os.ClearLog();
    f.Advance(1000);
    // In the old style the main window shows the end.
    EXPECT_EQ(std::pair(f.app->TimeStartIfLoaded() == nullptr, f.Main().Visible()), std::pair(!xp, !xp));
    f.Advance(xp ? 5000 : 2000);
    EXPECT_EQ(
        std::tuple(f.os.CallsNamed("Beep").size(),
                   f.os.CallsNamed(xp ? "Shell_NotifyIconA(1," : "Shell_NotifyIconA(1,icon=10"), f.PowerCalls()),
        std::tuple(xp ? 5u : 0u, xp ? digitIcons : Lines{}, Lines{xp ? "ExitWindowsEx(12,0)" : "ExitWindowsEx(6,0)"}));
  }

  Running hidden(2, "0", "0", "7", "-endinmain");  // hidden in its normal state, it comes back too
  hidden.Main().SetState(ui::WindowState::Normal);
  hidden.Main().Hide();
  hidden.Advance(2000);
  EXPECT_TRUE(hidden.Main().Visible());
}

TEST(Countdown, SleepAtZeroFollowsShiftAndClosesTheProgramAfterWaking) {
  for (short shift : {0, -32768}) {
    Running f(3, "0", "0", "2");
    f.os.shiftState = shift;
    f.Advance(100);
    EXPECT_EQ(f.Main().VeilleProlongeeLabel.Caption(), shift ? "Mettre en veille" : "Veille prolongée");
    f.Advance(2000);
    EXPECT_EQ(std::tuple(f.os.CallsNamed("SetSystemPowerState"), f.os.CallsNamed("Shell_NotifyIconA(2").size(),
                         f.app->Ended()),
              std::tuple(Lines{shift ? "SetSystemPowerState(-1,-1)" : "SetSystemPowerState(0,-1)"}, 1u, true));
  }
  Running released(3, "0", "0", "9");
  released.os.shiftState = 1;
  released.Advance(100);
  released.os.shiftState = 0;
  released.Advance(100);
  EXPECT_EQ(released.Main().VeilleProlongeeLabel.Caption(), "Veille prolongée");
  EXPECT_EQ(released.Main().StandByTxtmin, "veille prolongée");
  EXPECT_TRUE(released.Main().LongStandby);
}

}  // namespace
