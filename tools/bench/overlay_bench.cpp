// Times the selection overlays on the busy screen that the capture benchmark shows: from the
// request to the first painted overlay (freeze, dimming and first paint) for both, and the
// dimming pass alone, each next to a bare full-screen BitBlt measured in the same run.
#include "overlay_bench.h"

#include <cstdio>
#include <memory>

#include "base/handles.h"
#include "bench_clock.h"
#include "select/dimming.h"
#include "select/get_area_window.h"
#include "select/get_window_window.h"

namespace kx::bench {

namespace {

void DrainMessages() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
}

// Opens the overlay as the capture flow does and paints it once; returns the milliseconds.
template <class T>
double FirstPaint() {
  CaptureProfile profile = {};
  profile.SetMagnifier = 1;
  SelectionEnd end = SelectionEnd::kClosed;
  const double start = NowMs();
  HWND overlay = WithMakerOf<T>(
      [](const WindowMaker* maker) { return OpenOverlay(T::kClassName, maker); }, profile, end);
  UpdateWindow(overlay);
  GdiFlush();
  const double took = NowMs() - start;
  DestroyWindow(overlay);
  DrainMessages();
  return took;
}

}  // namespace

void BenchOverlays(int runs) {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  RegisterWindow<GetAreaWnd>(instance);
  RegisterWindow<GetWindowWnd>(instance);
  ScopedWindowDc screen(GetDesktopWindow());
  const int width = GetDeviceCaps(screen.Get(), HORZRES),
            height = GetDeviceCaps(screen.Get(), VERTRES);
  const int bits = GetDeviceCaps(screen.Get(), BITSPIXEL);
  UniqueDc memory(CreateCompatibleDC(screen.Get()));
  UniqueBitmap picture(CreateCompatibleBitmap(screen.Get(), width, height));
  ScopedSelect selected(memory.Get(), picture.Get());
  const size_t size = size_t(DibStride(width, bits)) * height;
  std::unique_ptr<uint8_t[]> pixels(new uint8_t[size]);
  BITMAPINFO info = {};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, height, 1, WORD(bits), BI_RGB, 0, 0, 0, 0, 0};

  std::vector<double> blit, dim, area, picker;
  for (int i = 0; i < runs; ++i) {
    double start = NowMs();
    BitBlt(memory.Get(), 0, 0, width, height, screen.Get(), 0, 0, SRCCOPY);
    GdiFlush();
    blit.push_back(NowMs() - start);
    GetDIBits(screen.Get(), picture.Get(), 0, UINT(height), pixels.get(), &info, DIB_RGB_COLORS);
    start = NowMs();
    ScreenDimmer().Dim(pixels.get(), width, height, bits);
    dim.push_back(NowMs() - start);
    area.push_back(FirstPaint<GetAreaWnd>());
    picker.push_back(FirstPaint<GetWindowWnd>());
  }
  const double megapixels = double(width) * height / 1e6;
  std::printf("\nselection overlays, %d bits per pixel, median milliseconds\n", bits);
  std::printf("%-34s %10.1f\n", "bare full-screen BitBlt", Median(blit));
  std::printf("%-34s %10.1f   (%.2f per megapixel)\n", "dimming pass", Median(dim),
              Median(dim) / megapixels);
  std::printf("%-34s %10.1f\n", "area overlay, request to painted", Median(area));
  std::printf("%-34s %10.1f\n", "window picker, request to painted", Median(picker));
}

}  // namespace kx::bench
