// The program's fonts: every control and window makes its font here.
#pragma once

#include <windows.h>

namespace kx {

// A proof-quality Swiss font with a positive cell height; weight 700 when bold, else 400.
// The caller owns the font. Faces used: "Tahoma" 13 everywhere, "Arial" 14 bold in tooltips.
HFONT CreateUiFont(const wchar_t* face, int cellHeight, bool bold);

}  // namespace kx
