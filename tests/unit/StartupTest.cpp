// Start-up: settings and switches, the time on the command line, the immediate
// action, loading, the deferred opening, and the help and coffee boxes.
#include <gtest/gtest.h>

#include "AppFixture.h"

namespace {

TEST(Startup, SwitchesSetTheirFlagsAndTheLastActionWins) {
  // The other switches are checked where they act; every token is read, however many.
  std::string beyond255;
  for (int i = 0; i < 300; ++i) beyond255 += "-x ";
  EXPECT_TRUE(Started(beyond255 + "-notimediag").Main().CmdTimStart);
  // The action a switch presets opens on the second tick after the window shows: the last one given.
  const std::pair<const char*, std::int16_t> actions[] = {{"-v -r -a", 1}, {"-a -v -r", 2}, {"-r -a -v", 3}};
  for (const auto& [commandLine, action] : actions) {
    SCOPED_TRACE(commandLine);
    Started f(commandLine);
    f.Advance(1);
    EXPECT_EQ(f.app->TimeFormIfLoaded(), nullptr);
    f.Advance(1);
    EXPECT_NE(f.app->TimeFormIfLoaded(), nullptr);
    // One dialog opened, not one per switch.
    EXPECT_EQ(
        std::tuple(f.Main().Action, f.os.CallsNamed("Shell_NotifyIconA(1").size(), f.Main().startup.Patient.Enabled()),
        std::tuple(action, 1u, false));
  }
}

TEST_F(AppTest, StartupIdleIgnoresUnknownTokensAndMakesNoCoffeeYet) {
  Start("-M -T:0,1,0 -t -noding2 -x -makecoffee");
  EXPECT_EQ(std::tuple(Main().Visible(), Main().CmdReduced, Main().Noding, Main().WaitCmd, Main().Action),
            std::tuple(true, false, false, false, 0));
  EXPECT_EQ(os.CallsNamed("Shell_NotifyIconA(0").size(), 1u);
  EXPECT_EQ(Boxes(), Lines{"Désolé mais je ne fais pas encore le café.\r\nDans une future version je l'espère :-P "
                           "[64 Machine à café]"});
}

TEST(Startup, ImmediateActionsRunDuringInitialisationAndEndTheProgram) {
  // Standby unless hibernation is forced. Settings that act at once with all three actions set: only one runs.
  const std::tuple<std::uint8_t, const char*, const char*> rows[] = {
      {0, "-r -t:0,0,0", "ExitWindowsEx(6,0)"},   {0, "-a -t:,,,", "ExitWindowsEx(12,0)"},
      {0, "-v -n", "SetSystemPowerState(-1,-1)"}, {0, "-v -n -forcehibernation", "SetSystemPowerState(0,-1)"},
      {0, "-? -a -n", "ExitWindowsEx(12,0)"},     {0x40 | 0x1C, "", "ExitWindowsEx(12,0)"},
  };
  for (const auto& [options, commandLine, power] : rows) {
    AppFixture f;
    f.WriteSettingsBytes(AppFixture::TaggedBytes(options, 0));
    f.Start(commandLine);
    EXPECT_EQ(std::tuple(f.PowerCalls(), f.app->Ended(), f.Main().Visible()), std::tuple(Lines{power}, true, false))
        << commandLine;
  }
}

TEST(Startup, TimeTextsAreCheckedShownAndABadOneNeverActs) {
  const char* const badT = "L'argument de temps (-t:) est suivi d'une information incorrecte.";
  const char* const badH = "L'argument de temps (-h:) est suivi d'une information incorrecte.";
  // -h: on a clock reading 10:00:00, and winning over -t: whatever the order. A time adding up to 0 or not whole
  // is never an immediate action; one too large is refused before any conversion.
  const std::tuple<const char*, const char*, const char*> rows[] = {
      {"-t:1,2,3", nullptr, "01:02:03"},   {"-t:99,99,99", nullptr, "99:99:99"},
      {"-h:11,30,0", nullptr, "01:30:00"}, {"-h:1,0,0 -t:1,2,3", nullptr, "15:00:00"},
      {"-t:100,0,0", badT, "00:00:00"},    {"-t:0,100,0", badT, "00:00:00"},
      {"-t:0,0,100", badT, "00:00:00"},    {"-h:100,0,0", badH, "00:00:00"},
      {"-t:5,0", badT, "00:00:00"},        {"-t:,", badT, "00:00:00"},
      {"-t:-5,5,0", badT, "00:00:00"},     {"-t:1e999,0,0", badT, "00:00:00"},
      {"-t:40000,0,0", badT, "00:00:00"},  {"-h:1e300,0,0", badH, "00:00:00"},
      {"-t:0,1.5,0", badT, "00:00:00"},    {"-a -t:0.5,0,0", badT, "00:00:00"},
      {"-r -t:0,0,0.4", badT, "00:00:00"}, {"-a -t:hh,mm,ss", badT, "00:00:00"},
      {"-v -h:0,0,0.1", badH, "00:00:00"}};
  for (const auto& [commandLine, box, digits] : rows) {
    Started f(commandLine);
    f.Advance(5000);
    SCOPED_TRACE(commandLine);
    EXPECT_EQ(f.Boxes(), box ? Lines{std::string(box) + " [64 Crepuscule]"} : Lines{});
    EXPECT_EQ(f.PowerCalls(), Lines{});
    EXPECT_EQ(std::tuple(f.Main().WaitCmd, f.Main().CmdAllnow, f.Main().CountDown, f.Main().Visible(), f.Digits()),
              std::tuple(box == nullptr, false, false, true, std::string(digits)));
    // A bad time with an action switch still opens that action's dialog.
    const auto at = std::string("arv").find(commandLine[1]);
    EXPECT_EQ(std::pair(int{f.Main().Action}, f.app->TimeFormIfLoaded() != nullptr),
              std::pair(at == std::string::npos ? 0 : static_cast<int>(at) + 1, at != std::string::npos));
  }
}

TEST(Startup, ATimeWithAnActionStartsAtOnceAndTheLastTimeIsPresetUnlessZeroOrOverridden) {
  // The minutes remembered, the command line; prepared, counting down (the countdown window shows the time instead
  // of the main window), the action, the digits.
  const std::tuple<std::uint8_t, const char*, bool, bool, int, const char*> rows[] = {
      {10, "", true, false, 0, "00:10:00"},           {10, "-t:", false, false, 0, "00:00:00"},
      {0, "", false, false, 0, "00:00:00"},           {10, "-r", false, true, 2, "00:10:00"},
      {0, "-a -t:0,2,0", false, true, 1, "00:02:00"},
  };
  for (const auto& [minutes, commandLine, preset, counting, action, digits] : rows) {
    SCOPED_TRACE(commandLine);
    AppFixture f;
    f.WriteSettingsBytes(AppFixture::TaggedBytes(0x20, 0, 0, minutes, 0));
    f.Start(commandLine);
    EXPECT_EQ(std::tuple(f.Main().WaitCmd, f.Main().CountDown, f.Main().countdown.Timer1.Enabled(), f.Main().Visible(),
                         f.Main().Action, f.Digits(), f.Boxes()),
              std::tuple(preset, counting, counting, !counting, action, std::string(digits), Lines{}));
  }
}

}  // namespace
