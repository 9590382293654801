#include "platform/qt/QtCanvas.h"

#include <QLineF>
#include <QPaintEngine>
#include <QPainter>
#include <QPolygon>
#include <QPolygonF>
#include <algorithm>
#include <cmath>

#include "platform/qt/Encoding.h"
#include "platform/qt/PixelLine.h"
#include "platform/qt/QtColor.h"
#include "platform/qt/QtPens.h"

using qtpens::After;
using qtpens::Before;
using qtpens::ToQPen;

namespace {

QBrush ToQBrush(const TBrush& brush) {
  return brush.Style == BrushStyle::Solid ? QBrush(ToQColor(brush.Color)) : QBrush(Qt::NoBrush);
}

bool SameFace(const TFont& a, const TFont& b) {
  return a.PixelHeight == b.PixelHeight && a.PointSize == b.PointSize && a.Name == b.Name;
}

uint64_t ResolutionKey(const QPaintDevice* device) {
  uint64_t dpiX = device ? static_cast<uint32_t>(device->logicalDpiX()) : 0;
  uint64_t dpiY = device ? static_cast<uint32_t>(device->logicalDpiY()) : 0;
  return uint64_t{1} << 63 | dpiX << 24 | dpiY;
}

// Engines that record shapes rather than pixels.
bool WritesVectors(const QPainter& painter) {
  const QPaintEngine* engine = painter.paintEngine();
  if (!engine) return false;
  switch (engine->type()) {
    case QPaintEngine::SVG:
    case QPaintEngine::Pdf:
    case QPaintEngine::Picture:
    case QPaintEngine::MacPrinter:
      return true;
    default:
      return false;
  }
}

// A coordinate of the clip, kept within the range the canvas promises however small the
// painter's scale makes the device in logical units; not-a-number counts as the lowest.
int32_t Bounded(double v) {
  constexpr double low = INT32_MIN / 2, high = INT32_MAX / 2;
  return static_cast<int32_t>(v >= low ? std::min(v, high) : low);
}

TRect ToClip(const QRectF& r) {
  return {Bounded(std::floor(r.left())), Bounded(std::floor(r.top())),
          Bounded(std::ceil(r.right())), Bounded(std::ceil(r.bottom()))};
}

QRectF Span(int32_t l, int32_t t, int32_t r, int32_t b) {
  return QRectF(QPointF(l, t), QPointF(r, b));
}

// How many steps a thin sloped line takes across a drawing pixel. A device that enlarges the
// drawing of its own accord, as a high-DPI screen does, gets its lines at its own resolution:
// as many steps as it has pixels to the drawing pixel. A scale the painter is given (pictures
// at a scale, zoom) enlarges the drawing's own pixels instead, and vector devices have none.
int32_t Fineness(const QPaintDevice* device, bool vector) {
  if (vector || !device) return 1;
  return static_cast<int32_t>(std::clamp(std::lround(device->devicePixelRatio()), 1L, 16L));
}

}  // namespace

QtCanvas::QtCanvas(QPainter& painter)
    : painter_(painter),
      deviceKey_(ResolutionKey(painter.device())),
      vector_(WritesVectors(painter)),
      fineness_(Fineness(painter.device(), vector_)) {
  painter_.setRenderHint(QPainter::Antialiasing, false);
  UpdateClipRect();
}

void QtCanvas::UpdateClipRect() {
  grid_ = DeviceGrid(painter_.combinedTransform());
  bool invertible = false;
  const QTransform toLogical = painter_.combinedTransform().inverted(&invertible);
  std::optional<QRectF> area;
  const QPaintDevice* device = painter_.device();
  if (invertible && device && device->width() > 0 && device->height() > 0) {
    area = toLogical.mapRect(QRectF(0, 0, device->width(), device->height()));
  }
  // A widget's paint event limits painting through the engine's system clip, given in the
  // pixels of the window's backing store, which the device transform also reaches.
  const QPaintEngine* engine = painter_.paintEngine();
  if (engine && !engine->systemClip().isEmpty()) {
    const QTransform fromBackingStore = painter_.deviceTransform().inverted(&invertible);
    const QRectF visible = fromBackingStore.mapRect(QRectF(engine->systemClip().boundingRect()));
    if (invertible) area = area ? *area & visible : visible;
  }
  if (painter_.hasClipping()) {
    const QRectF own = painter_.clipBoundingRect();
    area = area ? *area & own : own;
  }
  clip_ = area ? ToClip(*area) : Canvas::ClipRect();
  if (clip_.Right < clip_.Left || clip_.Bottom < clip_.Top) clip_ = {};
  fineGrid_ = grid_.Finer(fineness_);
}

