// The forms toolkit and the fake scheduler the other tests rely on.
#include <gtest/gtest.h>

#include <memory>

#include "ui/Control.h"
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
struct ToolkitTest : ::testing::Test {
  ui::FakeEnvironment env;
  TestForm form{env.services};
};

TEST_F(ToolkitTest, FakeSchedulerFiresTicksOnDeadlinesInOrderAndStopsWhenDisabledInsideAHandler) {
  std::string order;
  form.slow.onTick = [&] {
    order += "S" + std::to_string(env.scheduler.Now());
    if (env.scheduler.Now() == 3500) form.slow.SetEnabled(false);
  };
  form.poll.onTick = [&] { order += "p"; };
  env.scheduler.Advance(500);
  form.slow.SetEnabled(true);  // starts at 500, no drift from there
  form.poll.SetEnabled(true);
  env.scheduler.Advance(3200);
  EXPECT_EQ(order.substr(0, 17), "pppppppppS1500ppp");  // a tie goes to the timer enabled first
  EXPECT_EQ(order.find("S3500"), order.rfind('S'));
  const std::size_t polls = order.size();
  env.scheduler.Advance(2000);
  EXPECT_EQ(order.size(), polls + 20);  // only the poll timer is left
}

TEST_F(ToolkitTest, FakeSchedulerATimerThatStopsItselfTicksAgainOnceStartedAnew) {
  int ticks = 0;
  form.poll.onTick = [&] {
    ++ticks;
    form.poll.SetEnabled(false);  // a one-shot, as TimeCop is
  };
  for (int round = 1; round <= 3; ++round) {
    form.poll.SetEnabled(true);
    env.scheduler.Advance(250);
    EXPECT_EQ(std::pair(ticks, form.poll.Enabled()), std::pair(round, false));
  }
  // Stopped and started again inside the same tick: it keeps ticking.
  form.slow.onTick = [&] {
    ++ticks;
    form.slow.SetEnabled(false);
    form.slow.SetEnabled(true);
  };
  form.slow.SetEnabled(true);
  env.scheduler.Advance(3000);
  EXPECT_EQ(ticks, 6);
}

TEST_F(ToolkitTest, FakeSchedulerAfterAStallACatchUpTimerTicksForEachMissedIntervalAndAPollerOnce) {
  int slow = 0, poll = 0;
  form.slow.onTick = [&] { ++slow; };
  form.poll.onTick = [&] { ++poll; };
  form.slow.SetEnabled(true);
  form.poll.SetEnabled(true);
  env.scheduler.Stall(3450);
  env.scheduler.Advance(0);
  EXPECT_EQ(std::pair(slow, poll), std::pair(3, 1));
  env.scheduler.Advance(50);  // the poller goes on one interval after its last missed deadline
  EXPECT_EQ(poll, 2);
}

TEST_F(ToolkitTest, ControlProgrammaticChangesFireTheUserEventsAndOptionsExcludeEachOther) {
  int changes = 0, clicks = 0;
  form.box.onChange = [&] { ++changes; };
  form.check.onClick = [&] { ++clicks; };
  form.box.SetText("00");  // unchanged: no event
  form.box.SetText("7");
  form.check.SetValue(1);
  form.check.SetValue(1);
  EXPECT_EQ(std::pair(changes, clicks), std::pair(1, 1));
  form.a.onClick = [&] { ++clicks; };
  form.a.SetValue(1);
  form.b.SetValue(1);  // a deselected option is not clicked
  EXPECT_EQ(std::tuple(form.a.Value(), form.b.Value(), clicks), std::tuple(0, 1, 2));
  {
    ui::Control gone(form, "gone", ui::ControlKind::TextBox, {});
    form.box.SetFocus();
  }  // a control that goes away keeps the focus elsewhere where it was
  EXPECT_TRUE(form.box.HasFocus());
  env.services.activeForm = nullptr;
  form.FocusChanged(&form.a);  // the user clicked into the window
  EXPECT_TRUE(form.IsActive());
}

