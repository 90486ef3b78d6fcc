// A tiny RGBA raster for the picture generator. Shapes are filled by sampling each pixel
// on a fixed sub-pixel grid, so edges are smooth and the output is the same on every run.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

namespace resgen {

struct Rgb {
  uint8_t r = 0, g = 0, b = 0;
};

constexpr Rgb RgbHex(uint32_t rrggbb) {
  return Rgb{uint8_t(rrggbb >> 16), uint8_t(rrggbb >> 8), uint8_t(rrggbb)};
}

Rgb Mix(Rgb a, Rgb b, double t);  // t = 0 gives a, 1 gives b

class Canvas {
 public:
  Canvas(int width, int height, Rgb fill = {}, uint8_t alpha = 255);

  int width() const { return width_; }
  int height() const { return height_; }
  Rgb At(int x, int y) const;
  uint8_t AlphaAt(int x, int y) const;

  // Exact pixel operations (no blending).
  void Set(int x, int y, Rgb c, uint8_t alpha = 255);
  void FillRect(int x, int y, int w, int h, Rgb c);
  void HLine(int x0, int x1, int y, Rgb c);  // inclusive
  void VLine(int x, int y0, int y1, Rgb c);  // inclusive
  void VerticalGradient(int x, int y, int w, int h, Rgb top, Rgb bottom);
  void Blit(const Canvas& src, int sx, int sy, int w, int h, int dx, int dy);

  // Anti-aliased coverage fill: inside(x, y) is asked at sub-pixel points in pixel units.
  void FillShape(const std::function<bool(double, double)>& inside, Rgb c, double opacity = 1.0);
  void FillRoundRect(double x0, double y0, double x1, double y1, double radius, Rgb c,
                     double opacity = 1.0);
  void FillCircle(double cx, double cy, double radius, Rgb c, double opacity = 1.0);
  // A thick segment with round ends.
  void StrokeLine(double x0, double y0, double x1, double y1, double thickness, Rgb c,
                  double opacity = 1.0);

 private:
  void Blend(int x, int y, Rgb c, double coverage);

  int width_, height_;
  std::vector<uint8_t> rgba_;
};

bool InsideRoundRect(double px, double py, double x0, double y0, double x1, double y1, double r);

}  // namespace resgen
