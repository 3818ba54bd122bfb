#pragma once
// Timers fire through the scheduler: tick k falls due at start + k x interval,
// so a long countdown does not drift the way a re-armed 1000 ms timer does.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace ui {

class Form;
class Scheduler;

class Timer {
 public:
  // catchUp: a tick that comes late because of load is followed at once by the
  // ticks it missed (the countdown), instead of skipping them (pollers).
  Timer(Form& owner, std::string name, int intervalMs, bool enabled, bool catchUp = false);
  Timer(const Timer&) = delete;
  Timer& operator=(const Timer&) = delete;
  ~Timer();

  const std::string& Name() const { return name_; }
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool e);

  std::function<void()> onTick;

 private:
  friend class Scheduler;
  Scheduler& scheduler_;
  std::string name_;
  int interval_;
  bool enabled_ = false;
  bool catchUp_;
  // Scheduling state, owned by the scheduler.
  std::int64_t start_ = 0;
  std::int64_t count_ = 0;
  bool running_ = false;
};

// The portable part of scheduling: deadlines, order, catch-up. A backend gives
// it the time (Now) and wakes it up (Rearm) at the next deadline.
class Scheduler {
 public:
  virtual ~Scheduler();
  virtual std::int64_t Now() const = 0;  // milliseconds of running time

  void Start(Timer& t);
  void Stop(Timer& t);
  void Forget(Timer& t);
  // Fires every timer that is due at Now(), earliest deadline first.
  void FireDue();
  std::optional<std::int64_t> NextDeadline() const;

 protected:
  virtual void Rearm() {}

 private:
  static std::int64_t Deadline(const Timer& t);
  std::vector<Timer*> active_;
  // The timers whose handlers are running, innermost last; a slot is cleared
  // when its timer is destroyed inside its own handler.
  std::vector<Timer*> firing_;
};

// The null backend: a virtual clock that only moves when told to.
class FakeScheduler : public Scheduler {
 public:
  std::int64_t Now() const override { return now_; }
  // Moves the clock forward, firing the timers that fall due on the way in order.
  void Advance(std::int64_t ms);
  // A busy machine: the clock moves on, and what fell due meanwhile fires at the next Advance.
  void Stall(std::int64_t ms) { now_ += ms; }

 private:
  std::int64_t now_ = 0;
};

}  // namespace ui
