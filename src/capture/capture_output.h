// Delivering a finished shot: to a file in the storage folder or to the clipboard, and
// the sound, view and edit actions afterwards.
#pragma once

#include <windows.h>

#include <vector>

#include "capture/capture_image.h"
#include "capture/capture_profile.h"
#include "capture/capture_status.h"
#include "capture/output_plan.h"

namespace kx {

// 1 and the encoder's class id when an installed encoder has exactly this MIME type.
int FindEncoder(const wchar_t* mimeType, CLSID* classId);

// Names, encodes and writes the file; the chosen name is left in profile.OutLastName.
CaptureStatus SaveCaptureToFile(CaptureImage& holder, CaptureProfile& profile);
// The same at a given local time (null: now), so that naming can be checked at a fixed second.
CaptureStatus SaveCaptureToFileAt(CaptureImage& holder, CaptureProfile& profile,
                                  const SYSTEMTIME* when);

// Puts the finished image on the clipboard; the clipboard then owns the bitmap.
CaptureStatus CopyCaptureToClipboard(CaptureImage& holder);

void RunFinishingActions(const std::vector<FinishingAction>& actions);

}  // namespace kx
