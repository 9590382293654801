#pragma once

#include <QImage>
#include <QPainter>
#include <functional>

#include "platform/qt/QtCanvas.h"

// An image to paint on through a QtCanvas, with a pen, brush and background that are easy to
// tell apart in the pixels.
class CanvasImage {
 public:
  static constexpr QRgb Background = qRgb(0, 128, 0);
  static constexpr QRgb PenColour = qRgb(255, 0, 0);    // TColor 0x0000FF
  static constexpr QRgb BrushColour = qRgb(0, 0, 255);  // TColor 0xFF0000

  explicit CanvasImage(int width = 40, int height = 30)
      : image(width, height, QImage::Format_RGB32) {
    image.fill(Background);
  }

  void Paint(const std::function<void(QtCanvas&)>& draw) {
    QPainter painter(&image);
    QtCanvas canvas(painter);
    canvas.Pen = {0x0000FF, 1, PenStyle::Solid};
    canvas.Brush = {0xFF0000, BrushStyle::Solid};
    draw(canvas);
  }

  QRgb At(int x, int y) const { return image.pixel(x, y); }
  int Count(QRgb colour) const {
    int n = 0;
    for (int y = 0; y < image.height(); ++y) {
      for (int x = 0; x < image.width(); ++x) n += image.pixel(x, y) == colour;
    }
    return n;
  }

  QImage image;
};
