// One whole shot from a profile: layout, grab, caption, border, output and the actions after.
#pragma once

#include "capture/capture_image.h"
#include "capture/capture_profile.h"
#include "capture/capture_status.h"

namespace kx {

// Lays out and grabs the image and draws caption and border on it; returns the grab status.
CaptureStatus ComposeCapture(CaptureImage& holder, const CaptureProfile& profile);

// ComposeCapture, then the file or clipboard output and the finishing actions. Returns the
// output status. The chosen file name is left in profile.OutLastName.
CaptureStatus ProcessCapture(CaptureImage& holder, CaptureProfile& profile);

}  // namespace kx
