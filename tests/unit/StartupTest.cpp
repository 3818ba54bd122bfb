// Start-up: settings and switches, the time on the command line, the immediate
// action, loading, the deferred opening, and the help and coffee boxes.
#include <gtest/gtest.h>

#include "AppFixture.h"
#include "app/HelpMod.h"
#include "tray/SystrayIcon.h"

namespace {

using Lines = std::vector<std::string>;

Lines PowerCalls(const platform::RecordingPlatform& os) {
  Lines out;
  for (const auto& l : os.Calls())
    if (l.rfind("ExitWindowsEx", 0) == 0 || l.rfind("SetSystemPowerState", 0) == 0 || l.rfind("StartProcess", 0) == 0)
      out.push_back(l);
  return out;
}

std::string Digits(MainForm& m) { return m.TxtH.Caption() + ":" + m.TxtM.Caption() + ":" + m.TxtS.Caption(); }

TEST(Startup, SwitchesSetTheirFlagsAndTheLastActionWins) {
  const std::pair<const char*, bool RunState::*> rows[] = {
      {"-noding", &RunState::Noding},          {"-nomin", &RunState::NoMinAfter},
      {"-notimediag", &RunState::CmdTimStart}, {"-noconfirm", &RunState::NoConfirm},
      {"-endinmain", &RunState::OldEndDesgn},  {"-forcehibernation", &RunState::ForceHibern}};
  for (const auto& [commandLine, flag] : rows) {
    AppFixture f;
    f.Start(commandLine);
    EXPECT_TRUE(f.Main().*flag) << commandLine;
  }
  // The action a switch presets opens right after the window shows: the last one given.
  const std::pair<const char*, std::int16_t> actions[] = {{"-v -r -a", 1}, {"-a -v -r", 2}, {"-r -a -v", 3}};
  for (const auto& [commandLine, action] : actions) {
    AppFixture f;
    f.Start(commandLine);
    f.Advance(5);
    EXPECT_NE(f.app->TimeFormIfLoaded(), nullptr) << commandLine;
    EXPECT_EQ(f.Main().Action, action) << commandLine;
  }
}

TEST_F(AppTest, StartupIdleIgnoresUnknownTokens) {
  Start("-M -T:0,1,0 -t -noding2 -x");
  EXPECT_TRUE(Main().Visible());
  EXPECT_EQ(std::tuple(Main().CmdReduced, Main().Noding, Main().WaitCmd), std::tuple(false, false, false));
  EXPECT_EQ(Main().Action, 0);
  EXPECT_EQ(os.Calls().front(), "InitCommonControls()");
  EXPECT_EQ(os.CallsNamed("Shell_NotifyIconA(0").size(), 1u);
  EXPECT_EQ(SettingsBytes(), TaggedBytes(0, 0));
}

TEST(Startup, ImmediateActionsRunDuringInitialisationAndEndTheProgram) {
  const std::pair<const char*, Lines> rows[] = {
      {"-a -n", {"ExitWindowsEx(12,0)"}},
      {"-r -t:0,0,0", {"ExitWindowsEx(6,0)"}},
      {"-a -t:,,,", {"ExitWindowsEx(12,0)"}},
      {"-v -n", {"SetSystemPowerState(-1,-1)"}},  // standby unless hibernation is forced
      {"-v -n -forcehibernation", {"SetSystemPowerState(0,-1)"}},
      {"-? -a -n", {"ExitWindowsEx(12,0)"}},
  };
  for (const auto& [commandLine, power] : rows) {
    AppFixture f;
    f.Start(commandLine);
    EXPECT_EQ(PowerCalls(f.os), power) << commandLine;
    EXPECT_EQ(std::pair(f.app->Ended(), f.Main().Visible()), std::pair(true, false)) << commandLine;
  }
  AppFixture damaged;  // act at once with all three actions set: only one runs
  damaged.WriteSettingsBytes(AppFixture::TaggedBytes(0x40 | 0x1C, 0));
  damaged.Start("");
  EXPECT_EQ(PowerCalls(damaged.os), Lines{"ExitWindowsEx(12,0)"});
}

TEST(Startup, TimeTextsAreCheckedAndShownWhenNoActionIsChosen) {
  const char* const badT = "L'argument de temps (-t:) est suivi d'une information incorrecte.";
  const char* const badH = "L'argument de temps (-h:) est suivi d'une information incorrecte.";
  const std::tuple<const char*, const char*, const char*> rows[] = {
      {"-t:1,2,3", nullptr, "01:02:03"},
      {"-t:99,99,99", nullptr, "99:99:99"},
      {"-h:11,30,0", nullptr, "01:30:00"},         // the clock reads 10:00:00
      {"-h:1,0,0 -t:1,2,3", nullptr, "15:00:00"},  // the clock time wins whatever the order
      {"-t:100,0,0", badT, "00:00:00"},
      {"-h:100,0,0", badH, "00:00:00"},
      {"-t:5,0", badT, "00:00:00"},
      {"-t:,", badT, "00:00:00"},
      {"-t:-5,5,0", badT, "00:00:00"},  // adds up to 0, yet never an immediate action
      {"-t:1e999,0,0", badT, "00:00:00"},
      {"-t:40000,0,0", badT, "00:00:00"},  // whole, but checked before any conversion
      {"-h:1e300,0,0", badH, "00:00:00"},
      {"-t:0,1.5,0", badT, "00:00:00"},
      {"-t:hh,mm,ss", badT, "00:00:00"},
  };
  for (const auto& [commandLine, box, digits] : rows) {
    AppFixture f;
    f.Start(commandLine);
    SCOPED_TRACE(commandLine);
    const auto& shown = f.env.messageBoxes.shown;
    ASSERT_EQ(shown.size(), box ? 1u : 0u);
    if (box) {
      EXPECT_EQ(std::tuple(shown[0].text, shown[0].flags, shown[0].title), std::tuple(box, 64, "Crepuscule"));
    }
    EXPECT_EQ(f.Main().WaitCmd, box == nullptr);
    EXPECT_EQ(std::pair(f.Main().CmdAllnow, f.Main().CountDown), std::pair(false, false));
    EXPECT_EQ(Digits(f.Main()), digits);
  }
}

TEST_F(AppTest, StartupTimeWithActionStartsTheCountdownAtOnce) {
  Start("-a -t:0,2,0");
  EXPECT_EQ(std::pair(Main().CountDown, Main().Timer1.Enabled()), std::pair(true, true));
  EXPECT_EQ(Main().Action, 1);
  EXPECT_EQ(Digits(Main()), "00:02:00");
  EXPECT_FALSE(Main().Visible());  // the countdown window shows the time instead
  EXPECT_EQ(SettingsBytes(), TaggedBytes(0, 0, 0, 2, 0));
}

TEST(Startup, ATimeThatIsNotWholeNumbersNeverActsAtOnce) {
  for (const char* commandLine : {"-a -t:0.5,0,0", "-r -t:0,0,0.4", "-a -t:hh,mm,ss", "-v -h:0,0,0.1"}) {
    AppFixture f;
    f.Start(commandLine);
    f.Advance(5000);
    SCOPED_TRACE(commandLine);
    EXPECT_EQ(PowerCalls(f.os), Lines{});
    ASSERT_EQ(f.env.messageBoxes.shown.size(), 1u);
    EXPECT_NE(f.env.messageBoxes.shown[0].text.find("est suivi d'une information incorrecte."), std::string::npos);
    EXPECT_EQ(std::pair(f.Main().Visible(), f.Main().CountDown), std::pair(true, false));
  }
}

TEST(Startup, TheLastTimeIsPresetUnlessZeroOrOverridden) {
  const std::tuple<std::uint8_t, const char*, bool> rows[] = {{10, "", true}, {10, "-t:", false}, {0, "", false}};
  for (const auto& [minutes, commandLine, preset] : rows) {
    AppFixture f;
    f.WriteSettingsBytes(AppFixture::TaggedBytes(0x20, 0, 0, minutes, 0));
    f.Start(commandLine);
    EXPECT_EQ(f.Main().WaitCmd, preset);
    EXPECT_EQ(Digits(f.Main()), preset ? "00:10:00" : "00:00:00");
    EXPECT_TRUE(f.env.messageBoxes.shown.empty());
  }
}

TEST_F(AppTest, StartupOpensAPresetActionOnTheSecondTick) {
  Start("-r");
  Advance(1);
  EXPECT_EQ(app->TimeFormIfLoaded(), nullptr);
  Advance(1);
  EXPECT_EQ(Main().Action, 2);
  EXPECT_NE(app->TimeFormIfLoaded(), nullptr);
  EXPECT_FALSE(Main().Patient.Enabled());
}

TEST_F(AppTest, StartupReadsEveryTokenEvenBeyond255) {
  std::string commandLine;
  for (int i = 0; i < 300; ++i) commandLine += "-x ";
  Start(commandLine + "-noding");
  EXPECT_TRUE(Main().Noding);
}

TEST(Startup, LoadingAdaptsTheSleepWordingToTheSystem) {
  const std::tuple<bool, const char*, const char*, const char*, const char*> rows[] = {
      {true, "", "Veille prolongée", "&Veille Prolongée", "dialogue Veille prolongée\r\n"},
      {false, "", "Mettre en veille", "Mise en &veille", "dialogue veille\r\n"},
      {false, "-forcehibernation", "Veille prolongée", "&Veille Prolongée", "dialogue Veille prolongée\r\n"}};
  for (const auto& [xp, commandLine, label, menuItem, help] : rows) {
    SCOPED_TRACE(label);
    AppFixture f;
    if (!xp) f.os.Set98();
    f.Start(commandLine);
    const bool hibernates = xp || *commandLine;
    EXPECT_EQ(f.Main().LongStandby, hibernates);
    EXPECT_EQ(f.Main().CheckMaj.Enabled(), hibernates);
    EXPECT_EQ(f.Main().VeilleProlongeeLabel.Caption(), label);
    EXPECT_EQ(f.Main().Balloons().size(), 3u);
    EXPECT_EQ(f.app->Tray()->MnuFichier.Find("MnuFerme")->caption, menuItem);
    EXPECT_EQ(f.app->Tray()->MnuFichierR.Find("MnuFermeR")->caption, menuItem);
    ShowHelp(*f.app);
    ASSERT_EQ(f.env.messageBoxes.shown.size(), 1u);
    EXPECT_NE(f.env.messageBoxes.shown[0].text.find(help), std::string::npos);
  }
}

TEST_F(AppTest, StartupCoffeeIsNotReadyYet) {
  Start("-makecoffee");
  ASSERT_EQ(env.messageBoxes.shown.size(), 1u);
  EXPECT_EQ(env.messageBoxes.shown[0].text,
            "Désolé mais je ne fais pas encore le café.\r\nDans une future version je l'espère :-P");
  EXPECT_EQ(env.messageBoxes.shown[0].flags, 64);
  EXPECT_EQ(env.messageBoxes.shown[0].title, "Machine à café");
  EXPECT_TRUE(Main().Visible());
}

}  // namespace
