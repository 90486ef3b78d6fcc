// File encoders of the resource generator: 24-bit BMP, multi-size 32-bit ICO and PCM WAV.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "canvas.h"

namespace resgen {

// Writes the canvas as a bottom-up 24-bit BMP (alpha is dropped). Returns false on I/O failure.
bool WriteBmp24(const Canvas& canvas, const std::string& path);

// Writes the canvases, each square, as one icon with 32-bit images and AND masks.
bool WriteIco(const std::vector<Canvas>& images, const std::string& path);

// Writes 16-bit mono PCM samples as a RIFF WAVE file.
bool WriteWav16(const std::vector<int16_t>& samples, int sampleRate, const std::string& path);

}  // namespace resgen
