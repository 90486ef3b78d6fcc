#include "capture/screen_grab.h"

#include "base/pixel_space.h"

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
  {
    ScopedSelect selected(memory.Get(), holder.bitmap.Get());
    if (layout.Scaled()) {
      SetStretchBltMode(memory.Get(), HALFTONE);
      SetBrushOrgEx(memory.Get(), 0, 0, nullptr);
      StretchBlt(memory.Get(), layout.originX, layout.originY, layout.scaledWidth,
                 layout.scaledHeight, screen.Get(), x, y, width, height, SRCCOPY);
    } else {
      BitBlt(memory.Get(), layout.originX, layout.originY, width, height, screen.Get(), x, y,
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