void QtCanvas::UseQPen(const QPen& pen) {
  if (painterPen_ == pen) return;
  painter_.setPen(pen);
  painterPen_ = pen;
}

void QtCanvas::UseQBrush(const QBrush& brush) {
  if (painterBrush_ == brush) return;
  painter_.setBrush(brush);
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

// The one pen of vector lines, outlines and texts, so that they share their state in the
// file: flat caps, lines being strokes from the first edge of their first pixel to the far
// edge of their last; never thinner than one device unit (short of absurd scales), as a line
// in a scaled pixel picture is never thinner than one pixel.
QPen QtCanvas::LinePen(TColor color, int32_t width, PenStyle style) const {
  const double deviceUnit = std::min(1 / grid_.Scale(), 1e6);
  QPen pen(ToQColor(color), std::max({1.0, static_cast<double>(width), deviceUnit}));
  pen.setJoinStyle(Qt::MiterJoin);
  pen.setCapStyle(Qt::FlatCap);
  if (style == PenStyle::Dot) pen.setDashPattern({1, 1});
  return pen;
}

// The pen for the outlines Qt draws itself: polygons, ellipses and wide sloped lines. Qt's
// one-pixel pen stays one device pixel thin however much the painter enlarges, as on high-DPI
// screens; enlarged, a thin outline is one drawing pixel wide, as heavy as every other line.
QPen QtCanvas::OutlinePen() const {
  if (vector_ && Pen.Width <= 1) return LinePen(Pen.Color, 1, Pen.Style);
  QPen pen = ToQPen(Pen);
  if (Enlarged() && Pen.Width <= 1) pen.setWidth(1);
  return pen;
}

bool QtCanvas::Enlarged() const { return !vector_ && grid_.Scale() > 1; }

// A thin enlarged outline runs through the middle of the pixels it stands for, where the
// one-pixel pen puts them, rather than along their edges.
double QtCanvas::OutlineShift() const { return Enlarged() && Pen.Width <= 1 ? 0.5 : 0; }

// Fills columns l .. r-1 and rows t .. b-1 of a surface, which lines drawn later may cross.
void QtCanvas::FillArea(int32_t l, int32_t t, int32_t r, int32_t b, const QColor& color) {
  if (r <= l || b <= t) return;
  const QRectF area = vector_ ? Span(l, t, r, b) : grid_.Area(l, t, r, b);
  if (!area.isEmpty()) painter_.fillRect(area, color);
}

// Fills columns l .. r-1 and rows t .. b-1 of a line.
void QtCanvas::FillInk(int32_t l, int32_t t, int32_t r, int32_t b, const QColor& color) {
  if (r > l && b > t) painter_.fillRect(vector_ ? Span(l, t, r, b) : grid_.Ink(l, t, r, b), color);
}

void QtCanvas::Rectangle(int32_t l, int32_t t, int32_t r, int32_t b) {
  if (r < l) std::swap(l, r);
  if (b < t) std::swap(t, b);
  if (r == l || b == t) return;
  if (vector_) {
    VectorRectangle(l, t, r, b);
  } else {
    PixelRectangle(l, t, r, b);
  }
}

// The outline is a band of the pen's width centred on the outermost columns and rows.
void QtCanvas::PixelRectangle(int32_t l, int32_t t, int32_t r, int32_t b) {
  if (Brush.Style == BrushStyle::Solid) FillArea(l, t, r, b, ToQColor(Brush.Color));
  if (Pen.Style == PenStyle::Dot) {
    DottedOutline(l, t, r, b);
    return;
  }
  const QColor color = ToQColor(Pen.Color);
  const int32_t below = Before(Pen.Width), above = After(Pen.Width);
  FillInk(l - below, t - below, r - 1 + above, t + above, color);
  FillInk(l - below, b - 1 - below, r - 1 + above, b - 1 + above, color);
  FillInk(l - below, t, l + above, b, color);
  FillInk(r - 1 - below, t, r - 1 + above, b, color);
}

// One shape: the fill, and the outline as a stroke along the middle of the band that the
// outline covers on a pixel device.
void QtCanvas::VectorRectangle(int32_t l, int32_t t, int32_t r, int32_t b) {
  const int32_t below = Before(Pen.Width), above = After(Pen.Width);
  if (r - l == 1 || b - t == 1) {
    // Nothing lies inside: the outline is a single line.
    VectorBand(l - below, t - below, r - 1 + above, b - 1 + above);
    return;
  }
  const double middle = (above - below) / 2.0;
  UseQPen(LinePen(Pen.Color, Pen.Width, Pen.Style));
  UseQBrush(ToQBrush(Brush));
  painter_.drawRect(
      QRectF(QPointF(l + middle, t + middle), QPointF(r - 1 + middle, b - 1 + middle)));
}

void QtCanvas::Polygon(std::span<const TPoint> points) {
  if (points.empty()) return;
  UseQPen(OutlinePen());
  UseQBrush(ToQBrush(Brush));
  const double shift = OutlineShift();
  if (shift == 0) {
    QPolygon polygon(static_cast<int>(points.size()));
    for (std::size_t i = 0; i < points.size(); ++i) {
      polygon.setPoint(static_cast<int>(i), points[i].x, points[i].y);
    }
    painter_.drawPolygon(polygon);
    return;
  }
  QPolygonF polygon;
  polygon.reserve(static_cast<qsizetype>(points.size()));
  for (const TPoint& p : points) polygon << QPointF(p.x + shift, p.y + shift);
  painter_.drawPolygon(polygon);
}

void QtCanvas::Ellipse(int32_t l, int32_t t, int32_t r, int32_t b) {
  if (r < l) std::swap(l, r);
  if (b < t) std::swap(t, b);
  if (r == l || b == t) return;
  UseQPen(OutlinePen());
  UseQBrush(ToQBrush(Brush));
  const double shift = OutlineShift();
  if (shift == 0) {
    painter_.drawEllipse(QRect(l, t, r - l - 1, b - t - 1));
  } else {
    painter_.drawEllipse(QRectF(l + shift, t + shift, r - l - 1, b - t - 1));
  }
}

void QtCanvas::TextOut(int32_t x, int32_t y, const std::string& text) {
  FontCache::Entry& font = UseFont();
  if (Brush.Style == BrushStyle::Solid) {
    const TSize size = FontCache::Extent(font, text);
    const auto right = static_cast<int32_t>(std::min<int64_t>(int64_t{x} + size.w, INT32_MAX));
    FillArea(x, y, right, y + size.h, ToQColor(Brush.Color));
  }
  const TPen pen{Font.Color, 1, PenStyle::Solid};
  UseQPen(vector_ ? LinePen(pen.Color, 1, pen.Style) : ToQPen(pen));
  if (!vector_ && text.size() <= FontCache::PieceLength) {
    painter_.drawStaticText(x, y, FontCache::Layout(font, text));
    return;
  }
  // Vector devices draw each text once, and their way of drawing a static text leaves a pen
  // of its own in the painter.
  TextInPieces(x, y, text, font);
}

// A text without a kept layout; a long one piece by piece as it was measured, each piece only
// where it can be seen.
void QtCanvas::TextInPieces(int32_t x, int32_t y, const std::string& text, FontCache::Entry& font) {
  const double baseline = static_cast<double>(y) + font.metrics.ascent();
  if (text.size() <= FontCache::PieceLength) {
    painter_.drawText(QPointF(x, baseline), ToQString(text));
    return;
  }
  double left = x;
  for (std::size_t at = 0; at < text.size() && left < clip_.Right; at += FontCache::PieceLength) {
    const QString piece = ToQString(text.substr(at, FontCache::PieceLength));
    const int advance = font.metrics.horizontalAdvance(piece);
    if (left + advance >= clip_.Left) painter_.drawText(QPointF(left, baseline), piece);
    left += advance;
  }
}

TSize QtCanvas::TextExtent(const std::string& text) { return FontCache::Extent(UseFont(), text); }
