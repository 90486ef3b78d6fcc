#include "capture/screen_grab.h"

#include "base/pixel_space.h"
#include "capture/desktop.h"

namespace kx {
namespace {

void DrawCursor(HDC dc, const CaptureLayout& layout, const GrabArea& source) {
  CURSORINFO cursor = {};
  cursor.cbSize = sizeof(cursor);
  if (!GetCursorInfo(&cursor) || !cursor.hCursor) return;
  // The hot spot is deliberately not subtracted: the image goes where the pointer is.
  const PixelPoint at =
      CursorDrawPosition(layout, source, {cursor.ptScreenPos.x, cursor.ptScreenPos.y});
  DrawIcon(dc, at.x, at.y, cursor.hCursor);
}

// The area as the desktop shows it, black where no monitor does, in a bitmap of its own. The
// platform reads whatever it left in those parts; a stretched grab would also blend it in.
bool CopyShownArea(HDC screen, const ScreenRect& area, const std::vector<ScreenRect>& monitors,
                   UniqueDc& dc, UniqueBitmap& bitmap) {
  const int width = area.right - area.left, height = area.bottom - area.top;
  dc.Reset(CreateCompatibleDC(screen));
  bitmap.Reset(CreateCompatibleBitmap(screen, width, height));
  if (!dc || !bitmap) return false;
  SelectObject(dc.Get(), bitmap.Get());
  BitBlt(dc.Get(), 0, 0, width, height, screen, area.left, area.top, SRCCOPY);
  BlackOutUncovered(dc.Get(), area, monitors, 0, 0);
  return true;
}

}  // namespace

CaptureStatus GrabScreen(CaptureImage& holder, const CaptureProfile& profile, int x, int y,
                         int width, int height) {
  holder.Release();
  // Also when a skinned, possibly unaware window's handler asks: its screen is virtual.
  ScopedPixelSpace physical(PixelSpace::kPhysical);
  ScopedWindowDc screen(GetDesktopWindow());
  if (!screen.Get()) return kStatusFailed;
  if (width == 0 || height == 0) {
    width = GetDeviceCaps(screen.Get(), HORZRES);
    height = GetDeviceCaps(screen.Get(), VERTRES);
  }
  UniqueDc memory(CreateCompatibleDC(screen.Get()));
  if (!memory) return kStatusFailed;
  const CaptureLayout& layout = holder.layout;
  const PixelSize size = GrabBitmapSize(layout, width, height);
  holder.bitmap.Reset(CreateCompatibleBitmap(screen.Get(), size.width, size.height));
  if (!holder.bitmap) return kStatusFailed;
  // An area reaching where no monitor shows is copied from its own picture of the area.
  UniqueBitmap shown;  // before its context, which goes first
  UniqueDc shownDc;
  HDC source = screen.Get();
  int sourceX = x, sourceY = y;
  const ScreenRect area = {x, y, x + width, y + height};
  const std::vector<ScreenRect> monitors = ReadDesktop().monitors;
  if (!UncoveredParts(area, monitors).empty() &&
      CopyShownArea(screen.Get(), area, monitors, shownDc, shown))
    source = shownDc.Get(), sourceX = 0, sourceY = 0;
  {
    ScopedSelect selected(memory.Get(), holder.bitmap.Get());
    if (layout.Scaled()) {
      SetStretchBltMode(memory.Get(), HALFTONE);
      SetBrushOrgEx(memory.Get(), 0, 0, nullptr);
      StretchBlt(memory.Get(), layout.originX, layout.originY, layout.scaledWidth,
                 layout.scaledHeight, source, sourceX, sourceY, width, height, SRCCOPY);
    } else {
      BitBlt(memory.Get(), layout.originX, layout.originY, width, height, source, sourceX, sourceY,
             SRCCOPY);
    }
    if (profile.OptCursor) DrawCursor(memory.Get(), layout, {x, y, width, height});
  }
  holder.palette.Reset(static_cast<HPALETTE>(GetCurrentObject(screen.Get(), OBJ_PAL)));
  Gdiplus::GpBitmap* image = nullptr;
  gp::GdipCreateBitmapFromHBITMAP(holder.bitmap.Get(), holder.palette.Get(), &image);
  holder.image.Reset(image);
  return holder.image ? kStatusOk : kStatusFailed;
}

}  // namespace kx
