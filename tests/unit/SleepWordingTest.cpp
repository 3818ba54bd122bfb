// Every text that names the Sleep action says what will happen: hibernation
// or standby, from the first second and after the options change it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "AppFixture.h"
#include "app/HelpMod.h"
#include "settings/OptionsForm.h"
#include "timeui/TimeStart.h"
#include "tooltip/cToolTip.h"
#include "tray/SystrayIcon.h"

namespace {

// The tips handed to the shell, in order.
std::vector<std::string> Tips(const platform::RecordingPlatform& os) {
  std::vector<std::string> tips;
  for (const std::string& line : os.CallsNamed("Shell_NotifyIconA(")) {
    const auto at = line.find(",tip=");
    if (at != std::string::npos) tips.push_back(line.substr(at + 5, line.size() - at - 6));
  }
  return tips;
}

TEST(SleepWording, ACommandLineCountdownNamesItFromTheStart) {
  const struct {
    bool xp;
    std::uint8_t displayFlags;  // 0x08: hibernation forced in the options
    const char* commandLine;
    const char* word;
  } rows[] = {{false, 0, "-v -t:0,10,0", "veille"},
              {false, 0, "-v -t:0,10,0 -forcehibernation", "Veille prolongée"},
              {false, 0x08, "-v -t:0,10,0", "Veille prolongée"},
              {true, 0, "-v -t:0,10,0", "Veille prolongée"}};
  for (const auto& row : rows) {
    SCOPED_TRACE(std::string(row.commandLine) + (row.xp ? " on XP" : " on 98"));
    AppFixture f;
    if (!row.xp) f.os.Set98();
    f.WriteSettingsBytes(AppFixture::TaggedBytes(0, row.displayFlags));
    f.Start(row.commandLine);
    const std::string word = row.word;
    EXPECT_EQ(f.Main().Titre.Caption(), "Mise en " + word + "...");
    ASSERT_NE(f.app->TimeStartIfLoaded(), nullptr);
    EXPECT_EQ(f.app->TimeStartIfLoaded()->Caption(), "Mise en " + word + " ...");
    const std::vector<std::string> tips = Tips(f.os);
    ASSERT_FALSE(tips.empty());
    EXPECT_EQ(tips.back(), "Mise en " + word + " dans 10 minutes ...");
  }
}

TEST(SleepWording, HelpAtStartUpNamesStandbyWithoutHibernation) {
  AppFixture f;
  f.os.Set98();
  f.Start("-?");
  ASSERT_EQ(f.env.messageBoxes.shown.size(), 1u);
  EXPECT_NE(f.env.messageBoxes.shown[0].text.find("boîte de dialogue veille\r\n"), std::string::npos);
}

TEST(SleepWording, SavingForcedHibernationRewordsTheTrayAndTheBalloon) {
  AppFixture f;
  HandlePeers handles;
  f.env.services.peers = &handles;
  f.os.Set98();
  f.Start();
  MainForm& main = f.Main();
  SystrayIcon& tray = *f.app->Tray();
  const auto expect = [&](const char* label, const char* item, const char* title, const char* firstLine) {
    EXPECT_EQ(main.VeilleProlongeeLabel.Caption(), label);
    EXPECT_EQ(tray.MnuFichier.Find("MnuFerme")->caption, item);
    EXPECT_EQ(tray.MnuFichierR.Find("MnuFermeR")->caption, item);
    const cToolTip& balloon = *main.Balloons().at("VeilleProlongeeBrillant");
    EXPECT_EQ(balloon.Title(), title);
    EXPECT_EQ(balloon.Text().substr(0, balloon.Text().find('\r', 3)), firstLine);
  };
  expect("Mettre en veille", "Mise en &veille", "Programmer la mise en veille",
         " \r\nPlonge votre ordinateur dans le coma ...");

  for (int forced : {1, 0}) {
    SCOPED_TRACE(forced);
    f.os.ClearLog();
    main.TimeOptions_Click();
    OptionsForm& options = *f.app->OptionsFormIfLoaded();
    options.ForceHib.ValueFromUser(forced);
    options.Save.onClick();
    if (forced)
      expect("Veille prolongée", "&Veille Prolongée", "Programmer la mise en veille prolongée",
             " \r\nPlonge votre ordinateur dans un coma profond ...");
    else
      expect("Mettre en veille", "Mise en &veille", "Programmer la mise en veille",
             " \r\nPlonge votre ordinateur dans le coma ...");
    // The old balloon goes before the new one takes the button.
    std::vector<std::string> order;
    for (const std::string& line : f.os.Calls())
      if (line.rfind("DestroyWindow(", 0) == 0 || line.rfind("CreateWindowExA(", 0) == 0)
        order.push_back(line.substr(0, 7));
    EXPECT_EQ(order, (std::vector<std::string>{"Destroy", "CreateW"}));
  }
}

}  // namespace
