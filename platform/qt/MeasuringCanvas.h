#pragma once

#include <QImage>
#include <QPainter>

#include "platform/qt/QtCanvas.h"

// A canvas that draws nothing, for measuring outside a paint event. It has the resolution of
// the device it stands in for, so that it measures texts as a canvas on that device does and
// shares its remembered sizes.
class MeasuringCanvas {
 public:
  explicit MeasuringCanvas(const QPaintDevice* like = nullptr);
  QtCanvas& canvas() { return canvas_; }

 private:
  QImage image_;
  QPainter painter_;
  QtCanvas canvas_;
};
