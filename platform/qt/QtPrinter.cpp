#include "platform/qt/QtPrinter.h"

#include <QPainter>
#include <QPrintPreviewDialog>
#include <algorithm>

#include "platform/Stream.h"
#include "platform/qt/Encoding.h"

namespace {

// Window pixels per inch: pages are laid out in the units the screen shows.
constexpr int WindowDpi = 96;

}  // namespace

void QtPrinter::PrintPages(QPrinter& printer, PrintDocument& document) {
  // At the window's resolution fonts keep their screen size and lines their weight; the
  // printer's engine still writes shapes and texts, not pixels.
  printer.setResolution(WindowDpi);
  const QRect area = printer.pageLayout().paintRectPixels(WindowDpi);
  QPainter painter;
  if (!painter.begin(&printer)) throw StreamError("Der Druckauftrag kann nicht begonnen werden");
  const int count = document.Paginate(painter, {area.width(), area.height()});
  int first = 1, last = count;
  if (printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0) {
    first = std::max(1, printer.fromPage());
    last = std::min(count, printer.toPage() > 0 ? printer.toPage() : count);
  }
  for (int page = first; page <= last; ++page) {
    if (page > first && !printer.newPage())
      throw StreamError("Die nächste Seite kann nicht gedruckt werden");
    painter.save();
    document.DrawPage(painter, page - 1);
    painter.restore();
  }
  painter.end();
}

void QtPrinter::Print(const std::string& jobTitle, PrintDocument& document) {
  printer_.setDocName(ToQString(jobTitle));
  PrintPages(printer_, document);
}

void QtPrinter::Preview(const std::string& jobTitle, PrintDocument& document) {
  printer_.setDocName(ToQString(jobTitle));
  QPrintPreviewDialog dialog(&printer_);
  dialog.setWindowTitle(QStringLiteral("Druckvorschau"));
  QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, [&document](QPrinter* printer) {
    try {
      PrintPages(*printer, document);
    } catch (const StreamError&) {
      // The preview stays empty; printing from it reports the fault.
    }
  });
  dialog.exec();
}
