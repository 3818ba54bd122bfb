#include "ui/RunningTime.h"

#include <algorithm>

namespace ui {

std::int64_t RunningTime::Extend(std::uint32_t tick) {
  if (started_ && tick < last_) ++wraps_;
  started_ = true;
  last_ = tick;
  return (wraps_ << 32) + tick;
}

std::int64_t RunningTime::Read(std::uint32_t tick) {
  lastRunning_ = std::max(lastRunning_, Extend(tick) - asleep_);
  return lastRunning_;
}

void RunningTime::Resumed(std::uint32_t tick) {
  const std::int64_t now = Extend(tick);
  asleep_ = std::max(asleep_, now - lastRunning_);
}

}  // namespace ui
