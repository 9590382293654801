// Drawing on a device with two device pixels to the drawing pixel, as on high-DPI screens: the
// picture has twice the pixels each way and every one-pixel line is two device pixels wide.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <functional>

#include "platform/qt/QtCanvas.h"

namespace {

constexpr QRgb kInk = qRgb(0, 0, 0);

QImage Drawn(qreal ratio, const std::function<void(QtCanvas&)>& draw) {
  QImage image(QSize(60, 40) * ratio, QImage::Format_RGB32);
  image.setDevicePixelRatio(ratio);
  image.fill(Qt::white);
  QPainter painter(&image);
  QtCanvas canvas(painter);
  canvas.Pen = {Colors::Black, 1, PenStyle::Solid};
  canvas.Brush = {0x00FFFF, BrushStyle::Solid};
  draw(canvas);
  return image;
}

int Ink(const QImage& image) {
  int n = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) n += image.pixel(x, y) == kInk;
  return n;
}

// The share of ink pixels that lie in a square of 2 x 2 ink pixels: all of a line two pixels
// wide but for a few at its corners, none of a line one pixel wide.
double InSquares(const QImage& image) {
  auto ink = [&](int x, int y) { return image.valid(x, y) && image.pixel(x, y) == kInk; };
  int inSquare = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) {
      if (!ink(x, y)) continue;
      bool found = false;
      for (int dy : {-1, 0})
        for (int dx : {-1, 0})
          found |= ink(x + dx, y + dy) && ink(x + dx + 1, y + dy) && ink(x + dx, y + dy + 1) &&
                   ink(x + dx + 1, y + dy + 1);
      inSquare += found;
    }
  return static_cast<double>(inSquare) / Ink(image);
}

struct Shape {
  const char* name;
  std::function<void(QtCanvas&)> draw;
};

void Diamond(QtCanvas& c) {
  const TPoint points[] = {{30, 4}, {50, 16}, {30, 28}, {10, 16}};
  c.Polygon(points);
}

void DottedFrame(QtCanvas& c) {
  c.Pen.Style = PenStyle::Dot;
  c.Brush.Style = BrushStyle::Clear;
  const TPoint points[] = {{5, 5}, {55, 5}, {55, 35}, {5, 35}};
  c.Polygon(points);
}

void Sloped(QtCanvas& c, PenStyle style) {
  c.Pen.Style = style;
  c.MoveTo(4, 4);
  c.LineTo(40, 30);
  c.LineTo(56, 6);
}

const Shape kShapes[] = {
    {"diamond", Diamond},
    {"dotted frame", DottedFrame},
    {"circle", [](QtCanvas& c) { c.Ellipse(10, 5, 40, 35); }},
    {"sloped lines", [](QtCanvas& c) { Sloped(c, PenStyle::Solid); }},
    {"dotted sloped lines", [](QtCanvas& c) { Sloped(c, PenStyle::Dot); }},
    {"box", [](QtCanvas& c) { c.Rectangle(5, 5, 50, 30); }},
};

TEST(HighDpiCanvas, EveryThinLineIsTwoDevicePixelsWideAtRatioTwo) {
  for (const Shape& shape : kShapes) {
    const QImage single = Drawn(1, shape.draw), doubled = Drawn(2, shape.draw);
    EXPECT_EQ(doubled.size(), single.size() * 2) << shape.name;
    // Twice as long and twice as wide: about four times the ink; one pixel wide, about twice.
    const double growth = static_cast<double>(Ink(doubled)) / Ink(single);
    EXPECT_GT(growth, 3.3) << shape.name;
    EXPECT_LT(growth, 4.7) << shape.name;
    EXPECT_GT(InSquares(doubled), 0.9) << shape.name;
  }
}

}  // namespace
