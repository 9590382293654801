#include "tests/editor/TestPrinter.h"

#include <QPainter>

// A white image with the window's 96 pixels per inch.
QImage WindowImage(TSize size) {
  QImage image(size.w, size.h, QImage::Format_RGB32);
  image.setDotsPerMeterX(3780);
  image.setDotsPerMeterY(3780);
  image.fill(Qt::white);
  return image;
}

void TestPrinter::Print(const std::string& jobTitle, PrintDocument& document) {
  Job job{jobTitle, {}};
  QImage measure = WindowImage({1, 1});
  int count = 0;
  {
    QPainter painter(&measure);
    count = document.Paginate(painter, Area);
  }
  for (int page = 0; page < count; ++page) {
    QImage image = WindowImage(Area);
    QPainter painter(&image);
    document.DrawPage(painter, page);
    job.pages.push_back(std::move(image));
  }
  jobs.push_back(std::move(job));
}

void TestPrinter::Preview(const std::string& jobTitle, PrintDocument& document) {
  Print(jobTitle, document);
  jobs.back().preview = true;
}
