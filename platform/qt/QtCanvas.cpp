#include "platform/qt/QtCanvas.h"

#include <QPaintEngine>
#include <QPainter>
#include <QPolygon>
#include <algorithm>

#include "platform/qt/Encoding.h"
#include "platform/qt/QtColor.h"

namespace {

QPen ToQPen(const TPen& pen) {
  // Width 0 is Qt's one-pixel cosmetic pen; round caps join wide lines without notches, but
  // would close the gaps of a wide dotted one.
  QPen qpen(ToQColor(pen.Color), pen.Width <= 1 ? 0 : pen.Width);
  bool round = pen.Width > 1 && pen.Style == PenStyle::Solid;
  qpen.setCapStyle(round ? Qt::RoundCap : Qt::FlatCap);
  qpen.setJoinStyle(pen.Width <= 1 ? Qt::MiterJoin : Qt::RoundJoin);
  if (pen.Style == PenStyle::Dot) qpen.setDashPattern({1, 1});
  return qpen;
}

QBrush ToQBrush(const TBrush& brush) {
  return brush.Style == BrushStyle::Solid ? QBrush(ToQColor(brush.Color)) : QBrush(Qt::NoBrush);
}

TRect ToTRect(const QRect& r) {
  return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
}

bool SameFace(const TFont& a, const TFont& b) {
  return a.PixelHeight == b.PixelHeight && a.PointSize == b.PointSize && a.Name == b.Name;
}

// A pen wider than one pixel is centred on the row or column it draws: it reaches Before(w)
// pixels before it and ends After(w) pixels after its start (exclusive).
int32_t Before(int32_t width) { return (std::max(width, 1) - 1) / 2; }
int32_t After(int32_t width) { return std::max(width, 1) / 2 + 1; }

uint64_t ResolutionKey(const QPaintDevice* device) {
  uint64_t dpiX = device ? static_cast<uint32_t>(device->logicalDpiX()) : 0;
  uint64_t dpiY = device ? static_cast<uint32_t>(device->logicalDpiY()) : 0;
  return uint64_t{1} << 63 | dpiX << 24 | dpiY;
}

}  // namespace

QtCanvas::QtCanvas(QPainter& painter)
    : painter_(painter), deviceKey_(ResolutionKey(painter.device())) {
  painter_.setRenderHint(QPainter::Antialiasing, false);
  UpdateClipRect();
}

void QtCanvas::UpdateClipRect() {
  QPaintDevice* device = painter_.device();
  QTransform toLogical = painter_.combinedTransform().inverted();
  std::optional<QRect> area;
  if (device && device->width() > 0 && device->height() > 0) {
    area = toLogical.mapRect(QRectF(0, 0, device->width(), device->height())).toAlignedRect();
  }
  // A widget's paint event limits painting through the engine's system clip, given in the
  // pixels of the window's backing store, which the device transform also reaches.
  if (QPaintEngine* engine = painter_.paintEngine(); engine && !engine->systemClip().isEmpty()) {
    QRectF system(engine->systemClip().boundingRect());
    QRect visible = painter_.deviceTransform().inverted().mapRect(system).toAlignedRect();
    area = area ? *area & visible : visible;
  }
  if (painter_.hasClipping()) {
    QRect own = painter_.clipBoundingRect().toAlignedRect();
    area = area ? *area & own : own;
  }
  clip_ = area ? ToTRect(*area) : Canvas::ClipRect();
  if (clip_.Right < clip_.Left || clip_.Bottom < clip_.Top) clip_ = {};
}

void QtCanvas::UsePen(const TPen& pen) {
  if (painterPen_ == pen) return;
  painter_.setPen(ToQPen(pen));
  painterPen_ = pen;
}

void QtCanvas::UseBrush(const TBrush& brush) {
  if (painterBrush_ == brush) return;
  painter_.setBrush(ToQBrush(brush));
  painterBrush_ = brush;
}

FontCache::Entry& QtCanvas::UseFont() {
  if (!fontKey_ || !SameFace(*fontKey_, Font)) {
    auto entry = FontCache::Get(Font, painter_.device());
    if (entry != font_) painter_.setFont(entry->font);
    font_ = std::move(entry);
    fontKey_ = Font;
  }
  return *font_;
}

// Fills columns l .. r-1 and rows t .. b-1.
void QtCanvas::FillSpan(int32_t l, int32_t t, int32_t r, int32_t b, const QColor& color) {
  if (r > l && b > t) painter_.fillRect(QRect(l, t, r - l, b - t), color);
}

void QtCanvas::Rectangle(int32_t l, int32_t t, int32_t r, int32_t b) {
  if (r < l) std::swap(l, r);
  if (b < t) std::swap(t, b);
  if (r == l || b == t) return;
  if (Brush.Style == BrushStyle::Solid) FillSpan(l, t, r, b, ToQColor(Brush.Color));
  if (Pen.Style == PenStyle::Dot) {
    DottedOutline(l, t, r, b);
    return;
  }
  // The outline is a band of the pen's width centred on the outermost columns and rows.
  QColor color = ToQColor(Pen.Color);
  int32_t below = Before(Pen.Width), above = After(Pen.Width);
  FillSpan(l - below, t - below, r - 1 + above, t + above, color);
  FillSpan(l - below, b - 1 - below, r - 1 + above, b - 1 + above, color);
  FillSpan(l - below, t, l + above, b, color);
  FillSpan(r - 1 - below, t, r - 1 + above, b, color);
}

