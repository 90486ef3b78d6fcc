// Registration of every window class of the program, in the fixed start-up order.
#pragma once

#include <windows.h>

namespace kx {

// The program's window classes; stops at the first failure.
bool RegisterWindowClasses(HINSTANCE instance);

}  // namespace kx
