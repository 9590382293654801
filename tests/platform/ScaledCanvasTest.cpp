// Drawing through a painter that scales, as pictures drawn smaller or larger are: no line of
// the unscaled drawing may vanish, and at whole-numbered scales every pixel simply grows.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <cmath>

#include "platform/qt/QtCanvas.h"

namespace {

constexpr QSize kSize(120, 80);

// Rectangles and lines as the diagrams draw them: boxes sharing edges, boxes within boxes
// whose fill comes after the lines around them, single columns, neighbouring parallel lines,
// sloped, dotted and wide lines. Polygons, ellipses and texts are Qt's to draw.
void DrawShapes(QtCanvas& c) {
  c.Pen = {Colors::Black, 1, PenStyle::Solid};
  c.Brush = {Colors::White, BrushStyle::Solid};
  c.Rectangle(3, 3, 60, 40);
  c.Rectangle(3, 39, 60, 70);
  c.MoveTo(3, 3);
  c.LineTo(31, 25);
  c.LineTo(59, 3);
  c.Rectangle(10, 28, 30, 36);
  c.Rectangle(31, 41, 32, 69);
  for (int32_t y : {44, 45, 47}) {
    c.MoveTo(35, y);
    c.LineTo(58, y);
  }
  c.Pen.Style = PenStyle::Dot;
  c.MoveTo(5, 66);
  c.LineTo(29, 50);
  c.Brush.Style = BrushStyle::Clear;
  c.Rectangle(35, 50, 58, 68);
  c.Pen = {Colors::Black, 3, PenStyle::Solid};
  c.Brush.Style = BrushStyle::Solid;
  c.Rectangle(70, 10, 110, 40);
  c.MoveTo(70, 60);
  c.LineTo(110, 60);
  c.LineTo(110, 75);
}

QImage Drawn(double scale) {
  QImage image(std::ceil(kSize.width() * scale), std::ceil(kSize.height() * scale),
               QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  painter.scale(scale, scale);
  QtCanvas canvas(painter);
  DrawShapes(canvas);
  return image;
}

class ScaledCanvas : public testing::TestWithParam<double> {};

// Each pixel of the unscaled drawing lies in one pixel of the scaled picture, which must hold
// ink if the unscaled pixel does.
TEST_P(ScaledCanvas, KeepsEveryPixelOfEveryLine) {
  const double scale = GetParam();
  const QImage unscaled = Drawn(1), scaled = Drawn(scale);
  int lost = 0;
  for (int y = 0; y < unscaled.height(); ++y) {
    for (int x = 0; x < unscaled.width(); ++x) {
      if (unscaled.pixel(x, y) == qRgb(255, 255, 255)) continue;
      const int sx = static_cast<int>(std::floor(x * scale + 1e-9));
      const int sy = static_cast<int>(std::floor(y * scale + 1e-9));
      if (scaled.pixel(sx, sy) == qRgb(255, 255, 255) && ++lost <= 5) {
        ADD_FAILURE() << "pixel " << x << "," << y << " is lost at " << sx << "," << sy;
      }
    }
  }
  EXPECT_EQ(lost, 0);
}

INSTANTIATE_TEST_SUITE_P(Scales, ScaledCanvas, testing::Values(0.2, 0.3, 0.5, 0.75, 1.5, 2.5));

TEST(ScaledCanvas, AtWholeScalesEveryPixelBecomesASquare) {
  for (int scale : {2, 3}) {
    const QImage expected =
        Drawn(1).scaled(kSize * scale, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    EXPECT_EQ(Drawn(scale), expected) << scale;
  }
}

}  // namespace
