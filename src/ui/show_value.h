// Value texts of the capture profile on the program's labels, edit boxes and buttons.
#pragma once

#include <windows.h>

#include "capture/capture_profile.h"

namespace kx {

// Sets the value text of the field named by `key` as the window's text and repaints it
// without erasing. Always 1.
int ShowProfileValue(const CaptureProfile& profile, const wchar_t* key, HWND window);

}  // namespace kx
