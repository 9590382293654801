// Drawing on a device with two device pixels to the drawing pixel, as on high-DPI screens:
// every one-pixel line is two device pixels wide, and sloped lines step a device pixel at a
// time rather than in squares of four.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <functional>

#include "platform/qt/QtCanvas.h"

namespace {

QImage Drawn(qreal ratio, const std::function<void(QtCanvas&)>& draw, QRect clip = {}) {
  QImage image(QSize(60, 40) * ratio, QImage::Format_RGB32);
  image.setDevicePixelRatio(ratio);
  image.fill(Qt::white);
  QPainter painter(&image);
  if (!clip.isNull()) painter.setClipRect(clip);
  QtCanvas canvas(painter);
  canvas.Pen = {Colors::Black, 1, PenStyle::Solid};
  canvas.Brush = {0x00FFFF, BrushStyle::Solid};
  draw(canvas);
  return image;
}

bool IsInk(const QImage& image, int x, int y) {
  return image.valid(x, y) && image.pixel(x, y) == qRgb(0, 0, 0);
}

// The ink pixels, and the share of inked squares of 2 x 2 pixels at even coordinates that are
// inked only in part: none where each pixel of a drawing at ratio 1 was blown up to a square.
std::pair<int, double> Ink(const QImage& image) {
  int ink = 0, inked = 0, parts = 0;
  for (int y = 0; y < image.height(); y += 2)
    for (int x = 0; x < image.width(); x += 2) {
      const int n = IsInk(image, x, y) + IsInk(image, x + 1, y) + IsInk(image, x, y + 1) +
                    IsInk(image, x + 1, y + 1);
      ink += n, inked += n > 0, parts += n > 0 && n < 4;
    }
  return {ink, static_cast<double>(parts) / inked};
}

// Whether every ink pixel of `a` has ink of `b` within a pixel of it.
bool Near(const QImage& a, const QImage& b) {
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x) {
      bool near = !IsInk(a, x, y);
      for (int d = 0; d < 9; ++d) near |= IsInk(b, x + d % 3 - 1, y + d / 3 - 1);
      if (!near) return false;
    }
  return true;
}

void Polygon(QtCanvas& c, std::initializer_list<TPoint> points) { c.Polygon({points}); }

// Sloped lines in every direction, steep and flat.
void Sloped(QtCanvas& c, PenStyle style) {
  c.Pen.Style = style;
  c.MoveTo(4, 4);
  for (const TPoint p : {TPoint{40, 30}, {56, 6}, {10, 20}, {16, 36}}) c.LineTo(p.x, p.y);
}

TEST(HighDpiCanvas, EveryThinLineIsTwoDevicePixelsWideAtRatioTwo) {
  struct {
    const char* name;
    std::function<void(QtCanvas&)> draw;
    bool smooth;  // drawn at device resolution rather than in squares of four device pixels
  } const shapes[] = {
      {"diamond",
       [](QtCanvas& c) {
         Polygon(c, {{30, 4}, {50, 16}, {30, 28}, {10, 16}});
       },
       true},
      {"dotted frame",
       [](QtCanvas& c) {
         c.Pen.Style = PenStyle::Dot;
         c.Brush.Style = BrushStyle::Clear;
         Polygon(c, {{5, 5}, {55, 5}, {55, 35}, {5, 35}});
       },
       true},
      {"circle", [](QtCanvas& c) { c.Ellipse(10, 5, 40, 35); }, true},
      {"sloped lines", [](QtCanvas& c) { Sloped(c, PenStyle::Solid); }, true},
      {"dotted sloped lines", [](QtCanvas& c) { Sloped(c, PenStyle::Dot); }, false},
      {"box", [](QtCanvas& c) { c.Rectangle(5, 5, 50, 30); }, false},
  };
  for (const auto& shape : shapes) {
    const QImage single = Drawn(1, shape.draw), doubled = Drawn(2, shape.draw);
    const QImage blownUp = single.scaled(single.size() * 2);
    // Twice as long and twice as wide: about four times the ink; one pixel wide, about twice.
    const auto [ink, inParts] = Ink(doubled);
    const double growth = static_cast<double>(ink) / Ink(single).first;
    EXPECT_GT(growth, 3.3) << shape.name;
    EXPECT_LT(growth, 4.7) << shape.name;
    // Where the lines are at ratio 1, give or take a device pixel.
    EXPECT_TRUE(Near(doubled, blownUp) && Near(blownUp, doubled)) << shape.name;
    EXPECT_TRUE(!shape.smooth || inParts > 0.5) << shape.name << " is in squares";
    // A clip, as a partial repaint sets it, changes only which device pixels are drawn.
    const QRect clip(13, 12, 35, 20);
    QImage clipped = Drawn(2, [](QtCanvas&) {});
    QPainter(&clipped).drawImage(clip, doubled, QRectF(clip.topLeft() * 2, clip.size() * 2));
    EXPECT_EQ(Drawn(2, shape.draw, clip), clipped) << shape.name;
  }
}

}  // namespace
