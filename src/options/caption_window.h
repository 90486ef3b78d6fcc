// KXCaptionWndClass: the caption bar of a capture: on or off, the system items it names,
// its colours, inside or outside the image, and its transparency.
#pragma once

#include "ui/option_window.h"

namespace kx {

extern const OptionPage kCaptionPage;
using CaptionWindow = OptionWindowOf<kCaptionPage>;

}  // namespace kx
