// Times the selection overlays on whatever the desktop shows (the capture benchmark's last
// scene), each next to a bare BitBlt of the whole desktop (every monitor's bounding
// rectangle) measured alternately in the same run: for both overlays the request to the first
// painted overlay, and its phases: freeze (the screen copied into the frozen picture) and
// dimming, each on its own; window creation and show (the opening less its WM_CREATE, where
// freeze and dimming run, and less its paint); the first paint until the picture is on the
// screen. Then the dimming pass alone.
#include "overlay_bench.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "baselines.h"
#include "capture/desktop.h"
#include "select/dimming.h"
#include "select/frozen_screen.h"
#include "select/get_area_window.h"
#include "select/get_window_window.h"

namespace kx::bench {

namespace {

void DrainMessages() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
}

// The overlay as it is, with its WM_CREATE and its first WM_PAINT timed.
template <class T>
class Timed : public T {
 public:
  using T::T;
  static inline double createMs = 0, paintMs = 0;

 protected:
  void OnCreate(const CREATESTRUCTW& create) override {
    const double start = NowMs();
    T::OnCreate(create);
    createMs = NowMs() - start;
  }
  void OnPaint() override {
    const double start = NowMs();
    T::OnPaint();
    GdiFlush();
    if (paintMs == 0) paintMs = NowMs() - start;
  }
};

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values.empty() ? 0 : values[values.size() / 2];
}

struct Phases {
  std::vector<double> freeze, dimming, window, paint, total, bare;
  bool failed = false;
};

// One opening as the capture flow makes it, until its first paint is done; the overlay is
// closed, and what its closing posted handled, outside the timed span.
template <class T>
bool TimeOpening(Phases& phases) {
  using Overlay = Timed<T>;
  Overlay::createMs = Overlay::paintMs = 0;
  CaptureProfile profile = {};
  profile.SetMagnifier = 1;
  SelectionEnd end = SelectionEnd::kClosed;
  const double start = NowMs();
  HWND overlay = WithMakerOf<Overlay>(
      [](const WindowMaker* maker) { return OpenOverlay(T::kClassName, maker); }, profile, end);
  if (overlay) {
    UpdateWindow(overlay);
    GdiFlush();
  }
  const double total = NowMs() - start;
  if (overlay) DestroyWindow(overlay);
  DrainMessages();
  if (!overlay || Overlay::paintMs == 0) return false;
  phases.total.push_back(total);
  phases.paint.push_back(Overlay::paintMs);
  phases.window.push_back(total - Overlay::createMs - Overlay::paintMs);
  return true;
}

template <class T>
std::vector<Row> MeasureOverlay(const char* total, const char* phase, int runs, const Step& bare) {
  Phases p;
  const auto timeBare = [&] {
    const double start = NowMs();
    p.failed = !bare() || p.failed;
    p.bare.push_back(NowMs() - start);
  };
  for (int i = 0; i < runs; ++i) {
    {
      FrozenScreen frozen;
      const double start = NowMs();
      frozen.Freeze();
      const double frozenAt = NowMs();
      frozen.MakeDimmed();
      p.freeze.push_back(frozenAt - start);
      p.dimming.push_back(NowMs() - frozenAt);
      p.failed = !frozen.Dim() || p.failed;
    }
    timeBare();
    p.failed = !TimeOpening<T>(p) || p.failed;
    timeBare();
  }
  const double base = Median(p.bare);
  const auto row = [&](const std::string& step, const std::vector<double>& ms) {
    return Row{step, "BitBlt of the desktop", {Median(ms), base, p.failed}};
  };
  const std::string prefix = std::string(phase) + ": ";
  return {row(total, p.total), row(prefix + "freeze", p.freeze), row(prefix + "dimming", p.dimming),
          row(prefix + "window + show", p.window), row(prefix + "first paint", p.paint)};
}

}  // namespace

std::vector<Row> MeasureOverlays(int runs) {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  RegisterWindow<Timed<GetAreaWnd>>(instance);
  RegisterWindow<Timed<GetWindowWnd>>(instance);
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
  std::vector<Row> rows = {{"dimming pass", "BitBlt of the desktop",
                            TimePair(
                                runs,
                                [&] {
                                  ScreenDimmer().Dim(pixels.get(), width, height, bits);
                                  return true;
                                },
                                bare, restore)}};
  for (auto overlay : {MeasureOverlay<GetAreaWnd>("area overlay painted", "area", runs, bare),
                       MeasureOverlay<GetWindowWnd>("window picker painted", "picker", runs, bare)})
    rows.insert(rows.end(), overlay.begin(), overlay.end());
  return rows;
}

}  // namespace kx::bench
