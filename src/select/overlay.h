// What the two selection overlays share: how one ends, what the capture flow gets back, and
// the borderless, topmost, full-screen popup that is opened and run modally.
#pragma once

#include <windows.h>

#include <cstdint>

#include "capture/capture_profile.h"
#include "ui/window_base.h"

namespace kx {

enum class SelectionEnd {
  kClosed,     // focus lost or closed: nothing written
  kChosen,     // button released (area) or pressed (picker): the result written
  kCancelled,  // Escape released: no window and an empty rectangle written
};

// The outcome of one overlay, as it left the current profile's InWindow and InRect.
struct Selection {
  SelectionEnd end = SelectionEnd::kClosed;
  uint32_t window = 0;
  ScreenRect rect = {};
  // What the capture flow treats as a cancel: no window and an empty rectangle (a closed
  // overlay leaves the flow's reset values, so it counts too).
  bool Cancelled() const;
};

// Base of both overlays: Escape (on its release) and a display change cancel, focus loss and
// close end without writing, and the destruction ends the modal loop.
class OverlayWindow : public Window {
 public:
  OverlayWindow(HWND window, CaptureProfile& profile, SelectionEnd& end)
      : Window(window), profile_(profile), end_(end) {}

 protected:
  // Records how the overlay ended and destroys it, once: the focus loss that the destruction
  // itself causes must not end it again.
  void End(SelectionEnd how);
  // No window and an empty rectangle written, as Escape does.
  void Cancel();
  void OnPaint() override;
  void OnClose() override { End(SelectionEnd::kClosed); }
  void OnDestroy() override { PostQuitMessage(0); }
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  CaptureProfile& profile_;

 private:
  SelectionEnd& end_;
  bool ended_ = false;
  bool painted_ = false;
};

// Creates the overlay of the class over the whole desktop (every monitor), shows it, brings it
// to the front and makes it topmost. Null on failure.
HWND OpenOverlay(const wchar_t* className, const WindowMaker* maker);

// Runs the overlay's modal loop until it is destroyed; then reads the result from `profile`.
Selection FinishOverlay(HWND overlay, const SelectionEnd& end, const CaptureProfile& profile);

// Opens an overlay of type T, made as T(hwnd, profile, end), and returns when it has closed.
template <class T>
Selection RunOverlay(CaptureProfile& profile) {
  SelectionEnd end = SelectionEnd::kClosed;
  HWND overlay = WithMakerOf<T>(
      [](const WindowMaker* maker) { return OpenOverlay(T::kClassName, maker); }, profile, end);
  return FinishOverlay(overlay, end, profile);
}

}  // namespace kx
