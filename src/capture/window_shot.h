// The window shot, shared by the capture flows and the interval tick: the chosen window is
// brought to the front, over a plain white backdrop when asked, before the screen is read.
#pragma once

#include <windows.h>

#include "capture/capture_image.h"
#include "capture/capture_profile.h"

namespace kx {

inline constexpr wchar_t kCleanBackdropClass[] = L"KXCleanWndClass";
inline constexpr int kCleanBackdropMargin = 5;
// Time for the window brought to the front to repaint before the screen is read.
inline constexpr DWORD kWindowToFrontPauseMs = 300;

// Waits without dispatching messages (so that nothing of the program moves meanwhile), but
// lets the platform show what this thread has drawn: Wine puts a window's drawing on the
// screen only when its thread looks at its message queue.
void PauseWithoutDispatch(DWORD milliseconds);

// The desktop's own windows ("Progman", "WorkerW") get no backdrop.
bool IsDesktopClass(const wchar_t* className);

// InRect grown by the backdrop margin on every side.
RECT CleanBackdropRect(const ScreenRect& rect);

// The backdrop's class: the platform's window procedure and a white background brush.
bool RegisterCleanBackdropClass(HINSTANCE instance);

// Shows the backdrop at the screen rectangle (with the window region when one is given) and
// returns it, or null.
HWND ShowCleanBackdrop(int x, int y, int width, int height, HRGN region = nullptr);

// The picked window; records keep it as 32 bits, which every Windows handle fits.
inline HWND PickedWindow(const CaptureProfile& profile) {
  return static_cast<HWND>(LongToHandle(LONG(profile.InWindow)));
}

// A picked window that can still be captured: it exists and is shown.
inline bool PickedWindowShown(const CaptureProfile& profile) {
  HWND window = PickedWindow(profile);
  return IsWindow(window) && IsWindowVisible(window);
}

// InRect from the current screen rectangle of InWindow, clamped to the desktop's bounding
// rectangle (every monitor).
void RefreshWindowRect(CaptureProfile& profile);

// Brings the outermost window of InWindow to the front and topmost (over the backdrop when
// InTrans is Clean), pauses, runs ProcessCapture, then removes the backdrop and the topmost
// state the window did not have. With no window only ProcessCapture runs.
void CaptureWindowShot(CaptureImage& holder, CaptureProfile& profile);

// One shot by InType: the window shot for Window, ProcessCapture for Fullscreen and Area,
// nothing for any other value.
void ShootByInputType(CaptureImage& holder, CaptureProfile& profile);

}  // namespace kx
