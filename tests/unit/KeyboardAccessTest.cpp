// Everything by keyboard and for screen readers: the main window's Tab cycle,
// Enter and the access keys on the actions, and the names the painted parts
// read as, whatever the run state.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "AppFixture.h"
#include "settings/OptionsForm.h"
#include "timeui/TimeForm.h"
#include "timeui/TimeStart.h"
#include "ui/InputRouting.h"

namespace {

std::vector<std::string> Names(const std::vector<ui::Control*>& controls) {
  std::vector<std::string> names;
  for (const ui::Control* c : controls) names.push_back(c->Name());
  return names;
}

const std::vector<std::string> kIdleCycle = {"VeilleProlongeeKey", "ArreteKey", "RebooteKey", "TimeOptions", "Annule"};

TEST_F(StartedTest, TabCyclesThroughTheActionsLeftToRightThenOptionsAndAnnulerAndNotWhileCounting) {
  MainForm& m = Main();
  EXPECT_EQ(Names(ui::TabOrder(m)), kIdleCycle);
  // The window opens with the focus on the off-screen default button: no mark shows, Enter there
  // presses nothing that acts, and Tab goes to the first action, Shift+Tab to the last button.
  EXPECT_EQ(std::pair(ui::FocusTarget(m), ui::EnterButton(m, nullptr)), std::pair(&m.AaDefault, &m.AaDefault));
  EXPECT_EQ(std::tuple(ui::NextTabStop(m, &m.AaDefault, false), ui::NextTabStop(m, &m.AaDefault, true),
                       ui::NextTabStop(m, &m.Annule, false)),
            std::tuple(&m.VeilleProlongeeKey, &m.Annule, &m.VeilleProlongeeKey));

  StartCountdown(1, "0", "10", "30");
  EXPECT_EQ(Names(ui::TabOrder(m)), (std::vector<std::string>{"TimeOptions", "Annule"}));
  EXPECT_EQ(ui::AccessKeyTarget(m, 'a'), nullptr);
  Guard([&] { m.Annule_Click(); });
  ASSERT_FALSE(m.CountDown);
  EXPECT_EQ(Names(ui::TabOrder(m)), kIdleCycle);

  m.TimeOptions.onClick();  // the options follow their layout: left column, right column, buttons; Escape cancels
  OptionsForm& options = *app->OptionsFormIfLoaded();
  EXPECT_EQ(ui::CancelButton(options), &options.Cancel);
  EXPECT_EQ(
      Names(ui::TabOrder(options)),
      (std::vector<std::string>{"SameAction", "AlwaysMin", "CheckSilence", "AlwaysAllNow", "NoDiagTime", "NoConfirmBox",
                                "MemTime", "TimeControl", "HourMode", "DesignEnd", "Save", "Cancel", "Help"}));
}

TEST(KeyboardAccess, EnterAndTheAccessKeysOpenEachActionsDialogAsAClickDoes) {
  // Each action's dialog title is checked with the clicks (MainWindowTest).
  const std::tuple<char, ui::Control MainForm::*, std::int16_t> rows[] = {
      {'V', &MainForm::VeilleProlongeeKey, 3}, {'a', &MainForm::ArreteKey, 1}, {'R', &MainForm::RebooteKey, 2}};
  for (const auto& [key, hotSpot, action] : rows) {
    for (bool byAccessKey : {false, true}) {
      SCOPED_TRACE(std::string(1, key) + (byAccessKey ? " by its access key" : " by Enter"));
      Started f;
      MainForm& m = f.Main();
      ui::Control* pressed = byAccessKey ? ui::AccessKeyTarget(m, key) : ui::EnterButton(m, &(m.*hotSpot));
      ASSERT_EQ(pressed, &(m.*hotSpot));
      f.Guard([&] { pressed->onClick(); });
      ASSERT_NE(f.app->TimeFormIfLoaded(), nullptr);
      TimeForm& dialog = *f.app->TimeFormIfLoaded();
      // In the dialog, Enter starts and Escape cancels; nothing has acted yet.
      EXPECT_EQ(
          std::tuple(m.Action, m.Enabled(), ui::EnterButton(dialog, nullptr), ui::CancelButton(dialog), f.PowerCalls()),
          std::tuple(action, false, &dialog.LetsGo, &dialog.Annuled, Lines{}));
    }
  }
}

TEST(KeyboardAccess, TheActionsAreNamedAsTheirCaptionsReadWhateverTheSleepWording) {
  // Shift held: standby.
  const std::tuple<bool, const char*, short, const char*> rows[] = {
      {true, "", 0, "Veille prolongée"},
      {true, "", -32768, "Mettre en veille"},
      {false, "", 0, "Mettre en veille"},
      {false, "-forcehibernation", 0, "Veille prolongée"}};
  for (const auto& [xp, commandLine, shift, sleep] : rows) {
    SCOPED_TRACE(std::string(xp ? "XP " : "98 ") + commandLine + (shift ? " Shift" : ""));
    Started f(commandLine, xp);
    MainForm& m = f.Main();
    f.os.shiftState = shift;
    f.Advance(100);
    EXPECT_EQ(m.VeilleProlongeeKey.Caption() + "|" + m.ArreteKey.Caption() + "|" + m.RebooteKey.Caption(),
              std::string(sleep) + "|Arrêter|Redémarrer");
    // Underlined on the caption too.
    EXPECT_EQ(std::tuple(m.VeilleProlongeeLabel.AccessKey(), ui::AccessKeyTarget(m, 'v'),
                         ui::WithAccessMark(m.VeilleProlongeeKey.Caption(), m.VeilleProlongeeKey.AccessKey())),
              std::tuple('V', &m.VeilleProlongeeKey, sleep[0] == 'V' ? "&Veille prolongée" : "Mettre en &veille"));
  }
}

TEST_F(StartedTest, TheDigitsAndTheCountdownWindowReadAsShownAndTheDelayFieldsAsTheirLabels) {
  MainForm& m = Main();
  EXPECT_EQ(m.DigitsReadOut.Caption(), "00:00:00");
  StartCountdown(1, "0", "10", "30");
  EXPECT_EQ(m.DigitsReadOut.Caption(), "00:10:30");
  TimeStart& box = app->LoadTimeStart();
  box.RefreshTimeStart();
  EXPECT_EQ(box.TimeReadOut.Caption(), box.TimeLabel.Caption());
  EXPECT_NE(box.TimeReadOut.Caption().find("10 minutes et 30 secondes."), std::string::npos);
  EXPECT_EQ(box.TimeReadOut.Bounds(), box.TimeLabel.Bounds());  // the label sizes itself to the words
  Advance(1000);
  EXPECT_EQ(m.DigitsReadOut.Caption(), "00:10:29");
  StartCountdown(1, "0", "0", "7");  // the last seconds read as the big digit
  Advance(2000);
  EXPECT_EQ(std::pair(m.DigitsReadOut.Caption(), m.DigitsReadOut.Visible()), std::pair(std::string("5"), true));
  // Covering only what shows: the big digit, not the hidden small ones.
  EXPECT_EQ(m.DigitsReadOut.Bounds(), m.Petetout.Bounds());

  TimeForm& dialog = app->LoadTimeForm();
  EXPECT_EQ(dialog.HeuresName.Caption() + "|" + dialog.MinutesName.Caption() + "|" + dialog.SecondesName.Caption(),
            "Heures|Minutes|Secondes");
}

TEST(HighContrast, TheSystemsColoursReplaceTheSkinIdleAndCounting) {
  for (bool high : {false, true}) {
    SCOPED_TRACE(high ? "high contrast" : "skin");
    AppFixture f;
    f.env.screen.highContrast = high;
    f.Start();
    MainForm& m = f.Main();
    const ui::Colour text = high ? ui::kWindowTextColour : ui::kWhite;
    EXPECT_EQ(std::pair(m.HasBackColour(), m.Fond.Picture() != 0), std::pair(high, !high));
    for (const ui::Control* c : {&m.Titre, &m.TxtH, &m.Label1, &m.ArreteLabel, &m.Petetout})
      EXPECT_EQ(c->ForeColour(), text) << c->Name();
    f.StartCountdown(1, "0", "10", "0");
    for (const ui::Control* c : {&m.ArreteLabel, &m.RebooteLabel, &m.VeilleProlongeeLabel})  // all three dimmed
      if (high) EXPECT_EQ(c->ForeColour(), ui::kGrayTextColour) << c->Name();
    f.Guard([&] { m.Annule_Click(); });
    EXPECT_EQ(m.RebooteLabel.ForeColour(), text);
  }
}

}  // namespace
