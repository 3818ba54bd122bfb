#pragma once
// Running time for the timers where the system has no clock that stands still
// while the machine sleeps: a 32-bit millisecond counter (GetTickCount), which
// wraps every 49.7 days, made 64-bit, less the time spent asleep.
#include <cstdint>

namespace ui {

class RunningTime {
 public:
  // Milliseconds from the counter's reading; never goes back.
  std::int64_t Read(std::uint32_t tick);
  // The machine is going to sleep.
  void Suspending(std::uint32_t tick) { Read(tick); }
  // The machine woke up: everything since the last reading was sleep. The
  // readings come at least every second while a countdown runs, and the
  // notice of going to sleep does not always come.
  void Resumed(std::uint32_t tick);

 private:
  std::int64_t Extend(std::uint32_t tick);

  bool started_ = false;
  std::uint32_t last_ = 0;
  std::int64_t wraps_ = 0;  // whole 2^32 ms periods passed
  std::int64_t asleep_ = 0;
  std::int64_t lastRunning_ = 0;
};

}  // namespace ui
