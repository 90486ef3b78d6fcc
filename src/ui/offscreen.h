// Flicker-free painting: every window composes its whole client area in a memory bitmap
// and copies it to the screen in one BitBlt.
#pragma once

#include <windows.h>

#include <functional>

namespace kx {

// Draws the client area. The DC is a memory DC holding a bitmap of the client size.
using PaintFunction = std::function<void(HDC dc, int width, int height)>;

// Handles a WM_PAINT: BeginPaint, compose off-screen with `paint`, copy once, EndPaint.
void PaintBuffered(HWND hwnd, const PaintFunction& paint);

// Composes `paint` off-screen in a width x height picture and copies it to (x, y) of `target`
// in one operation (an owner-drawn item, for instance).
void PaintBufferedAt(HDC target, int x, int y, int width, int height, const PaintFunction& paint);

// Composes `paint` into a new screen-compatible bitmap of the given size (for tests and
// for printing a window into a picture). Returns null when the bitmap cannot be made.
HBITMAP RenderToBitmap(int width, int height, const PaintFunction& paint);

}  // namespace kx
