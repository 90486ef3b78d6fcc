// HButtonEx_0000: the one button of the program. Push, toggle, cycle and spin buttons,
// drawn from bitmap resources, configured through property messages, polling hover and
// press with window timers, reporting to the parent with WM_COMMAND and WM_NOTIFY.
#pragma once

#include <windows.h>

#include <array>

#include "base/handles.h"
#include "ui/window_base.h"

namespace kx {

inline constexpr wchar_t kButtonClass[] = L"HButtonEx_0000";

// Property messages. Low word of wParam nonzero: set from lParam; high word nonzero as
// well: repaint. The result is always the property's value after the change.
inline constexpr UINT BXM_TYPE = WM_USER + 2;
inline constexpr UINT BXM_BACKSTYLE = WM_USER + 3;
inline constexpr UINT BXM_BACKBITMAP = WM_USER + 4;
inline constexpr UINT BXM_IMAGE1 = WM_USER + 5;
inline constexpr UINT BXM_IMAGE2 = WM_USER + 6;
inline constexpr UINT BXM_IMAGE1POS = WM_USER + 7;
inline constexpr UINT BXM_IMAGE2POS = WM_USER + 8;
inline constexpr UINT BXM_MARGIN = WM_USER + 9;
inline constexpr UINT BXM_TEXTX = WM_USER + 10;
inline constexpr UINT BXM_CHECK = WM_USER + 11;
inline constexpr UINT BXM_AUTOTOGGLE = WM_USER + 12;
inline constexpr UINT BXM_VALUE = WM_USER + 13;
inline constexpr UINT BXM_RANGE = WM_USER + 14;

inline constexpr WPARAM kSetSilently = 1;
inline constexpr WPARAM kSetAndRepaint = 0x10001;

inline constexpr UINT BXT_PUSH = 0, BXT_TOGGLE = 1, BXT_CYCLE = 2, BXT_SPIN = 3;
inline constexpr UINT BXS_FRAME = 0, BXS_STRIP = 1;
inline constexpr UINT BXN_HOVER = 0, BXN_LEAVE = 1;

// Window timers of one button.
inline constexpr UINT_PTR kLeavePollTimer = 100;
inline constexpr UINT_PTR kPressPollTimer = 101;
inline constexpr UINT_PTR kSpinRepeatTimer = 102;
inline constexpr UINT_PTR kHoverDwellTimer = 103;
inline constexpr UINT kPollInterval = 10;
inline constexpr UINT kHoverDwell = 191;
inline constexpr UINT kSpinFirstRepeat = 399;
inline constexpr UINT kSpinNextRepeat = 77;

// Pure arithmetic of the button, kept apart for testing.
struct HitRect {
  int x = 0, y = 0, width = 0, height = 0;
};
bool InsideHitRect(const HitRect& hit, POINT client);
HitRect HitRectForMargin(int clientWidth, int clientHeight, int margin);
// Step of one auto-repeat of a spin whose client area is 0..bottom, for the cursor's client y:
// grows by maximum / 100 for every 9 pixels beyond the margin band, +-1 inside the button.
int SpinRepeatStep(int y, int bottom, int margin, int maximum);
// +1 in the upper half (y <= height / 2), else -1.
int SpinReleaseStep(int y, int height);
// Clamps to the maximum first, then to the minimum (a minimum above the maximum wins).
int ClampToRange(int value, int minimum, int maximum);
// 0 normal, 1 hover, 2 pressed, 3 disabled.
int ButtonStateIndex(bool enabled, bool pressed, bool hovered);
LRESULT PackWords(int low, int high);

class ButtonEx : public Window {
 public:
  static constexpr const wchar_t* kClassName = kButtonClass;
  explicit ButtonEx(HWND window);

  // Composes the whole button in `dc` (the off-screen picture of WM_PAINT).
  void Paint(HDC dc, int width, int height) const override;
  // Interval of a running timer of this button as last started, 0 when it is not running.
  UINT TimerInterval(UINT_PTR id) const;

 private:
  void OnCreate(const CREATESTRUCTW& create) override;
  LRESULT OnMouseMove(POINT client, WPARAM keys) override;
  void OnButtonDown(UINT message, POINT client, WPARAM keys) override;
  void OnButtonUp(UINT message, POINT client, WPARAM keys) override;
  void OnTimer(UINT_PTR id) override;
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  LRESULT OnProperty(UINT message, WPARAM wParam, LPARAM lParam);
  void OnCaptureChanged();
  void OnEnable(bool enabled);
  void OnSpinRepeat();

  bool CursorHits(POINT* client = nullptr) const;
  void StartTimer(UINT_PTR id, UINT interval);
  void StopTimer(UINT_PTR id);
  void NotifyCommand() const;
  void NotifyParent(UINT code) const;
  void PaintBackground(HDC dc, int width, int height, int state) const;
  void PaintGlyphs(HDC dc, int width, int state) const;
  void PaintText(HDC dc, int width, int height, int state) const;

  UINT type_ = BXT_PUSH;
  UINT backStyle_ = BXS_FRAME;
  UINT backBitmap_ = 0;
  UINT image1_ = 0;
  UINT image2_ = 0;
  UniqueFont font_;
  POINT image1Pos_ = {0, 0};
  POINT image2Pos_ = {0, 0};
  int textX_ = -1;
  int margin_ = 2;
  HitRect hit_;
  int minimum_ = 0, maximum_ = 0;
  int value_ = 0;
  bool checked_ = false;
  bool autoToggle_ = true;
  bool hovered_ = false;
  bool pressed_ = false;
  bool firstRepeat_ = false;
  std::array<UINT, 4> timerIntervals_ = {};  // timers 100-103
};

// A visible child button with the given text, position, size and control id; null on failure.
HWND CreateButtonEx(HWND parent, const wchar_t* text, int id, int x, int y, int width, int height);

}  // namespace kx
