#pragma once

#include <QRectF>
#include <QTransform>

#include "platform/Geometry.h"

// Where the drawing's pixels fall on a device that the painter scales, as a picture drawn
// smaller or larger does. Painting a scaled span as it stands would let Qt round its edges,
// and a one-pixel line at a scale below 1 would often cover no device pixel at all. So spans
// are laid on whole device pixels first: a line covers every device pixel it touches (at least
// one), an area only the device pixels it wholly covers, so that no fill can erase a line
// that lies outside it. Without scaling both are the span itself.
class DeviceGrid {
 public:
  // Takes the painter's logical-to-device transform; only an axis-parallel scale with a
  // positive factor is laid on the grid, anything else is drawn as it stands.
  explicit DeviceGrid(const QTransform& toDevice);

  // The grid for spans given in fine pixels, k to the drawing pixel each way.
  DeviceGrid Finer(int32_t k) const;

  bool Exact() const { return exact_; }
  // The factor from logical to device units, the smaller of the two axes'.
  double Scale() const { return scale_; }

  // Columns l .. r-1 and rows t .. b-1 as a line, and as an area; in logical coordinates.
  // An area that covers no whole device pixel is empty.
  QRectF Ink(int32_t l, int32_t t, int32_t r, int32_t b) const;
  QRectF Area(int32_t l, int32_t t, int32_t r, int32_t b) const;

 private:
  double X(int32_t x) const;  // where a span edge lies on the device
  double Y(int32_t y) const;
  QRectF ToLogical(double l, double t, double r, double b) const;

  bool exact_ = true;
  double scale_ = 1;
  double sx_ = 1, sy_ = 1, dx_ = 0, dy_ = 0;
  double ux_ = 1, uy_ = 1;  // device units to a unit of the spans
};
