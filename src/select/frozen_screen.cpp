#include "select/frozen_screen.h"

#include <cstdint>

#include "select/area_geometry.h"
#include "select/dimming.h"

namespace kx {

namespace {

// A new context and, not yet selected, a bitmap of the desktop's size: at 24 and 32 bits a
// top-down DIB section whose pixels the dimmer reaches directly (`pixels`), at other depths,
// which are not dimmed, a screen-compatible bitmap. False when either could not be made.
bool MakePicture(HDC screen, int width, int height, UniqueDc& dc, UniqueBitmap& bitmap,
                 uint8_t*& pixels) {
  pixels = nullptr;
  dc.Reset(CreateCompatibleDC(screen));
  if (!dc) return false;
  const int depth = GetDeviceCaps(screen, BITSPIXEL);
  if (depth != 24 && depth != 32) {
    bitmap.Reset(CreateCompatibleBitmap(screen, width, height));
    return bool(bitmap);
  }
  BITMAPINFO info = {};
  info.bmiHeader = {
      sizeof(BITMAPINFOHEADER), width, -height, 1, WORD(depth), BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  bitmap.Reset(CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!bitmap) return false;
  pixels = static_cast<uint8_t*>(bits);
  return true;
}

}  // namespace

ScreenCoordinates::ScreenCoordinates(HDC dc, HWND window) : dc_(dc) {
  ClientToScreen(window, &origin_);
  SetWindowOrgEx(dc, origin_.x, origin_.y, &previous_);
}

ScreenRect ScreenCoordinates::Area(int width, int height) const {
  return {origin_.x, origin_.y, origin_.x + width, origin_.y + height};
}

void FrozenScreen::Freeze() {
  desktop_ = ReadDesktop();
  const ScreenRect& b = desktop_.bounds;
  const int width = b.right - b.left, height = b.bottom - b.top;
  ScopedWindowDc screen(GetDesktopWindow());
  if (!screen.Get()) return;
  if (!MakePicture(screen.Get(), width, height, cleanDC, cleanBitmap, cleanPixels_)) return;
  SelectObject(cleanDC.Get(), cleanBitmap.Get());
  BitBlt(cleanDC.Get(), 0, 0, width, height, screen.Get(), b.left, b.top, SRCCOPY);
  BlackOutUncovered(cleanDC.Get(), b, desktop_.monitors, 0, 0);
  SetWindowOrgEx(cleanDC.Get(), b.left, b.top, nullptr);
}

void FrozenScreen::MakeDimmed() {
  if (!Clean()) return;
  const ScreenRect& b = desktop_.bounds;
  const int width = b.right - b.left, height = b.bottom - b.top;
  ScopedWindowDc screen(GetDesktopWindow());
  uint8_t* dimPixels = nullptr;
  if (!screen.Get() || !MakePicture(screen.Get(), width, height, dimDC, dimBitmap, dimPixels))
    return;
  SelectObject(dimDC.Get(), dimBitmap.Get());
  SetWindowOrgEx(dimDC.Get(), b.left, b.top, nullptr);
  if (!dimPixels || !cleanPixels_) {
    // A depth that is not dimmed: the copy stays exactly the clean picture.
    BitBlt(dimDC.Get(), b.left, b.top, width, height, cleanDC.Get(), b.left, b.top, SRCCOPY);
    return;
  }
  GdiFlush();  // the clean picture's drawing done before its pixels are read
  // Its tables (19,379 square roots) are made once, not at every opening.
  static const ScreenDimmer dimmer;
  dimmer.Dim(cleanPixels_, dimPixels, width, height, GetDeviceCaps(screen.Get(), BITSPIXEL));
}

void FrozenScreen::PaintClean(HDC dc) const {
  const ScreenRect& b = desktop_.bounds;
  if (HDC clean = Clean())
    BitBlt(dc, b.left, b.top, b.right - b.left, b.bottom - b.top, clean, b.left, b.top, SRCCOPY);
}

void FrozenScreen::PaintHighlight(HDC dc, const ScreenRect& bright, HBRUSH frame) const {
  const ScreenRect& b = desktop_.bounds;
  if (HDC dim = Dim())
    BitBlt(dc, b.left, b.top, b.right - b.left, b.bottom - b.top, dim, b.left, b.top, SRCCOPY);
  const RECT framed = ToRect(Grown(bright, 3));
  FillRect(dc, &framed, frame);
  if (HDC clean = Clean())
    BitBlt(dc, bright.left, bright.top, bright.right - bright.left, bright.bottom - bright.top,
           clean, bright.left, bright.top, SRCCOPY);
}

}  // namespace kx
