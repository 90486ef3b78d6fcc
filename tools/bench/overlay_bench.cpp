// Times the selection overlays on the scene the capture benchmark shows: from the request to
// the first painted overlay (freeze, dimming and first paint) for both, and the dimming pass
// alone, each next to a bare full-screen BitBlt measured alternately in the same run.
#include "overlay_bench.h"

#include <cstdio>
#include <memory>

#include "baselines.h"
#include "select/dimming.h"
#include "select/get_area_window.h"
#include "select/get_window_window.h"

namespace kx::bench {

namespace {

void DrainMessages() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
}

// Opens the overlay as the capture flow does and paints it once.
template <class T>
bool FirstPaint() {
  CaptureProfile profile = {};
  profile.SetMagnifier = 1;
  SelectionEnd end = SelectionEnd::kClosed;
  HWND overlay = WithMakerOf<T>(
      [](const WindowMaker* maker) { return OpenOverlay(T::kClassName, maker); }, profile, end);
  if (!overlay) return false;
  UpdateWindow(overlay);
  GdiFlush();
  DestroyWindow(overlay);
  DrainMessages();
  return true;
}

}  // namespace

std::vector<Row> MeasureOverlays(int runs) {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  RegisterWindow<GetAreaWnd>(instance);
  RegisterWindow<GetWindowWnd>(instance);
  ScopedWindowDc screen(GetDesktopWindow());
  const int width = GetDeviceCaps(screen.Get(), HORZRES),
            height = GetDeviceCaps(screen.Get(), VERTRES);
  const int bits = GetDeviceCaps(screen.Get(), BITSPIXEL);
  const UniqueBitmap picture = BareScreenCopy();
  const size_t size = size_t(DibStride(width, bits)) * height;
  std::unique_ptr<uint8_t[]> pixels(new uint8_t[size]);
  BITMAPINFO info = {};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, height, 1, WORD(bits), BI_RGB, 0, 0, 0, 0, 0};
  GetDIBits(screen.Get(), picture.Get(), 0, UINT(height), pixels.get(), &info, DIB_RGB_COLORS);
  const Step bareCopy = [] { return bool(BareScreenCopy()); };
  // The pass darkens the same buffer again each run: its cost does not depend on the colours.
  return {{"dimming pass", "BitBlt of the screen",
           TimePair(
               runs,
               [&] {
                 ScreenDimmer().Dim(pixels.get(), width, height, bits);
                 return true;
               },
               bareCopy)},
          {"area overlay painted", "BitBlt of the screen",
           TimePair(runs, FirstPaint<GetAreaWnd>, bareCopy)},
          {"window picker painted", "BitBlt of the screen",
           TimePair(runs, FirstPaint<GetWindowWnd>, bareCopy)}};
}

}  // namespace kx::bench
