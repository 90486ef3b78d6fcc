#include "capture/capture_layout.h"

namespace kx {

CaptureLayout ComputeCaptureLayout(const CaptureProfile& profile, PixelSize screen) {
  CaptureLayout layout;
  const bool full = profile.InType == 1;
  const int64_t width = full ? screen.width : int64_t(profile.InRect.right) - profile.InRect.left;
  const int64_t height = full ? screen.height : int64_t(profile.InRect.bottom) - profile.InRect.top;
  if (profile.ScaStatus) {
    layout.scaledWidth = static_cast<int>(int64_t(profile.ScaWidth) * width / 100);
    layout.scaledHeight = static_cast<int>(int64_t(profile.ScaHeight) * height / 100);
  }
  if (profile.BorStatus) {
    const int border = static_cast<int>(profile.BorWidth);
    layout.originX += border;
    layout.originY += border;
    layout.extraWidth += 2 * border;
    layout.extraHeight += 2 * border;
  }
  if (profile.CapStatus && profile.CapPosition == 1) layout.extraHeight += kCaptionStripHeight;
  return layout;
}

std::optional<GrabArea> GrabAreaFor(const CaptureProfile& profile) {
  const ScreenRect& r = profile.InRect;
  switch (profile.InType) {
    case 0:
    case 2:
      return GrabArea{r.left, r.top, r.right - r.left, r.bottom - r.top};
    case 1:
      return GrabArea{0, 0, 0, 0};
    default:
      return std::nullopt;
  }
}

PixelSize GrabBitmapSize(const CaptureLayout& layout, int width, int height) {
  if (layout.Scaled())
    return {layout.extraWidth + layout.scaledWidth, layout.extraHeight + layout.scaledHeight};
  return {layout.extraWidth + width, layout.extraHeight + height};
}

PixelPoint CursorDrawPosition(const CaptureLayout& layout, const GrabArea& source,
                              PixelPoint cursor) {
  int64_t dx = cursor.x - source.x;
  int64_t dy = cursor.y - source.y;
  if (layout.Scaled() && source.width != 0 && source.height != 0) {
    dx = dx * layout.scaledWidth / source.width;
    dy = dy * layout.scaledHeight / source.height;
  }
  return {layout.originX + static_cast<int>(dx), layout.originY + static_cast<int>(dy)};
}

int InnerShift(const CaptureProfile& profile) {
  return profile.BorStatus ? static_cast<int>(profile.BorWidth) : 0;
}

uint8_t CaptionBarAlpha(const CaptureProfile& profile) {
  if (profile.CapPosition == 1) return 255;
  const int64_t alpha = (100 - int64_t(profile.CapTrans)) * 255 / 100;
  return static_cast<uint8_t>(alpha);
}

uint32_t ToArgb(uint8_t alpha, uint32_t colorRef) {
  const uint32_t red = colorRef & 0xFF, green = (colorRef >> 8) & 0xFF;
  const uint32_t blue = (colorRef >> 16) & 0xFF;
  return uint32_t(alpha) << 24 | red << 16 | green << 8 | blue;
}

CaptionBarLine CaptionBar(int imageWidth, int imageHeight, int shift) {
  const int y = imageHeight - kCaptionLineAboveBottom - shift;
  return {shift, y, imageWidth - shift};
}

PixelPoint CaptionTextOrigin(int imageHeight, int shift) {
  return {kCaptionTextX + shift, imageHeight - kCaptionTextAboveBottom - shift};
}

BorderOutline Border(int imageWidth, int imageHeight, uint32_t borderWidth) {
  const int width = static_cast<int>(borderWidth);
  return {width / 2, width / 2, imageWidth - width, imageHeight - width,
          static_cast<float>(borderWidth)};
}

std::wstring BuildCaptionText(const CaptureProfile& profile, const CaptionParts& parts) {
  std::wstring text;
  const std::pair<uint32_t, const std::wstring*> order[] = {{profile.CapComputer, &parts.computer},
                                                            {profile.CapUser, &parts.user},
                                                            {profile.CapDate, &parts.date},
                                                            {profile.CapTime, &parts.time}};
  for (const auto& [on, part] : order) {
    if (on) text += *part + L"  ";
  }
  return text;
}

}  // namespace kx
