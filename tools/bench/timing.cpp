#include "timing.h"

#include <windows.h>

#include <algorithm>
#include <vector>

namespace kx::bench {
namespace {

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

double TimeOnce(const std::function<void()>& step) {
  const double start = NowMs();
  step();
  return NowMs() - start;
}

double Median(std::vector<double> values) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

}  // namespace

PairedMedians TimePair(int runs, const std::function<void()>& ours,
                       const std::function<void()>& baseline) {
  std::vector<double> oursMs, baselineMs;
  for (int i = 0; i < runs; ++i) {
    oursMs.push_back(TimeOnce(ours));
    baselineMs.push_back(TimeOnce(baseline));
  }
  return {Median(oursMs), Median(baselineMs)};
}

}  // namespace kx::bench
