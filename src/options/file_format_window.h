// KXFileFormatWndClass: how captures are written to files: automatic or fixed names, the
// image format and the JPEG quality.
#pragma once

#include "ui/option_window.h"

namespace kx {

extern const OptionPage kFileFormatPage;
using FileFormatWindow = OptionWindowOf<kFileFormatPage>;

}  // namespace kx
