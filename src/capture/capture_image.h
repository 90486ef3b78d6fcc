// The holder of one shot: the grabbed bitmap, its palette and the GDI+ image drawn on and
// encoded. It owns all three; a bitmap handed to the clipboard leaves it first.
#pragma once

#include <windows.h>

#include "capture/capture_layout.h"
#include "capture/gdiplus_handles.h"

namespace kx {

class CaptureImage {
 public:
  explicit CaptureImage(HWND ownerWindow) : owner(ownerWindow) {}
  ~CaptureImage() { Release(); }
  CaptureImage(const CaptureImage&) = delete;
  CaptureImage& operator=(const CaptureImage&) = delete;

  // Disposes the GDI+ image before the bitmap it was made from; the layout stays.
  void Release() {
    image.Reset();
    bitmap.Reset();
    palette.Reset();
  }

  HWND owner;
  UniqueBitmap bitmap;
  UniquePalette palette;
  UniqueGpBitmap image;
  CaptureLayout layout;
};

}  // namespace kx
