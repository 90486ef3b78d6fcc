// The picture of the screen that both selection overlays show instead of the live screen:
// taken once when an overlay opens, kept clean and as a dimmed copy, so that choosing works
// on exactly what the user saw and painting never recomputes the dimming.
#pragma once

#include <windows.h>

#include "base/handles.h"
#include "capture/capture_profile.h"

namespace kx {

class FrozenScreen {
 public:
  // Where the dimmed copy is copied from before dimming: the screen itself (area overlay) or
  // the clean copy just taken (window picker; same content).
  enum class DimSource { kScreen, kCleanCopy };

  // Takes both pictures. Whatever cannot be made stays null and paints nothing; a buffer
  // that cannot be allocated leaves the dimmed copy undimmed.
  void Take(DimSource source);

  // Null when that picture is missing.
  HDC Clean() const { return cleanBitmap ? cleanDC.Get() : nullptr; }
  HDC Dim() const { return dimBitmap ? dimDC.Get() : nullptr; }

  // The clean picture over the whole area.
  void PaintClean(HDC dc, int width, int height) const;
  // The dimmed picture, `bright` grown by 3 pixels filled with `frame`, and the clean
  // picture back inside `bright`: the chosen part at full brightness in a 3-pixel frame.
  void PaintHighlight(HDC dc, int width, int height, const ScreenRect& bright, HBRUSH frame) const;

 private:
  // Declared before the contexts, so that each context goes before its bitmap.
  UniqueBitmap cleanBitmap, dimBitmap;
  UniqueDc cleanDC, dimDC;
};

}  // namespace kx
