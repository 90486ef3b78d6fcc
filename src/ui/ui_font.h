// The program's fonts: every control and window makes its font here.
#pragma once

#include <windows.h>

namespace kx {

// A proof-quality Swiss font with a positive cell height; weight 700 when bold, else 400.
// The caller owns the font.
HFONT CreateUiFont(const wchar_t* face, int cellHeight, bool bold);

// The skin's text font (Tahoma 13), normal or bold. The caller owns the font.
HFONT CreateUiFont(bool bold = false);

}  // namespace kx
