// KXWindowPropWndClass: whether a captured window is taken over the current screen or over
// a plain backdrop.
#pragma once

#include "ui/option_window.h"

namespace kx {

extern const OptionPage kWindowPropPage;
using WindowPropWindow = OptionWindowOf<kWindowPropPage>;

}  // namespace kx
