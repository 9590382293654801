#pragma once

#include <QPoint>
#include <QRect>
#include <QTransform>

#include "platform/Geometry.h"

// Where a diagram window's drawing lands in its viewport. The drawing is laid out in design
// pixels; the viewport shows it at the window's zoom, scrolled by the scroll bars' offsets,
// which count client pixels. The drawing itself is shifted by whole design pixels (Shift), so
// that its coordinates stay small and equal the client coordinates at 100 %; the painter
// carries the zoom and what is left of the scroll offset.
//
// Drawing coordinates are what the model draws in and records (the selection's rectangle, the
// positions of elements); client coordinates are the viewport's pixels. Everything that
// crosses between them goes through ToClient and FromClient.
class ViewMapping {
 public:
  ViewMapping(int zoomPercent, QPoint scroll);

  // Design pixels scrolled out of sight at the top left: document minus drawing coordinates.
  TPoint Shift() const { return shift_; }
  // Drawing coordinates to client pixels, for the painter.
  QTransform PainterTransform() const;
  // The client pixels whose hit test lands inside drawn (right and bottom exclusive), which
  // are the pixels it covers on the screen; empty when it covers none.
  QRect ToClient(const TRect& drawn) const;
  // The design pixel under a client pixel, in drawing coordinates.
  TPoint FromClient(QPoint client) const;
  // A length of design pixels in client pixels, rounded up.
  int ClientLength(int designLength) const;
  // The scroll offsets that put the design point now under anchor (client pixels) under the
  // same pixel at another zoom.
  QPoint ScrollKeeping(QPoint anchor, int newZoomPercent) const;

 private:
  int zoom_;
  QPoint scroll_;
  TPoint shift_;
};
