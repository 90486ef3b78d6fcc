// Registration of the four custom control classes, done once at start-up.
#pragma once

#include <windows.h>

namespace kx {

// Registers the button, label, edit and tooltip classes, in that order; 1 when all four
// succeed, 0 at the first failure.
int RegisterControlClasses(HINSTANCE instance);

}  // namespace kx
