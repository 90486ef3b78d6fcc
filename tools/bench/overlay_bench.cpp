// Times the selection overlays on whatever the desktop shows (the capture benchmark's last
// scene): from the request to the first painted overlay (freeze, dimming and first paint) for
// both, and the dimming pass alone, each next to a bare BitBlt of the whole desktop (every
// monitor's bounding rectangle) measured alternately in the same run.
#include "overlay_bench.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

#include "baselines.h"
#include "capture/desktop.h"
#include "select/dimming.h"
#include "select/get_area_window.h"
#include "select/get_window_window.h"

namespace kx::bench {

namespace {

void DrainMessages() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
}

// Opens the overlay as the capture flow does and paints it once; `overlay` is left open.
template <class T>
bool OpenAndPaint(HWND& overlay) {
  CaptureProfile profile = {};
  profile.SetMagnifier = 1;
  SelectionEnd end = SelectionEnd::kClosed;
  overlay = WithMakerOf<T>(
      [](const WindowMaker* maker) { return OpenOverlay(T::kClassName, maker); }, profile, end);
  if (!overlay) return false;
  UpdateWindow(overlay);
  GdiFlush();
  return true;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values.empty() ? 0 : values[values.size() / 2];
}

// The request to the first painted overlay, next to the baseline; each overlay is closed,
// and what its closing posted handled, outside the timed span.
template <class T>
PairedMedians TimeOpenings(int runs, const Step& baseline) {
  std::vector<double> ours, bare;
  bool failed = false;
  for (int i = 0; i < runs; ++i) {
    HWND overlay = nullptr;
    const PairedMedians once = TimePair(
        1, [&] { return OpenAndPaint<T>(overlay); }, baseline);
    if (overlay) DestroyWindow(overlay);
    DrainMessages();
    ours.push_back(once.ours);
    bare.push_back(once.baseline);
    failed = failed || once.failed;
  }
  return {Median(ours), Median(bare), failed};
}

}  // namespace

std::vector<Row> MeasureOverlays(int runs) {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  RegisterWindow<GetAreaWnd>(instance);
  RegisterWindow<GetWindowWnd>(instance);
  ScopedWindowDc screen(GetDesktopWindow());
  const ScreenRect desktop = ReadDesktop().bounds;
  const int width = desktop.right - desktop.left, height = desktop.bottom - desktop.top;
  const int bits = GetDeviceCaps(screen.Get(), BITSPIXEL);
  const auto bareCopy = [&] { return BareCopy(desktop.left, desktop.top, width, height); };
  const UniqueBitmap picture = bareCopy();
  const size_t size = size_t(DibStride(width, bits)) * height;
  std::unique_ptr<uint8_t[]> screenPixels(new uint8_t[size]), pixels(new uint8_t[size]);
  BITMAPINFO info = {};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, height, 1, WORD(bits), BI_RGB, 0, 0, 0, 0, 0};
  GetDIBits(screen.Get(), picture.Get(), 0, UINT(height), screenPixels.get(), &info,
            DIB_RGB_COLORS);
  const Step bare = [&] { return bool(bareCopy()); };
  // Each run dims the screen's own colours: flat areas cost the pass less than varied ones.
  const auto restore = [&] { std::memcpy(pixels.get(), screenPixels.get(), size); };
  restore();
  return {
      {"dimming pass", "BitBlt of the desktop",
       TimePair(
           runs,
           [&] {
             ScreenDimmer().Dim(pixels.get(), width, height, bits);
             return true;
           },
           bare, restore)},
      {"area overlay painted", "BitBlt of the desktop", TimeOpenings<GetAreaWnd>(runs, bare)},
      {"window picker painted", "BitBlt of the desktop", TimeOpenings<GetWindowWnd>(runs, bare)}};
}

}  // namespace kx::bench
