#include "select/overlay.h"

#include "base/pixel_space.h"
#include "capture/desktop.h"
#include "select/area_geometry.h"
#include "ui/tool_window.h"

namespace kx {

bool Selection::Cancelled() const {
  return window == 0 && IsEmptyRect(rect);
}

void OverlayWindow::End(SelectionEnd how) {
  if (ended_) return;
  ended_ = true;
  end_ = how;
  DestroyWindow(hwnd);
}

void OverlayWindow::Cancel() {
  profile_.InWindow = 0;
  profile_.InRect = {};
  End(SelectionEnd::kCancelled);
}

LRESULT OverlayWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_KILLFOCUS) {
    End(SelectionEnd::kClosed);
    return 0;
  }
  // Escape acts on its release: the press went to the modal loop's dialog-key handling.
  // Every other key is the platform's.
  // A monitor added, removed or resized: the frozen picture no longer matches the desktop.
  if ((message == WM_KEYUP && wParam == VK_ESCAPE) || message == WM_DISPLAYCHANGE) {
    Cancel();
    return 0;
  }
  return Window::OnMessage(message, wParam, lParam);
}

HWND OpenOverlay(const wchar_t* className, const WindowMaker* maker) {
  // Made per-monitor aware whoever opens it, so that it covers the screen pixel for pixel
  // and everything it handles (cursor, window rectangles, the result) is in physical pixels.
  ScopedPixelSpace physical(PixelSpace::kPhysical);
  // Over every monitor: the bounding rectangle, from the leftmost and topmost one.
  const ScreenRect desktop = ReadDesktop().bounds;
  WindowPlacement placement;
  placement.x = desktop.left;
  placement.y = desktop.top;
  placement.width = desktop.right - desktop.left;
  placement.height = desktop.bottom - desktop.top;
  // Topmost from its creation: shown, it is then at the top without further moves.
  placement.exStyle = WS_EX_TOPMOST;
  HWND overlay = CreateWindowWithMaker(className, placement, maker);
  if (!overlay) return nullptr;
  ShowWindow(overlay, SW_SHOW);
  SetForegroundWindow(overlay);
  return overlay;
}

void OverlayWindow::OnPaint() {
  if (painted_) return Window::OnPaint();
  // The first picture goes straight onto the window: it starts with the frozen picture,
  // which is what the screen beneath shows, so nothing can flicker, and the full-size
  // off-screen copy is saved.
  painted_ = true;
  PAINTSTRUCT ps;
  if (HDC dc = BeginPaint(hwnd, &ps)) {
    RECT client;
    GetClientRect(hwnd, &client);
    Paint(dc, client.right - client.left, client.bottom - client.top);
  }
  EndPaint(hwnd, &ps);
}

Selection FinishOverlay(HWND overlay, const SelectionEnd& end, const CaptureProfile& profile) {
  if (overlay) RunModalLoop(overlay);
  return Selection{end, profile.InWindow, profile.InRect};
}

}  // namespace kx
