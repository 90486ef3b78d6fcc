#include "ui/offscreen.h"

#include "base/handles.h"

namespace kx {

namespace {

// Memory DC + bitmap of the given size with `paint` run on it; the bitmap stays selected
// until the end of the caller's use and is handed back deselected.
bool Compose(HDC reference, int width, int height, const PaintFunction& paint, UniqueBitmap& out) {
  UniqueDc memory(CreateCompatibleDC(reference));
  UniqueBitmap bitmap(CreateCompatibleBitmap(reference, width, height));
  if (!memory || !bitmap) return false;
  {
    ScopedSelect select(memory.Get(), bitmap.Get());
    paint(memory.Get(), width, height);
  }
  out = std::move(bitmap);
  return true;
}

}  // namespace

void PaintBuffered(HWND hwnd, const PaintFunction& paint) {
  PAINTSTRUCT ps;
  HDC screen = BeginPaint(hwnd, &ps);
  RECT client;
  GetClientRect(hwnd, &client);
  if (screen)
    PaintBufferedAt(screen, 0, 0, client.right - client.left, client.bottom - client.top, paint);
  EndPaint(hwnd, &ps);
}

void PaintBufferedAt(HDC target, int x, int y, int width, int height, const PaintFunction& paint) {
  UniqueBitmap picture;
  if (width <= 0 || height <= 0 || !Compose(target, width, height, paint, picture)) return;
  UniqueDc source(CreateCompatibleDC(target));
  if (!source) return;
  ScopedSelect select(source.Get(), picture.Get());
  BitBlt(target, x, y, width, height, source.Get(), 0, 0, SRCCOPY);
}

HBITMAP RenderToBitmap(int width, int height, const PaintFunction& paint) {
  ScopedWindowDc screen(nullptr);
  UniqueBitmap picture;
  if (!screen.Get() || !Compose(screen.Get(), width, height, paint, picture)) return nullptr;
  return picture.Release();
}

}  // namespace kx
