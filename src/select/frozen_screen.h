// The picture of the screen that both selection overlays show instead of the live screen:
// taken once when an overlay opens, kept clean and as a dimmed copy, so that choosing works
// on exactly what the user saw and painting never recomputes the dimming.
#pragma once

#include <windows.h>

#include <cstdint>

#include "base/handles.h"
#include "capture/capture_profile.h"
#include "capture/desktop.h"

namespace kx {

// A window's drawing context drawn in screen coordinates for the scope: the overlays keep
// every point (cursor, selection, window rectangles) in screen pixels, and their window
// starts at the desktop's top-left, which lies at negative coordinates when a monitor is
// left of or above the primary.
class ScreenCoordinates {
 public:
  ScreenCoordinates(HDC dc, HWND window);
  ~ScreenCoordinates() { SetWindowOrgEx(dc_, previous_.x, previous_.y, nullptr); }
  ScreenCoordinates(const ScreenCoordinates&) = delete;
  ScreenCoordinates& operator=(const ScreenCoordinates&) = delete;
  // The screen rectangle of a client area of this size.
  ScreenRect Area(int width, int height) const;

 private:
  HDC dc_;
  POINT origin_ = {}, previous_ = {};
};

class FrozenScreen {
 public:
  // Takes both pictures of the whole desktop, every monitor, black where no monitor shows.
  // Whatever cannot be made stays null and paints nothing.
  void Take() {
    Freeze();
    MakeDimmed();
  }
  // Take's two phases, apart so that each can be timed: the screen copied once into the
  // clean picture, then the dimmed one made from it.
  void Freeze();
  void MakeDimmed();

  // The monitors as they were when the pictures were taken.
  const Desktop& Monitors() const { return desktop_; }
  // Null when that picture is missing; both are addressed in screen coordinates.
  HDC Clean() const { return cleanBitmap ? cleanDC.Get() : nullptr; }
  HDC Dim() const { return dimBitmap ? dimDC.Get() : nullptr; }

  // Into a context in screen coordinates: the clean picture over the whole desktop.
  void PaintClean(HDC dc) const;
  // The dimmed picture, `bright` grown by 3 pixels filled with `frame`, and the clean
  // picture back inside `bright`: the chosen part at full brightness in a 3-pixel frame.
  void PaintHighlight(HDC dc, const ScreenRect& bright, HBRUSH frame) const;

 private:
  Desktop desktop_;
  // Declared before the contexts, so that each context goes before its bitmap.
  UniqueBitmap cleanBitmap, dimBitmap;
  UniqueDc cleanDC, dimDC;
  uint8_t* cleanPixels_ = nullptr;  // the clean picture's DIB pixels, when it is one
};

}  // namespace kx
