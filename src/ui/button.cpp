#include "ui/button.h"

#include "ui/offscreen.h"
#include "ui/resource_picture.h"
#include "ui/theme.h"
#include "ui/ui_font.h"

namespace kx {

namespace {

constexpr int kTile = 37;
constexpr int kCorner = 18;  // tile columns/rows 0-17 and 19-36 are corners, 18 stretches
constexpr int kMaxText = 127;

}  // namespace

bool InsideHitRect(const HitRect& hit, POINT p) {
  return p.x >= hit.x && p.x <= hit.x + hit.width - 1 && p.y >= hit.y &&
         p.y <= hit.y + hit.height - 1;
}

HitRect HitRectForMargin(int clientWidth, int clientHeight, int margin) {
  return HitRect{margin, margin, clientWidth - 2 * margin, clientHeight - 2 * margin};
}

int SpinRepeatStep(int y, int bottom, int margin, int maximum) {
  const int top = 0;
  if (y < top + margin) {
    int d = top + margin - y;
    return (d / 9 + 2) * maximum / 100 + 1;
  }
  if (y >= bottom - margin) {
    int d = y - (bottom - margin);
    return -((d / 9 + 2) * maximum / 100 + 1);
  }
  return y <= bottom / 2 ? 1 : -1;
}

int SpinReleaseStep(int y, int height) {
  return y <= height / 2 ? 1 : -1;
}

int ClampToRange(int value, int minimum, int maximum) {
  if (value > maximum) value = maximum;
  if (value < minimum) value = minimum;
  return value;
}

int ButtonStateIndex(bool enabled, bool pressed, bool hovered) {
  if (!enabled) return 3;
  if (pressed) return 2;
  return hovered ? 1 : 0;
}

LRESULT PackWords(int low, int high) {
  return LRESULT(DWORD(MAKELONG(WORD(low), WORD(high))));
}

ButtonEx::ButtonEx(HWND window) : Window(window), font_(CreateUiFont()) {}

UINT ButtonEx::TimerInterval(UINT_PTR id) const {
  return id >= kLeavePollTimer && id <= kHoverDwellTimer ? timerIntervals_[id - kLeavePollTimer]
                                                         : 0;
}

LRESULT ButtonEx::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message >= BXM_TYPE && message <= BXM_RANGE) return OnProperty(message, wParam, lParam);
  switch (message) {
    case WM_ENABLE:
      OnEnable(wParam != 0);
      return 0;
    case WM_CAPTURECHANGED:
      OnCaptureChanged();
      return 0;
    default:
      return Window::OnMessage(message, wParam, lParam);
  }
}

void ButtonEx::OnCreate(const CREATESTRUCTW&) {
  RECT client;
  GetClientRect(hwnd, &client);
  hit_ = HitRect{0, 0, client.right, client.bottom};
}

LRESULT ButtonEx::OnProperty(UINT message, WPARAM wParam, LPARAM lParam) {
  const bool set = LOWORD(wParam) != 0;
  const int low = LOWORD(lParam), high = HIWORD(lParam);
  LRESULT result = 0;
  switch (message) {
    case BXM_TYPE:
      if (set) type_ = UINT(lParam);
      result = type_;
      break;
    case BXM_BACKSTYLE:
      if (set) backStyle_ = UINT(lParam);
      result = backStyle_;
      break;
    case BXM_BACKBITMAP:
      if (set) backBitmap_ = UINT(lParam);
      result = backBitmap_;
      break;
    case BXM_IMAGE1:
      if (set) image1_ = UINT(lParam);
      result = image1_;
      break;
    case BXM_IMAGE2:
      if (set) image2_ = UINT(lParam);
      result = image2_;
      break;
    case BXM_IMAGE1POS:
      if (set) image1Pos_ = POINT{low, high};
      result = PackWords(image1Pos_.x, image1Pos_.y);
      break;
    case BXM_IMAGE2POS:
      if (set) image2Pos_ = POINT{low, high};
      result = PackWords(image2Pos_.x, image2Pos_.y);
      break;
    case BXM_MARGIN:
      if (set) {
        margin_ = int(lParam);
        RECT client;
        GetClientRect(hwnd, &client);
        hit_ = HitRectForMargin(client.right, client.bottom, margin_);
      }
      result = margin_;
      break;
    case BXM_TEXTX:
      if (set) textX_ = int(lParam);
      result = textX_;
      break;
    case BXM_CHECK:
      if (set) checked_ = lParam != 0;
      result = checked_;
      break;
    case BXM_AUTOTOGGLE:
      if (set) autoToggle_ = lParam != 0;
      result = autoToggle_;
      break;
    case BXM_VALUE:
      if (set) value_ = int(lParam);
      result = value_;
      break;
    case BXM_RANGE:
      if (set) {
        minimum_ = low;
        maximum_ = high;
      }
      result = PackWords(minimum_, maximum_);
      break;
  }
  if (set && HIWORD(wParam)) Invalidate();
  return result;
}

