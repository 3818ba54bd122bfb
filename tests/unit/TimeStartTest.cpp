// The countdown window: its wording, its look per action, its width, and how
// its closing and its cancel button reach the main window.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>

#include "AppFixture.h"
#include "seams/ResourceIds.h"
#include "text/Text.h"
#include "timeui/TimeStart.h"
#include "tray/SystrayIcon.h"

namespace {

TEST(SpellRemainingTime, WordsForEveryKindOfRemainingTime) {
  const std::tuple<int, int, int, const char*> cases[] = {
      {0, 0, 0, "zéro secondes."},
      {0, 0, 1, "une seconde."},
      {0, 0, 5, "05 secondes."},
      {0, 1, 0, "une minute et zéro secondes."},
      {0, 1, 1, "une minute et une seconde."},
      {0, 10, 30, "10 minutes et 30 secondes."},
      {1, 0, 0, "une heure et zéro secondes."},
      {3, 0, 12, "03 heures et 12 secondes."},
      {2, 1, 1, "02 heures une minute et une seconde."},
      {24, 0, 0, "un jour et zéro secondes."},
      {25, 0, 2, "1 jour(s) 1 heure(s) et 02 secondes."},
      {50, 10, 0, "2 jour(s) 2 heure(s) 10 minutes et zéro secondes."},
      {48, 0, 9, "2 jour(s) 0 heure(s) et 09 secondes."},
      {72, 1, 0, "3 jour(s) 0 heure(s) une minute et zéro secondes."}};
  for (const auto& [h, m, s, text] : cases)
    EXPECT_EQ(SpellRemainingTime("Arrêt dans ", h, m, s, PadTwo(std::to_string(h)), PadTwo(std::to_string(m)),
                                 PadTwo(std::to_string(s))),
              std::string("Arrêt dans ") + text);
  // Days and hours left over come from the hours text, whatever the count says.
  EXPECT_EQ(SpellRemainingTime("", 30, 0, 0, "99", "", ""), "4 jour(s) 3 heure(s) et zéro secondes.");
}

using TimeStartTest = StartedTest;

TEST_F(TimeStartTest, LookFollowsTheAction) {
  const std::tuple<std::int16_t, const char*, int, const char*> cases[] = {
      {1, "Arrêt ...", IDI_SHUTDOWN, "ArretPict"},
      {2, "Redémarrage ...", IDI_RESTART, "RebootePict"},
      {3, "Mise en Veille prolongée ...", IDI_SLEEP, "StandbyPict"},
      {0, "...", 0, ""}};
  for (const auto& [action, caption, icon, picture] : cases) {
    Main().Action = action;
    TimeStart& window = app->LoadTimeStart();
    EXPECT_EQ(std::pair(window.Caption(), window.Icon()), std::pair(std::string(caption), icon));
    EXPECT_EQ(Shown({&window.ArretPict, &window.RebootePict, &window.StandbyPict}), picture);
    EXPECT_EQ(std::tuple(window.ArretPict.Picture(), window.RebootePict.Picture(), window.StandbyPict.Picture()),
              std::tuple(IDB_ARRET_PICT, IDB_REBOOTE_PICT, IDB_STANDBY_PICT));
    EXPECT_EQ(window.Left(), (env.screen.width - window.Width()) / 2) << caption;
    app->UnloadTimeStart();
  }
}

TEST_F(TimeStartTest, RefreshFitsTheWidthAndClosingStopsTheRefreshes) {
  MainForm& main = Main();
  main.Action = 2, main.CountDown = true, main.TpsH = 2, main.TpsM = 1, main.TpsS = 1;
  main.TxtH.SetCaption("02");
  app->Tray()->IconRefresh();
  TimeStart& window = app->LoadTimeStart();
  const int left = window.Left();
  for (bool bold : {false, true}) {
    window.TimeLabel.SetBold(bold);
    window.RefreshTimeStart();
    EXPECT_EQ(window.TimeLabel.Caption(), "Redémarrage dans 02 heures une minute et une seconde.");
    // Never narrower than the design client width plus a tool window's frame.
    EXPECT_EQ(window.Width(), std::max(window.TimeLabel.Bounds().width + 1125, 6420 + 90));
    EXPECT_EQ(window.Left(), left);
  }
  // A short text never pushes "Annuler" out of the window; a long one widens it.
  main.TpsH = 0, main.TpsM = 0, main.TpsS = 5;
  main.TxtS.SetCaption("05");
  window.RefreshTimeStart();
  EXPECT_GE(window.Width(), window.Annuler.Bounds().left + window.Annuler.Bounds().width);
  main.TpsH = 50, main.TpsM = 10;
  main.TxtH.SetCaption("50"), main.TxtM.SetCaption("10");
  window.TimeLabel.SetBold(true);
  window.RefreshTimeStart();
  EXPECT_EQ(window.Width(), window.TimeLabel.Bounds().width + 1125);
  main.Nmbr2Refresh = 2;
  window.onCloseBox();
  EXPECT_EQ(app->TimeStartIfLoaded(), nullptr);
  EXPECT_EQ(main.Nmbr2Refresh, 5);
}

}  // namespace
