#include "select/get_area_window.h"

#include "select/area_geometry.h"
#include "ui/theme.h"
#include "ui/ui_font.h"

namespace kx {

namespace {

POINT CursorNow() {
  POINT p = {};
  GetCursorPos(&p);
  return p;
}

void Line(HDC dc, POINT from, POINT to) {
  MoveToEx(dc, from.x, from.y, nullptr);
  LineTo(dc, to.x, to.y);
}

}  // namespace

GetAreaWnd::GetAreaWnd(HWND window, CaptureProfile& profile, SelectionEnd& end)
    : OverlayWindow(window, profile, end),
      cursorPos(CursorNow()),
      magnifierOn(profile.SetMagnifier != 0),
      frameBrush(CreateSolidBrush(theme::kSelectionFrame)),
      framePen(CreatePen(PS_SOLID, 1, theme::kSelectionFrame)),
      labelFont(CreateUiFont(false)) {}

GetAreaWnd::~GetAreaWnd() {
  if (cursorHidden_) ShowCursor(TRUE);
}

void GetAreaWnd::OnCreate(const CREATESTRUCTW&) {
  frozen_.Take();
  // The crosshair takes the cursor's place; a cursor over it would hide the exact pixel.
  ShowCursor(FALSE);
  cursorHidden_ = true;
}

LRESULT GetAreaWnd::OnMouseMove(POINT, WPARAM keys) {
  cursorPos = CursorNow();
  // Shift, Ctrl or a second button hold the selection still while the crosshair moves on.
  if (keys == MK_LBUTTON) selection = SelectionRect(anchorPos, cursorPos);
  Invalidate();
  return 0;
}

void GetAreaWnd::OnButtonDown(UINT message, POINT, WPARAM) {
  if (message == WM_LBUTTONDOWN) {
    anchorPos = CursorNow();
    dragging = true;
  } else if (message == WM_RBUTTONDOWN) {
    profile_.SetMagnifier = !profile_.SetMagnifier;
    magnifierOn = profile_.SetMagnifier != 0;
    Invalidate();
  }
}

void GetAreaWnd::OnButtonUp(UINT message, POINT, WPARAM) {
  if (message != WM_LBUTTONUP) return;
  profile_.InRect = selection;
  End(SelectionEnd::kChosen);
}

void GetAreaWnd::Paint(HDC dc, int width, int height) const {
  const ScreenCoordinates screen(dc, hwnd);
  const ScreenRect area = screen.Area(width, height);
  if (dragging)
    frozen_.PaintHighlight(dc, selection, frameBrush.Get());
  else
    frozen_.PaintClean(dc);
  SetTextColor(dc, theme::kWhite);
  SetBkMode(dc, TRANSPARENT);
  ScopedSelect pen(dc, framePen.Get());
  const POINT cross = CrosshairPoint(dragging, anchorPos, cursorPos);
  Line(dc, {area.left, cross.y}, {area.right, cross.y});
  Line(dc, {cross.x, area.top}, {cross.x, area.bottom});
  if (magnifierOn) PaintMagnifier(dc, MonitorAt(frozen_.Monitors().monitors, cursorPos, area));
}

void GetAreaWnd::PaintMagnifier(HDC dc, const ScreenRect& monitor) const {
  // Drawn on the monitor under the pointer only: where the box would reach a pixel past it,
  // that pixel is not drawn on the neighbour.
  const int saved = SaveDC(dc);
  IntersectClipRect(dc, monitor.left, monitor.top, monitor.right, monitor.bottom);
  const MagnifierLayout m = PlaceMagnifier(cursorPos, monitor);
  FillRect(dc, &m.box, frameBrush.Get());
  if (HDC clean = frozen_.Clean())
    StretchBlt(dc, m.zoomed.left, m.zoomed.top, kMagnifierZoomed, kMagnifierZoomed, clean,
               m.source.x, m.source.y, kMagnifierSource, kMagnifierSource, SRCCOPY);
  Line(dc, m.crossTop, m.crossBottom);
  Line(dc, m.crossLeft, m.crossRight);
  ScopedSelect font(dc, labelFont.Get());
  RECT band = m.label;
  const std::wstring label = MagnifierLabel(dragging, selection, cursorPos);
  DrawTextW(dc, label.c_str(), int(label.size()), &band, DT_CENTER | DT_SINGLELINE);
  RestoreDC(dc, saved);
}

Selection RunGetAreaWindow(CaptureProfile& profile) {
  return RunOverlay<GetAreaWnd>(profile);
}

}  // namespace kx