bool ButtonEx::CursorHits(POINT* client) const {
  POINT cursor;
  if (!GetCursorPos(&cursor)) return false;
  bool onTop = WindowFromPoint(cursor) == hwnd;
  ScreenToClient(hwnd, &cursor);
  if (client) *client = cursor;
  return onTop && InsideHitRect(hit_, cursor);
}

void ButtonEx::StartTimer(UINT_PTR id, UINT interval) {
  SetTimer(hwnd, id, interval, nullptr);
  timerIntervals_[id - kLeavePollTimer] = interval;
}

void ButtonEx::StopTimer(UINT_PTR id) {
  KillTimer(hwnd, id);
  timerIntervals_[id - kLeavePollTimer] = 0;
}

void ButtonEx::NotifyCommand() const {
  SendMessageW(GetParent(hwnd), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(hwnd), 0),
               reinterpret_cast<LPARAM>(hwnd));
}

void ButtonEx::NotifyParent(UINT code) const {
  NMHDR header = {};
  header.hwndFrom = hwnd;
  header.idFrom = UINT_PTR(GetDlgCtrlID(hwnd));
  header.code = code;
  SendMessageW(GetParent(hwnd), WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header));
}

LRESULT ButtonEx::OnMouseMove(POINT, WPARAM) {
  if (!hovered_ && CursorHits()) {
    hovered_ = true;
    Invalidate();
    StartTimer(kLeavePollTimer, kPollInterval);
    StartTimer(kHoverDwellTimer, kHoverDwell);
  }
  return 1;
}

void ButtonEx::OnButtonDown(UINT message, POINT, WPARAM) {
  if (message != WM_LBUTTONDOWN || type_ > BXT_SPIN || !CursorHits()) return;
  pressed_ = true;
  Invalidate();
  SetCapture(hwnd);
  if (type_ == BXT_SPIN) {
    firstRepeat_ = true;
    StartTimer(kSpinRepeatTimer, kSpinFirstRepeat);
  } else {
    StartTimer(kPressPollTimer, kPollInterval);
  }
  // Taking the focus makes an edit box that had it commit its value first.
  SetFocus(hwnd);
}

void ButtonEx::OnButtonUp(UINT message, POINT, WPARAM) {
  if (message != WM_LBUTTONUP || type_ > BXT_SPIN) return;
  POINT cursor = {};
  bool hits = CursorHits(&cursor);
  bool inside = type_ == BXT_SPIN || hits;
  bool wasPressed = pressed_;
  pressed_ = false;
  Invalidate();
  ReleaseCapture();
  StopTimer(type_ == BXT_SPIN ? kSpinRepeatTimer : kPressPollTimer);
  if (!IsWindowEnabled(hwnd) || !inside || !wasPressed) return;
  if (type_ == BXT_TOGGLE && autoToggle_) checked_ = !checked_;
  if (type_ == BXT_CYCLE && ++value_ > maximum_) value_ = minimum_;
  if (type_ == BXT_SPIN && firstRepeat_) {
    RECT client;
    GetClientRect(hwnd, &client);
    value_ = ClampToRange(value_ + SpinReleaseStep(cursor.y, client.bottom), minimum_, maximum_);
  }
  NotifyCommand();
}

void ButtonEx::OnTimer(UINT_PTR id) {
  switch (id) {
    case kLeavePollTimer:
      if (!CursorHits()) {
        hovered_ = false;
        Invalidate();
        StopTimer(kLeavePollTimer);
        StopTimer(kHoverDwellTimer);
        NotifyParent(BXN_LEAVE);
      }
      break;
    case kPressPollTimer: {
      bool hits = CursorHits();
      if (pressed_ != hits) {
        pressed_ = hits;
        Invalidate();
      }
      break;
    }
    case kSpinRepeatTimer:
      OnSpinRepeat();
      break;
    case kHoverDwellTimer:
      if (CursorHits()) {
        NotifyParent(BXN_HOVER);
        StopTimer(kHoverDwellTimer);
      }
      break;
  }
}

void ButtonEx::OnSpinRepeat() {
  POINT cursor;
  GetCursorPos(&cursor);
  ScreenToClient(hwnd, &cursor);
  RECT client;
  GetClientRect(hwnd, &client);
  int step = SpinRepeatStep(cursor.y, client.bottom, margin_, maximum_);
  value_ = ClampToRange(value_ + step, minimum_, maximum_);
  NotifyCommand();
  if (firstRepeat_) {
    StartTimer(kSpinRepeatTimer, kSpinNextRepeat);
    firstRepeat_ = false;
  }
}

