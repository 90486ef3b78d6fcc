// The desktop as the capture road sees it: every monitor in screen pixels (the primary's
// top-left is 0, 0; monitors left of or above it lie at negative coordinates) and the
// bounding rectangle of all of them. Monitors of different sizes leave parts of that
// rectangle that no monitor shows: those show and capture as black.
#pragma once

#include <windows.h>

#include <vector>

#include "capture/capture_profile.h"

namespace kx {

struct Desktop {
  ScreenRect bounds = {};
  std::vector<ScreenRect> monitors;
};

// Read in physical pixels, whichever awareness the calling thread has.
Desktop ReadDesktop();

// Left and top inclusive, right and bottom exclusive.
bool Contains(const ScreenRect& r, POINT p);

// The monitor that shows `p`, else the one nearest to it; `fallback` when there is none.
ScreenRect MonitorAt(const std::vector<ScreenRect>& monitors, POINT p, const ScreenRect& fallback);

// The parts of `area` that no monitor shows, as rectangles that do not overlap.
std::vector<ScreenRect> UncoveredParts(const ScreenRect& area,
                                       const std::vector<ScreenRect>& monitors);

// Left and top not below `bounds`' left and top, right and bottom not beyond its right and
// bottom.
ScreenRect ClampToBounds(ScreenRect r, const ScreenRect& bounds);

// Fills the parts of `area` that no monitor shows with black; `dc` draws `area`'s top-left
// at (`atX`, `atY`).
void BlackOutUncovered(HDC dc, const ScreenRect& area, const std::vector<ScreenRect>& monitors,
                       int atX, int atY);

}  // namespace kx
