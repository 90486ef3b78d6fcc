#include "select/pick_geometry.h"

#include <algorithm>

namespace kx {

std::vector<WindowNode> OrderChildren(std::vector<WindowNode> enumerated) {
  std::reverse(enumerated.begin(), enumerated.end());
  std::stable_sort(enumerated.begin(), enumerated.end(),
                   [](const WindowNode& a, const WindowNode& b) { return a.depth > b.depth; });
  return enumerated;
}

const WindowNode* FindCandidate(const std::vector<WindowNode>& windows, POINT p) {
  for (const WindowNode& top : windows) {
    if (!Contains(top.rect, p)) continue;
    for (const WindowNode& child : top.children)
      if (Contains(child.rect, p)) return &child;
    return &top;
  }
  return nullptr;
}

ScreenRect GlideRect(const ScreenRect& start, const ScreenRect& target, int step) {
  // The double nearest to 1/9, multiplied in this order: the frame may end a pixel short.
  constexpr double k = 1.0 / 9.0;
  auto edge = [&](int32_t from, int32_t to) {
    return from + int32_t(double(to - from) * k * step);
  };
  return {edge(start.left, target.left), edge(start.top, target.top),
          edge(start.right, target.right), edge(start.bottom, target.bottom)};
}

ScreenRect MaximisedFallbackRect(const ScreenRect& r, int screenWidth, int screenHeight) {
  int d = 0;
  if (r.left < 0) d = -r.left;
  if (r.top < 0) d = -r.top;
  if (r.right > screenWidth) d = r.right - screenWidth;
  if (r.bottom > screenHeight) d = r.bottom - screenHeight;
  return {r.left + d, r.top + d, r.right - d, r.bottom - d};
}

}  // namespace kx
