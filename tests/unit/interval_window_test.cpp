// The interval countdown's arithmetic. The window itself, its captures on every tick and its
// Stop button are checked end to end.
#include <gtest/gtest.h>

#include "capture/profile_values.h"
#include "select/interval_window.h"

namespace kx {
namespace {

TEST(IntervalCountdown, TicksDownShowsTheClockAndCapturesAtZero) {
  const struct {
    uint32_t remaining, interval;
    CountdownTick expected;
  } cases[] = {
      {5405, 5405, {5404, 1, 30, 4, false}},     // 1 h 30 min 5 s, first tick
      {2, 3, {1, 0, 0, 1, false}},               //
      {1, 3, {3, 0, 0, 0, true}},                // zero: capture, start again
      {1, 1, {1, 0, 0, 0, true}},                // 1 s: a capture every tick
      {0, 0, {0, 0, 0, 0, true}},                // interval 0: also every tick
      {90001, 90001, {90000, 25, 0, 0, false}},  // hours not reduced modulo 24
  };
  for (const auto& c : cases) {
    const CountdownTick t = NextTick(c.remaining, c.interval), e = c.expected;
    EXPECT_EQ(t.remaining, e.remaining) << c.remaining;
    EXPECT_EQ(t.hours * 10000 + t.minutes * 100 + t.seconds,
              e.hours * 10000 + e.minutes * 100 + e.seconds)
        << c.remaining;
    EXPECT_EQ(t.captures, e.captures) << c.remaining;
  }
  CaptureProfile p = {};
  p.TimTimeHour = 1, p.TimTimeMin = 30, p.TimTimeSec = 5;
  EXPECT_EQ(IntervalSeconds(p), 5405u);
}

}  // namespace
}  // namespace kx
