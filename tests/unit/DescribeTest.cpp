// The text the end-to-end tests read the program's windows from.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "AppFixture.h"
#include "app/Describe.h"
#include "ui/Menu.h"

namespace {

std::vector<std::string> LinesOf(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// Splits a record on its unescaped "|" and undoes the escapes, as a reader would.
std::vector<std::string> Fields(const std::string& line) {
  std::vector<std::string> fields(1);
  for (std::size_t i = 0; i < line.size(); ++i) {
    if (line[i] == '|') {
      fields.emplace_back();
    } else if (line[i] == '\\' && i + 1 < line.size()) {
      const char c = line[++i];
      fields.back() += c == 'n' ? '\n' : c == 'r' ? '\r' : c;
    } else {
      fields.back() += line[i];
    }
  }
  return fields;
}

std::vector<std::string> RecordsOf(const std::string& text, const std::string& kind, const std::string& name) {
  for (const std::string& line : LinesOf(text)) {
    auto fields = Fields(line);
    if (fields[0] == kind && fields.size() > 2 && (fields[1] == name || (kind != "form" && fields[2] == name)))
      return fields;
  }
  return {};
}

}  // namespace

TEST_F(AppTest, DescribeListsLoadedFormsControlsAndTimersAsTheyChange) {
  EXPECT_EQ(DescribeApp(*app, ""), "");  // nothing loaded before start-up
  Start();
  MainForm& main = Main();
  const std::string text = DescribeApp(*app, "");
  for (const std::string& line : LinesOf(text)) {
    const auto fields = Fields(line);
    const std::size_t expected = fields[0] == "form" ? 7 : fields[0] == "ctl" ? 8 : fields[0] == "timer" ? 4 : 0;
    EXPECT_EQ(fields.size(), expected) << line;
  }
  const auto& b = main.Bounds();
  EXPECT_EQ(RecordsOf(text, "form", "MainForm"),
            (std::vector<std::string>{"form", "MainForm", main.Caption(), "visible=1", "enabled=1", "state=0",
                                      std::to_string(b.left) + "," + std::to_string(b.top) + "," +
                                          std::to_string(b.width) + "," + std::to_string(b.height)}));
  EXPECT_EQ(RecordsOf(text, "timer", "Timer1"), (std::vector<std::string>{"timer", "MainForm", "Timer1", "enabled=0"}));

  // Changes show in the next text, escaped; unloaded forms leave it.
  main.SetState(ui::WindowState::Minimised);
  main.SetEnabled(false);
  main.Titre.SetVisible(false);
  main.Titre.SetBold(true);
  main.Titre.SetCaption("a|b\\c\r\nd");  // every escaped character at once
  main.Timer1.SetEnabled(true);
  std::string changed = DescribeApp(*app, "");
  const auto form = RecordsOf(changed, "form", "MainForm");
  EXPECT_EQ(form[3] + form[4] + form[5], "visible=1enabled=0state=1");
  EXPECT_EQ(RecordsOf(changed, "ctl", "Titre"),
            (std::vector<std::string>{"ctl", "MainForm", "Titre", "a|b\\c\r\nd", "visible=0", "enabled=1", "value=0",
                                      "bold=1"}));
  EXPECT_EQ(RecordsOf(changed, "timer", "Timer1")[3], "enabled=1");

  app->UnloadMain();
  app->CollectGarbage();
  changed = DescribeApp(*app, "");
  EXPECT_EQ(RecordsOf(changed, "form", "MainForm"), std::vector<std::string>{}) << changed;
  EXPECT_EQ(RecordsOf(changed, "ctl", "Titre"), std::vector<std::string>{});
}

TEST_F(AppTest, DescribeMenuGivesDefaultAndCaptionsAndComesLast) {
  Start();
  ui::Menu menu("MnuTest", "", {{"One", "&Un", nullptr}, {"Sep", "-", nullptr}, {"Two", "a;b|c", nullptr}});
  const std::string line = DescribeMenu(menu, "Two");
  EXPECT_EQ(line, "menu|MnuTest|default=Two|&Un;-;a\\;b\\|c");
  EXPECT_EQ(DescribeMenu(menu, ""), "menu|MnuTest|default=|&Un;-;a\\;b\\|c");
  const auto lines = LinesOf(DescribeApp(*app, line));
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines.back(), line);
}
