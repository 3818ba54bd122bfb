#include "ui/Timer.h"

#include <algorithm>

#include "ui/Form.h"
#include "ui/Services.h"

namespace ui {

Timer::Timer(Form& owner, std::string name, int intervalMs, bool enabled, bool catchUp)
    : scheduler_(owner.Svc().scheduler), name_(std::move(name)), interval_(std::max(1, intervalMs)), catchUp_(catchUp) {
  owner.timers_.push_back(this);
  SetEnabled(enabled);
}

Timer::~Timer() { scheduler_.Forget(*this); }

void Timer::SetEnabled(bool e) {
  if (e == enabled_) return;
  enabled_ = e;
  if (e)
    scheduler_.Start(*this);
  else
    scheduler_.Stop(*this);
}

Scheduler::~Scheduler() = default;

std::int64_t Scheduler::Deadline(const Timer& t) { return t.start_ + (t.count_ + 1) * t.interval_; }

void Scheduler::Start(Timer& t) {
  t.start_ = Now();
  t.count_ = 0;
  if (std::find(active_.begin(), active_.end(), &t) == active_.end()) active_.push_back(&t);
  Rearm();
}

void Scheduler::Stop(Timer& t) {
  active_.erase(std::remove(active_.begin(), active_.end(), &t), active_.end());
  Rearm();
}

void Scheduler::Forget(Timer& t) {
  active_.erase(std::remove(active_.begin(), active_.end(), &t), active_.end());
  std::replace(firing_.begin(), firing_.end(), &t, static_cast<Timer*>(nullptr));
}

std::optional<std::int64_t> Scheduler::NextDeadline() const {
  std::optional<std::int64_t> next;
  for (const Timer* t : active_)
    if (!t->running_ && (!next || Deadline(*t) < *next)) next = Deadline(*t);
  return next;
}

void Scheduler::FireDue() {
  // One timer at a time, earliest deadline first; a handler may start, stop or
  // destroy timers (or open a modal box that fires others) while it runs.
  for (;;) {
    const std::int64_t now = Now();
    Timer* due = nullptr;
    for (Timer* t : active_)
      if (!t->running_ && Deadline(*t) <= now && (!due || Deadline(*t) < Deadline(*due))) due = t;
    if (!due) break;
    if (due->catchUp_) {
      ++due->count_;
    } else {
      // A poller skips what it missed: its next tick is one interval after now.
      due->count_ = std::max<std::int64_t>(due->count_ + 1, (now - due->start_) / due->interval_);
    }
    due->running_ = true;
    const std::size_t slot = firing_.size();
    firing_.push_back(due);
    if (due->onTick) due->onTick();
    // The handler may have stopped its own timer (it must tick again once
    // started anew) or destroyed it (then it must not be touched).
    if (Timer* self = firing_[slot]) self->running_ = false;
    firing_.resize(slot);
  }
  Rearm();
}

void FakeScheduler::Advance(std::int64_t ms) {
  const std::int64_t end = now_ + ms;
  for (;;) {
    auto next = NextDeadline();
    if (!next || *next > end) break;
    now_ = std::max(now_, *next);
    FireDue();
  }
  now_ = end;
}

}  // namespace ui
