// Every text that names the Sleep action says what will happen: hibernation
// or standby, from the first second and after the options change it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "AppFixture.h"
#include "seams/HelpMod.h"
#include "settings/OptionsForm.h"
#include "timeui/TimeStart.h"
#include "tooltip/cToolTip.h"

namespace {

// The window, the tray menus and the balloon all name the same Sleep.
void ExpectWording(AppFixture& f, bool hibernates) {
  MainForm& main = f.Main();
  const char* item = hibernates ? "&Veille Prolongée" : "Mise en &veille";
  EXPECT_EQ(main.VeilleProlongeeLabel.Caption(), hibernates ? kHibernateName : "Mettre en veille");
  EXPECT_EQ(std::pair(main.LongStandby, main.wording.CheckMaj.Enabled()), std::pair(hibernates, hibernates));
  EXPECT_EQ(
      f.app->Tray()->MnuFichier.Find("MnuFerme")->caption + "|" + f.app->Tray()->MnuFichierR.Find("MnuFermeR")->caption,
      std::string(item) + "|" + item);
  ASSERT_EQ(main.wording.Balloons().size(), 3u);
  const cToolTip& balloon = **main.wording.Balloons().Find("VeilleProlongeeBrillant");
  EXPECT_EQ(balloon.Title(), hibernates ? "Programmer la mise en veille prolongée" : "Programmer la mise en veille");
  EXPECT_EQ(balloon.Text().substr(0, balloon.Text().find('\r', 3)),
            hibernates ? " \r\nPlonge votre ordinateur dans un coma profond ..."
                       : " \r\nPlonge votre ordinateur dans le coma ...");
}

TEST(SleepWording, LoadingAndACommandLineCountdownNameItFromTheStart) {
  const char* const sleep = "-v -t:0,10,0";
  // XP or 98, the display flags (0x08: hibernation forced in the options), the command line, whether it hibernates.
  const std::tuple<bool, std::uint8_t, std::string, bool> rows[] = {
      {false, 0, sleep, false},
      {false, 0, "-forcehibernation", true},
      {false, 0, sleep + std::string(" -forcehibernation"), true},
      {false, 0x08, sleep, true},
      {true, 0, sleep, true}};
  for (const auto& [xp, displayFlags, commandLine, hibernates] : rows) {
    SCOPED_TRACE(commandLine + (xp ? " on XP" : " on 98") + (displayFlags ? " forced" : ""));
    AppFixture f;
    HandlePeers handles;
    f.env.services.peers = &handles;
    if (!xp) f.os.Set98();
    f.WriteSettingsBytes(AppFixture::TaggedBytes(0, displayFlags));
    f.Start(commandLine);
    ExpectWording(f, hibernates);
    // A balloon breaks its lines at CR LF only once it has a maximum width: room for the longest line.
    int wide = 0;
    for (const auto& l : f.os.log)
      wide += l.rfind("SendMessageA(0x418,", 0) == 0 && std::stoi(l.substr(l.find("l=") + 2)) >= 400;
    EXPECT_EQ(wide, 3);
    const std::string word = hibernates ? kHibernateName : "veille";
    if (commandLine.rfind(sleep, 0) == 0) {
      EXPECT_EQ(f.Main().Titre.Caption(), "Mise en " + word + "...");
      ASSERT_NE(f.app->TimeStartIfLoaded(), nullptr);
      EXPECT_EQ(f.app->TimeStartIfLoaded()->Caption(), "Mise en " + word + " ...");
      ASSERT_FALSE(f.os.notifyCalls.empty());
      EXPECT_EQ(f.os.notifyCalls.back().tip, "Mise en " + word + " dans 10 minutes ...");
    }
    ShowHelp(*f.app);
    ASSERT_EQ(f.env.messageBoxes.shown.size(), 1u);
    EXPECT_NE(f.env.messageBoxes.shown[0].text.find("dialogue " + word + "\r\n"), std::string::npos);
  }
}

TEST(SleepWording, SavingForcedHibernationRewordsTheWindowTheTrayAndTheBalloon) {
  AppFixture f;
  HandlePeers handles;
  f.env.services.peers = &handles;
  f.os.Set98();
  f.Start();
  MainForm& main = f.Main();
  ExpectWording(f, false);

  for (int forced : {1, 0}) {
    SCOPED_TRACE(forced);
    f.os.ClearLog();
    main.TimeOptions.onClick();
    OptionsForm& options = *f.app->OptionsFormIfLoaded();
    EXPECT_EQ(options.StandbyAction.Caption(), forced ? "Mettre en veille" : "Mettre en Veille Prolongée");
    options.ForceHib.ValueFromUser(forced);
    options.Save.onClick();
    ExpectWording(f, forced);
    EXPECT_EQ(f.SettingsBytes()[5], forced ? 0x08 : 0);
    EXPECT_EQ(main.StandByTxt + "/" + main.StandByTxtmin,
              forced ? "Veille prolongée/veille prolongée" : "veille/veille");
    // The old balloon goes before the new one takes the button.
    std::vector<std::string> order;
    for (const std::string& line : f.os.Calls())
      if (line.rfind("DestroyWindow(", 0) == 0 || line.rfind("CreateWindowExA(", 0) == 0)
        order.push_back(line.substr(0, 7));
    EXPECT_EQ(order, (std::vector<std::string>{"Destroy", "CreateW"}));
  }
}

}  // namespace
