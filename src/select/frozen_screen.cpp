#include "select/frozen_screen.h"

#include <cstdint>
#include <memory>
#include <new>

#include "select/area_geometry.h"
#include "select/dimming.h"

namespace kx {

namespace {

// A new context and a screen-compatible bitmap of the given size, not yet selected; false
// when either could not be made (what was made is kept).
bool MakePicture(HDC screen, int width, int height, UniqueDc& dc, UniqueBitmap& bitmap) {
  dc.Reset(CreateCompatibleDC(screen));
  if (!dc) return false;
  bitmap.Reset(CreateCompatibleBitmap(screen, width, height));
  return bool(bitmap);
}

void DimPicture(HDC screen, HDC dc, HBITMAP bitmap, int width, int height) {
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = WORD(GetDeviceCaps(dc, BITSPIXEL));
  info.bmiHeader.biCompression = BI_RGB;
  const int bitsPerPixel = info.bmiHeader.biBitCount;
  // Only these depths are dimmed; elsewhere the copy stays exactly the clean picture.
  if (bitsPerPixel != 24 && bitsPerPixel != 32) return;
  GetDIBits(screen, bitmap, 0, UINT(height), nullptr, &info, DIB_RGB_COLORS);
  size_t size = info.bmiHeader.biSizeImage;
  if (size == 0) size = size_t(DibStride(width, bitsPerPixel)) * height;
  std::unique_ptr<uint8_t[]> bits(new (std::nothrow) uint8_t[size]());
  if (!bits) return;
  if (GetDIBits(screen, bitmap, 0, UINT(height), bits.get(), &info, DIB_RGB_COLORS) == 0) return;
  ScreenDimmer().Dim(bits.get(), width, height, bitsPerPixel);
  SetDIBits(screen, bitmap, 0, UINT(height), bits.get(), &info, DIB_RGB_COLORS);
}

}  // namespace

ScreenCoordinates::ScreenCoordinates(HDC dc, HWND window) : dc_(dc) {
  ClientToScreen(window, &origin_);
  SetWindowOrgEx(dc, origin_.x, origin_.y, &previous_);
}

ScreenRect ScreenCoordinates::Area(int width, int height) const {
  return {origin_.x, origin_.y, origin_.x + width, origin_.y + height};
}

void FrozenScreen::Freeze(DimSource source) {
  desktop_ = ReadDesktop();
  const ScreenRect& b = desktop_.bounds;
  const int width = b.right - b.left, height = b.bottom - b.top;
  ScopedWindowDc screen(GetDesktopWindow());
  if (!screen.Get()) return;
  if (!MakePicture(screen.Get(), width, height, cleanDC, cleanBitmap)) return;
  SelectObject(cleanDC.Get(), cleanBitmap.Get());
  BitBlt(cleanDC.Get(), 0, 0, width, height, screen.Get(), b.left, b.top, SRCCOPY);
  BlackOutUncovered(cleanDC.Get(), b, desktop_.monitors, 0, 0);
  SetWindowOrgEx(cleanDC.Get(), b.left, b.top, nullptr);
  if (!MakePicture(screen.Get(), width, height, dimDC, dimBitmap)) return;
  {
    ScopedSelect copying(dimDC.Get(), dimBitmap.Get());
    if (source == DimSource::kScreen) {
      BitBlt(dimDC.Get(), 0, 0, width, height, screen.Get(), b.left, b.top, SRCCOPY);
      BlackOutUncovered(dimDC.Get(), b, desktop_.monitors, 0, 0);
    } else {
      BitBlt(dimDC.Get(), 0, 0, width, height, cleanDC.Get(), b.left, b.top, SRCCOPY);
    }
  }
}

void FrozenScreen::MakeDimmed() {
  if (!dimBitmap) return;
  const ScreenRect& b = desktop_.bounds;
  const int width = b.right - b.left, height = b.bottom - b.top;
  ScopedWindowDc screen(GetDesktopWindow());
  // The pixels go out and back while the bitmap is in no context, as the platform asks.
  DimPicture(screen.Get(), dimDC.Get(), dimBitmap.Get(), width, height);
  SelectObject(dimDC.Get(), dimBitmap.Get());
  SetWindowOrgEx(dimDC.Get(), b.left, b.top, nullptr);
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
