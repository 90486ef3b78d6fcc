// KXTimerWndClass: interval captures on or off and the interval, hours : minutes : seconds,
// each 0 to 59.
#pragma once

#include "ui/option_window.h"

namespace kx {

extern const OptionPage kTimerPage;
using TimerWindow = OptionWindowOf<kTimerPage>;

}  // namespace kx
