#pragma once

#include <QPen>
#include <algorithm>
#include <cstdint>

#include "platform/Canvas.h"
#include "platform/qt/QtColor.h"

// The pens the Qt canvas shares between its shapes and its lines.
namespace qtpens {

inline QPen ToQPen(const TPen& pen) {
  // Width 0 is Qt's one-pixel cosmetic pen; round caps join wide lines without notches, but
  // would close the gaps of a wide dotted one.
  QPen qpen(ToQColor(pen.Color), pen.Width <= 1 ? 0 : pen.Width);
  bool round = pen.Width > 1 && pen.Style == PenStyle::Solid;
  qpen.setCapStyle(round ? Qt::RoundCap : Qt::FlatCap);
  qpen.setJoinStyle(pen.Width <= 1 ? Qt::MiterJoin : Qt::RoundJoin);
  if (pen.Style == PenStyle::Dot) qpen.setDashPattern({1, 1});
  return qpen;
}

// A pen wider than one pixel is centred on the row or column it draws: it reaches Before(w)
// pixels before it and ends After(w) pixels after its start (exclusive).
inline int32_t Before(int32_t width) { return (std::max(width, 1) - 1) / 2; }
inline int32_t After(int32_t width) { return std::max(width, 1) / 2 + 1; }

}  // namespace qtpens
