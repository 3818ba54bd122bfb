// A second copy brings the first to the front and ends before anything else.
#include <gtest/gtest.h>

#include "AppFixture.h"
#include "app/InstanceModule.h"
#include "settings/OptionsForm.h"
#include "timeui/TimeForm.h"
#include "tray/SystrayIcon.h"
#include "ui/Fakes.h"

namespace {

// A "-reporter:" it carries goes with the message; nothing else of its command line does.
TEST(Instance, ASecondCopyActivatesTheFirstAndEnds) {
  for (const auto& [commandLine, wParam] : {std::pair("-a -t:0,10,0 -makecoffee", "0"),
                                            std::pair("-reporter:15 -a", "15"), std::pair("-reporter:abc", "0")}) {
    AppFixture f;
    f.os.prevInstance = true;
    f.os.windows[{"ThunderRT6Main", "Crepuscule"}] = 0x500;
    f.os.windowBefore[0x500] = 0x4F0;
    f.Start(commandLine);
    EXPECT_TRUE(f.processEnded);
    // The first copy may take the foreground before this one lets it go, and is
    // asked to bring its own window forward once the main window is up.
    EXPECT_EQ(f.os.Calls(),
              (Lines{"InitCommonControls()", "PrevInstance()", "CommandLine()", "AppTitle()",
                     "SetAppTitle(unwanted instance)", "FindWindowA(ThunderRT6Main,Crepuscule)",
                     "GetWindowThreadProcessId(0x500)", "AllowSetForegroundWindow(0x7a0)", "GetWindow(0x500,3)",
                     "SetForegroundWindow(0x4f0)", "RegisterWindowMessageA(Crepuscule.Activate)",
                     std::string("PostMessageA(0x500,0xc123,") + wParam + ",0)", "EndProcess()"}));
    EXPECT_EQ(std::tuple(f.SettingsBytes().empty(), f.Boxes(), f.Main().Visible()), std::tuple(true, Lines{}, false));
  }
}

// A copy that finds no first one runs under another title. What the first copy
// brings forward when a second one asks: an open dialog (never its disabled
// main window over it), the main window on screen, and nothing out of the
// notification area.
TEST_F(AppTest, AnUnfoundFirstCopyLetsThisOneRunAndTheFirstCopyBringsForwardWhatTheUserWorksIn) {
  os.prevInstance = true;
  Start("");
  EXPECT_EQ(std::tuple(processEnded, os.appTitle, Main().Visible(), SettingsBytes().size()),
            std::tuple(false, "unwanted instance", true, 9u));
  const auto forward = [this] {
    env.services.activeForm = nullptr;
    app->Activated(0);
    return env.services.activeForm ? env.services.activeForm->Name() : std::string();
  };
  EXPECT_EQ(forward(), "MainForm");
  Main().ArreteBrillant_MouseUp(1, 0, 0, 0);
  EXPECT_EQ(forward(), "TimeForm");
  app->TimeFormIfLoaded()->Annuled_Click();
  Main().TimeOptions_Click();
  EXPECT_EQ(forward(), "OptionsForm");
  app->OptionsFormIfLoaded()->Cancel_Click();
  StartCountdown(1, "0", "5", "0");  // a plain activation during a countdown is no postponement
  app->Tray()->Restore();
  EXPECT_EQ(forward(), "MainForm");
  Main().MinBrillant_MouseUp(1, 0, 0, 0);  // into the tray
  EXPECT_EQ(forward(), "");
}

TEST(InstanceMutexName, SessionNamesOnlyWhereTheSystemKnowsThem) {
  // NT 4 refuses a backslash, and so do 95, 98 and Me.
  const std::tuple<std::uint32_t, std::uint32_t, const char*> cases[] = {
      {2, 5, "Local\\Crepuscule.Instance"}, {2, 10, "Local\\Crepuscule.Instance"}, {2, 4, "Crepuscule.Instance"},
      {1, 4, "Crepuscule.Instance"},        {0, 0, "Crepuscule.Instance"},
  };
  for (const auto& [platformId, major, name] : cases) {
    platform::OsVersionInfo v;
    v.dwPlatformId = platformId;
    v.dwMajorVersion = major;
    EXPECT_EQ(InstanceMutexName(v), name) << platformId << "." << major;
  }
}

}  // namespace
