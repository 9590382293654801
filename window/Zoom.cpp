// The zoom of a diagram window: the steps, and the commands that change it. Zoom is part of
// the window's view only; nothing saved, printed or exported depends on it.
#include "window/Zoom.h"

#include <QScrollBar>
#include <algorithm>

#include "window/DiagramView.h"
#include "window/Struktogrammfenster.h"

namespace zoom {

int Larger(int percent) {
  for (int step : Steps)
    if (step > percent) return step;
  return Largest;
}

int Smaller(int percent) {
  for (auto it = std::rbegin(Steps); it != std::rend(Steps); ++it)
    if (*it < percent) return *it;
  return Smallest;
}

}  // namespace zoom

void TForm1::SetZoom(int percent, QPoint anchor) {
  percent = std::clamp(percent, zoom::Smallest, zoom::Largest);
  if (percent == zoom_) return;
  const QPoint scroll = Mapping().ScrollKeeping(anchor, percent);
  zoom_ = percent;
  AdjustScrollBars();
  SetScrollOffsets(scroll);
  view_->viewport()->update();
  emit ZoomChanged(zoom_);
}

void TForm1::ZoomIn() { SetZoom(zoom::Larger(zoom_), view_->viewport()->rect().center()); }

void TForm1::ZoomOut() { SetZoom(zoom::Smaller(zoom_), view_->viewport()->rect().center()); }

void TForm1::ZoomNormal() { SetZoom(zoom::Normal, view_->viewport()->rect().center()); }

void TForm1::ZoomBySteps(int steps, QPoint anchor) {
  int percent = zoom_;
  for (; steps > 0; --steps) percent = zoom::Larger(percent);
  for (; steps < 0; ++steps) percent = zoom::Smaller(percent);
  SetZoom(percent, anchor);
}

ViewMapping TForm1::Mapping() const { return ViewMapping(zoom_, ScrollOffsets()); }

QRect TForm1::ToClient(const TRect& drawn) const { return Mapping().ToClient(drawn); }

TPoint TForm1::FromClient(QPoint client) const { return Mapping().FromClient(client); }
