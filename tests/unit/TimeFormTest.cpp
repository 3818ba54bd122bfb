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
    if (action == 1) Main().ArreteBrillant_MouseUp(1, 0, 0, 0);
    if (action == 2) Main().RebooteBrillant_MouseUp(1, 0, 0, 0);
    if (action == 3) Main().VeilleProlongeeBrillant_MouseUp(1, 0, 0, 0);
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
    EXPECT_EQ(Fields(t), proposal);
    EXPECT_TRUE(t.LetsGo.HasFocus());  // the fill does not move the focus
    t.WithTime.ValueFromUser(0);
    EXPECT_EQ(Fields(t), "00:07:00");  // "-5" cannot be kept as a byte: it comes back as 0
    t.Annuled.onClick();
  }
  Main().UseHMode = true;  // opens ticked, with the proposal
  env.clock.now = {8, 0, 0};
  TimeForm& t = Open(3);
  EXPECT_EQ(t.WithTime.Value(), 1);
  EXPECT_EQ(Fields(t), "08:05:02");
  t.WithTime.ValueFromUser(0);
  EXPECT_EQ(Fields(t), "00:00:00");
  t.txtHeure.SetFocus();
  t.txtHeure.TextFromUser("12");  // once the fill is over, typing moves on again
  EXPECT_TRUE(t.txtMinute.HasFocus());
}

TEST_F(TimeFormTest, ZeroDelayAsksFirstAndCancelKeepsTheDialog) {
  // The action, the fields, the clock-time mode, the question.
  const std::tuple<int, Lines, bool, const char*> cases[] = {
      {1, {"", "", ""}, false, "Êtes-vous certain de vouloir arrêter immédiatement ?"},
      {2, {"ab", "00", ".4"}, false, "Êtes-vous certain de vouloir redémarrer immédiatement ?"},  // as it would run
      {3, {"00", "00", "00"}, true, "Êtes-vous certain de vouloir mettre en veille prolongée immédiatement ?"}};
  for (const auto& [action, fields, clockMode, question] : cases) {
    SCOPED_TRACE(question);
    TimeForm& t = Open(action);
    if (clockMode) t.WithTime.ValueFromUser(1);
    Type(t, fields[0], fields[1], fields[2]);
    env.messageBoxes.answers = {ui::kIdCancel};
    t.txtSeconde.SetFocus();
    t.LetsGo.onClick();
    EXPECT_EQ(Boxes(), Lines{std::string(question) + " [33 Info Temps]"});
    EXPECT_EQ(std::tuple(app->TimeFormIfLoaded() == &t, t.LetsGo.HasFocus(), Main().CountDown),
              std::tuple(true, true, false));
    env.messageBoxes.shown.clear();
    t.Annuled.onClick();
  }
  EXPECT_EQ(PowerCalls(), Lines{});
}

TEST_F(TimeFormTest, ZeroDelayAnsweredOkActsAtOnce) {
  TimeForm& shut = Open(1);
  Guard([&] { shut.LetsGo.onClick(); });
  EXPECT_EQ(os.CallsNamed("ExitWindowsEx"), std::vector<std::string>{"ExitWindowsEx(12,0)"});
  EXPECT_EQ(std::pair(app->TimeFormIfLoaded(), app->Ended()), std::pair(static_cast<TimeForm*>(nullptr), false));

  TimeForm& sleep = Open(3);
  Guard([&] { sleep.LetsGo.onClick(); });
  EXPECT_EQ(os.CallsNamed("SetSystemPowerState"), std::vector<std::string>{"SetSystemPowerState(0,-1)"});
  EXPECT_TRUE(app->Ended());  // back from sleep, the program closes
}

TEST_F(TimeFormTest, HandsTheDelayOrClockTimeToTheCountdown) {
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
  EXPECT_EQ(std::pair(app->TimeFormIfLoaded(), Main().CountDown), std::pair(static_cast<TimeForm*>(nullptr), false));
  EXPECT_FALSE(Main().Stoping);
}

TEST_F(TimeFormTest, ClockTimesOfNowAndNegativeFieldsStartNothing) {
  env.clock.now = {10, 0, 0};
  // Clock-time mode, the fields, whether it is an error. Now, to the second: not even a box. A negative field, though
  // the fields add up to zero, or in a time of day: an error.
  const std::tuple<bool, const char*, const char*, const char*, bool> cases[] = {{true, "10", "00", "00", false},
                                                                                 {false, "00", "05", "-5", true},
                                                                                 {true, "00", "05", "-5", true},
                                                                                 {true, "-5", "10", "00", true}};
  for (const auto& [clockMode, h, m, s, error] : cases) {
    SCOPED_TRACE(std::string(h) + ":" + m + ":" + s + (clockMode ? " clock" : ""));
    TimeForm& t = Open(1);
    if (clockMode) t.WithTime.ValueFromUser(1);
    Type(t, h, m, s);
    env.messageBoxes.shown.clear();
    t.LetsGo.onClick();
    EXPECT_EQ(Boxes(), error ? Lines{"Erreur dans le délai [48 Information]"} : Lines{});
    EXPECT_EQ(Fields(t), error ? "00:00:00" : "10:00:00");
    EXPECT_EQ(std::pair(app->TimeFormIfLoaded(), Main().CountDown), std::pair(&t, false));
    t.Annuled.onClick();
  }
  EXPECT_EQ(PowerCalls(), Lines{});
}

}  // namespace
