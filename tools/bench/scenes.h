// The two screens the benchmark captures, generated the same way on every run: a photo-like
// one (smooth gradients with pixel noise, which compresses badly) and a desktop-like one
// (flat areas, text and window frames, which compresses well), as the encoders meet them.
#pragma once

#include <vector>

#include "picture.h"

namespace kx::bench {

struct Scene {
  const char* name;
  Picture picture;
};

Picture PhotoScene(int width, int height);
// Drawn with GDI (Tahoma text), so its pixels depend on the platform's font rendering only.
Picture DesktopScene(int width, int height);

// Both scenes at the given size, in the order they are measured.
std::vector<Scene> BenchScenes(int width, int height);

}  // namespace kx::bench
