#include "capture/post_process.h"

#include "base/pixel_space.h"
#include "capture/capture_layout.h"
#include "capture/capture_output.h"
#include "capture/local_text.h"
#include "capture/screen_grab.h"

namespace kx {
namespace {

constexpr float kCaptionFontPixels = 11.0f;

PixelSize ImageSize(Gdiplus::GpBitmap* image) {
  UINT width = 0, height = 0;
  gp::GdipGetImageWidth(image, &width);
  gp::GdipGetImageHeight(image, &height);
  return {static_cast<int>(width), static_cast<int>(height)};
}

UniqueGpFont CreateCaptionFont() {
  UniqueGpFontFamily family;
  Gdiplus::GpFontFamily* raw = nullptr;
  if (gp::GdipCreateFontFamilyFromName(L"Tahoma", nullptr, &raw) != Gdiplus::Ok) {
    raw = nullptr;
    gp::GdipGetGenericFontFamilySansSerif(&raw);
  }
  family.Reset(raw);
  Gdiplus::GpFont* font = nullptr;
  if (!family || gp::GdipCreateFont(family.Get(), kCaptionFontPixels, Gdiplus::FontStyleRegular,
                                    Gdiplus::UnitPixel, &font) != Gdiplus::Ok) {
    font = nullptr;
    raw = nullptr;
    if (gp::GdipGetGenericFontFamilySansSerif(&raw) == Gdiplus::Ok) {
      family.Reset(raw);
      gp::GdipCreateFont(family.Get(), kCaptionFontPixels, Gdiplus::FontStyleRegular,
                         Gdiplus::UnitPixel, &font);
    }
  }
  return UniqueGpFont(font);
}

void DrawCaption(Gdiplus::GpGraphics* graphics, Gdiplus::GpBitmap* image,
                 const CaptureProfile& profile) {
  const int shift = InnerShift(profile);
  const PixelSize size = ImageSize(image);
  Gdiplus::GpPen* pen = nullptr;
  gp::GdipCreatePen1(ToArgb(CaptionBarAlpha(profile), profile.CapBackColor), kCaptionPenWidth,
                     Gdiplus::UnitWorld, &pen);
  UniqueGpPen barPen(pen);
  gp::GdipSetCompositingQuality(graphics, Gdiplus::CompositingQualityHighQuality);
  const CaptionBarLine bar = CaptionBar(size.width, size.height, shift);
  gp::GdipDrawLineI(graphics, barPen.Get(), bar.x1, bar.y, bar.x2, bar.y);

  CaptionParts parts;
  if (profile.CapComputer) parts.computer = ComputerNameText();
  if (profile.CapUser) parts.user = UserNameText();
  if (profile.CapDate) parts.date = LocalDateText(L"dd-MM-yy");
  if (profile.CapTime) parts.time = LocalTimeText(L"HH:mm:ss");
  const std::wstring text = BuildCaptionText(profile, parts);

  UniqueGpFont font = CreateCaptionFont();
  Gdiplus::GpSolidFill* fill = nullptr;
  gp::GdipCreateSolidFill(ToArgb(255, profile.CapTextColor), &fill);
  UniqueGpBrush brush(fill);
  const PixelPoint origin = CaptionTextOrigin(size.height, shift);
  const Gdiplus::RectF layout(static_cast<float>(origin.x), static_cast<float>(origin.y), 0, 0);
  gp::GdipDrawString(graphics, text.c_str(), -1, font.Get(), &layout, nullptr, brush.Get());
}

void DrawBorder(Gdiplus::GpGraphics* graphics, Gdiplus::GpBitmap* image,
                const CaptureProfile& profile) {
  const PixelSize size = ImageSize(image);
  const BorderOutline outline = Border(size.width, size.height, profile.BorWidth);
  Gdiplus::GpPen* pen = nullptr;
  gp::GdipCreatePen1(ToArgb(255, profile.BorColor), outline.penWidth, Gdiplus::UnitWorld, &pen);
  UniqueGpPen borderPen(pen);
  gp::GdipDrawRectangleI(graphics, borderPen.Get(), outline.x, outline.y, outline.width,
                         outline.height);
}

}  // namespace

CaptureStatus ComposeCapture(CaptureImage& holder, const CaptureProfile& profile) {
  // The grab reads physical pixels, so the screen size that scales a full screen must be too.
  ScopedPixelSpace physical(PixelSpace::kPhysical);
  holder.layout =
      ComputeCaptureLayout(profile, {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)});
  const std::optional<GrabArea> area = GrabAreaFor(profile);
  if (!area) {
    holder.Release();
    return kStatusFailed;
  }
  const CaptureStatus grabbed =
      GrabScreen(holder, profile, area->x, area->y, area->width, area->height);
  if (!holder.image) return grabbed;
  Gdiplus::GpGraphics* raw = nullptr;
  gp::GdipGetImageGraphicsContext(holder.image.Get(), &raw);
  UniqueGpGraphics graphics(raw);
  if (!graphics) return grabbed;
  if (profile.CapStatus) DrawCaption(graphics.Get(), holder.image.Get(), profile);
  if (profile.BorStatus) DrawBorder(graphics.Get(), holder.image.Get(), profile);
  return grabbed;
}

CaptureStatus ProcessCapture(CaptureImage& holder, CaptureProfile& profile) {
  ComposeCapture(holder, profile);
  CaptureStatus status = kStatusFailed;
  if (profile.OutType == 0)
    status = SaveCaptureToFile(holder, profile);
  else if (profile.OutType == 1)
    status = CopyCaptureToClipboard(holder);
  RunFinishingActions(PlanFinishingActions(profile));
  return status;
}

}  // namespace kx
