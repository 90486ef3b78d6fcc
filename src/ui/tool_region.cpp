#include "ui/tool_region.h"

#include "base/handles.h"

namespace kx {

HRGN CreateToolWindowRegion(int w, int h) {
  UniqueRgn region(CreateRoundRectRgn(0, 0, w + 1, h + 1, 8, 8));
  if (!region) return nullptr;
  const POINT corners[] = {{1, 1}, {w - 2, 1}, {1, h - 2}, {w - 2, h - 2}};
  for (POINT p : corners) {
    UniqueRgn pixel(CreateRectRgn(p.x, p.y, p.x + 1, p.y + 1));
    if (pixel) CombineRgn(region.Get(), region.Get(), pixel.Get(), RGN_XOR);
  }
  return region.Release();
}

void SetToolWindowRegion(HWND hwnd, int w, int h) {
  UniqueRgn region(CreateToolWindowRegion(w, h));
  if (region && SetWindowRgn(hwnd, region.Get(), TRUE)) region.Release();
}

}  // namespace kx
