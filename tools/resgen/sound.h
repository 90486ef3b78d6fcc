// The capture sound, "kest.wav": a short mechanical shutter, synthesised rather than
// recorded so that the project makes every byte it ships.
#pragma once

#include <cstdint>
#include <vector>

namespace resgen {

inline constexpr int kShutterSampleRate = 22050;

// About 0.2 s of 16-bit mono samples at kShutterSampleRate: the blade opening (a sharp
// click with a low body) and, 90 ms later, a softer closing click with a short metallic ring.
// The noise comes from a fixed-seed generator, so every run gives the same samples.
std::vector<int16_t> ShutterSound();

}  // namespace resgen
