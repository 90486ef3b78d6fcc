#include "canvas.h"

#include <algorithm>
#include <cmath>

namespace resgen {

namespace {
constexpr int kSubSamples = 4;  // per axis

uint8_t Lerp8(uint8_t a, uint8_t b, double t) {
  return uint8_t(std::lround(a + (b - a) * t));
}
}  // namespace

Rgb Mix(Rgb a, Rgb b, double t) {
  return Rgb{Lerp8(a.r, b.r, t), Lerp8(a.g, b.g, t), Lerp8(a.b, b.b, t)};
}

Canvas::Canvas(int width, int height, Rgb fill, uint8_t alpha)
    : width_(width), height_(height), rgba_(size_t(width) * height * 4) {
  for (size_t i = 0; i < rgba_.size(); i += 4) {
    rgba_[i] = fill.r;
    rgba_[i + 1] = fill.g;
    rgba_[i + 2] = fill.b;
    rgba_[i + 3] = alpha;
  }
}

Rgb Canvas::At(int x, int y) const {
  const uint8_t* p = &rgba_[(size_t(y) * width_ + x) * 4];
  return Rgb{p[0], p[1], p[2]};
}

uint8_t Canvas::AlphaAt(int x, int y) const {
  return rgba_[(size_t(y) * width_ + x) * 4 + 3];
}

void Canvas::Set(int x, int y, Rgb c, uint8_t alpha) {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
  uint8_t* p = &rgba_[(size_t(y) * width_ + x) * 4];
  p[0] = c.r;
  p[1] = c.g;
  p[2] = c.b;
  p[3] = alpha;
}

void Canvas::FillRect(int x, int y, int w, int h, Rgb c) {
  for (int yy = y; yy < y + h; ++yy)
    for (int xx = x; xx < x + w; ++xx) Set(xx, yy, c);
}

void Canvas::HLine(int x0, int x1, int y, Rgb c) {
  FillRect(x0, y, x1 - x0 + 1, 1, c);
}
void Canvas::VLine(int x, int y0, int y1, Rgb c) {
  FillRect(x, y0, 1, y1 - y0 + 1, c);
}

void Canvas::VerticalGradient(int x, int y, int w, int h, Rgb top, Rgb bottom) {
  for (int row = 0; row < h; ++row) {
    double t = h > 1 ? double(row) / (h - 1) : 0.0;
    FillRect(x, y + row, w, 1, Mix(top, bottom, t));
  }
}

void Canvas::Blit(const Canvas& src, int sx, int sy, int w, int h, int dx, int dy) {
  for (int row = 0; row < h; ++row)
    for (int col = 0; col < w; ++col)
      Set(dx + col, dy + row, src.At(sx + col, sy + row), src.AlphaAt(sx + col, sy + row));
}

void Canvas::Blend(int x, int y, Rgb c, double coverage) {
  if (coverage <= 0 || x < 0 || y < 0 || x >= width_ || y >= height_) return;
  uint8_t* p = &rgba_[(size_t(y) * width_ + x) * 4];
  double srcA = std::min(coverage, 1.0);
  double dstA = p[3] / 255.0;
  double outA = srcA + dstA * (1 - srcA);
  auto channel = [&](uint8_t s, uint8_t d) {
    return uint8_t(std::lround((s * srcA + d * dstA * (1 - srcA)) / outA));
  };
  p[0] = channel(c.r, p[0]);
  p[1] = channel(c.g, p[1]);
  p[2] = channel(c.b, p[2]);
  p[3] = uint8_t(std::lround(outA * 255));
}

void Canvas::FillShape(const std::function<bool(double, double)>& inside, Rgb c, double opacity) {
  for (int y = 0; y < height_; ++y) {
    for (int x = 0; x < width_; ++x) {
      int hits = 0;
      for (int sy = 0; sy < kSubSamples; ++sy)
        for (int sx = 0; sx < kSubSamples; ++sx)
          if (inside(x + (sx + 0.5) / kSubSamples, y + (sy + 0.5) / kSubSamples)) ++hits;
      Blend(x, y, c, opacity * hits / (kSubSamples * kSubSamples));
    }
  }
}

bool InsideRoundRect(double px, double py, double x0, double y0, double x1, double y1, double r) {
  if (px < x0 || px > x1 || py < y0 || py > y1) return false;
  double cx = std::clamp(px, x0 + r, x1 - r);
  double cy = std::clamp(py, y0 + r, y1 - r);
  double dx = px - cx, dy = py - cy;
  return dx * dx + dy * dy <= r * r;
}

void Canvas::FillRoundRect(double x0, double y0, double x1, double y1, double radius, Rgb c,
                           double opacity) {
  FillShape([&](double px, double py) { return InsideRoundRect(px, py, x0, y0, x1, y1, radius); },
            c, opacity);
}

void Canvas::FillCircle(double cx, double cy, double radius, Rgb c, double opacity) {
  FillShape(
      [&](double px, double py) {
        double dx = px - cx, dy = py - cy;
        return dx * dx + dy * dy <= radius * radius;
      },
      c, opacity);
}

void Canvas::StrokeLine(double x0, double y0, double x1, double y1, double thickness, Rgb c,
                        double opacity) {
  double vx = x1 - x0, vy = y1 - y0;
  double len2 = vx * vx + vy * vy;
  double half = thickness / 2;
  FillShape(
      [&](double px, double py) {
        double t = len2 > 0 ? std::clamp(((px - x0) * vx + (py - y0) * vy) / len2, 0.0, 1.0) : 0;
        double dx = px - (x0 + t * vx), dy = py - (y0 + t * vy);
        return dx * dx + dy * dy <= half * half;
      },
      c, opacity);
}

}  // namespace resgen
