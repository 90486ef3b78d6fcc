// KXScaleWndClass: scaling of a capture, on or off, with width and height as independent
// percentages of the captured size.
#pragma once

#include "ui/option_window.h"

namespace kx {

extern const OptionPage kScalePage;
using ScaleWindow = OptionWindowOf<kScalePage>;

}  // namespace kx
