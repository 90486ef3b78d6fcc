// The area overlay: a frozen picture of the screen on which the user drags out the area to
// capture, with a red crosshair instead of the cursor and an optional magnifier.
#pragma once

#include <windows.h>

#include "base/handles.h"
#include "capture/capture_profile.h"
#include "select/frozen_screen.h"
#include "select/overlay.h"
#include "ui/window_base.h"

namespace kx {

class GetAreaWnd : public OverlayWindow {
 public:
  static constexpr const wchar_t* kClassName = L"KXGetAreaWndClass";
  // `profile` is the current profile: SetMagnifier is read and toggled, the result written.
  GetAreaWnd(HWND window, CaptureProfile& profile, SelectionEnd& end);
  ~GetAreaWnd() override;

  void Paint(HDC dc, int width, int height) const override;

 protected:
  void OnCreate(const CREATESTRUCTW& create) override;
  LRESULT OnMouseMove(POINT client, WPARAM keys) override;
  void OnButtonDown(UINT message, POINT client, WPARAM keys) override;
  void OnButtonUp(UINT message, POINT client, WPARAM keys) override;

 private:
  void PaintMagnifier(HDC dc, const ScreenRect& monitor) const;

  bool dragging = false;
  POINT cursorPos = {};  // until the first move: where the cursor was at creation
  POINT anchorPos = {};
  ScreenRect selection = {};
  bool magnifierOn;
  FrozenScreen frozen_;
  UniqueBrush frameBrush;
  UniquePen framePen;
  UniqueFont labelFont;
  bool cursorHidden_ = false;
};

// Opens the area overlay and returns when it has closed. The result is also left in the
// profile: InRect on release (possibly empty), no window and an empty InRect on Escape,
// nothing on focus loss or close.
Selection RunGetAreaWindow(CaptureProfile& profile);

}  // namespace kx
