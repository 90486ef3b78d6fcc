#include "capture/desktop.h"

#include <algorithm>
#include <cstdint>

#include "base/pixel_space.h"

namespace kx {

namespace {

BOOL CALLBACK AddMonitor(HMONITOR, HDC, LPRECT r, LPARAM list) {
  reinterpret_cast<std::vector<ScreenRect>*>(list)->push_back(
      {r->left, r->top, r->right, r->bottom});
  return TRUE;
}

// Squared distance from `p` to the nearest pixel of `r`.
int64_t DistanceSquared(const ScreenRect& r, POINT p) {
  const int64_t dx = p.x < r.left ? r.left - p.x : p.x >= r.right ? p.x - r.right + 1 : 0;
  const int64_t dy = p.y < r.top ? r.top - p.y : p.y >= r.bottom ? p.y - r.bottom + 1 : 0;
  return dx * dx + dy * dy;
}

// `piece` without `hole`: up to four bands, above, below, left and right of the hole.
void Subtract(const ScreenRect& piece, const ScreenRect& hole, std::vector<ScreenRect>& out) {
  const int32_t top = std::max(piece.top, hole.top), bottom = std::min(piece.bottom, hole.bottom);
  const int32_t left = std::max(piece.left, hole.left), right = std::min(piece.right, hole.right);
  if (top >= bottom || left >= right) {
    out.push_back(piece);
    return;
  }
  if (piece.top < top) out.push_back({piece.left, piece.top, piece.right, top});
  if (bottom < piece.bottom) out.push_back({piece.left, bottom, piece.right, piece.bottom});
  if (piece.left < left) out.push_back({piece.left, top, left, bottom});
  if (right < piece.right) out.push_back({right, top, piece.right, bottom});
}

}  // namespace

Desktop ReadDesktop() {
  ScopedPixelSpace physical(PixelSpace::kPhysical);
  Desktop desktop;
  const int x = GetSystemMetrics(SM_XVIRTUALSCREEN), y = GetSystemMetrics(SM_YVIRTUALSCREEN);
  desktop.bounds = {x, y, x + GetSystemMetrics(SM_CXVIRTUALSCREEN),
                    y + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
  EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&desktop.monitors));
  // Nothing enumerated: the whole rectangle counts as shown, so that nothing is blacked out.
  if (desktop.monitors.empty()) desktop.monitors.push_back(desktop.bounds);
  return desktop;
}

bool Contains(const ScreenRect& r, POINT p) {
  return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom;
}

ScreenRect MonitorAt(const std::vector<ScreenRect>& monitors, POINT p, const ScreenRect& fallback) {
  const ScreenRect* nearest = nullptr;
  for (const ScreenRect& m : monitors)
    if (!nearest || DistanceSquared(m, p) < DistanceSquared(*nearest, p)) nearest = &m;
  return nearest ? *nearest : fallback;
}

std::vector<ScreenRect> UncoveredParts(const ScreenRect& area,
                                       const std::vector<ScreenRect>& monitors) {
  std::vector<ScreenRect> parts;
  if (area.left < area.right && area.top < area.bottom) parts.push_back(area);
  for (const ScreenRect& monitor : monitors) {
    std::vector<ScreenRect> rest;
    for (const ScreenRect& piece : parts) Subtract(piece, monitor, rest);
    parts = std::move(rest);
  }
  return parts;
}

ScreenRect ClampToBounds(ScreenRect r, const ScreenRect& bounds) {
  r.left = std::max(r.left, bounds.left);
  r.top = std::max(r.top, bounds.top);
  r.right = std::min(r.right, bounds.right);
  r.bottom = std::min(r.bottom, bounds.bottom);
  return r;
}

void BlackOutUncovered(HDC dc, const ScreenRect& area, const std::vector<ScreenRect>& monitors,
                       int atX, int atY) {
  const auto black = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  for (const ScreenRect& part : UncoveredParts(area, monitors)) {
    const RECT r = {part.left - area.left + atX, part.top - area.top + atY,
                    part.right - area.left + atX, part.bottom - area.top + atY};
    FillRect(dc, &r, black);
  }
}

}  // namespace kx
