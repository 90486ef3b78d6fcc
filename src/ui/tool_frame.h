// Painting shared by the main window and every tool window: the skinned frame, the
// separator under the heading and the dotted group frames.
#pragma once

#include <windows.h>

#include <vector>

namespace kx {

// Offsets of the 2-pixel dashes along a group-frame edge of the given length: 3, 9, 15, ...
// while below length - 3; the first one always; none when length - 3 <= 3.
std::vector<int> GroupFrameDashStarts(int length);

// Title band, bottom edge, sides and white body from a 320 x 47 skin bitmap, with
// transparent text background and the body text colour left selected on `dc`.
void PaintSkinFrame(HDC dc, int width, int height, UINT skinId);
// A 1-pixel horizontal line from (15, y) to (width - 15, y).
void DrawSeparator(HDC dc, int y, int width, COLORREF colour);
// The tool-window frame: PaintSkinFrame with the tool skin (5377) unless another is named,
// and the separator at y 83.
void PaintToolFrame(HDC dc, int width, int height, UINT skinId = 0);
// Dotted rectangle with its bold title 18 pixels above, indented 9; returns 1.
int DrawGroupFrame(HDC dc, const wchar_t* title, int x, int y, int width, int height);

}  // namespace kx
