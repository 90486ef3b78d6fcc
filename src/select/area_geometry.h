// The arithmetic of the area overlay: the dragged-out rectangle, where the crosshair runs,
// and where the magnifier box, its zoomed picture, its cross and its label go.
#pragma once

#include <windows.h>

#include <string>

#include "capture/capture_profile.h"

namespace kx {

// Both the anchor pixel and the cursor pixel lie inside (right and bottom exclusive).
ScreenRect SelectionRect(POINT anchor, POINT cursor);

bool IsEmptyRect(const ScreenRect& r);
RECT ToRect(const ScreenRect& r);
ScreenRect Grown(const ScreenRect& r, int by);

// The point the full-screen crosshair lines pass through: the cursor before the drag; while
// dragging one pixel further away from the anchor, so that the lines never cover the
// selection's edge pixels.
POINT CrosshairPoint(bool dragging, POINT anchor, POINT cursor);

// The magnifier box beside the cursor: an 11-times enlargement of the 21 x 21 pixels around
// it in a red box with a label band below.
struct MagnifierLayout {
  RECT box;                                            // 237 x 267
  RECT zoomed;                                         // 231 x 231 at box left + 3, top + 3
  POINT source;                                        // top-left of the 21 x 21 source square
  POINT crossTop, crossBottom, crossLeft, crossRight;  // the box's own cross (ends excluded)
  RECT label;                                          // the label band
};
inline constexpr int kMagnifierSource = 21;
inline constexpr int kMagnifierZoomed = 231;
// Placed by the edges of the monitor under the cursor: left of the cursor unless that would
// cross the monitor's left edge, below it unless that would cross its bottom edge.
MagnifierLayout PlaceMagnifier(POINT cursor, const ScreenRect& monitor);

// "W x H" of the selection while dragging, else the cursor's "x x y".
std::wstring MagnifierLabel(bool dragging, const ScreenRect& selection, POINT cursor);

}  // namespace kx
