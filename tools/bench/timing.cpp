#include "timing.h"

#include <windows.h>

#include <algorithm>
#include <vector>

namespace kx::bench {

double CounterMs(int64_t ticks) {
  static const double ticksPerMs = [] {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return double(frequency.QuadPart) / 1000.0;
  }();
  return double(ticks) / ticksPerMs;
}

double NowMs() {
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return CounterMs(now.QuadPart);
}

double MedianOf(std::vector<double> values) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

namespace {

double TimeOnce(const Step& step, bool& failed) {
  const double start = NowMs();
  const bool ok = step();
  const double ms = NowMs() - start;
  failed = failed || !ok;
  return ms;
}

}  // namespace

PairedMedians TimePair(int runs, const Step& ours, const Step& baseline,
                       const std::function<void()>& afterEach) {
  std::vector<double> oursMs, baselineMs;
  bool failed = false;
  for (int i = 0; i < runs; ++i) {
    oursMs.push_back(TimeOnce(ours, failed));
    if (afterEach) afterEach();
    baselineMs.push_back(TimeOnce(baseline, failed));
    if (afterEach) afterEach();
  }
  return {MedianOf(oursMs), MedianOf(baselineMs), failed};
}

}  // namespace kx::bench
