#include "baselines.h"

#include "capture/capture_output.h"

namespace kx::bench {

UniqueBitmap BareScreenCopy() {
  return BareCopy(0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
}

UniqueBitmap BareCopy(int x, int y, int width, int height) {
  ScopedWindowDc screen(nullptr);
  UniqueDc memory(CreateCompatibleDC(screen.Get()));
  UniqueBitmap bitmap(CreateCompatibleBitmap(screen.Get(), width, height));
  if (!memory || !bitmap) return {};
  ScopedSelect selected(memory.Get(), bitmap.Get());
  BitBlt(memory.Get(), 0, 0, width, height, screen.Get(), x, y, SRCCOPY);
  return bitmap;
}

UniqueGpBitmap BareImage(HBITMAP bitmap) {
  Gdiplus::GpBitmap* image = nullptr;
  gp::GdipCreateBitmapFromHBITMAP(bitmap, nullptr, &image);
  return UniqueGpBitmap(image);
}

BareEncoder::BareEncoder(uint32_t format, uint32_t jpegQuality)
    : found_(FindEncoder(OutputMimeType(format), &encoder_) != 0),
      parameters_(block_.Build(format, jpegQuality)) {}

bool BareEncoder::Save(Gdiplus::GpBitmap* image, const std::wstring& path) const {
  return found_ && image &&
         gp::GdipSaveImageToFile(image, path.c_str(), &encoder_, parameters_) == Gdiplus::Ok;
}

}  // namespace kx::bench