void ButtonEx::OnCaptureChanged() {
  StopTimer(kLeavePollTimer);
  StopTimer(kPressPollTimer);
  StopTimer(kSpinRepeatTimer);
  hovered_ = false;
  pressed_ = false;
  Invalidate();
  NotifyParent(BXN_LEAVE);
}

void ButtonEx::OnEnable(bool enabled) {
  if (!enabled) {
    if (pressed_) ReleaseCapture();
    pressed_ = false;
    RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  }
  Invalidate();
}

void ButtonEx::Paint(HDC dc, int width, int height) const {
  int state = ButtonStateIndex(IsWindowEnabled(hwnd), pressed_, hovered_);
  PaintBackground(dc, width, height, state);
  PaintGlyphs(dc, width, state);
  PaintText(dc, width, height, state);
}

void ButtonEx::PaintBackground(HDC dc, int w, int h, int state) const {
  ResourcePicture back(dc, backBitmap_);
  if (!back) return;
  if (backStyle_ == BXS_STRIP) {
    BitBlt(dc, 0, 0, w, h, back.Dc(), 0, h * state, SRCCOPY);
    return;
  }
  HDC tile = back.Dc();
  const int y0 = kTile * state, farSide = kCorner + 1;
  BitBlt(dc, 0, 0, kCorner, kCorner, tile, 0, y0, SRCCOPY);
  BitBlt(dc, w - kCorner, 0, kCorner, kCorner, tile, farSide, y0, SRCCOPY);
  BitBlt(dc, 0, h - kCorner, kCorner, kCorner, tile, 0, y0 + farSide, SRCCOPY);
  BitBlt(dc, w - kCorner, h - kCorner, kCorner, kCorner, tile, farSide, y0 + farSide, SRCCOPY);
  for (int x = kCorner; x <= w - farSide; ++x) {
    BitBlt(dc, x, 0, 1, kCorner, tile, kCorner, y0, SRCCOPY);
    BitBlt(dc, x, h - kCorner, 1, kCorner, tile, kCorner, y0 + farSide, SRCCOPY);
  }
  for (int y = kCorner; y <= h - farSide; ++y) {
    BitBlt(dc, 0, y, kCorner, 1, tile, 0, y0 + kCorner, SRCCOPY);
    BitBlt(dc, w - kCorner, y, kCorner, 1, tile, farSide, y0 + kCorner, SRCCOPY);
  }
  UniqueBrush fill(CreateSolidBrush(GetPixel(tile, kCorner, y0 + kCorner)));
  RECT middle = {kCorner, kCorner, w - kCorner, h - kCorner};
  if (fill) FillRect(dc, &middle, fill.Get());
}

void ButtonEx::PaintGlyphs(HDC dc, int w, int state) const {
  const bool toggle = type_ == BXT_TOGGLE;
  if (image1_ && !(toggle && checked_)) {
    ResourcePicture glyph(dc, image1_);
    int ph = glyph.Height() / 4;
    if (glyph)
      BitBlt(dc, image1Pos_.x, image1Pos_.y, glyph.Width(), ph, glyph.Dc(), 0, ph * state, SRCCOPY);
  }
  if (image2_ && !(toggle && !checked_)) {
    ResourcePicture glyph(dc, image2_);
    int ph = glyph.Height() / 4;
    int x = toggle ? image2Pos_.x : w - image2Pos_.x - glyph.Width();
    if (glyph) BitBlt(dc, x, image2Pos_.y, glyph.Width(), ph, glyph.Dc(), 0, ph * state, SRCCOPY);
  }
}

void ButtonEx::PaintText(HDC dc, int w, int h, int state) const {
  wchar_t text[kMaxText + 1] = {};
  GetWindowTextW(hwnd, text, kMaxText + 1);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, theme::kButtonText[state]);
  ScopedSelect font(dc, font_.Get());
  RECT box = {0, 0, w, h};
  UINT format = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX;
  if (textX_ == -1) {
    format |= DT_CENTER;
  } else {
    box.left = textX_;
    format |= DT_LEFT;
  }
  DrawTextW(dc, text, -1, &box, format);
}

HWND CreateButtonEx(HWND parent, const wchar_t* text, int id, int x, int y, int width, int height) {
  return CreateWindowExW(0, kButtonClass, text, WS_CHILD | WS_VISIBLE, x, y, width, height, parent,
                         reinterpret_cast<HMENU>(INT_PTR(id)), GetModuleHandleW(nullptr), nullptr);
}

}  // namespace kx
