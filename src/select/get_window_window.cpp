#include "select/get_window_window.h"

#include "select/window_candidates.h"
#include "ui/theme.h"

namespace kx {

namespace {

ScreenRect PixelAtCursor() {
  POINT p = {};
  GetCursorPos(&p);
  return {p.x, p.y, p.x + 1, p.y + 1};
}

}  // namespace

GetWindowWnd::GetWindowWnd(HWND window, CaptureProfile& profile, SelectionEnd& end)
    : OverlayWindow(window, profile, end),
      targetRect(PixelAtCursor()),
      startRect(targetRect),
      shownRect(targetRect),
      frameBrush(CreateSolidBrush(theme::kSelectionFrame)) {}

void GetWindowWnd::OnCreate(const CREATESTRUCTW&) {
  // The pointer stays visible: it is what points at the window.
  frozen_.Take();
  windowList = CollectWindowCandidates(hwnd);
}

LRESULT GetWindowWnd::OnMouseMove(POINT, WPARAM) {
  POINT p = {};
  GetCursorPos(&p);
  const WindowNode* candidate = FindCandidate(windowList, p);
  if (!candidate || candidate->window == pickedWindow) return 0;
  pickedWindow = candidate->window;
  startRect = shownRect;
  targetRect = candidate->rect;
  animStep = 0;
  SetTimer(hwnd, kGlideTimer, kGlideTickMs, nullptr);
  return 0;
}

void GetWindowWnd::OnTimer(UINT_PTR id) {
  if (id != kGlideTimer) return;
  ++animStep;
  shownRect = GlideRect(startRect, targetRect, animStep);
  if (animStep >= kGlideSteps) KillTimer(hwnd, kGlideTimer);
  Invalidate();
}

void GetWindowWnd::OnButtonDown(UINT message, POINT, WPARAM) {
  if (message != WM_LBUTTONDOWN) return;
  // The window may be gone by now; the capture flow deals with that.
  profile_.InWindow = uint32_t(HandleToLong(pickedWindow));
  profile_.InRect = ClampToBounds(targetRect, frozen_.Monitors().bounds);
  End(SelectionEnd::kChosen);
}

void GetWindowWnd::Paint(HDC dc, int, int) const {
  const ScreenCoordinates screen(dc, hwnd);
  frozen_.PaintHighlight(dc, shownRect, frameBrush.Get());
}

Selection RunGetWindowWindow(CaptureProfile& profile) {
  return RunOverlay<GetWindowWnd>(profile);
}

}  // namespace kx
