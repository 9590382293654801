#include "platform/qt/MeasuringCanvas.h"

namespace {

QImage ImageLike(const QPaintDevice* like) {
  QImage image(1, 1, QImage::Format_RGB32);
  if (like) {
    constexpr double InchesPerMeter = 1 / 0.0254;
    image.setDotsPerMeterX(qRound(like->logicalDpiX() * InchesPerMeter));
    image.setDotsPerMeterY(qRound(like->logicalDpiY() * InchesPerMeter));
  }
  return image;
}

}  // namespace

MeasuringCanvas::MeasuringCanvas(const QPaintDevice* like)
    : image_(ImageLike(like)), painter_(&image_), canvas_(painter_) {}
