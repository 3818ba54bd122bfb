// The balloon tooltip: what it accepts, how it words and colours the balloon,
// and the exact platform calls that build the window.
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "platform/RecordingPlatform.h"
#include "tooltip/cToolTip.h"
#include "ui/Fakes.h"
#include "ui/Form.h"

namespace {

class HandlePeer : public ui::ControlPeer {
 public:
  explicit HandlePeer(std::uintptr_t h) : handle_(h) {}
  void Changed(ui::Prop) override {}
  std::uintptr_t Handle() const override { return handle_; }

 private:
  std::uintptr_t handle_;
};

struct ToolTipTest : ::testing::Test {
  ui::FakeEnvironment env;
  platform::RecordingPlatform os;
  ui::Form form{env.services, "F", ui::FormStyle::Borderless, {0, 0, 3000, 3000}, ""};
  ui::Control button{form, "ArreteBrillant", ui::ControlKind::WindowedPicture, {0, 0, 495, 495}};
  ui::Control bare{form, "bare", ui::ControlKind::WindowedPicture, {0, 0, 495, 495}};

  ToolTipTest() {
    button.AttachPeer(std::make_unique<HandlePeer>(0x77));
    os.clientRect = {0, 0, 33, 33};
    os.nextHandle = 0x500;
  }
};

std::string HexText(std::uintptr_t v) {
  char b[24];
  std::snprintf(b, sizeof b, "0x%llx", static_cast<unsigned long long>(v));
  return b;
}

constexpr std::int32_t kSysBtnText = static_cast<std::int32_t>(0x80000012u);
constexpr std::int32_t kSysInfoBk = static_cast<std::int32_t>(0x80000018u);

TEST_F(ToolTipTest, ConstructionLoadsTheCommonControlsAndHasNoWindow) {
  cToolTip tip(os);
  EXPECT_EQ(os.Calls(), std::vector<std::string>{"InitCommonControls()"});
  EXPECT_EQ(tip.Style(), -1);
  EXPECT_EQ(tip.Hwnd(), 0u);
  EXPECT_EQ(tip.InitialText(), "");
}

TEST_F(ToolTipTest, CreateMakesTheCallsInOrder) {
  cToolTip tip(os);
  os.ClearLog();
  const auto hwnd =
      tip.Create(button, " |Arrêtez|Windows", 64, true, 1, "Programmer l'arrêt", kSysBtnText, kSysInfoBk, -1, 20000);
  EXPECT_EQ(hwnd, 0x500u);
  EXPECT_EQ(tip.Hwnd(), 0x500u);
  const std::vector<std::string> expected = {
      "GetClientRect(0x77)",
      "GetSysColor(18)",
      "GetSysColor(24)",
      "CreateWindowExA(0x0,Tooltips_Class32,null,0x42,-2147483648,-2147483648,-2147483648,-2147483648,"
      "parent=0x77,menu=0x0,instance=0x400000,param=null)",
      "SetWindowPos(0x500,0xffffffffffffffff,0,0,0,0,0x13)",
      "SendMessageA(0x404,hwnd=0x500,w=0,tool={size=44,flags=0x12,hwnd=0x77,id=0x0,rect=0,0,33,33,"
      "hinst=0x400000,text= \r\nArrêtez\r\nWindows})",
      "SendMessageA(0x420,hwnd=0x500,w=1,text=Programmer l'arrêt)",
      "SendMessageA(0x414,hwnd=0x500,w=1048594,l=0)",
      "SendMessageA(0x413,hwnd=0x500,w=1048600,l=0)",
      "SendMessageA(0x403,hwnd=0x500,w=3,l=-1)",
      "SendMessageA(0x403,hwnd=0x500,w=2,l=20000)",
  };
  EXPECT_EQ(os.log, expected);
  EXPECT_EQ(tip.Style(), 64);
  EXPECT_EQ(tip.Icon(), 1);
  EXPECT_TRUE(tip.Centered());
  EXPECT_EQ(tip.HoverTime(), -1);
  EXPECT_EQ(tip.PopupTime(), 20000);
}

TEST_F(ToolTipTest, InvalidStyleOrIconCreatesNothing) {
  struct Case {
    std::int32_t style, icon;
  };
  for (const Case c : {Case{2, 1}, Case{3, 0}, Case{66, 0}, Case{-1, 0}, Case{0x40000000, 0}, Case{64, 4}, Case{64, -1},
                       Case{1, 100}}) {
    SCOPED_TRACE("style " + std::to_string(c.style) + " icon " + std::to_string(c.icon));
    cToolTip tip(os);
    ASSERT_NE(tip.Create(button, "a", 65, false, 3, "t"), 0u);
    const auto first = tip.Hwnd();
    os.ClearLog();
    EXPECT_EQ(tip.Create(button, "b", c.style, false, c.icon, "t"), 0u);
    // The window it had is gone, and nothing else was asked of the system.
    EXPECT_EQ(os.log, std::vector<std::string>{"DestroyWindow(" + HexText(first) + ")"});
    EXPECT_EQ(tip.Hwnd(), 0u);
    EXPECT_EQ(tip.Style(), -1);
  }
}

TEST_F(ToolTipTest, AParentWithoutAWindowCreatesNothing) {
  cToolTip tip(os);
  os.ClearLog();
  EXPECT_EQ(tip.Create(bare, "a", 64, true, 1, "t"), 0u);
  EXPECT_TRUE(os.log.empty());
  EXPECT_EQ(tip.Style(), -1);
}

TEST_F(ToolTipTest, BarsBreakLinesAndNoTitleMeansOneLine) {
  struct Case {
    std::string text, title, expected;
  };
  const Case cases[] = {
      {"a|b|c", "T", "a\r\nb\r\nc"},         {"a|b|c", "", "a b c"},    {" |x||y", "", "  x  y"},
      {"line\r\nbreak|", "", "line break "}, {"no bar", "T", "no bar"}, {"", "T", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text + " / " + c.title);
    cToolTip tip(os);
    tip.Create(button, c.text, 0, false, 0, c.title, 1, 2);
    EXPECT_EQ(tip.Text(), c.expected);
    EXPECT_EQ(tip.Title(), c.title);
  }
}

TEST_F(ToolTipTest, ColoursResolveSystemIndicesAndAvoidEqualPairs) {
  struct Case {
    std::int32_t fore, back;
    std::uint32_t foreCol, backCol;
  };
  const Case cases[] = {
      {0x0000FF, 0xFFFFFF, 0x0000FF, 0xFFFFFF},
      {kSysBtnText, 0x123456, 0x100012, 0x123456},
      {static_cast<std::int32_t>(0x80000005u), static_cast<std::int32_t>(0x80000008u), 0x100005, 0x100008},
      {0, 0, 0x100012, 0x100018},                                              // both left out
      {0x100007, static_cast<std::int32_t>(0x80000007u), 0x100012, 0x100018},  // equal once resolved
      {static_cast<std::int32_t>(0x80000000u), 1, 0x100000, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.fore) + "," + std::to_string(c.back));
    cToolTip tip(os);
    tip.Create(button, "x", 1, false, 2, "t", c.fore, c.back);
    EXPECT_EQ(tip.ForeCol(), c.foreCol);
    EXPECT_EQ(tip.BackCol(), c.backCol);
  }
}

