// A topmost popup that shows a known picture on the test display, and pixel readers for
// bitmaps and GDI+ images, so that grabs can be checked pixel by pixel.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include "capture/gdiplus_handles.h"

namespace kx::test {

inline void SetTopDown32(BITMAPINFO& info, int width, int height) {
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
}

// The colour (0x00RRGGBB) the pattern has at window-relative (x, y): every pixel of a
// 256-pixel block differs from its neighbours in each channel.
inline uint32_t PatternColor(int x, int y) {
  const uint32_t red = (x * 7 + 13) & 0xFF, green = (y * 5 + 29) & 0xFF;
  const uint32_t blue = ((x ^ y) * 3 + 61) & 0xFF;
  return red << 16 | green << 8 | blue;
}

class PatternWindow {
 public:
  PatternWindow(int x, int y, int width, int height)
      : x_(x), y_(y), width_(width), height_(height) {
    WNDCLASSW wc = {};
    wc.lpfnWndProc = Proc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = L"KXTestPatternWndClass";
    RegisterClassW(&wc);
    hwnd_ = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, wc.lpszClassName, L"", WS_POPUP, x, y,
                            width, height, nullptr, nullptr, wc.hInstance, this);
    ShowWindow(hwnd_, SW_SHOWNOACTIVATE);
    UpdateWindow(hwnd_);
  }
  ~PatternWindow() { DestroyWindow(hwnd_); }
  PatternWindow(const PatternWindow&) = delete;
  PatternWindow& operator=(const PatternWindow&) = delete;

  HWND Handle() const { return hwnd_; }
  uint32_t Expected(int wx, int wy) const { return PatternColor(wx, wy); }

  // Pumps messages until the screen shows the picture at three probes, or 5 s pass.
  bool WaitUntilShown() const {
    const POINT probes[] = {{0, 0}, {width_ - 1, height_ - 1}, {width_ / 3, height_ / 2}};
    for (DWORD start = GetTickCount(); GetTickCount() - start < 5000; Sleep(10)) {
      MSG msg;
      while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
      HDC screen = GetDC(nullptr);
      bool shown = true;
      for (POINT p : probes) {
        COLORREF c = GetPixel(screen, x_ + p.x, y_ + p.y);
        uint32_t rgb = GetRValue(c) << 16 | GetGValue(c) << 8 | GetBValue(c);
        shown = shown && rgb == Expected(p.x, p.y);
      }
      ReleaseDC(nullptr, screen);
      if (shown) return true;
    }
    return false;
  }

 private:
  static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_NCCREATE)
      SetWindowLongPtrW(hwnd, GWLP_USERDATA,
                        LONG_PTR(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams));
    auto* self = reinterpret_cast<PatternWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (msg == WM_ERASEBKGND) return 1;
    if (msg == WM_PAINT && self) {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd, &ps);
      self->Paint(dc);
      EndPaint(hwnd, &ps);
      return 0;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
  }

  void Paint(HDC dc) const {
    std::vector<uint32_t> pixels(size_t(width_) * height_);
    for (int y = 0; y < height_; ++y)
      for (int x = 0; x < width_; ++x) pixels[size_t(y) * width_ + x] = Expected(x, y);
    BITMAPINFO info = {};
    SetTopDown32(info, width_, height_);
    SetDIBitsToDevice(dc, 0, 0, width_, height_, 0, 0, 0, height_, pixels.data(), &info,
                      DIB_RGB_COLORS);
  }

  HWND hwnd_ = nullptr;
  int x_, y_, width_, height_;
};

// Pixels of a GDI bitmap as 0x00RRGGBB, top row first.
struct RgbPixels {
  int width = 0, height = 0;
  std::vector<uint32_t> data;
  uint32_t At(int x, int y) const { return data[size_t(y) * width + x] & 0xFFFFFF; }
};

inline RgbPixels ReadBitmap(HBITMAP bitmap) {
  RgbPixels result;
  BITMAP bm = {};
  if (!GetObjectW(bitmap, sizeof(bm), &bm)) return result;
  result.width = bm.bmWidth;
  result.height = bm.bmHeight;
  result.data.resize(size_t(bm.bmWidth) * bm.bmHeight);
  BITMAPINFO info = {};
  SetTopDown32(info, bm.bmWidth, bm.bmHeight);
  HDC screen = GetDC(nullptr);
  GetDIBits(screen, bitmap, 0, bm.bmHeight, result.data.data(), &info, DIB_RGB_COLORS);
  ReleaseDC(nullptr, screen);
  return result;
}

// Pixels of a GDI+ image (e.g. decoded from a file), as 0x00RRGGBB.
inline RgbPixels ReadImage(Gdiplus::GpBitmap* image) {
  RgbPixels result;
  UINT w = 0, h = 0;
  gp::GdipGetImageWidth(image, &w);
  gp::GdipGetImageHeight(image, &h);
  result.width = int(w);
  result.height = int(h);
  result.data.resize(size_t(w) * h);
  for (UINT y = 0; y < h; ++y)
    for (UINT x = 0; x < w; ++x) {
      Gdiplus::ARGB c = 0;
      gp::GdipBitmapGetPixel(image, INT(x), INT(y), &c);
      result.data[size_t(y) * w + x] = c;
    }
  return result;
}

inline int ChannelDistance(uint32_t a, uint32_t b) {
  int worst = 0;
  for (int shift = 0; shift < 24; shift += 8) {
    int d = int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF);
    worst = std::max(worst, d < 0 ? -d : d);
  }
  return worst;
}

}  // namespace kx::test
