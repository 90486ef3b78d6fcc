#include "timing.h"

#include <windows.h>

#include <algorithm>
#include <vector>

namespace kx::bench {

double NowMs() {
  static const double ticksPerMs = [] {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return double(frequency.QuadPart) / 1000.0;
  }();
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return double(now.QuadPart) / ticksPerMs;
}

namespace {

double TimeOnce(const Step& step, bool& failed) {
  const double start = NowMs();
  const bool ok = step();
  const double ms = NowMs() - start;
  failed = failed || !ok;
  return ms;
}

double Median(std::vector<double> values) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
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
  return {Median(oursMs), Median(baselineMs), failed};
}

}  // namespace kx::bench
