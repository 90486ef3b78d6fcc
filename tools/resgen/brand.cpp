// The brand mark in its two uses: the application icon and the window logos.
#include "pictures.h"

namespace resgen {

void DrawViewfinderTile(Canvas& c, const ViewfinderStyle& style) {
  const double w = c.width(), h = c.height();
  c.FillRoundRect(0.5, 0.5, w - 0.5, h - 0.5, style.radius, kOutline);
  // Shade the inner tile from the top colour to the bottom colour.
  Canvas gradient(c.width(), c.height());
  gradient.VerticalGradient(0, 0, c.width(), c.height(), style.top, style.bottom);
  for (int y = 2; y < c.height() - 2; ++y)
    for (int x = 2; x < c.width() - 2; ++x)
      if (InsideRoundRect(x + 0.5, y + 0.5, 2, 2, w - 2, h - 2, style.radius - 1.5))
        c.Set(x, y, gradient.At(x, y));

  const double l = style.marginX, r = w - style.marginX, t = style.marginY, b = h - style.marginY;
  const double arm = style.arm, stroke = style.stroke;
  c.StrokeLine(l, t, l + arm, t, stroke, kWhite);
  c.StrokeLine(l, t, l, t + arm, stroke, kWhite);
  c.StrokeLine(r, t, r - arm, t, stroke, kWhite);
  c.StrokeLine(r, t, r, t + arm, stroke, kWhite);
  c.StrokeLine(l, b, l + arm, b, stroke, kWhite);
  c.StrokeLine(l, b, l, b - arm, stroke, kWhite);
  c.StrokeLine(r, b, r - arm, b, stroke, kWhite);
  c.StrokeLine(r, b, r, b - arm, stroke, kWhite);
  c.FillCircle(w / 2, h / 2, style.lens, kWhite);
  if (style.pupil > 0) c.FillCircle(w / 2, h / 2, style.pupil, kOutline);
}

// A rounded blue tile with the four corner marks of a capture frame around a lens dot.
Canvas DrawAppIcon(int size) {
  Canvas c(size, size, Rgb{}, 0);
  const double s = size;
  DrawViewfinderTile(c, {.radius = s * 0.2,
                         .top = kBandTop,
                         .bottom = kOutline,
                         .marginX = s * 0.22,
                         .marginY = s * 0.22,
                         .arm = s * 0.2,
                         .stroke = s >= 32 ? s * 0.085 : 1.6,
                         .lens = s * 0.11});
  return c;
}

// A blue viewfinder: a rounded body with the four corner marks of a capture frame and a
// lens, set on the white window body.
Canvas DrawLogo(int width, int height) {
  Canvas c(width, height, kWhite);
  const double w = width, h = height;
  DrawViewfinderTile(c, {.radius = h * 0.18,
                         .top = kInnerLine,
                         .bottom = kBandBottom,
                         .marginX = w * 0.2,
                         .marginY = h * 0.2,
                         .arm = h * 0.2,
                         .stroke = h * 0.07,
                         .lens = h * 0.16,
                         .pupil = h * 0.09});
  return c;
}

}  // namespace resgen
