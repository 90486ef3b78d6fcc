#include "select/area_geometry.h"

#include <algorithm>
#include <cwchar>

namespace kx {

namespace {

constexpr int kBoxWidth = 237, kBoxHeight = 267;
// Distances that keep the box 7 pixels from the cursor on the near side and 8 on the far.
constexpr int kNearOffset = kBoxWidth + 7, kNearOffsetY = kBoxHeight + 7, kFarOffset = 8;
constexpr int kZoomMargin = 3, kCross = 118, kCrossStart = 1, kCrossEnd = 236, kLabelTop = 244;

}  // namespace

ScreenRect SelectionRect(POINT anchor, POINT cursor) {
  return {int32_t(std::min(anchor.x, cursor.x)), int32_t(std::min(anchor.y, cursor.y)),
          int32_t(std::max(anchor.x, cursor.x) + 1), int32_t(std::max(anchor.y, cursor.y) + 1)};
}

bool IsEmptyRect(const ScreenRect& r) {
  return r.right <= r.left || r.bottom <= r.top;
}

RECT ToRect(const ScreenRect& r) {
  return RECT{r.left, r.top, r.right, r.bottom};
}

ScreenRect Grown(const ScreenRect& r, int by) {
  return {r.left - by, r.top - by, r.right + by, r.bottom + by};
}

POINT CrosshairPoint(bool dragging, POINT anchor, POINT cursor) {
  if (!dragging) return cursor;
  return POINT{anchor.x <= cursor.x ? cursor.x + 1 : cursor.x - 1,
               anchor.y <= cursor.y ? cursor.y + 1 : cursor.y - 1};
}

MagnifierLayout PlaceMagnifier(POINT cursor, const ScreenRect& monitor) {
  const int left =
      cursor.x - monitor.left >= kNearOffset ? cursor.x - kNearOffset : cursor.x + kFarOffset;
  const int top =
      cursor.y + kNearOffsetY > monitor.bottom ? cursor.y - kNearOffsetY : cursor.y + kFarOffset;
  MagnifierLayout m;
  m.box = {left, top, left + kBoxWidth, top + kBoxHeight};
  m.zoomed = {left + kZoomMargin, top + kZoomMargin, left + kZoomMargin + kMagnifierZoomed,
              top + kZoomMargin + kMagnifierZoomed};
  m.source = {cursor.x - kMagnifierSource / 2, cursor.y - kMagnifierSource / 2};
  m.crossTop = {left + kCross, top + kCrossStart};
  m.crossBottom = {left + kCross, top + kCrossEnd};
  m.crossLeft = {left + kCrossStart, top + kCross};
  m.crossRight = {left + kCrossEnd, top + kCross};
  m.label = {left, top + kLabelTop, left + kBoxWidth, top + kBoxHeight};
  return m;
}

std::wstring MagnifierLabel(bool dragging, const ScreenRect& selection, POINT cursor) {
  wchar_t text[32];
  if (dragging)
    std::swprintf(text, 32, L"%i x %i", int(selection.right - selection.left),
                  int(selection.bottom - selection.top));
  else
    std::swprintf(text, 32, L"%i x %i", int(cursor.x), int(cursor.y));
  return text;
}

}  // namespace kx
