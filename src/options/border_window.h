// KXBorderWndClass: the border around a capture, on or off, its width and its colour.
#pragma once

#include "ui/option_window.h"

namespace kx {

extern const OptionPage kBorderPage;
using BorderWindow = OptionWindowOf<kBorderPage>;

}  // namespace kx
