// A second copy brings the first to the front and ends before anything else.
#include <gtest/gtest.h>

#include "AppFixture.h"

namespace {

using Lines = std::vector<std::string>;

TEST_F(AppTest, ASecondCopyActivatesTheFirstAndEnds) {
  os.prevInstance = true;
  os.windows[{"ThunderRT6Main", "Crepuscule"}] = 0x500;
  os.windowBefore[0x500] = 0x4F0;
  Start("-a -t:0,10,0 -makecoffee");
  EXPECT_TRUE(processEnded);
  EXPECT_EQ(os.Calls(), (Lines{"InitCommonControls()", "PrevInstance()", "AppTitle()", "SetAppTitle(unwanted instance)",
                               "FindWindowA(ThunderRT6Main,Crepuscule)", "GetWindow(0x500,3)",
                               "SetForegroundWindow(0x4f0)", "EndProcess()"}));
  EXPECT_FALSE(SettingsExist());
  EXPECT_TRUE(env.messageBoxes.shown.empty());
  EXPECT_FALSE(Main().Visible());
}

TEST_F(AppTest, AnUnfoundFirstCopyLetsThisOneRunUnderAnotherTitle) {
  os.prevInstance = true;
  Start("");
  EXPECT_FALSE(processEnded);
  EXPECT_EQ(os.appTitle, "unwanted instance");
  EXPECT_TRUE(Main().Visible());
  EXPECT_TRUE(SettingsExist());
}

}  // namespace
