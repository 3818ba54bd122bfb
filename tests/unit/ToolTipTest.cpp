// The balloon tooltip: what it accepts, how it words and colours the balloon,
// and the exact platform calls that build and destroy the window.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "AppFixture.h"
#include "platform/RecordingPlatform.h"
#include "tooltip/cToolTip.h"
#include "ui/Control.h"
#include "ui/Fakes.h"
#include "ui/Form.h"

namespace {

struct ToolTipTest : ::testing::Test {
  ui::FakeEnvironment env;
  platform::RecordingPlatform os;
  ui::Form form{env.services, "F", ui::FormStyle::Borderless, {0, 0, 3000, 3000}, ""};
  ui::Control button{form, "ArreteBrillant", ui::ControlKind::WindowedPicture, {0, 0, 495, 495}};
  ui::Control bare{form, "bare", ui::ControlKind::WindowedPicture, {0, 0, 495, 495}};
  cToolTip tip{os};

  ToolTipTest() {
    button.AttachPeer(std::make_unique<HandlePeers::Peer>(0x77));
    os.clientRect = {0, 0, 33, 33};
    os.nextHandle = 0x500;
  }
};

TEST_F(ToolTipTest, CreateMakesTheCallsInOrderAndDestructionEndsTheWindow) {
  os.ClearLog();
  auto owned = std::make_unique<cToolTip>(os);
  EXPECT_EQ(std::pair(os.log, owned->Style()), std::pair(std::vector<std::string>{"InitCommonControls()"}, -1));
  os.ClearLog();
  const std::int32_t btnText = static_cast<std::int32_t>(0x80000012u), infoBk = static_cast<std::int32_t>(0x80000018u);
  EXPECT_EQ(owned->Create(button, " |Arrêtez|Windows", 64, true, 1, "Programmer", btnText, infoBk, -1, 20000), 0x500u);
  const std::vector<std::string> expected = {
      "GetClientRect(0x77)",
      "GetSysColor(18)",
      "GetSysColor(24)",
      "CreateWindowExA(0x0,Tooltips_Class32,null,0x42,-2147483648,-2147483648,-2147483648,-2147483648,"
      "parent=0x77,menu=0x0,instance=0x400000,param=null)",
      "SetWindowPos(0x500,0xffffffffffffffff,0,0,0,0,0x13)",
      "SendMessageA(0x404,hwnd=0x500,w=0,tool={size=44,flags=0x12,hwnd=0x77,id=0x0,rect=0,0,33,33,"
      "hinst=0x400000,text= \r\nArrêtez\r\nWindows})",
      "SendMessageA(0x418,hwnd=0x500,w=0,l=102)",  // room for "Arrêtez": lines break at CR LF only
      "SendMessageA(0x420,hwnd=0x500,w=1,text=Programmer)",
      "SendMessageA(0x414,hwnd=0x500,w=1048594,l=0)",
      "SendMessageA(0x413,hwnd=0x500,w=1048600,l=0)",
      "SendMessageA(0x403,hwnd=0x500,w=3,l=-1)",
      "SendMessageA(0x403,hwnd=0x500,w=2,l=20000)"};
  EXPECT_EQ(std::pair(os.log, owned->Centered()), std::pair(expected, true));
  os.ClearLog();
  owned.reset();
  EXPECT_EQ(os.log, std::vector<std::string>{"DestroyWindow(0x500)"});
}

TEST_F(ToolTipTest, InvalidStyleIconOrParentCreatesNothing) {
  const std::tuple<std::int32_t, std::int32_t, bool> cases[] = {{2, 1, true},  {66, 0, true},  {-1, 0, true},
                                                                {64, 4, true}, {65, -1, true}, {64, 1, false}};
  for (const auto& [style, icon, withWindow] : cases) {
    SCOPED_TRACE(std::to_string(style) + "/" + std::to_string(icon));
    ASSERT_NE(tip.Create(button, "a", 65, false, 3, "t"), 0u);
    os.ClearLog();
    EXPECT_EQ(tip.Create(withWindow ? button : bare, "b", style, false, icon, "t"), 0u);
    ASSERT_EQ(os.log.size(), 1u);  // only the old window goes
    EXPECT_EQ(os.log[0].rfind("DestroyWindow(", 0), 0u);
    EXPECT_EQ(std::pair(tip.Hwnd(), tip.Style()), std::pair(std::uintptr_t{0}, -1));
  }
}

TEST_F(ToolTipTest, BarsBreakLinesNoTitleMeansOneLineAndColoursResolveSystemIndicesAndAvoidEqualPairs) {
  const std::tuple<const char*, const char*, const char*> cases[] = {
      {"a|b|c", "", "a b c"}, {" |x||y", "", "  x  y"}, {"line\r\nbreak|", "", "line break "}, {"", "T", ""}};
  for (const auto& [text, title, expected] : cases) {
    tip.Create(button, text, 0, false, 0, title, 1, 2);
    EXPECT_EQ(tip.Text(), expected) << text;
  }
  // Colours resolve system indices and avoid equal pairs.
  const std::tuple<std::uint32_t, std::uint32_t, std::uint32_t, std::uint32_t> colours[] = {
      {0x0000FF, 0xFFFFFF, 0x0000FF, 0xFFFFFF},
      {0x80000005, 0x123456, 0x100005, 0x123456},
      {0x100007, 0x80000007, 0x100012, 0x100018},  // equal once resolved
      {0x80000000, 1, 0x100000, 1},
      {0, 0xFFFFFF, 0, 0xFFFFFF}};  // black is a colour, not a system index
  for (const auto& [fore, back, foreCol, backCol] : colours) {
    tip.Create(button, "x", 1, false, 2, "t", static_cast<std::int32_t>(fore), static_cast<std::int32_t>(back));
    EXPECT_EQ(std::pair(tip.ForeCol(), tip.BackCol()), std::pair(foreCol, backCol)) << std::hex << fore << "/" << back;
  }
}

TEST_F(ToolTipTest, ASecondCreateReplacesTheWindowButKeepsTheInitialTexts) {
  tip.Create(button, "first|one", 64, true, 1, "");
  tip.Create(button, "second|two", 1, false, 0, "Title 2");
  os.ClearLog();
  tip.Create(button, "third", 0, false, 0, "Title 3");
  EXPECT_EQ(os.log.front(), "DestroyWindow(0x501)");
  // The first title was empty.
  EXPECT_EQ(tip.InitialText() + "/" + tip.InitialTitle() + "/" + tip.Text() + "/" + tip.Title(),
            "first one/Title 2/third/Title 3");
  EXPECT_FALSE(tip.Centered());
}

}  // namespace
