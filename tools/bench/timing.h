// Timing a step of ours next to its baseline. The two run alternately, so that whatever else
// the machine is doing meanwhile falls on both alike and their ratio stays meaningful.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

namespace kx::bench {

struct PairedMedians {
  double ours = 0, baseline = 0;  // milliseconds
  bool failed = false;            // a run of either step reported a failure
};

// Milliseconds of the performance counter: now, and a span of counter ticks.
double NowMs();
double CounterMs(int64_t ticks);
double MedianOf(std::vector<double> values);

// A step to time; it returns false when the work it timed failed.
using Step = std::function<bool()>;

// Runs `ours` then `baseline`, `runs` times over, and returns the median time of each.
// `afterEach`, when given, runs untimed after every timed step (to undo what the step did).
PairedMedians TimePair(int runs, const Step& ours, const Step& baseline,
                       const std::function<void()>& afterEach = nullptr);

}  // namespace kx::bench
