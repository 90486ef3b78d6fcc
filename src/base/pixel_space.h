// Two kinds of pixels in one process. The manifest makes the process per-monitor aware, so
// the capture road (grab, overlays, picked rectangles, backdrop) works in the screen's own
// pixels. The skinned windows have fixed pixel layouts over bitmap skins; where the platform
// stretches DPI-unaware windows they are created unaware, so that a scaled display shows them
// at the size a user expects. A window's procedure runs in the window's own awareness, so
// capture code reached from a skinned window switches back to physical pixels itself.
//
// Every function used here is looked up at run time; where it is missing the scopes do
// nothing and the manifest alone (or nothing, on the oldest systems) decides.
#pragma once

#include <windows.h>

namespace kx {

enum class PixelSpace {
  kPhysical,  // the screen's pixels, whatever the display's scale
  kSkin,      // the skinned windows' layouts: unaware when UnawareSkins() is on, else physical
};

// Puts the calling thread into a pixel space for the scope and restores it afterwards.
class ScopedPixelSpace {
 public:
  explicit ScopedPixelSpace(PixelSpace space);
  ~ScopedPixelSpace();
  ScopedPixelSpace(const ScopedPixelSpace&) = delete;
  ScopedPixelSpace& operator=(const ScopedPixelSpace&) = delete;

 private:
  DPI_AWARENESS_CONTEXT previous_ = nullptr;
};

// Whether the platform really stretches a window created unaware: measured once with a hidden
// window where the primary screen is scaled (at 96 dpi nothing is stretched). Offering the
// unaware context is not enough; Wine 8 offers it, draws such windows pixel for pixel and
// hit-tests them scaled, so clicks would miss their controls.
bool PlatformStretchesUnawareWindows();

// Set once at start-up from the measurement; the skin scopes follow it.
void SetUnawareSkins(bool on);
bool UnawareSkins();

}  // namespace kx
