// The platform doing each measured job with nothing of ours around it: the baselines that
// the engine's figures are divided by.
#pragma once

#include <string>

#include "base/handles.h"
#include "capture/gdiplus_handles.h"
#include "capture/output_plan.h"

namespace kx::bench {

// A copy of the whole primary screen: a compatible bitmap and one BitBlt.
UniqueBitmap BareScreenCopy();
// The same of a screen rectangle (of every monitor's bounding rectangle, say).
UniqueBitmap BareCopy(int x, int y, int width, int height);

// The GDI+ bitmap of a GDI bitmap, as an encoder needs it.
UniqueGpBitmap BareImage(HBITMAP bitmap);

// An installed encoder with the parameters the engine asks for the same format, looked up
// once, so that a save measures only GDI+ encoding and writing.
class BareEncoder {
 public:
  BareEncoder(uint32_t format, uint32_t jpegQuality);
  bool Found() const { return found_; }
  bool Save(Gdiplus::GpBitmap* image, const std::wstring& path) const;

 private:
  CLSID encoder_ = {};
  bool found_ = false;
  EncoderParameterBlock block_;
  const Gdiplus::EncoderParameters* parameters_ = nullptr;
};

}  // namespace kx::bench
