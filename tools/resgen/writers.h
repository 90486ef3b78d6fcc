// File encoders of the picture generator: 24-bit BMP and multi-size 32-bit ICO.
#pragma once

#include <string>
#include <vector>

#include "canvas.h"

namespace resgen {

// Writes the canvas as a bottom-up 24-bit BMP (alpha is dropped). Returns false on I/O failure.
bool WriteBmp24(const Canvas& canvas, const std::string& path);

// Writes the canvases, each square, as one icon with 32-bit images and AND masks.
bool WriteIco(const std::vector<Canvas>& images, const std::string& path);

}  // namespace resgen
