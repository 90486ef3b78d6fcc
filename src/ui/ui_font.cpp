#include "ui/ui_font.h"

#include "ui/theme.h"

namespace kx {

HFONT CreateUiFont(const wchar_t* face, int cellHeight, bool bold) {
  return CreateFontW(cellHeight, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
                     DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, PROOF_QUALITY,
                     FF_SWISS | DEFAULT_PITCH, face);
}

HFONT CreateUiFont(bool bold) {
  return CreateUiFont(theme::kUiFace, theme::kUiFontHeight, bold);
}

}  // namespace kx