// What the window on screen is told: each change once, by what it changes, and nothing for no change.
template <class Peer, class Prop>
struct Recorder : Peer {
  std::vector<Prop> heard;
  void Changed(Prop p) override { heard.push_back(p); }
};

TEST_F(ToolkitTest, PeersHearOfEachRealChange) {
  using ControlRecorder = Recorder<ui::ControlPeer, ui::Prop>;
  auto *box = new ControlRecorder, *a = new ControlRecorder, *b = new ControlRecorder;
  auto* window = new Recorder<ui::FormPeer, ui::FormProp>;
  form.box.AttachPeer(std::unique_ptr<ui::ControlPeer>(box));
  form.a.AttachPeer(std::unique_ptr<ui::ControlPeer>(a));
  form.b.AttachPeer(std::unique_ptr<ui::ControlPeer>(b));
  form.AttachPeer(std::unique_ptr<ui::FormPeer>(window));
  for (int twice = 0; twice < 2; ++twice) {
    form.box.SetVisible(false), form.box.SetEnabled(false), form.box.SetCaption("x"), form.box.SetAccessKey('x');
    form.box.SetForeColour(ui::kWhite), form.box.SetBackColour(ui::kWindowTextColour), form.box.SetBold(true);
    form.box.SetBounds({1, 2, 3, 4}), form.box.SetPicture(7), form.box.SetFlat(true);
    form.SetCaption("c"), form.SetVisible(true), form.ShowOnTop(), form.SetEnabled(false);
    form.SetState(ui::WindowState::Minimised), form.SetIcon(3), form.SetLeft(5), form.SetTop(6), form.SetWidth(7);
  }
  form.box.SetSelection(0, 1);
  form.a.SetValue(1);
  form.b.SetValue(1);  // the other option hears that it lost its value
  using P = ui::Prop;
  EXPECT_EQ(box->heard, (std::vector<P>{P::Visible, P::Enabled, P::Caption, P::Caption, P::Colours, P::Colours, P::Font,
                                        P::Bounds, P::Picture, P::Look, P::Selection}));
  EXPECT_EQ(std::pair(a->heard, b->heard), std::pair(std::vector<P>{P::Value, P::Value}, std::vector<P>{P::Value}));
  using F = ui::FormProp;
  EXPECT_EQ(window->heard, (std::vector<F>{F::Caption, F::Visible, F::OnTop, F::Enabled, F::State, F::Icon, F::Bounds,
                                           F::Bounds, F::Bounds}));
  EXPECT_EQ(form.Bounds().left + form.Bounds().top * 10 + form.Bounds().width * 100, 765);
  // Labels let the picture behind them show; other controls paint their own background.
  EXPECT_EQ(std::pair(ui::Control(form, "label", ui::ControlKind::Label, {}).Transparent(), form.box.Transparent()),
            std::pair(true, false));
}

// A backend that, like the real one, sleeps until told when to wake: it notes each deadline it is given.
struct WakingScheduler : ui::Scheduler {
  std::int64_t now = 0;
  std::vector<std::int64_t> wakes;  // -1: nothing left to wait for
  std::int64_t Now() const override { return now; }
  void Rearm() override { wakes.push_back(NextDeadline().value_or(-1)); }
};

TEST(Scheduler, TheBackendIsToldEachNewNextDeadline) {
  ui::FakeEnvironment env;
  WakingScheduler backend;
  ui::Services services{backend, env.messageBoxes, env.menus, env.clock, env.screen};
  TestForm form(services);
  form.slow.SetEnabled(true);
  form.poll.SetEnabled(true);
  backend.now = 100;
  backend.FireDue();
  form.poll.SetEnabled(false);
  form.slow.SetEnabled(false);
  EXPECT_EQ(backend.wakes, (std::vector<std::int64_t>{1000, 100, 200, 1000, -1}));
}
}  // namespace
