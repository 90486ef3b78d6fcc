// The arithmetic of one shot: where the content goes in the output image, how big it is,
// and where the caption bar, its text and the border lie. No platform calls here.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "capture/capture_profile.h"

namespace kx {

inline constexpr int kCaptionStripHeight = 23;
inline constexpr float kCaptionPenWidth = 23.0f;
inline constexpr int kCaptionLineAboveBottom = 12;
inline constexpr int kCaptionTextX = 5;
inline constexpr int kCaptionTextAboveBottom = 18;

struct CaptureLayout {
  int originX = 0, originY = 0;           // where the screen content starts
  int extraWidth = 0, extraHeight = 0;    // margins for border and caption strip
  int scaledWidth = 0, scaledHeight = 0;  // 0: not scaled
  bool Scaled() const { return scaledWidth != 0 && scaledHeight != 0; }
};

struct GrabArea {
  int x, y, width, height;  // width or height 0: the whole primary screen
};

struct PixelSize {
  int width, height;
};

// The scaled size comes from InRect, or for a full-screen capture (whose InRect is empty)
// from `screen`, so that the percentages apply to every kind of capture.
CaptureLayout ComputeCaptureLayout(const CaptureProfile& profile, PixelSize screen = {0, 0});
// What InType asks to grab; nothing for an unknown type.
std::optional<GrabArea> GrabAreaFor(const CaptureProfile& profile);
PixelSize GrabBitmapSize(const CaptureLayout& layout, int width, int height);
// Where the cursor image goes in the bitmap: its offset in the source, scaled like the
// content and moved by the content origin.
struct PixelPoint {
  int x, y;
};
PixelPoint CursorDrawPosition(const CaptureLayout& layout, const GrabArea& source,
                              PixelPoint cursor);

// Caption and border geometry; W and H are the finished image size with all margins.
int InnerShift(const CaptureProfile& profile);
uint8_t CaptionBarAlpha(const CaptureProfile& profile);
// GDI+ colour (alpha, red, green, blue) from a 0x00BBGGRR value.
uint32_t ToArgb(uint8_t alpha, uint32_t colorRef);
struct CaptionBarLine {
  int x1, y, x2;
};
CaptionBarLine CaptionBar(int imageWidth, int imageHeight, int shift);
PixelPoint CaptionTextOrigin(int imageHeight, int shift);
struct BorderOutline {
  int x, y, width, height;
  float penWidth;
};
BorderOutline Border(int imageWidth, int imageHeight, uint32_t borderWidth);

// The caption text: each part that is on, in a fixed order, followed by two spaces.
struct CaptionParts {
  std::wstring computer, user, date, time;
};
std::wstring BuildCaptionText(const CaptureProfile& profile, const CaptionParts& parts);

}  // namespace kx