void QtCanvas::Polygon(std::span<const TPoint> points) {
  if (points.empty()) return;
  QPolygon polygon(static_cast<int>(points.size()));
  for (std::size_t i = 0; i < points.size(); ++i) {
    polygon.setPoint(static_cast<int>(i), points[i].x, points[i].y);
  }
  UsePen(Pen);
  UseBrush(Brush);
  painter_.drawPolygon(polygon);
}

void QtCanvas::Ellipse(int32_t l, int32_t t, int32_t r, int32_t b) {
  if (r < l) std::swap(l, r);
  if (b < t) std::swap(t, b);
  if (r == l || b == t) return;
  UsePen(Pen);
  UseBrush(Brush);
  painter_.drawEllipse(QRect(l, t, r - l - 1, b - t - 1));
}

void QtCanvas::LineTo(int32_t x, int32_t y) {
  TPoint from = PenPos;
  PenPos = {x, y};
  if (from == PenPos) return;
  if (Pen.Style == PenStyle::Solid && (from.x == x || from.y == y)) {
    StraightLine(from, PenPos);
  } else if (Pen.Width <= 1) {
    ThinLine(from, PenPos);
  } else {
    UsePen(Pen);
    painter_.drawLine(from.x, from.y, x, y);
  }
}

void QtCanvas::DottedOutline(int32_t l, int32_t t, int32_t r, int32_t b) {
  if (Pen.Width > 1) {
    UsePen(Pen);
    UseBrush({Brush.Color, BrushStyle::Clear});
    painter_.drawRect(QRect(l, t, r - l - 1, b - t - 1));
    return;
  }
  TPoint corners[] = {{l, t}, {r - 1, t}, {r - 1, b - 1}, {l, b - 1}, {l, t}};
  for (int i = 0; i < 4; ++i) ThinLine(corners[i], corners[i + 1]);
}

// Bresenham's line from `from` up to, not including, `to`, as single pixels; a dotted pen
// sets every other one. Qt's own thin lines leave out whichever end point comes last in its
// drawing direction, which is not always the line's end.
void QtCanvas::ThinLine(TPoint from, TPoint to) {
  if (std::max(from.x, to.x) < clip_.Left || std::min(from.x, to.x) >= clip_.Right ||
      std::max(from.y, to.y) < clip_.Top || std::min(from.y, to.y) >= clip_.Bottom) {
    return;
  }
  const int64_t dx = std::abs(int64_t{to.x} - from.x), dy = -std::abs(int64_t{to.y} - from.y);
  const int32_t sx = from.x < to.x ? 1 : -1, sy = from.y < to.y ? 1 : -1;
  const bool dotted = Pen.Style == PenStyle::Dot;
  int64_t error = dx + dy;
  points_.clear();
  for (TPoint p = from; p != to; dotted_ = !dotted_) {
    if (!dotted || dotted_) points_.emplace_back(p.x, p.y);
    int64_t twice = 2 * error;
    if (twice >= dy) {
      error += dy;
      p.x += sx;
    }
    if (twice <= dx) {
      error += dx;
      p.y += sy;
    }
  }
  if (painter_.transform().isScaling()) {
    // A scaled picture: each pixel of the line is one of the drawing's, and grows with it.
    const QColor color = ToQColor(Pen.Color);
    for (const QPoint& p : points_) painter_.fillRect(QRect(p, QSize(1, 1)), color);
    return;
  }
  UsePen({Pen.Color, 1, PenStyle::Solid});
  painter_.drawPoints(points_.data(), static_cast<int>(points_.size()));
}

// An axis-parallel solid line as a filled span. A one-pixel line runs from its start up to,
// not including, its end point; a wider one covers both ends, so that lines meeting at a
// corner join without a notch.
void QtCanvas::StraightLine(TPoint from, TPoint to) {
  QColor color = ToQColor(Pen.Color);
  if (Pen.Width <= 1) {
    int32_t l = from.x, r = from.x + 1, t = from.y, b = from.y + 1;
    if (to.x > from.x) r = to.x;
    if (to.x < from.x) l = to.x + 1;
    if (to.y > from.y) b = to.y;
    if (to.y < from.y) t = to.y + 1;
    FillSpan(l, t, r, b, color);
    return;
  }
  int32_t below = Before(Pen.Width), above = After(Pen.Width);
  FillSpan(std::min(from.x, to.x) - below, std::min(from.y, to.y) - below,
           std::max(from.x, to.x) + above, std::max(from.y, to.y) + above, color);
}

void QtCanvas::TextOut(int32_t x, int32_t y, const std::string& text) {
  FontCache::Entry& font = UseFont();
  if (Brush.Style == BrushStyle::Solid) {
    TSize size = FontCache::Extent(font, text);
    FillSpan(x, y, x + size.w, y + size.h, ToQColor(Brush.Color));
  }
  UsePen({Font.Color, 1, PenStyle::Solid});
  painter_.drawStaticText(x, y, FontCache::Layout(font, text));
}

TSize QtCanvas::TextExtent(const std::string& text) { return FontCache::Extent(UseFont(), text); }
