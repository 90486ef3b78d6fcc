// A topmost popup over the whole primary screen that paints the benchmark's picture from the
// picture's own pixels on every WM_PAINT, so that whatever asks it to repaint, the screen
// goes on showing the known picture.
#pragma once

#include "picture.h"
#include "ui/window_base.h"

namespace kx::bench {

class PictureWindow : public Window {
 public:
  static constexpr const wchar_t* kClassName = L"KXBenchPictureWndClass";
  explicit PictureWindow(HWND window) : Window(window) {}

  // Registers the class and opens the window; null when either fails.
  static PictureWindow* Open();

  // Keeps its own copy of `picture` and repaints at once.
  void Show(Picture picture);
  void Paint(HDC dc, int width, int height) const override;

 private:
  Picture picture_;
};

}  // namespace kx::bench
