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

void FrozenScreen::Take(DimSource source) {
  ScopedWindowDc screen(GetDesktopWindow());
  if (!screen.Get()) return;
  const int width = GetDeviceCaps(screen.Get(), HORZRES);
  const int height = GetDeviceCaps(screen.Get(), VERTRES);
  if (!MakePicture(screen.Get(), width, height, cleanDC, cleanBitmap)) return;
  SelectObject(cleanDC.Get(), cleanBitmap.Get());
  BitBlt(cleanDC.Get(), 0, 0, width, height, screen.Get(), 0, 0, SRCCOPY);
  if (!MakePicture(screen.Get(), width, height, dimDC, dimBitmap)) return;
  {
    ScopedSelect copying(dimDC.Get(), dimBitmap.Get());
    HDC from = source == DimSource::kScreen ? screen.Get() : cleanDC.Get();
    BitBlt(dimDC.Get(), 0, 0, width, height, from, 0, 0, SRCCOPY);
  }
  // The pixels go out and back while the bitmap is in no context, as the platform asks.
  DimPicture(screen.Get(), dimDC.Get(), dimBitmap.Get(), width, height);
  SelectObject(dimDC.Get(), dimBitmap.Get());
}

void FrozenScreen::PaintClean(HDC dc, int width, int height) const {
  if (HDC clean = Clean()) BitBlt(dc, 0, 0, width, height, clean, 0, 0, SRCCOPY);
}

void FrozenScreen::PaintHighlight(HDC dc, int width, int height, const ScreenRect& bright,
                                  HBRUSH frame) const {
  if (HDC dim = Dim()) BitBlt(dc, 0, 0, width, height, dim, 0, 0, SRCCOPY);
  const RECT framed = ToRect(Grown(bright, 3));
  FillRect(dc, &framed, frame);
  if (HDC clean = Clean())
    BitBlt(dc, bright.left, bright.top, bright.right - bright.left, bright.bottom - bright.top,
           clean, bright.left, bright.top, SRCCOPY);
}

}  // namespace kx
