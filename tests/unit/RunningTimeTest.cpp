// The timers' clock where the system has none that stops while it sleeps.
#include <gtest/gtest.h>

#include "ui/RunningTime.h"

namespace {

TEST(RunningTime, GoesOnAcrossTheTickCountsWrap) {
  ui::RunningTime t;
  const std::int64_t start = t.Read(0xFFFFFC18u);  // 1 s before the wrap
  const auto since = [&](std::uint32_t tick) { return t.Read(tick) - start; };
  // Just before it, 1 s after it, half-way round, and across a second wrap; read in order.
  EXPECT_EQ((std::tuple{since(0xFFFFFFFFu), since(0x000003E8u), since(0x7FFFFFFFu), since(0x00000010u)}),
            std::tuple(999, 2000, 1000 + 0x7FFFFFFFLL, 1000 + 0x100000000LL + 16));
}

TEST(RunningTime, StandsStillWhileTheMachineSleepsAndNeverGoesBack) {
  ui::RunningTime t;
  const std::int64_t start = t.Read(1000);
  EXPECT_EQ(t.Read(2000) - start, 1000);
  t.Suspending(2500);
  t.Resumed(2500 + 3600000);  // an hour asleep
  EXPECT_EQ((std::tuple{t.Read(2500 + 3600000) - start, t.Read(3500 + 3600000) - start}), std::tuple(1500, 2500));

  // A wake without notice counts from the last reading.
  ui::RunningTime u;
  const std::int64_t u0 = u.Read(5000);
  u.Read(6000);
  u.Resumed(0xFFFFFF00u);  // asleep across the counter's wrap, never told
  EXPECT_EQ((std::tuple{u.Read(0xFFFFFF00u) - u0, u.Read(0x00000100u) - u0}), std::tuple(1000, 1000 + 0x200));
  u.Resumed(0x00000100u);  // a second notice of the same wake changes nothing
  EXPECT_EQ(u.Read(0x00000200u) - u0, 1000 + 0x300);

  ui::RunningTime reset;
  reset.Read(100000);
  const std::int64_t before = reset.Read(200000);
  reset.Resumed(150000);  // a counter reset behind our back reads as a wrap: time moves on, never back
  EXPECT_GE(reset.Read(150000), before);
}

}  // namespace
