#include "picture_window.h"

#include <algorithm>
#include <utility>

namespace kx::bench {

PictureWindow* PictureWindow::Open() {
  if (!RegisterWindow<PictureWindow>(GetModuleHandleW(nullptr))) return nullptr;
  WindowPlacement placement;
  placement.exStyle = WS_EX_TOPMOST | WS_EX_TOOLWINDOW;
  placement.style = WS_POPUP | WS_VISIBLE;
  placement.width = GetSystemMetrics(SM_CXSCREEN);
  placement.height = GetSystemMetrics(SM_CYSCREEN);
  HWND window = CreateWindowOf<PictureWindow>(placement);
  return window ? WindowObject<PictureWindow>(window) : nullptr;
}

void PictureWindow::Show(Picture picture) {
  picture_ = std::move(picture);
  Invalidate();
  UpdateWindow(hwnd);
}

void PictureWindow::Paint(HDC dc, int width, int height) const {
  const BITMAPINFO info = TopDown32(picture_.width, picture_.height);
  SetDIBitsToDevice(dc, 0, 0, std::min(width, picture_.width), std::min(height, picture_.height), 0,
                    0, 0, picture_.height, picture_.pixels.data(), &info, DIB_RGB_COLORS);
}

}  // namespace kx::bench
