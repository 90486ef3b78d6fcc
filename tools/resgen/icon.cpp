#include "pictures.h"

namespace resgen {

// A rounded blue tile with the four corner marks of a capture frame around a lens dot.
Canvas DrawAppIcon(int size) {
  Canvas c(size, size, Rgb{}, 0);
  double s = size;
  double radius = s * 0.2;
  c.FillRoundRect(0.5, 0.5, s - 0.5, s - 0.5, radius, kOutline);
  Canvas gradient(size, size);
  gradient.VerticalGradient(0, 0, size, size, kBandTop, kOutline);
  // Shade the inner tile row by row from the band colour to the outline colour.
  for (int y = 2; y < size - 2; ++y)
    for (int x = 2; x < size - 2; ++x)
      if (InsideRoundRect(x + 0.5, y + 0.5, 2, 2, s - 2, s - 2, radius - 1.5))
        c.Set(x, y, gradient.At(x, y));

  double m = s * 0.22, arm = s * 0.2, stroke = s >= 32 ? s * 0.085 : 1.6;
  double lo = m, hi = s - m;
  c.StrokeLine(lo, lo, lo + arm, lo, stroke, kWhite);
  c.StrokeLine(lo, lo, lo, lo + arm, stroke, kWhite);
  c.StrokeLine(hi, lo, hi - arm, lo, stroke, kWhite);
  c.StrokeLine(hi, lo, hi, lo + arm, stroke, kWhite);
  c.StrokeLine(lo, hi, lo + arm, hi, stroke, kWhite);
  c.StrokeLine(lo, hi, lo, hi - arm, stroke, kWhite);
  c.StrokeLine(hi, hi, hi - arm, hi, stroke, kWhite);
  c.StrokeLine(hi, hi, hi, hi - arm, stroke, kWhite);
  c.FillCircle(s / 2, s / 2, s * 0.11, kWhite);
  return c;
}

}  // namespace resgen
