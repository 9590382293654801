#pragma once

#include <QColor>
#include <QPoint>
#include <memory>
#include <optional>
#include <vector>

#include "platform/Canvas.h"
#include "platform/qt/FontCache.h"

class QPainter;

// The canvas over a QPainter on any paint device: a widget, an image, a printer, an SVG
// generator or a PDF writer. Rectangles and axis-parallel lines are filled pixel spans, which
// keeps them exact to the pixel and fast; everything else goes through the painter without
// antialiasing. The painter's pen, brush and font are only set when they change, so nobody
// else may change them while the canvas is in use.
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

 private:
  void UsePen(const TPen& pen);
  void UseBrush(const TBrush& brush);
  FontCache::Entry& UseFont();
  void FillSpan(int32_t l, int32_t t, int32_t r, int32_t b, const QColor& color);
  void StraightLine(TPoint from, TPoint to);
  void ThinLine(TPoint from, TPoint to);
  void DottedOutline(int32_t l, int32_t t, int32_t r, int32_t b);

  QPainter& painter_;
  std::optional<TPen> painterPen_;
  std::optional<TBrush> painterBrush_;
  std::optional<TFont> fontKey_;
  std::shared_ptr<FontCache::Entry> font_;
  TRect clip_;
  uint64_t deviceKey_;
  std::vector<QPoint> points_;  // kept to reuse its memory from line to line
  bool dotted_ = true;          // a dotted line's pattern runs on from one line to the next
};
