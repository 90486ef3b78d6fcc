// GDI+ (flat interface) objects as owning handles, and the session that starts GDI+.
#pragma once

#include <windows.h>
// GDI+ needs the COM declarations of these two.
#include <objidl.h>
#include <propidl.h>
// (kept after them on purpose)
#include <gdiplus.h>

#include "base/handles.h"

namespace kx {

namespace gp = Gdiplus::DllExports;
using Gdiplus::GpStatus;

inline void FreeGpImage(Gdiplus::GpImage* p) {
  gp::GdipDisposeImage(p);
}
inline void FreeGpGraphics(Gdiplus::GpGraphics* p) {
  gp::GdipDeleteGraphics(p);
}
inline void FreeGpPen(Gdiplus::GpPen* p) {
  gp::GdipDeletePen(p);
}
inline void FreeGpBrush(Gdiplus::GpBrush* p) {
  gp::GdipDeleteBrush(p);
}
inline void FreeGpFont(Gdiplus::GpFont* p) {
  gp::GdipDeleteFont(p);
}
inline void FreeGpFontFamily(Gdiplus::GpFontFamily* p) {
  gp::GdipDeleteFontFamily(p);
}

using UniqueGpBitmap = Unique<Gdiplus::GpBitmap*, ClosePolicy<Gdiplus::GpBitmap*, FreeGpImage>>;
using UniqueGpGraphics =
    Unique<Gdiplus::GpGraphics*, ClosePolicy<Gdiplus::GpGraphics*, FreeGpGraphics>>;
using UniqueGpPen = Unique<Gdiplus::GpPen*, ClosePolicy<Gdiplus::GpPen*, FreeGpPen>>;
using UniqueGpBrush = Unique<Gdiplus::GpBrush*, ClosePolicy<Gdiplus::GpBrush*, FreeGpBrush>>;
using UniqueGpFont = Unique<Gdiplus::GpFont*, ClosePolicy<Gdiplus::GpFont*, FreeGpFont>>;
using UniqueGpFontFamily =
    Unique<Gdiplus::GpFontFamily*, ClosePolicy<Gdiplus::GpFontFamily*, FreeGpFontFamily>>;
using UniquePalette = UniqueGdi<HPALETTE>;

// GDI+ for the scope: start-up uses one for the whole run, tests one per test.
class GdiplusSession {
 public:
  GdiplusSession() {
    Gdiplus::GdiplusStartupInput input;
    if (Gdiplus::GdiplusStartup(&token_, &input, nullptr) != Gdiplus::Ok) token_ = 0;
  }
  ~GdiplusSession() { End(); }
  GdiplusSession(const GdiplusSession&) = delete;
  GdiplusSession& operator=(const GdiplusSession&) = delete;
  bool Started() const { return token_ != 0; }
  // Shuts GDI+ down before the end of the scope (start-up ends it before COM).
  void End() {
    if (token_) Gdiplus::GdiplusShutdown(std::exchange(token_, 0));
  }

 private:
  ULONG_PTR token_ = 0;
};

}  // namespace kx
