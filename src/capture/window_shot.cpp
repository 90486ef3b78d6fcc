#include "capture/window_shot.h"

#include <algorithm>
#include <cwchar>

#include "base/pixel_space.h"
#include "capture/desktop.h"
#include "capture/post_process.h"

namespace kx {

void PauseWithoutDispatch(DWORD milliseconds) {
  // Asking for a message that is never sent makes the platform find the queue idle, and an
  // idle queue is where it puts pending drawing on the screen.
  constexpr UINT kNeverSent = WM_APP + 0x3FFF;
  const DWORD start = GetTickCount();
  for (;;) {
    MSG message;
    PeekMessageW(&message, nullptr, kNeverSent, kNeverSent, PM_NOREMOVE);
    const DWORD elapsed = GetTickCount() - start;
    if (elapsed >= milliseconds) return;
    Sleep(std::min<DWORD>(milliseconds - elapsed, 10));
  }
}

bool IsDesktopClass(const wchar_t* className) {
  return wcscmp(className, L"Progman") == 0 || wcscmp(className, L"WorkerW") == 0;
}

RECT CleanBackdropRect(const ScreenRect& r) {
  constexpr int m = kCleanBackdropMargin;
  return {r.left - m, r.top - m, r.right + m, r.bottom + m};
}

bool RegisterCleanBackdropClass(HINSTANCE instance) {
  WNDCLASSW wc = {};
  wc.lpfnWndProc = DefWindowProcW;
  wc.cbWndExtra = sizeof(LONG_PTR);
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  wc.lpszClassName = kCleanBackdropClass;
  return RegisterClassW(&wc) != 0;
}

HWND ShowCleanBackdrop(int x, int y, int width, int height, HRGN region) {
  HWND backdrop = CreateWindowExW(0, kCleanBackdropClass, L"", WS_POPUP, x, y, width, height,
                                  nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  if (!backdrop) return nullptr;
  if (region) SetWindowRgn(backdrop, region, FALSE);
  // Painted now: the shot's pause that follows does not dispatch this thread's messages.
  ShowWindow(backdrop, SW_SHOW);
  UpdateWindow(backdrop);
  return backdrop;
}

void RefreshWindowRect(CaptureProfile& profile) {
  // The interval window's tick asks from a skinned, possibly unaware window.
  ScopedPixelSpace physical(PixelSpace::kPhysical);
  RECT r = {};
  GetWindowRect(PickedWindow(profile), &r);
  profile.InRect = ClampToBounds({r.left, r.top, r.right, r.bottom}, ReadDesktop().bounds);
}

namespace {

constexpr UINT kKeepPlace = SWP_NOMOVE | SWP_NOSIZE;

HWND OutermostWindow(HWND window) {
  while (HWND parent = GetParent(window)) window = parent;
  return window;
}

}  // namespace

void CaptureWindowShot(CaptureImage& holder, CaptureProfile& profile) {
  HWND chosen = PickedWindow(profile);
  if (!chosen) {
    // Nothing to bring forward, but the screen still gets its time to settle.
    PauseWithoutDispatch(kWindowToFrontPauseMs);
    ProcessCapture(holder, profile);
    return;
  }
  // The backdrop is placed by the picked rectangle, which is in physical pixels.
  ScopedPixelSpace physical(PixelSpace::kPhysical);
  HWND outermost = OutermostWindow(chosen);
  wchar_t className[128] = {};
  GetClassNameW(outermost, className, 128);

  HWND backdrop = nullptr;
  if (profile.InTrans == 1 && !IsDesktopClass(className) && IsWindowVisible(chosen)) {
    const RECT r = CleanBackdropRect(profile.InRect);
    backdrop = ShowCleanBackdrop(r.left, r.top, r.right - r.left, r.bottom - r.top);
    if (backdrop) SetWindowPos(backdrop, HWND_TOPMOST, 0, 0, 0, 0, kKeepPlace);
  }
  const bool wasTopmost = (GetWindowLongW(outermost, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
  SetForegroundWindow(outermost);
  BringWindowToTop(outermost);
  SetWindowPos(outermost, HWND_TOPMOST, 0, 0, 0, 0, kKeepPlace);

  PauseWithoutDispatch(kWindowToFrontPauseMs);
  ProcessCapture(holder, profile);

  if (backdrop) DestroyWindow(backdrop);
  if (!wasTopmost) SetWindowPos(outermost, HWND_NOTOPMOST, 0, 0, 0, 0, kKeepPlace);
}

void ShootByInputType(CaptureImage& holder, CaptureProfile& profile) {
  if (profile.InType == 0)
    CaptureWindowShot(holder, profile);
  else if (profile.InType == 1 || profile.InType == 2)
    ProcessCapture(holder, profile);
}

}  // namespace kx