TEST_F(ToolTipTest, ASecondCreateReplacesTheWindowButKeepsTheInitialTexts) {
  cToolTip tip(os);
  EXPECT_EQ(tip.Create(button, "first|one", 64, true, 1, "Title 1"), 0x500u);
  os.ClearLog();
  EXPECT_EQ(tip.Create(button, "second|two", 1, false, 0, "Title 2"), 0x501u);
  ASSERT_FALSE(os.log.empty());
  EXPECT_EQ(os.log.front(), "DestroyWindow(0x500)");
  EXPECT_EQ(os.CallsNamed("CreateWindowExA").size(), 1u);
  EXPECT_EQ(tip.InitialText(), "first\r\none");
  EXPECT_EQ(tip.InitialTitle(), "Title 1");
  EXPECT_EQ(tip.Text(), "second\r\ntwo");
  EXPECT_EQ(tip.Title(), "Title 2");
  EXPECT_FALSE(tip.Centered());
  EXPECT_EQ(tip.Style(), 1);
}

TEST_F(ToolTipTest, AnEmptyFirstTitleIsTakenFromALaterCreate) {
  cToolTip tip(os);
  tip.Create(button, "a|b", 0, false, 0, "");
  tip.Create(button, "c", 0, false, 0, "Later");
  EXPECT_EQ(tip.InitialText(), "a b");
  EXPECT_EQ(tip.InitialTitle(), "Later");
}

TEST_F(ToolTipTest, DestroyingTheObjectDestroysItsWindowOnce) {
  {
    cToolTip tip(os);
    tip.Create(button, "a", 64, true, 1, "t");
    os.ClearLog();
  }
  EXPECT_EQ(os.log, std::vector<std::string>{"DestroyWindow(0x500)"});
  os.ClearLog();
  { cToolTip unused(os); }
  EXPECT_TRUE(os.CallsNamed("DestroyWindow").empty());
}

}  // namespace
