// The arithmetic of the window picker: the candidate snapshot and its hit test, the frame's
// glide from one element to the next, and the rectangles of maximised and picked windows.
#pragma once

#include <windows.h>

#include <vector>

#include "capture/capture_profile.h"
#include "capture/desktop.h"

namespace kx {

// One candidate: a top-level window with its elements, or an element with its nesting depth.
struct WindowNode {
  HWND window = nullptr;
  ScreenRect rect = {};
  int depth = 0;                     // elements only
  std::vector<WindowNode> children;  // top-level windows only, deepest first
};

// The elements of one window in the order the hit test tries them: deepest first, and among
// equal depths the one enumerated last first. `enumerated` is in enumeration order.
std::vector<WindowNode> OrderChildren(std::vector<WindowNode> enumerated);

// The element under `p`: in the first window (top of the Z-order first) whose rectangle holds
// it, the first element that holds it, else the window itself. Null when none holds it.
const WindowNode* FindCandidate(const std::vector<WindowNode>& windows, POINT p);

// The frame after `step` of the nine steps from `start` to `target`; each edge moves by the
// truncated (target - start) x 1/9 x step.
inline constexpr int kGlideSteps = 9;
ScreenRect GlideRect(const ScreenRect& start, const ScreenRect& target, int step);

// A maximised window's rectangle when the work area is unknown: pulled in on every side by
// the overhang of the last edge (left, top, right, bottom) that sticks out of the screen.
ScreenRect MaximisedFallbackRect(const ScreenRect& r, int screenWidth, int screenHeight);

}  // namespace kx
