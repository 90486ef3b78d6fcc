// The snapshot of everything the window picker can highlight, taken once when it opens so
// that it matches the frozen picture: visible top-level windows top of the Z-order first,
// each with its visible elements.
#pragma once

#include <windows.h>

#include <vector>

#include "select/pick_geometry.h"

namespace kx {

// Skips `self`, hidden and minimised windows. Maximised windows get the work area of their
// own monitor; dialogs get their invisible border back while the desktop is composed.
std::vector<WindowNode> CollectWindowCandidates(HWND self);

// The nesting depth of an element: how often GetParent can be applied from its parent before
// a window without parent (owners count). A direct child of an unowned window has depth 0.
int NestingDepth(HWND element);

// DwmIsCompositionEnabled, looked up at run time; false when it is not there or fails.
bool CompositionEnabled();

}  // namespace kx
