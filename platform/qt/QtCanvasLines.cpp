// The Qt canvas's lines: axis-parallel bands, thin sloped and dotted lines found a run of
// pixels at a time, and their strokes on vector devices.
#include <QLineF>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "platform/qt/PixelLine.h"
#include "platform/qt/QtCanvas.h"
#include "platform/qt/QtColor.h"
#include "platform/qt/QtPens.h"

using qtpens::After;
using qtpens::Before;
using qtpens::ToQPen;

void QtCanvas::LineTo(int32_t x, int32_t y) {
  const TPoint from = PenPos;
  PenPos = {x, y};
  if (from == PenPos) return;
  if (Pen.Style == PenStyle::Solid && (from.x == x || from.y == y)) {
    Band(from, PenPos);
  } else if (Pen.Width > 1) {
    if (Outside(from, PenPos)) return;
    UseQPen(ToQPen(Pen));
    painter_.drawLine(from.x, from.y, x, y);
  } else if (vector_) {
    VectorLine(from, PenPos);
  } else {
    ThinLine(from, PenPos);
  }
}

bool QtCanvas::Outside(TPoint from, TPoint to) const {
  const int64_t reach = std::max(Pen.Width, 1);
  return std::max<int64_t>(from.x, to.x) + reach < clip_.Left ||
         std::min<int64_t>(from.x, to.x) - reach >= clip_.Right ||
         std::max<int64_t>(from.y, to.y) + reach < clip_.Top ||
         std::min<int64_t>(from.y, to.y) - reach >= clip_.Bottom;
}

void QtCanvas::DottedOutline(int32_t l, int32_t t, int32_t r, int32_t b) {
  if (Pen.Width > 1) {
    UseQPen(ToQPen(Pen));
    UseQBrush(Qt::NoBrush);
    painter_.drawRect(QRect(l, t, r - l - 1, b - t - 1));
    return;
  }
  TPoint corners[] = {{l, t}, {r - 1, t}, {r - 1, b - 1}, {l, b - 1}, {l, t}};
  for (int i = 0; i < 4; ++i) ThinLine(corners[i], corners[i + 1]);
}

// The pixels of a thin sloped or dotted line, only those in the clip, a row or column at a
// time, on the device's own pixels where it is finer than the drawing; a dotted pen sets every
// other drawing pixel. Qt's own thin lines leave out whichever end point comes last in its
// drawing direction, which is not always the line's end.
void QtCanvas::ThinLine(TPoint from, TPoint to) {
  const bool dotted = Pen.Style == PenStyle::Dot;
  const QColor color = ToQColor(Pen.Color);
  if (!dotted && fineness_ > 1) {
    if (const auto fine = PixelLine::Finer(from, to, fineness_)) {
      FillRuns(*fine, fine->Within(clip_), fineGrid_, color);
      return;
    }
  }
  const PixelLine line(from, to);
  const bool first = dotted_;
  if (dotted && line.Steps() % 2 == 1) dotted_ = !dotted_;
  const PixelLine::Range range = line.Within(clip_);
  if (!dotted) {
    FillRuns(line, range, grid_, color);
    return;
  }
  const int64_t wanted = first ? 0 : 1;  // the parity of the steps that are drawn
  for (int64_t k = range.first + ((range.first & 1) != wanted); k < range.last; k += 2) {
    const TPoint p = line.At(k);
    FillInk(p.x, p.y, p.x + 1, p.y + 1, color);
  }
}

void QtCanvas::FillRuns(const PixelLine& line, PixelLine::Range range, const DeviceGrid& grid,
                        const QColor& color) {
  // Scaled down, neighbouring runs fall on the same device pixels: each is filled once.
  QRectF previous;
  line.ForEachRun(range, [&](const TRect& run) {
    const QRectF ink = grid.Ink(run.Left, run.Top, run.Right, run.Bottom);
    if (ink != previous) painter_.fillRect(ink, color);
    previous = ink;
  });
}

// A thin sloped or dotted line as one stroke along its pixels, from the near edge of the
// first to the far edge of the last; a dotted one as dashes a step long, starting with a gap
// where the pattern of the line before left one.
void QtCanvas::VectorLine(TPoint from, TPoint to) {
  const int64_t steps = PixelLine(from, to).Steps();
  const bool dotted = Pen.Style == PenStyle::Dot;
  const bool gap = dotted && !dotted_;
  if (dotted && steps % 2 == 1) dotted_ = !dotted_;
  if (Outside(from, to) || (gap && steps == 1)) return;
  const QPointF centre(from.x + 0.5, from.y + 0.5);
  const QPointF step =
      QPointF(static_cast<double>(to.x) - from.x, static_cast<double>(to.y) - from.y) /
      static_cast<double>(steps);
  QPen pen = LinePen(Pen.Color, 1, Pen.Style);
  if (dotted) {
    // A dash and a gap as long as a step, counted in pen widths.
    const double dash = std::hypot(step.x(), step.y()) / pen.widthF();
    pen.setDashPattern({dash, dash});
  }
  UseQPen(pen);
  painter_.drawLine(QLineF(centre + step * (gap ? 0.5 : -0.5), centre + step * (steps - 0.5)));
}

// An axis-parallel solid line. A one-pixel line runs from its start up to, not including, its
// end point; a wider one covers both ends, so that lines meeting at a corner join without a
// notch.
void QtCanvas::Band(TPoint from, TPoint to) {
  int32_t l = from.x, r = from.x + 1, t = from.y, b = from.y + 1;
  if (Pen.Width <= 1) {
    if (to.x > from.x) r = to.x;
    if (to.x < from.x) l = to.x + 1;
    if (to.y > from.y) b = to.y;
    if (to.y < from.y) t = to.y + 1;
  } else {
    const int32_t below = Before(Pen.Width), above = After(Pen.Width);
    l = std::min(from.x, to.x) - below;
    t = std::min(from.y, to.y) - below;
    r = std::max(from.x, to.x) + above;
    b = std::max(from.y, to.y) + above;
  }
  if (vector_) {
    VectorBand(l, t, r, b);
  } else {
    FillInk(l, t, r, b, ToQColor(Pen.Color));
  }
}

// A band of pixels as a stroke along its length, so that it shares its pen with the
// rectangles and lines around it.
void QtCanvas::VectorBand(int32_t l, int32_t t, int32_t r, int32_t b) {
  const double half = std::min(r - l, b - t) / 2.0;
  UseQPen(LinePen(Pen.Color, Pen.Width, PenStyle::Solid));
  if (r - l >= b - t) {
    painter_.drawLine(QLineF(l, t + half, r, t + half));
  } else {
    painter_.drawLine(QLineF(l + half, t, l + half, b));
  }
}
