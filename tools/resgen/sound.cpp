#include "sound.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace resgen {

namespace {

constexpr double kSeconds = 0.2;

// xorshift32: a portable noise source whose sequence depends on nothing but the seed.
class Noise {
 public:
  explicit Noise(uint32_t seed) : state_(seed) {}
  double Next() {  // -1 to 1
    state_ ^= state_ << 13;
    state_ ^= state_ >> 17;
    state_ ^= state_ << 5;
    return double(state_) / 2147483647.5 - 1.0;
  }

 private:
  uint32_t state_;
};

struct Click {
  double start;                        // seconds
  double gain;                         // of the noise burst
  double noiseDecay;                   // seconds to fall to 1/e
  double bodyHz, bodyGain, bodyDecay;  // the low thump of the mechanism
  double ringHz, ringGain, ringDecay;  // the metallic ring of the blades
};

constexpr Click kClicks[] = {
    {0.000, 0.80, 0.0025, 170, 0.45, 0.018, 3100, 0.10, 0.012},  // opening
    {0.090, 0.60, 0.0030, 210, 0.35, 0.014, 2400, 0.22, 0.030},  // closing
};

double ClickAt(const Click& c, double t, double noise) {
  if (t < c.start) return 0;
  const double dt = t - c.start;
  const double phase = 2 * std::numbers::pi * dt;
  return c.gain * noise * std::exp(-dt / c.noiseDecay) +
         c.bodyGain * std::sin(phase * c.bodyHz) * std::exp(-dt / c.bodyDecay) +
         c.ringGain * std::sin(phase * c.ringHz) * std::exp(-dt / c.ringDecay);
}

}  // namespace

std::vector<int16_t> ShutterSound() {
  const int count = int(kSeconds * kShutterSampleRate);
  std::vector<int16_t> samples(size_t(count), 0);
  Noise noise(0x4B455354);  // "KEST"
  // A one-pole high-pass takes the rumble out of the noise, so the clicks stay crisp.
  double previousIn = 0, highPassed = 0;
  for (int i = 0; i < count; ++i) {
    const double t = double(i) / kShutterSampleRate;
    const double raw = noise.Next();
    highPassed = 0.82 * (highPassed + raw - previousIn);
    previousIn = raw;
    double v = 0;
    for (const Click& c : kClicks) v += ClickAt(c, t, highPassed);
    // The last 10 ms fade out so the file ends in silence, without a click of its own.
    const double tail = (kSeconds - t) / 0.010;
    v *= std::clamp(tail, 0.0, 1.0);
    samples[size_t(i)] = int16_t(std::lround(std::clamp(v, -1.0, 1.0) * 30000));
  }
  return samples;
}

}  // namespace resgen
