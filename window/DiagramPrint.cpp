#include "window/DiagramPrint.h"

#include <QPainter>

#include "model/Display.h"
#include "platform/qt/QtCanvas.h"
#include "window/Struktogrammfenster.h"

namespace {

std::string PageNumber(int page, int count) {
  return "Seite " + std::to_string(page + 1) + " von " + std::to_string(count);
}

}  // namespace

int DiagramPrint::Paginate(QPainter& painter, TSize area) {
  QtCanvas canvas(painter);
  canvas.Font = PrintFont;
  const int32_t headingHeight = canvas.TextExtent(window_.Caption() + "Seite").h;
  area_ = area;
  diagram_ = window_.PrintedExtent(canvas);
  layout_.emplace(area, headingHeight, diagram_, window_.PrintedCuts(canvas));
  return static_cast<int>(layout_->Pages().size());
}

void DiagramPrint::DrawPage(QPainter& painter, int page) {
  const int count = static_cast<int>(layout_->Pages().size());
  {
    QtCanvas canvas(painter);
    canvas.Brush.Color = Colors::PrintBackground;
    canvas.Font = PrintFont;
    canvas.TextOut(0, 0, window_.Caption());
    const std::string number = PageNumber(page, count);
    canvas.TextOut(area_.w - canvas.TextExtent(number).w, 0, number);
  }
  const PrintLayout::Slice slice = layout_->Pages()[page];
  painter.translate(0, layout_->DiagramTop());
  painter.scale(layout_->Scale(), layout_->Scale());
  painter.translate(0, -slice.top);
  painter.setClipRect(QRect(0, slice.top, diagram_.w, slice.bottom - slice.top));
  QtCanvas canvas(painter);
  window_.PrintDiagram(canvas);
}
