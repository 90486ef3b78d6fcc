// The rounded shape shared by the main window and every tool window.
#pragma once

#include <windows.h>

namespace kx {

// Rounded rectangle (0, 0)-(w + 1, h + 1) with 8 x 8 corner ellipses and the four pixels
// (1, 1), (w - 2, 1), (1, h - 2), (w - 2, h - 2) toggled by exclusive-or. The caller owns
// the region (SetWindowRgn takes it over). Returns null on failure.
HRGN CreateToolWindowRegion(int w, int h);

// Gives the window that shape (with redraw); the window owns the region afterwards.
void SetToolWindowRegion(HWND hwnd, int w, int h);

}  // namespace kx
