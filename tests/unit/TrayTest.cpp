// The tray icon: its record, its tip during a countdown, the shell's
// notifications, and the main window going into the tray and back.
#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "AppFixture.h"
#include "settings/OptionsForm.h"
#include "text/Text.h"
#include "timeui/TimeForm.h"
#include "timeui/TimeStart.h"

namespace {

constexpr int kLeftDown = 0x201, kLeftUp = 0x202, kLeftDouble = 0x203, kRightDown = 0x204, kRightUp = 0x205;
// What ends a right click on the shells from 2000 and Me on, and the menu key.
constexpr int kContextMenu = 0x7B;
constexpr platform::Handle kIcon = platform::RecordingPlatform::kIconBase;

using TrayTest = StartedTest;

TEST_F(TrayTest, RecordFromLoadToUnloadAndBackAfterAShellRestart) {
  const platform::NotifyIconData& added = os.notifyCalls.at(0);
  EXPECT_EQ(os.notifyMessages.at(0), platform::kNimAdd);
  EXPECT_EQ(std::tie(added.cbSize, added.hWnd, added.uID, added.uFlags, added.uCallbackMessage, added.hIcon, added.tip),
            std::make_tuple(88u, platform::Handle{0}, 1u, 7u, 0x200u, kIcon + 112, kIdleTip));

  SystrayIcon& tray = Tray();
  tray.AddSystrayIcon("Arrêt de l'ordinateur", 101);
  tray.onShellRestarted();  // TaskbarCreated: the current icon and tip come back
  EXPECT_EQ(os.notifyMessages.at(os.notifyMessages.size() - 2), platform::kNimAdd);
  EXPECT_EQ(os.notifyMessages.back(), platform::kNimSetVersion);  // asked again of the new shell
  const platform::NotifyIconData& readded = os.notifyCalls.at(os.notifyCalls.size() - 2);
  EXPECT_EQ(std::tie(readded.cbSize, readded.uFlags, readded.hIcon, readded.tip),
            std::make_tuple(88u, 7u, kIcon + 101, "Arrêt de l'ordinateur"));

  app->CloseTray();
  EXPECT_EQ(os.notifyMessages.back(), platform::kNimDelete);
  const std::size_t calls = os.notifyCalls.size();
  tray.AddSystrayIcon("Arrêt annulé.", 101);  // a gone icon is never modified or re-added
  tray.ShellRestarted();
  EXPECT_EQ(os.notifyCalls.size(), calls);
}

TEST_F(TrayTest, TipDuringACountdown) {
  // action, h, m, s, the tip (nullptr: left alone)
  const std::tuple<std::int16_t, std::uint8_t, std::uint8_t, std::uint8_t, const char*> steps[] = {
      {1, 2, 0, 30, nullptr},  // no case with zero minutes
      {1, 1, 59, 59, "Arrêt dans 1h59 ..."},
      {1, 1, 59, 58, nullptr},  // once a minute
      {1, 0, 10, 30, "Arrêt dans 10 minutes ..."},
      {1, 0, 1, 30, "Arrêt dans 1 minute et 30s ..."},
      {1, 0, 0, 42, "Arrêt dans 42s ..."},
      {1, 0, 0, 5, nullptr},    // the engine's own tips from here
      {2, 0, 10, 59, nullptr},  // a new countdown in the minute last written waits
      {2, 0, 9, 59, "Redémarrage dans 9 minutes ..."},
      {0, 0, 0, 41, "Redémarrage dans 41s ..."}};  // no action: prefix kept
  MainForm& main = Main();
  main.CountDown = true;
  for (const auto& [action, h, m, s, tip] : steps) {
    SCOPED_TRACE(std::to_string(h) + ":" + std::to_string(m) + ":" + std::to_string(s));
    main.Action = action, main.TpsH = h, main.TpsM = m, main.TpsS = s;
    main.TxtM.SetCaption(PadTwo(std::to_string(m)));
    const std::size_t before = os.notifyCalls.size();
    Tray().IconRefresh();
    ASSERT_EQ(os.notifyCalls.size(), before + (tip ? 1 : 0));
    if (tip) {
      EXPECT_EQ(os.notifyCalls.back().tip, tip);
    }
  }
  EXPECT_EQ(os.notifyCalls.back().hIcon, kIcon + 102);

  os.Set98(), app->ReadSystemFacts();  // 16-colour icons elsewhere than on XP
  main.Action = 3;
  main.StandByTxt = "veille";
  Tray().IconRefresh();
  EXPECT_EQ(std::pair(os.notifyCalls.back().tip, os.notifyCalls.back().hIcon),
            std::pair(std::string("Mise en veille dans 41s ..."), kIcon + 123));
}

TEST_F(TrayTest, EveryNotificationWithTheDialogFlags) {
  enum Focus { None, MainWindow, Delay, Options };
  const std::tuple<int, bool, bool, bool, Focus, bool> cases[] = {
      {kLeftDown, false, false, false, MainWindow, false}, {kLeftDown, false, false, true, None, false},
      {kLeftDown, true, false, false, Delay, false},       {kLeftDown, true, true, false, Options, false},
      {kLeftUp, false, false, false, None, false},         {kLeftDouble, true, false, false, None, false},
      {kLeftDouble, false, true, true, None, false},       {kRightDown, false, false, false, None, false},
      {kRightDown, true, false, false, Delay, false},      {kRightDown, false, true, false, Options, false},
      {kRightUp, true, true, false, Delay, false},         {kRightUp, false, true, true, Options, false},
      {kRightUp, false, false, false, None, true},         {0x207, false, false, false, None, false},
      {kContextMenu, false, false, false, None, false}};
  app->LoadTimeForm();
  app->LoadOptionsForm();
  Tray().KeyboardNotices = false;  // a shell before 2000 and Me
  ui::Form* forms[] = {nullptr, &Main(), app->TimeFormIfLoaded(), app->OptionsFormIfLoaded()};
  for (const auto& [event, stoping, stopOptions, reduced, focus, menu] : cases) {
    SCOPED_TRACE(::testing::PrintToString(std::tuple(event, stoping, stopOptions, reduced)));
    Main().Stoping = stoping, Main().StopOptions = stopOptions, Main().Reduced = reduced;
    env.services.activeForm = nullptr;
    env.menus.shown.clear();
    Tray().onShellNotify(event);
    EXPECT_EQ(std::tuple(env.services.activeForm, env.menus.shown.size(), Main().Visible()),
              std::tuple(forms[focus], menu ? 1u : 0u, true));
  }
}

TEST_F(TrayTest, OnlyNewerShellsSendKeysAndEnterActsAsADoubleClick) {
  AppFixture old;
  old.os.oldShell = true;
  old.Start();
  EXPECT_FALSE(old.Tray().KeyboardNotices);
  SystrayIcon& tray = Tray();
  // Enter on the icon, sent twice by some shells: the window goes to the tray once.
  tray.onShellNotify(0x401);
  tray.onShellNotify(0x401);
  EXPECT_EQ(std::pair(tray.KeyboardNotices, Main().Visible()), std::pair(true, false));
  Advance(500);
  tray.onShellNotify(0x401);  // a later key select brings it back
  EXPECT_TRUE(Main().Visible());
}

TEST_F(TrayTest, DoubleClickTogglesButNotWithin200MsOfARestoreNorDuringAMenu) {
  SystrayIcon& tray = Tray();
  MainForm& main = Main();
  // Notifications arriving during a menu are dropped.
  tray.MnuFichier.Find("Reduce4")->onClick = [&] {
    tray.Form_MouseMove(kContextMenu);
    tray.Form_MouseMove(kLeftDouble);
  };
  env.menus.choices.push_back("Reduce4");
  tray.Form_MouseMove(kContextMenu);
  EXPECT_EQ(std::pair(env.menus.shown.size(), main.Visible()), std::pair(std::size_t{1}, true));
  tray.Form_MouseMove(kContextMenu);  // free again afterwards
  EXPECT_EQ(env.menus.shown.size(), 2u);

  const auto doubleClick = [&] { tray.Form_MouseMove(kLeftDouble); };
  doubleClick();
  EXPECT_EQ(std::pair(main.Visible(), main.State()), std::pair(false, ui::WindowState::Minimised));
  doubleClick();
  EXPECT_EQ(std::pair(main.Visible(), main.State()), std::pair(true, ui::WindowState::Normal));
  Advance(150);
  doubleClick();  // still Reduced: restores again instead of reducing
  EXPECT_TRUE(main.Visible());
  Advance(60);  // 200 ms after the first restore
  EXPECT_FALSE(Main().Reduced);
  doubleClick();
  EXPECT_FALSE(main.Visible());
  Advance(1000);  // one shot: nothing clears Reduced now
  EXPECT_TRUE(Main().Reduced);

  // During a countdown the double click brings the countdown window instead.
  tray.Restore();
  Advance(200);
  main.Action = 1, main.CountDown = true, main.TpsM = 10, main.TpsS = 30, main.Nmbr2Refresh = 5;
  main.TxtM.SetCaption("10"), main.TxtS.SetCaption("30");
  tray.IconRefresh();
  doubleClick();
  EXPECT_EQ(std::pair(main.Nmbr2Refresh, main.Visible()), std::pair(std::uint8_t{0}, false));
  ASSERT_NE(app->TimeStartIfLoaded(), nullptr);  // shown, and refreshed
  EXPECT_EQ(std::pair(app->TimeStartIfLoaded()->Visible(), app->TimeStartIfLoaded()->TimeLabel.Caption()),
            std::pair(true, std::string("Arrêt dans 10 minutes et 30 secondes.")));
}

TEST(Tray, ARefusedPreparedTimeLeavesTheTrayAnswering) {
  // 99:60:00 passes the start-up's test, then carries to 100 hours and is refused.
  const std::pair<const char*, const char*> rows[] = {
      {"", "MnuArrete"}, {"", "MnuRedemarre"}, {"-m", "MnuFermeR"}, {"-m", "MnuRedemarreR"}};
  for (const auto& [extra, item] : rows) {
    SCOPED_TRACE(std::string(extra) + " " + item);
    Started f(std::string(extra) + " -t:99,60,0");
    SystrayIcon& tray = f.Tray();
    f.env.menus.choices = {item};
    tray.Form_MouseMove(kContextMenu);
    EXPECT_EQ(f.Boxes(), Lines{"Erreur dans le délai [48 Information]"});
    EXPECT_EQ(std::tuple(f.Main().CountDown, f.Main().WaitCmd, f.Main().Action, f.Main().Stoping),
              std::tuple(false, false, 0, false));
    EXPECT_EQ(std::tuple(tray.Icon(), f.os.notifyCalls.back().tip), std::tuple(112, kIdleTip));
    tray.Form_MouseMove(kContextMenu);  // the menu still comes up: the idle one
    ASSERT_EQ(f.env.menus.shown.size(), 2u);
    EXPECT_EQ(f.env.menus.shown.back().menu, *extra ? "MnuFichierR" : "MnuFichier");
  }
  Started withAction("-a -t:99,60,0");  // refused during the start-up itself: nothing is left chosen
  const MainForm& refused = withAction.Main();
  EXPECT_EQ(std::tuple(withAction.env.messageBoxes.shown.size(), refused.Action, refused.Visible(), refused.Stoping),
            std::tuple(1u, 0, true, false));
}

TEST(Tray, AnIconThatCannotBeAddedIsTriedAgainThenTheWindowShows) {
  AppFixture late;  // the shell answers on the third try
  late.os.failNotifyAdd = 2;
  late.Start("-m");
  late.Advance(60000);
  // The late icon is asked for the newer notifications too.
  EXPECT_EQ(std::tuple(late.os.CallsNamed("Shell_NotifyIconA(0").size(), late.Main().Visible(),
                       late.app->Tray()->KeyboardNotices),
            std::tuple(3u, false, true));

  AppFixture never;  // no shell at all: a preset countdown must stay reachable
  never.os.failNotifyAdd = 1000;
  never.Start("-m -a -t:0,10,0");
  never.Advance(29000);
  EXPECT_FALSE(never.Main().Visible());
  never.Advance(1000);
  EXPECT_EQ(std::tuple(never.os.CallsNamed("Shell_NotifyIconA(0").size(), never.Main().Visible(), never.Main().State(),
                       never.Main().CountDown),
            std::tuple(16u, true, ui::WindowState::Normal, true));
  never.Advance(60000);
  EXPECT_EQ(never.os.CallsNamed("Shell_NotifyIconA(0").size(), 16u);  // tried for a while only
  never.Main().Annule_Click();
  never.StartCountdown(2, "0", "5", "0");  // nowhere to go: the window stays
  EXPECT_TRUE(never.Main().Visible());
  never.os.failNotifyAdd = 0;
  never.app->Tray()->onShellRestarted();  // a shell that comes later still gets it
  const auto& messages = never.os.notifyMessages;
  EXPECT_EQ(std::vector(messages.end() - 2, messages.end()),
            (std::vector<std::uint32_t>{platform::kNimAdd, platform::kNimSetVersion}));
  EXPECT_EQ(never.os.notifyCalls.back().tip.rfind("Redémarrage dans ", 0), 0u);

  AppFixture minimised;  // minimised by hand meanwhile: brought back all the same
  minimised.os.failNotifyAdd = 1000;
  minimised.Start();
  minimised.Main().SetState(ui::WindowState::Minimised);
  minimised.Advance(30000);
  EXPECT_EQ(minimised.Main().State(), ui::WindowState::Normal);
}

}  // namespace
