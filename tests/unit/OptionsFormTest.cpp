// The options dialog: what it shows from the file and from the running program,
// what a save writes and applies, and closing without saving.
#include <string>
#include <vector>

#include "AppFixture.h"
#include "Version.h"
#include "settings/OptionsForm.h"
#include "tray/SystrayIcon.h"

namespace {

struct OptionsFormTest : AppTest {
  // A new program over the same directory each time, so that each case of a table starts afresh.
  OptionsForm& Open(std::vector<std::uint8_t> file, const std::string& commandLine = {}) {
    app.reset();
    env.messageBoxes.shown.clear();
    app = std::make_unique<App>(env.services, os);
    WriteSettingsBytes(file);
    Start(commandLine);
    Main().TimeOptions.onClick();
    return *app->OptionsFormIfLoaded();
  }
};

TEST_F(OptionsFormTest, LoadsTheStartUpActionAndLastDelayFromTheFile) {
  // 0x80: minimised, 0x40: all now, 0x1C: three actions at once, of which the last read wins.
  const std::tuple<std::uint8_t, int, const char*> cases[] = {
      {0x40, 0, "ShutDownAction"}, {0x1C, 1, "ShutDownAction"}, {0x08, 1, "RestartAction"}, {0x84, 1, "StandbyAction"}};
  for (const auto& [options, same, selected] : cases) {
    SCOPED_TRACE(selected);
    OptionsForm& o = Open(TaggedBytes(options, 0, 0, 5, 1));
    EXPECT_EQ(std::tuple(o.SameAction.Value(), o.AlwaysMin.Value(), o.AlwaysAllNow.Value()),
              std::tuple(same, options >> 7, options >> 6 & 1));
    for (ui::Control* option : {&o.ShutDownAction, &o.RestartAction, &o.StandbyAction})
      EXPECT_EQ(std::pair(option->Enabled(), option->Value()), std::pair(same == 1, option->Name() == selected ? 1 : 0))
          << option->Name();
    EXPECT_EQ(std::tuple(o.TimeControl.Text(), o.ForceHib.Enabled(), o.StandbyAction.Caption()),
              std::tuple("01:05:00", false, "Mettre en Veille Prolongée"));
    EXPECT_EQ(o.WinVersion.Caption(), "Votre système d'exploitation est Windows NT 5.1.2600 (Windows Xp).");
    EXPECT_EQ(o.Retail.Caption(), "Crepuscule version " CREP_VERSION);
    for (const ui::Control* c : o.Controls())  // each box explains itself
      EXPECT_EQ(c->ToolTip().empty(),
                (c->Kind() != ui::ControlKind::CheckBox || c == &o.DesignEnd) && c != &o.TimeControl)
          << c->Name();
    EXPECT_EQ(o.Left(), (env.screen.width - o.Width()) / 2);
    o.Save.onClick();  // nothing changed: the same bytes go back, with only the action shown
    EXPECT_EQ(SettingsBytes(), TaggedBytes(options == 0x1C ? 0x10 : options, 0, 0, 5, 1));
    EXPECT_EQ(Main().IsActive(), options < 0x80);  // the main window comes forward, unless it waits minimised
  }
}

TEST_F(OptionsFormTest, SwitchesOfThisRunAreShownAndSaved) {
  OptionsForm& o = Open(TaggedBytes(0x08, 0x0A, 7, 8, 9), "-noding -nomin");
  EXPECT_EQ(std::tuple(o.CheckSilence.Value(), o.ForceHib.Value(), o.HourMode.Value()), std::tuple(1, 1, 1));
  o.SameAction.ValueFromUser(0);  // no fixed action any more, whatever is selected
  EXPECT_FALSE(o.RestartAction.Enabled());
  o.SameAction.ValueFromUser(1);
  EXPECT_TRUE(o.RestartAction.Enabled());
  o.SameAction.ValueFromUser(0);
  EXPECT_EQ(o.RestartAction.Value(), 1);
  for (ui::Control* box : {&o.DesignEnd, &o.HourMode, &o.AlwaysMin, &o.NoConfirmBox, &o.NoDiagTime})
    box->ValueFromUser(1);
  o.Save.onClick();
  EXPECT_EQ(SettingsBytes(), TaggedBytes(0x83, 0x1F, 7, 8, 9));
  const MainForm& m = Main();  // applied to this run too
  EXPECT_EQ(std::tuple(m.OldEndDesgn, m.UseHMode, m.NoConfirm, m.CmdTimStart, m.ForceHibern,
                       app->OptionsFormIfLoaded() == nullptr, m.Enabled(), m.StopOptions),
            std::tuple(true, true, true, true, true, true, true, false));
}

TEST_F(OptionsFormTest, AllNowAndLastTimeChangeTheDigitsOnlyWhenIdle) {
  // All now, last time, counting, the hours remembered; the prepared run, all now on the command line, the digits.
  const std::tuple<bool, bool, bool, std::uint8_t, bool, bool, const char*> cases[] = {
      {true, false, false, 1, false, true, "hidden 00:00:00"}, {false, true, false, 1, true, false, "01:05:00"},
      {true, true, false, 1, true, true, "hidden 01:05:00"},   {true, true, true, 1, false, false, "00:00:00"},
      {false, true, false, 0, false, false, "00:00:00"},  // nothing remembered: nothing prepared
  };
  for (const auto& [allNow, memTime, counting, hours, waitCmd, cmdAllnow, digits] : cases) {
    SCOPED_TRACE(std::to_string(allNow) + std::to_string(memTime) + std::to_string(counting));
    OptionsForm& o = Open(TaggedBytes(0, 0, 0, hours ? 5 : 0, hours));
    Main().CountDown = counting;
    o.AlwaysAllNow.ValueFromUser(allNow);
    o.MemTime.ValueFromUser(memTime);
    o.Save.onClick();
    const std::string shown =
        Shown({&Main().TxtH, &Main().Label1, &Main().Label2}) == "TxtH Label1 Label2" ? "" : "hidden ";
    EXPECT_EQ(std::tuple(Main().WaitCmd, Main().CmdAllnow, shown + Digits(), int{SettingsBytes()[4]}),
              std::tuple(waitCmd, cmdAllnow, digits, (allNow ? 0x40 : 0) | (memTime ? 0x20 : 0)));
  }
}

TEST_F(OptionsFormTest, AFailedSaveIsReportedAndKeepsTheDialogOpen) {
  using Failure = bool platform::RecordingPlatform::*;
  const std::tuple<const char*, Failure, const char*> cases[] = {
      {"cannot be opened for writing", &platform::RecordingPlatform::readOnlyFiles, "ne peut pas être modifié"},
      {"no write goes through", &platform::RecordingPlatform::failWrites, "ne peut pas être modifié"},
      {"read error, then reset", &platform::RecordingPlatform::failReads, "réinitialisé"}};
  for (const auto& [name, failure, says] : cases) {
    SCOPED_TRACE(name);
    OptionsForm& o = Open(TaggedBytes(0x08, 0));
    o.CheckSilence.ValueFromUser(1);
    o.ShutDownAction.ValueFromUser(1);  // another action chosen is the one saved
    os.*failure = true;
    o.Save.onClick();
    ASSERT_EQ(env.messageBoxes.shown.size(), 1u);
    EXPECT_NE(env.messageBoxes.shown[0].text.find(says), std::string::npos) << env.messageBoxes.shown[0].text;
    // Nothing lost: the choices are still there, and applied to this run all the same.
    EXPECT_EQ(std::tuple(app->OptionsFormIfLoaded() == &o, Main().StopOptions, Main().Enabled(), Main().Noding),
              std::tuple(true, true, false, true));

    os.*failure = false;  // a second try goes through
    o.Save.onClick();
    EXPECT_EQ(std::tuple(app->OptionsFormIfLoaded() == nullptr, SettingsBytes(), env.messageBoxes.shown.size()),
              std::tuple(true, TaggedBytes(0x11, 0), 1u));
  }
}

TEST_F(OptionsFormTest, CancelHelpAndCloseBoxWriteNothing) {
  OptionsForm& o = Open(TaggedBytes(0x10, 0x04, 1, 2, 3));
  o.CheckSilence.ValueFromUser(1);
  o.Help.onClick();
  ASSERT_EQ(env.messageBoxes.shown.size(), 1u);
  EXPECT_EQ(env.messageBoxes.shown[0].title, "Aide Crepuscule...");
  EXPECT_EQ(app->OptionsFormIfLoaded(), &o);
  o.onCloseBox();
  EXPECT_EQ(SettingsBytes(), TaggedBytes(0x10, 0x04, 1, 2, 3));
  EXPECT_EQ(std::tuple(app->OptionsFormIfLoaded() == nullptr, Main().Noding, Main().Enabled(), Main().IsActive(),
                       Main().StopOptions),
            std::tuple(true, false, true, true, false));

  os.failReads = true;  // an unreadable file: no box ticked from it
  Main().TimeOptions.onClick();
  const OptionsForm& again = *app->OptionsFormIfLoaded();
  EXPECT_EQ(again.AlwaysMin.Value() + again.AlwaysAllNow.Value() + again.SameAction.Value() + again.MemTime.Value(), 0);
}

}  // namespace
