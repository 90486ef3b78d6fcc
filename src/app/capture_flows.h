// The two capture flows the main window runs on its thread: "Capture" (and PrintScreen) and
// repeat (Shift + PrintScreen). They hide the main window, let the user choose the area or
// window, take one shot or hand over to the interval window, remember the capture for
// repeat, and bring the main window back.
#pragma once

#include <windows.h>

#include "app/app_state.h"

namespace kx {

inline constexpr DWORD kAfterHidingPauseMs = 199;
inline constexpr DWORD kAfterAreaPauseMs = 300;

// A capture with the current profile; it then becomes the last-capture profile.
void StartCapture(HWND mainWindow, AppState& state);

// The last capture again, with its settings and target; the current profile is kept.
void RepeatCapture(HWND mainWindow, AppState& state);

}  // namespace kx
