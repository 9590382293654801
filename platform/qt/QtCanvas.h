#pragma once

#include <QBrush>
#include <QColor>
#include <QPen>
#include <memory>
#include <optional>

#include "platform/Canvas.h"
#include "platform/qt/DeviceGrid.h"
#include "platform/qt/FontCache.h"
#include "platform/qt/PixelLine.h"

class QPainter;

// The canvas over a QPainter on any paint device: a widget, an image, a printer, an SVG
// generator or a PDF writer. On pixel devices rectangles and lines are filled pixel spans,
// which keeps them exact to the pixel and fast, laid on whole device pixels when the painter
// scales (DeviceGrid); on high-DPI screens thin sloped lines keep their weight with steps of
// device pixels. Vector devices (SVG, PDF, printers) get one primitive per rectangle and
// per line, so that a file grows with the number of shapes and not with their length.
// Everything else goes through the painter without antialiasing. The painter's pen and brush
// are only set when they change, so nobody else may change them while the canvas is in use.
class QtCanvas : public Canvas {
 public:
  explicit QtCanvas(QPainter& painter);

  void Rectangle(int32_t l, int32_t t, int32_t r, int32_t b) override;
  void Polygon(std::span<const TPoint> points) override;
  void Ellipse(int32_t l, int32_t t, int32_t r, int32_t b) override;
  void LineTo(int32_t x, int32_t y) override;
  void TextOut(int32_t x, int32_t y, const std::string& text) override;
  TSize TextExtent(const std::string& text) override;

  // The painter's clip (its own and the one the paint event sets) and device, taken at
  // construction; call UpdateClipRect after changing the painter's clip or transform.
  TRect ClipRect() const override { return clip_; }
  void UpdateClipRect();

  // The device's resolution, which decides point-sized fonts; never the 0 of fixed metrics.
  uint64_t DeviceKey() const override { return deviceKey_; }
  bool SkipsCoveredFills() const override { return !vector_; }

 private:
  void UseQPen(const QPen& pen);
  void UseQBrush(const QBrush& brush);
  FontCache::Entry& UseFont();
  QPen LinePen(TColor color, int32_t width, PenStyle style) const;
  QPen OutlinePen() const;
  bool Enlarged() const;
  double OutlineShift() const;

  void FillArea(int32_t l, int32_t t, int32_t r, int32_t b, const QColor& color);
  void FillInk(int32_t l, int32_t t, int32_t r, int32_t b, const QColor& color);
  void PixelRectangle(int32_t l, int32_t t, int32_t r, int32_t b);
  void VectorRectangle(int32_t l, int32_t t, int32_t r, int32_t b);
  void Band(TPoint from, TPoint to);
  void VectorBand(int32_t l, int32_t t, int32_t r, int32_t b);
  void ThinLine(TPoint from, TPoint to);
  void FillRuns(const PixelLine& line, PixelLine::Range range, const DeviceGrid& grid,
                const QColor& color);
  void VectorLine(TPoint from, TPoint to);
  void DottedOutline(int32_t l, int32_t t, int32_t r, int32_t b);
  void TextInPieces(int32_t x, int32_t y, const std::string& text, FontCache::Entry& font);
  bool Outside(TPoint from, TPoint to) const;

  QPainter& painter_;
  std::optional<QPen> painterPen_;
  std::optional<QBrush> painterBrush_;
  std::optional<TFont> fontKey_;
  std::shared_ptr<FontCache::Entry> font_;
  TRect clip_;
  DeviceGrid grid_{QTransform()};
  uint64_t deviceKey_;
  bool vector_;
  // Thin sloped lines are laid on a grid this many times finer than the drawing's pixels.
  int32_t fineness_;
  DeviceGrid fineGrid_{QTransform()};
  bool dotted_ = true;  // a dotted line's pattern runs on from one line to the next
};
