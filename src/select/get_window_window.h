// The window picker: the frozen, dimmed screen with the window or element under the pointer
// shown at full brightness in a red frame that glides from one element to the next.
#pragma once

#include <windows.h>

#include <vector>

#include "base/handles.h"
#include "capture/capture_profile.h"
#include "select/frozen_screen.h"
#include "select/overlay.h"
#include "select/pick_geometry.h"
#include "ui/window_base.h"

namespace kx {

class GetWindowWnd : public OverlayWindow {
 public:
  static constexpr const wchar_t* kClassName = L"KXGetWindowWndClass";
  static inline const wchar_t* const kCursor = IDC_HAND;
  static constexpr UINT_PTR kGlideTimer = 1026;
  static constexpr UINT kGlideTickMs = 10;
  // `profile` is the current profile, where the pick is written.
  GetWindowWnd(HWND window, CaptureProfile& profile, SelectionEnd& end);

  void Paint(HDC dc, int width, int height) const override;

 protected:
  void OnCreate(const CREATESTRUCTW& create) override;
  LRESULT OnMouseMove(POINT client, WPARAM keys) override;
  void OnTimer(UINT_PTR id) override;
  void OnButtonDown(UINT message, POINT client, WPARAM keys) override;

 private:
  HWND pickedWindow = nullptr;
  ScreenRect targetRect, startRect, shownRect;
  int animStep = 0;
  FrozenScreen frozen_;
  UniqueBrush frameBrush;
  std::vector<WindowNode> windowList;
};

// Opens the window picker and returns when it has closed. The result is also left in the
// profile: on a click the highlighted window (0 before any) and its rectangle clamped to the
// desktop (every monitor); no window and an empty InRect on Escape; nothing on focus loss or
// close.
Selection RunGetWindowWindow(CaptureProfile& profile);

}  // namespace kx
