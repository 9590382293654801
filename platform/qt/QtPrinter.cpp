#include "platform/qt/QtPrinter.h"

#include <QPainter>

#include "platform/Stream.h"
#include "platform/qt/Encoding.h"
#include "platform/qt/QtCanvas.h"

void QtPrinter::Print(const std::string& jobTitle, const std::function<void(Canvas&)>& page) {
  printer_.setDocName(ToQString(jobTitle));
  QPainter painter;
  if (!painter.begin(&printer_))
    throw StreamError("Der Druckauftrag kann nicht begonnen werden");
  QtCanvas canvas(painter);
  page(canvas);
  painter.end();
}
