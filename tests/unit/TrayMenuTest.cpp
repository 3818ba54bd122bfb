// The tray's popup menus: which one a right click shows, its bold item, its
// lines, and the flows its items start.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "AppFixture.h"

namespace {

struct TrayMenuTest : StartedTest {
  void RightClick(const std::string& choice = {}) {
    if (!choice.empty()) env.menus.choices.push_back(choice);
    // Ended as the newer shells end it: the menu comes with WM_CONTEXTMENU only.
    for (int event : {0x204, 0x205, 0x7B}) Tray().Form_MouseMove(event);
  }
};

TEST_F(TrayMenuTest, MenuAndBoldItemForEachActionTrayAndCountdownState) {
  // action, in the tray, counting down, without the countdown window: the menu (nullptr: none) and its bold item
  const std::tuple<std::int16_t, bool, bool, bool, const char*, const char*> cases[] = {
      {0, false, false, false, "MnuFichier", "Reduce4"},
      {1, false, true, false, "MnuShut", "Reduce1"},
      {2, false, false, false, "MnuReboot", "Reduce2"},
      {3, false, true, true, "MnuClose", "Reduce3"},
      {0, true, true, false, "MnuFichierR", "Restore4"},
      {1, true, false, false, "MnuShutR", "Restore1"},
      {1, true, true, false, "MnuShutR", ""},
      {1, true, true, true, "MnuShutR", "Restore1"},
      {2, true, true, false, "MnuRebootR", ""},
      {3, true, true, true, "MnuCloseR", "Restore3"},
      {3, true, true, false, "MnuCloseR", ""},
      {4, false, false, false, nullptr, ""},
      {-1, true, false, false, nullptr, ""}};
  for (const auto& [action, reduced, countDown, cmdTimStart, menu, bold] : cases) {
    SCOPED_TRACE(::testing::PrintToString(std::tuple(action, reduced, countDown, cmdTimStart)));
    Main().Action = action, Main().CountDown = countDown, Main().CmdTimStart = cmdTimStart, Main().Reduced = reduced;
    env.menus.shown.clear();
    RightClick();
    ASSERT_EQ(env.menus.shown.size(), menu ? 1u : 0u);
    if (!menu) continue;
    EXPECT_EQ(env.menus.shown[0].menu + "|" + env.menus.shown[0].defaultItem, std::string(menu) + "|" + bold);
  }
}

TEST_F(TrayMenuTest, ItemsStartTheMainWindowsFlows) {
  for (std::size_t round = 1; round <= 3; ++round) {  // every restore clears Reduced again
    SCOPED_TRACE(round);
    RightClick("Reduce4");
    EXPECT_FALSE(Main().Visible());
    RightClick("Restore4");  // Reduced stays set a while, so no second menu follows
    EXPECT_EQ(std::pair(env.menus.shown.size(), env.menus.shown.back().menu),
              std::pair(std::size_t{2} * round, std::string("MnuFichierR")));
    Advance(250);
    EXPECT_EQ(std::pair(Main().Reduced, Main().Visible()), std::pair(false, true));
  }
  EXPECT_EQ(env.menus.shown.at(0).captions,
            (std::vector<std::string>{"&Arrêter", "&Redémarrer", "&Veille Prolongée", "-", "&Réduire Crepuscule", "-",
                                      "&Options", "Qui&tter Crepuscule"}));

  Tray().Form_MouseMove(0x203);  // a double click takes the window on screen back to the tray
  EXPECT_FALSE(Main().Visible());
  RightClick("MnuArreteR");  // as a click on the Shutdown button
  EXPECT_EQ(std::pair(Main().Action, app->TimeFormIfLoaded() != nullptr), std::pair(std::int16_t{1}, true));
  app->UnloadTimeForm();

  RightClick("MnuAnnulR");  // closing the dialog dropped the action
  EXPECT_EQ(std::pair(app->Ended(), os.notifyMessages.back()), std::pair(true, platform::kNimDelete));
}

}  // namespace
