// The delay dialog: focus and selection, the clock-time proposal, the zero-delay
// question, the hand-over to the countdown and closing.
#include <string>
#include <vector>

#include "AppFixture.h"
#include "timeui/TimeForm.h"
#include "tray/SystrayIcon.h"

namespace {

struct TimeFormTest : StartedTest {
  TimeForm& Open(int action) {
    action == 1 ? Main().Shutdown() : action == 2 ? Main().Restart() : Main().Sleep();
    return *app->TimeFormIfLoaded();
  }
  void Type(TimeForm& t, const std::string& h, const std::string& m, const std::string& s) {
    t.txtHeure.TextFromUser(h);
    t.txtMinute.TextFromUser(m);
    t.txtSeconde.TextFromUser(s);
  }
  static std::string Fields(const TimeForm& t) {
    return t.txtHeure.Text() + ":" + t.txtMinute.Text() + ":" + t.txtSeconde.Text();
  }
};

TEST_F(TimeFormTest, TwoCharactersMoveTheFocusOnAndFocusSelectsAll) {
  TimeForm& t = Open(1);
  t.txtHeure.SetFocus();
  t.txtHeure.TextFromUser("7");
  EXPECT_TRUE(t.txtHeure.HasFocus());
  t.txtHeure.TextFromUser("75");
  EXPECT_TRUE(t.txtMinute.HasFocus());
  EXPECT_EQ(std::pair(t.txtMinute.SelStart(), t.txtMinute.SelLength()), std::pair(0, 2));
  t.txtMinute.TextFromUser("1é");  // two characters, three bytes
  EXPECT_TRUE(t.txtSeconde.HasFocus());
  t.txtSeconde.TextFromUser("30");
  EXPECT_TRUE(t.LetsGo.HasFocus());
  t.txtHeure.SetSelection(1, 0);
  t.txtHeure.onClick();
  EXPECT_EQ(t.txtHeure.SelLength(), 2);
}

TEST_F(TimeFormTest, ClockTimeProposesFiveMinutesTwoSecondsAheadAndUntickingRestores) {
  const std::pair<ui::TimeOfDay, const char*> cases[] = {
      {{10, 56, 59}, "11:02:01"}, {{10, 54, 58}, "11:00:00"}, {{23, 58, 59}, "24:04:01"},
      {{10, 54, 57}, "10:59:59"}, {{10, 53, 58}, "10:59:00"},  // the last values that carry nothing
      {{10, 56, 0}, "11:01:02"}};
  for (const auto& [now, proposal] : cases) {
    SCOPED_TRACE(proposal);
    TimeForm& t = Open(2);
    Type(t, "-5", "7", "");
    t.LetsGo.SetFocus();
    env.clock.now = now;
    t.WithTime.ValueFromUser(1);
    // The fill does not move the focus.
    EXPECT_EQ(std::pair(Fields(t), t.LetsGo.HasFocus()), std::pair(std::string(proposal), true));
    t.WithTime.ValueFromUser(0);
    EXPECT_EQ(Fields(t), "00:07:00");  // "-5" cannot be kept as a byte: it comes back as 0
    t.Annuled.onClick();
  }
  Main().UseHMode = true;  // opens ticked, with the proposal
  env.clock.now = {8, 0, 0};
  TimeForm& t = Open(3);
  EXPECT_EQ(std::pair(t.WithTime.Value(), Fields(t)), std::pair(1, std::string("08:05:02")));
  t.WithTime.ValueFromUser(0);
  EXPECT_EQ(Fields(t), "00:00:00");
  t.txtHeure.SetFocus();
  t.txtHeure.TextFromUser("12");  // once the fill is over, typing moves on again
  EXPECT_TRUE(t.txtMinute.HasFocus());
}

TEST_F(TimeFormTest, HandsTheDelayOrClockTimeToTheCountdownAndAZeroDelayAnsweredOkActsAtOnce) {
  TimeForm& delay = Open(1);
  Type(delay, "00", "75", "00");
  delay.LetsGo.onClick();
  // A started countdown keeps its action.
  EXPECT_EQ(std::tuple(app->TimeFormIfLoaded() == nullptr, Main().CountDown, Main().Action, Main().TpsH, Main().TpsM),
            std::tuple(true, true, 1, 1, 15));
  Main().Annule_Click();

  env.clock.now = {10, 0, 5};
  TimeForm& clock = Open(2);
  clock.WithTime.ValueFromUser(1);
  Type(clock, "11", "30", "15");
  clock.LetsGo.onClick();
  EXPECT_EQ(std::tuple(int{Main().TpsH}, int{Main().TpsM}, int{Main().TpsS}, app->TimeFormIfLoaded() == nullptr),
            std::tuple(1, 30, 10, true));
  Main().Annule_Click();

  // Had the action gone by the time of the click, nothing may start.
  TimeForm& none = Open(1);
  Main().Action = 0;
  Type(none, "00", "00", "05");
  none.LetsGo.onClick();
  EXPECT_EQ(std::tuple(app->TimeFormIfLoaded() == nullptr, Main().CountDown, Main().Stoping),
            std::tuple(true, false, false));

  Open(1).LetsGo.onClick();
  EXPECT_EQ(std::tuple(PowerCalls(), app->TimeFormIfLoaded() == nullptr, app->Ended()),
            std::tuple(Lines{"ExitWindowsEx(12,0)"}, true, false));
  Open(3).LetsGo.onClick();  // back from sleep, the program closes
  EXPECT_EQ(std::pair(PowerCalls(), app->Ended()),
            std::pair(Lines{"ExitWindowsEx(12,0)", "SetSystemPowerState(0,-1)"}, true));
}

TEST_F(TimeFormTest, ZeroDelayAsksFirstAndClockTimesOfNowOrNegativeFieldsStartNothing) {
  const std::string error = "Erreur dans le délai [48 Information]";
  // The action, the clock-time mode (the clock reads 10:00:00), the fields; the box, and the fields after it. A zero
  // delay, however typed, asks first, and Cancel keeps the dialog. A clock time of now, to the second: not even a
  // box. A negative field, though the fields add up to zero, or in a time of day: an error.
  const auto asks = [](const std::string& what) {
    return "Êtes-vous certain de vouloir " + what + " immédiatement ? [33 Info Temps]";
  };
  const std::tuple<int, bool, Lines, std::string, const char*> cases[] = {
      {1, false, {"", "", ""}, asks("arrêter"), "00:00:00"},
      {2, false, {"ab", "00", ".4"}, asks("redémarrer"), "ab:00:.4"},
      {3, true, {"00", "00", "00"}, asks("mettre en veille prolongée"), "00:00:00"},
      {1, true, {"10", "00", "00"}, "", "10:00:00"},
      {1, false, {"00", "05", "-5"}, error, "00:00:00"},
      {1, true, {"00", "05", "-5"}, error, "00:00:00"},
      {1, true, {"-5", "10", "00"}, error, "00:00:00"}};
  for (const auto& [action, clockMode, fields, box, after] : cases) {
    SCOPED_TRACE(fields[0] + ":" + fields[1] + ":" + fields[2] + (clockMode ? " clock" : ""));
    TimeForm& t = Open(action);
    if (clockMode) t.WithTime.ValueFromUser(1);
    Type(t, fields[0], fields[1], fields[2]);
    env.messageBoxes.answers = {ui::kIdCancel};
    env.messageBoxes.shown.clear();
    t.txtSeconde.SetFocus();
    t.LetsGo.onClick();
    EXPECT_EQ(Boxes(), box.empty() ? Lines{} : Lines{box});
    EXPECT_EQ(std::tuple(Fields(t), app->TimeFormIfLoaded() == &t, Main().CountDown), std::tuple(after, true, false));
    // Back on the button after the question.
    EXPECT_TRUE(t.LetsGo.HasFocus() || box.find("Info Temps") == std::string::npos);
    t.Annuled.onClick();
  }
  EXPECT_EQ(PowerCalls(), Lines{});
}

}  // namespace
