// The skinned main window: picture-button looks, the flows the action buttons
// start, minimise and close, dragging and re-centring.
#include <string>
#include <utility>
#include <vector>

#include "AppFixture.h"
#include "timeui/TimeForm.h"
#include "tray/SystrayIcon.h"

namespace {

struct Family {
  const char* name;
  ui::Control MainForm::*normal;
  ui::Control MainForm::*brillant;
  ui::Control MainForm::*pressed;
  std::int16_t action;
  const char* tip;     // the tray tip while the delay is entered
  const char* dialog;  // the delay dialog's button and title
};
const Family kActions[] = {
    {"Arrete", &MainForm::Arrete, &MainForm::ArreteBrillant, &MainForm::ArreteE, 1, "Arrêt de l'ordinateur",
     "Arrêter|Arrêter l'ordinateur"},
    {"Reboote", &MainForm::Reboote, &MainForm::RebooteBrillant, &MainForm::RebooteE, 2, "Redémarrage de l'ordinateur",
     "Redémarrer|Redémarrer l'ordinateur"},
    {"VeilleProlongee", &MainForm::VeilleProlongee, &MainForm::VeilleProlongeeBrillant, &MainForm::VeilleProlongeeE, 3,
     "Veille prolongée...", "Ok|Mise en Veille prolongée"},
};

struct MainWindowTest : StartedTest {
  // Which of a button's pictures show: N normal, B highlighted, E pressed.
  std::string Look(const Family& f) {
    MainForm& m = Main();
    return std::string((m.*f.normal).Visible() ? "N" : "") + ((m.*f.brillant).Visible() ? "B" : "") +
           ((m.*f.pressed).Visible() ? "E" : "");
  }
  void Release(const Family& f, int button, float x, float y) {
    Guard([&] { (Main().*f.brillant).onMouseUp({button, 0, x, y}); });
  }
};

TEST_F(MainWindowTest, OpensWithEachButtonInItsNormalPictureAndACountdownTakesDownEveryHighlight) {
  MainForm& m = Main();
  EXPECT_EQ(Shown({&m.ArreteE, &m.VeilleProlongeeBrillant, &m.RebooteBrillant, &m.ArreteBrillant, &m.ClseBrillant,
                   &m.CloseE, &m.Clse, &m.MinBrillant, &m.MinE, &m.Min, &m.RebooteE, &m.VeilleProlongeeE, &m.DisablePic,
                   &m.VeilleProlongee, &m.Reboote, &m.Arrete, &m.Fond}),
            "ClseBrillant Clse Min VeilleProlongee Reboote Arrete Fond");
  const auto font = [](const ui::Control& c) {
    return c.GetFont().name + " " + std::to_string(c.GetFont().size) + (c.GetFont().bold ? " bold" : "");
  };
  EXPECT_EQ(font(m.Titre) + "/" + font(m.ArreteLabel) + "/" + font(m.TxtH) + "/" + font(m.Petetout),
            "Arial 14.250000/Tahoma 8.250000 bold/Tahoma 9.750000 bold/Tahoma 72.000000 bold");
  // A started countdown takes down every highlight.
  for (const Family& f : kActions) (Main().*f.brillant).SetVisible(true);
  StartCountdown(1, "0", "1", "0");
  for (const Family& f : kActions) EXPECT_EQ(Look(f), "N") << f.name;
}

TEST_F(MainWindowTest, PressTracksThePointerAndOnlyALeftReleaseInsideActs) {
  for (const Family& f : kActions) {
    SCOPED_TRACE(f.name);
    ui::Control& b = Main().*f.brillant;
    (Main().*f.normal).onMouseMove({0, 0, 10, 10});
    // Down, move or up with this button at x,y, then the look.
    const std::tuple<char, int, float, float, const char*> events[] = {
        {'d', 2, 10, 10, "B"},     {'d', 1, 10, 10, "E"},  {'m', 1, 495, 495, "E"},
        {'m', 1, 495.5f, 10, "B"}, {'m', 3, 10, 10, "B"},  {'m', 1, 10, -0.5f, "B"},
        {'m', 1, 0, 0, "E"},       {'u', 1, 496, 10, "N"}, {'u', 2, 10, 10, "N"}};
    for (const auto& [event, button, x, y, look] : events) {
      if (event == 'd') b.onMouseDown({button, 0, x, y});
      if (event == 'm') b.onMouseMove({button, 0, x, y});
      if (event == 'u') Release(f, button, x, y);
      EXPECT_EQ(Look(f), look) << event << button << " at " << x << "," << y;
    }
    EXPECT_EQ(std::tuple(Main().Action, app->TimeFormIfLoaded()), std::tuple(0, nullptr));
  }
}

TEST_F(MainWindowTest, AnActionOpensItsDelayDialogAndClosingThatGoesBackToIdle) {
  for (bool xp : {true, false}) {
    if (!xp) os.Set98(), app->ReadSystemFacts();
    for (const Family& f : kActions) {
      SCOPED_TRACE(f.name);
      os.ClearLog();
      Main().CmdAllnow = !xp;  // without a prepared run it changes nothing
      env.clock.now = {20, 0, f.action};
      Release(f, 1, 495, 495);  // the corner is inside
      EXPECT_EQ(Main().Action, f.action);
      ASSERT_NE(app->TimeFormIfLoaded(), nullptr);
      TimeForm& t = *app->TimeFormIfLoaded();
      EXPECT_EQ(std::tuple(t.Visible(), t.LetsGo.Caption() + "|" + t.Caption(), t.LetsGo.HasFocus(), Main().Visible(),
                           Main().Enabled(), Main().wording.CheckMaj.Enabled(), Main().Stoping),
                std::tuple(true, f.dialog, true, true, false, false, true));
      // Flat fields elsewhere than on XP, centred, and the clock shows at once.
      EXPECT_EQ(std::tuple(t.txtHeure.Flat(), t.txtMinute.Flat(), t.txtSeconde.Flat(), t.Left(), t.Top()),
                std::tuple(!xp, !xp, !xp, (env.screen.width - t.Width()) / 2, (env.screen.height - t.Height()) / 2));
      EXPECT_EQ(t.TimeLabel.Caption() + "|" + Look(f), "20:00:0" + std::to_string(f.action) + "|N");
      std::vector<std::string> tips{"Shell_NotifyIconA(1,icon=" + std::to_string(100 + f.action) + ",tip=" + f.tip +
                                    ")"};
      if (!xp) tips.push_back("Shell_NotifyIconA(1,icon=" + std::to_string(120 + f.action) + ",tip=" + f.tip + ")");
      EXPECT_EQ(os.CallsNamed("Shell_NotifyIconA"), tips);
      env.clock.now = {21, 7, f.action};
      Advance(100);
      EXPECT_EQ(t.TimeLabel.Caption(), "21:07:0" + std::to_string(f.action));

      t.onCloseBox();  // closed without a countdown: back to idle
      EXPECT_EQ(std::tuple(app->TimeFormIfLoaded(), Main().Action, Main().Stoping, Main().wording.CheckMaj.Enabled(),
                           Main().Enabled(), Main().Visible(), Main().IsActive()),
                std::tuple(nullptr, 0, false, xp, true, true, true));
      EXPECT_EQ(os.CallsNamed("Shell_NotifyIconA").back(),
                std::string("Shell_NotifyIconA(1,icon=112,tip=") + kIdleTip + ")");
    }
  }
}

TEST_F(MainWindowTest, APreparedRunStartsOrActsAtOnce) {
  MainForm& m = Main();
  m.WaitCmd = true;
  m.TxtM.SetCaption("10");
  m.TxtS.SetCaption("05");
  m.RebooteBrillant_MouseUp(1, 0, 0, 0);
  EXPECT_EQ(std::tuple(app->TimeFormIfLoaded(), m.CountDown, m.WaitCmd, int{m.TpsM}, int{m.TpsS}),
            std::tuple(nullptr, true, false, 10, 5));
  m.Annule_Click();

  const char* calls[] = {"ExitWindowsEx(12,0)", "ExitWindowsEx(6,0)", "SetSystemPowerState(0,-1)"};
  for (const Family& f : kActions) {
    os.ClearLog();
    m.CmdAllnow = m.WaitCmd = true;
    Release(f, 1, 0, 0);
    EXPECT_EQ(PowerCalls(), Lines{calls[f.action - 1]});
    // No delay is being entered: the tray still answers.
    EXPECT_EQ(std::tuple(app->TimeFormIfLoaded(), Main().Stoping), std::tuple(nullptr, false));
  }
}

TEST_F(MainWindowTest, NoButtonChangesTheActionOfARunningCountdown) {
  MainForm& m = Main();
  m.Arrete.onMouseMove({});  // lit, then the pointer leaves without crossing the background
  EXPECT_EQ(Look(kActions[0]), "B");
  m.RebooteBrillant_MouseUp(1, 0, 0, 0);
  TimeForm& dialog = *app->TimeFormIfLoaded();
  dialog.txtSeconde.SetText("20");
  dialog.LetsGo_Click();
  ASSERT_TRUE(m.CountDown);
  EXPECT_EQ(Look(kActions[0]), "N");  // the strip covers every button now

  for (const Family& f : kActions) {
    (m.*f.brillant).onMouseDown({1, 0, 10, 10});
    Release(f, 1, 10, 10);
    EXPECT_EQ(std::tuple(app->TimeFormIfLoaded(), Look(f)), std::tuple(nullptr, "N")) << f.name;
  }
  EXPECT_EQ(std::pair(m.Action, m.Stoping), std::pair(std::int16_t{2}, false));
  Advance(20000);
  EXPECT_EQ(os.CallsNamed("ExitWindowsEx"), std::vector<std::string>{"ExitWindowsEx(6,0)"});
}

TEST_F(MainWindowTest, MinimiseAndClose) {
  MainForm& m = Main();
  m.Min.onMouseMove({});
  m.MinBrillant.onMouseDown({1, 0, 1, 1});
  EXPECT_EQ(Shown({&m.MinE, &m.MinBrillant, &m.Min}), "MinE");
  m.MinBrillant.onMouseUp({1, 0, 376, 1});
  EXPECT_EQ(std::tuple(m.Visible(), Shown({&m.Min, &m.MinE})), std::tuple(true, "Min"));
  m.MinBrillant.onMouseUp({1, 0, 375, 390});
  EXPECT_EQ(std::tuple(m.Visible(), m.State(), Main().Reduced), std::tuple(false, ui::WindowState::Minimised, true));

  m.ClseBrillant.onMouseDown({1, 0, 1, 1});
  EXPECT_EQ(Shown({&m.ClseBrillant, &m.CloseE}), "CloseE");  // pressed
  m.ClseBrillant.onMouseUp({2, 0, 1, 1});
  EXPECT_FALSE(app->Ended());
  m.onCloseBox();  // Alt+F4 quits like the close picture
  EXPECT_EQ(std::tuple(app->Ended(), os.CallsNamed("Shell_NotifyIconA(2").size()), std::tuple(true, 1u));
}

TEST_F(MainWindowTest, BackgroundAndTitleResetHighlightsButNotPressedPictures) {
  MainForm& m = Main();
  auto highlightAll = [&] {
    for (ui::Control* c : {&m.Arrete, &m.Reboote, &m.VeilleProlongee, &m.Min, &m.Clse}) c->onMouseMove({});
  };
  auto looks = [&] { return Look(kActions[0]) + Look(kActions[1]) + Look(kActions[2]); };
  highlightAll();
  m.ArreteE.SetVisible(true);
  m.Fond.onMouseMove({});
  EXPECT_EQ(looks() + " " + Shown({&m.Min, &m.MinBrillant, &m.ClseBrillant}), "NENN Min ClseBrillant");

  highlightAll();
  m.CountDown = true;  // the covered buttons are left alone by a move, not by a release
  m.Fond.onMouseMove({});
  EXPECT_EQ(looks(), "BEBB");
  m.Min.onMouseMove({});
  m.Fond.onMouseUp({});
  EXPECT_EQ(looks() + " " + Shown({&m.Clse, &m.ClseBrillant, &m.Min, &m.MinBrillant}), "NENN Clse Min");

  highlightAll();
  m.Titre.onMouseMove({});
  EXPECT_EQ(looks() + " " + Shown({&m.Min, &m.Clse, &m.MinBrillant, &m.ClseBrillant}), "BEBB Min Clse");
}

TEST_F(MainWindowTest, HandlesDragWithTheLeftButtonAndDoubleClickRecentres) {
  MainForm& m = Main();
  const int left = (env.screen.width - m.Width()) / 2, top = (env.screen.width - m.Width()) / 3;
  EXPECT_EQ(m.Left() * 10000 + m.Top(), left * 10000 + top);
  m.Titre.onMouseDown({2, 0, 1, 1});
  m.Titre.onMouseDown({1, 0, 100, 50});
  m.Titre.onMouseMove({1, 0, 160, 20});
  EXPECT_EQ(m.Left() * 10000 + m.Top(), (left + 60) * 10000 + top - 30);
  m.ArreteLabel.onMouseMove({0, 0, 500, 500});
  m.Fond.onMouseMove({3, 0, 500, 500});
  m.Fond.onMouseMove({1, 0, 100, 80});  // only the top moves
  EXPECT_EQ(m.Left() * 10000 + m.Top(), (left + 60) * 10000 + top);
  m.DisablePic.onDblClick();  // moved one way only: stays
  EXPECT_EQ(m.Left(), left + 60);
  m.Petetout.onMouseMove({1, 0, 100, 51});
  m.Petetout.onDblClick();
  EXPECT_EQ(std::tuple(m.Left(), m.Top(), m.Visible()), std::tuple(left, top, true));
}

TEST(MainWindow, AWideScreenKeepsTheWindowOnItAtStartAndWhenRecentred) {
  AppFixture f;
  f.env.screen.width = 3840 * 15;
  f.env.screen.height = 1080 * 15;
  f.Start("");
  MainForm& m = f.Main();
  const int left = (f.env.screen.width - m.Width()) / 2, bottom = f.env.screen.height - m.Height();
  EXPECT_EQ(std::pair(m.Left(), m.Top()), std::pair(left, bottom));  // the formula would give 17270, below the screen
  m.Titre.onMouseDown({1, 0, 100, 100});
  m.Titre.onMouseMove({1, 0, 40, 40});
  m.Titre.onDblClick();
  EXPECT_EQ(std::make_pair(m.Left(), m.Top()), std::make_pair(left, bottom));

  AppFixture narrow;  // narrower than the window: its top-left corner stays on screen
  narrow.env.screen.width = 300 * 15;
  narrow.Start("");
  EXPECT_EQ(std::make_pair(narrow.Main().Left(), narrow.Main().Top()), std::make_pair(0, 0));
}

}  // namespace
