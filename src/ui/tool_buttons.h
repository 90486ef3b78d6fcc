// The button presets of the tool windows, all on the standard tile 5380 with margin 2.
#pragma once

#include <windows.h>

namespace kx {

HWND CreatePlainButton(HWND parent, const wchar_t* text, int id, int x, int y, int width,
                       int height);
// A title-bar button (close, minimise, menu): the bitmap as a strip of its four states.
void SetUpTitleBarButton(HWND button, UINT bitmapId);
HWND CreateTitleBarButton(HWND parent, int id, int x, int y, int width, int height, UINT bitmapId);
// Opens the colour chooser: a small window glyph at (12, 13).
HWND CreateSwatchButton(HWND parent, const wchar_t* text, int id, int x, int y, int width,
                        int height);
// Steps the value shown in the label beside it: a chevron pair at (11, 14).
HWND CreateSwitchButton(HWND parent, const wchar_t* text, int id, int x, int y, int width,
                        int height);
// Auto-toggling check button: cross when unchecked, check mark when checked, at (12, 12).
HWND CreateCheckButton(HWND parent, const wchar_t* text, int id, int x, int y, int width,
                       int height);
HWND CreateBareCheckButton(HWND parent, int id, int x, int y, int width, int height,
                           bool autoToggle);
// Spin with up/down chevrons at (14, 10) and the range minimum..maximum.
HWND CreateSpinButton(HWND parent, int id, int x, int y, int width, int height, int minimum,
                      int maximum);

}  // namespace kx
