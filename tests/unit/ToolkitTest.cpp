// The forms toolkit and the fake scheduler the other tests rely on.
#include <gtest/gtest.h>

#include "ui/Fakes.h"
#include "ui/Form.h"
#include "ui/Timer.h"

namespace {

struct TestForm : ui::Form {
  explicit TestForm(ui::Services& s) : ui::Form(s, "TestForm", ui::FormStyle::Dialog, {0, 0, 3000, 2000}, "t") {}
  ui::Control box{*this, "box", ui::ControlKind::TextBox, {}, "00"};
  ui::Control a{*this, "a", ui::ControlKind::OptionButton, {}};
  ui::Control b{*this, "b", ui::ControlKind::OptionButton, {}};
  ui::Control check{*this, "check", ui::ControlKind::CheckBox, {}};
  ui::Timer slow{*this, "slow", 1000, false, true};
  ui::Timer poll{*this, "poll", 100, false};
};

TEST(FakeScheduler, FiresTicksOnDeadlinesWithoutDrift) {
  ui::FakeEnvironment env;
  TestForm form(env.services);
  std::vector<std::int64_t> at;
  form.slow.onTick = [&] { at.push_back(env.scheduler.Now()); };
  env.scheduler.Advance(500);
  form.slow.SetEnabled(true);  // starts at 500
  env.scheduler.Advance(3000);
  EXPECT_EQ(at, (std::vector<std::int64_t>{1500, 2500, 3500}));
}

TEST(FakeScheduler, DisablingInsideTheHandlerStopsTheTimer) {
  ui::FakeEnvironment env;
  TestForm form(env.services);
  int ticks = 0;
  form.slow.onTick = [&] {
    if (++ticks == 2) form.slow.SetEnabled(false);
  };
  form.slow.SetEnabled(true);
  env.scheduler.Advance(10000);
  EXPECT_EQ(ticks, 2);
}

TEST(FakeScheduler, TimersFireInDeadlineOrder) {
  ui::FakeEnvironment env;
  TestForm form(env.services);
  std::string order;
  form.slow.onTick = [&] { order += "S"; };
  form.poll.onTick = [&] { order += "p"; };
  form.slow.SetEnabled(true);
  form.poll.SetEnabled(true);
  env.scheduler.Advance(1000);
  EXPECT_EQ(order, "pppppppppSp");  // a tie goes to the timer enabled first
}

TEST(Control, ProgrammaticChangesFireTheUserEvents) {
  ui::FakeEnvironment env;
  TestForm form(env.services);
  int changes = 0, clicks = 0;
  form.box.onChange = [&] { ++changes; };
  form.check.onClick = [&] { ++clicks; };
  form.box.SetText("00");  // unchanged: no event
  form.box.SetText("7");
  form.check.SetValue(1);
  form.check.SetValue(1);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(clicks, 1);
}

TEST(Control, SelectingAnOptionClearsTheOthers) {
  ui::FakeEnvironment env;
  TestForm form(env.services);
  form.a.SetValue(1);
  form.b.SetValue(1);
  EXPECT_EQ(form.a.Value(), 0);
  EXPECT_EQ(form.b.Value(), 1);
}

}  // namespace
