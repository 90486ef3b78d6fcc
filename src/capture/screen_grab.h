// Copies a rectangle of the screen into a capture holder, leaving room for the margins
// of its layout, stretched when the layout is scaled, with the cursor when asked.
#pragma once

#include "capture/capture_image.h"
#include "capture/capture_profile.h"
#include "capture/capture_status.h"

namespace kx {

// Width or height 0 grabs the primary screen's size from (x, y).
CaptureStatus GrabScreen(CaptureImage& holder, const CaptureProfile& profile, int x, int y,
                         int width, int height);

}  // namespace kx
