// The text the end-to-end tests read the program's windows from.
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "AppFixture.h"
#include "app/Describe.h"
#include "ui/Menu.h"

namespace {

// The first line that starts so, as written; empty when there is none.
std::string RecordOf(const std::string& text, const std::string& start) {
  const std::size_t at = ("\n" + text).find("\n" + start);
  return at == std::string::npos ? "" : text.substr(at, text.find('\n', at) - at);
}

}  // namespace

TEST_F(AppTest, DescribeListsLoadedFormsControlsTimersAndAMenuAsTheyChange) {
  EXPECT_EQ(DescribeApp(*app, ""), "");  // nothing loaded before start-up
  Start();
  MainForm& main = Main();
  std::string text = DescribeApp(*app, "");
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    std::size_t fields = 1;  // the unescaped bars plus one
    for (std::size_t i = 0; i < line.size(); i += line[i] == '\\' ? 2 : 1) fields += line[i] == '|';
    const std::string kind = line.substr(0, line.find('|'));
    EXPECT_EQ(fields, kind == "form" ? 7u : kind == "ctl" ? 8u : kind == "timer" ? 4u : 0u) << line;
  }
  const auto& b = main.Bounds();
  EXPECT_EQ(RecordOf(text, "form|MainForm|"), "form|MainForm|" + main.Caption() + "|visible=1|enabled=1|state=0|" +
                                                  std::to_string(b.left) + "," + std::to_string(b.top) + "," +
                                                  std::to_string(b.width) + "," + std::to_string(b.height));
  EXPECT_EQ(RecordOf(text, "timer|MainForm|Timer1|"), "timer|MainForm|Timer1|enabled=0");

  // Changes show in the next text, escaped; unloaded forms leave it.
  main.SetState(ui::WindowState::Minimised);
  main.SetEnabled(false);
  main.Titre.SetVisible(false);
  main.Titre.SetBold(true);
  main.Titre.SetCaption("a|b\\c\r\nd");  // every escaped character at once
  main.countdown.Timer1.SetEnabled(true);
  text = DescribeApp(*app, "");
  EXPECT_NE(RecordOf(text, "form|MainForm|").find("|visible=1|enabled=0|state=1|"), std::string::npos);
  EXPECT_EQ(RecordOf(text, "ctl|MainForm|Titre|"),
            "ctl|MainForm|Titre|a\\|b\\\\c\\r\\nd|visible=0|enabled=1|value=0|bold=1");
  EXPECT_EQ(RecordOf(text, "timer|MainForm|Timer1|"), "timer|MainForm|Timer1|enabled=1");

  app->UnloadMain();
  app->CollectGarbage();
  text = DescribeApp(*app, "");
  EXPECT_EQ(RecordOf(text, "form|MainForm|") + RecordOf(text, "ctl|MainForm|"), "") << text;

  // A menu gives its default and its captions, and comes last.
  ui::Menu menu("MnuTest", "", {{"One", "&Un", nullptr}, {"Sep", "-", nullptr}, {"Two", "a;b|c", nullptr}});
  const std::string line = DescribeMenu(menu, "Two");
  EXPECT_EQ(line, "menu|MnuTest|default=Two|&Un;-;a\\;b\\|c");
  EXPECT_EQ(DescribeMenu(menu, ""), "menu|MnuTest|default=|&Un;-;a\\;b\\|c");
  text = DescribeApp(*app, line);
  EXPECT_TRUE(text.ends_with(line + "\n")) << text;
}
