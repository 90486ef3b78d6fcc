#include "ui/tool_buttons.h"

#include "resource_ids.h"
#include "ui/button.h"

namespace kx {

namespace {

constexpr int kStandardMargin = 2;

struct Glyphs {
  UINT image1 = 0, image2 = 0;
  POINT position = {0, 0};  // both images
};

// Properties go in a fixed order, all without repaint: type, background, images,
// positions, margin; the caller then adds auto-toggle or range.
HWND CreatePreset(HWND parent, const wchar_t* text, int id, int x, int y, int width, int height,
                  UINT type, const Glyphs& glyphs) {
  HWND button = CreateButtonEx(parent, text, id, x, y, width, height);
  if (!button) return nullptr;
  if (type != BXT_PUSH) SendMessageW(button, BXM_TYPE, kSetSilently, type);
  SendMessageW(button, BXM_BACKBITMAP, kSetSilently, IDB_BUTTON_TILE);
  if (glyphs.image1) SendMessageW(button, BXM_IMAGE1, kSetSilently, glyphs.image1);
  if (glyphs.image2) SendMessageW(button, BXM_IMAGE2, kSetSilently, glyphs.image2);
  LPARAM position = MAKELPARAM(glyphs.position.x, glyphs.position.y);
  if (glyphs.image1) SendMessageW(button, BXM_IMAGE1POS, kSetSilently, position);
  if (glyphs.image2) SendMessageW(button, BXM_IMAGE2POS, kSetSilently, position);
  SendMessageW(button, BXM_MARGIN, kSetSilently, kStandardMargin);
  return button;
}

constexpr Glyphs kCheckGlyphs = {IDB_GLYPH_CROSS, IDB_GLYPH_CHECK, {12, 12}};

}  // namespace

void SetUpTitleBarButton(HWND button, UINT bitmapId) {
  SendMessageW(button, BXM_BACKBITMAP, kSetSilently, bitmapId);
  SendMessageW(button, BXM_BACKSTYLE, kSetSilently, BXS_STRIP);
}

HWND CreateTitleBarButton(HWND parent, int id, int x, int y, int width, int height,
                          UINT bitmapId) {
  HWND button = CreateButtonEx(parent, L"", id, x, y, width, height);
  if (button) SetUpTitleBarButton(button, bitmapId);
  return button;
}

HWND CreatePlainButton(HWND parent, const wchar_t* text, int id, int x, int y, int width,
                       int height) {
  return CreatePreset(parent, text, id, x, y, width, height, BXT_PUSH, {});
}

HWND CreateSwatchButton(HWND parent, const wchar_t* text, int id, int x, int y, int width,
                        int height) {
  return CreatePreset(parent, text, id, x, y, width, height, BXT_PUSH,
                      {IDB_GLYPH_SWATCH, 0, {12, 13}});
}

HWND CreateSwitchButton(HWND parent, const wchar_t* text, int id, int x, int y, int width,
                        int height) {
  return CreatePreset(parent, text, id, x, y, width, height, BXT_PUSH,
                      {IDB_GLYPH_SWITCH, 0, {11, 14}});
}

HWND CreateCheckButton(HWND parent, const wchar_t* text, int id, int x, int y, int width,
                       int height) {
  HWND button = CreatePreset(parent, text, id, x, y, width, height, BXT_TOGGLE, kCheckGlyphs);
  if (button) SendMessageW(button, BXM_AUTOTOGGLE, kSetSilently, 1);
  return button;
}

HWND CreateBareCheckButton(HWND parent, int id, int x, int y, int width, int height,
                           bool autoToggle) {
  HWND button = CreatePreset(parent, L"", id, x, y, width, height, BXT_TOGGLE, kCheckGlyphs);
  if (button) SendMessageW(button, BXM_AUTOTOGGLE, kSetSilently, autoToggle ? 1 : 0);
  return button;
}

HWND CreateSpinButton(HWND parent, int id, int x, int y, int width, int height, int minimum,
                      int maximum) {
  HWND button =
      CreatePreset(parent, L"", id, x, y, width, height, BXT_SPIN, {IDB_GLYPH_SPIN, 0, {14, 10}});
  if (button) SendMessageW(button, BXM_RANGE, kSetSilently, MAKELPARAM(minimum, maximum));
  return button;
}

}  // namespace kx
