#pragma once

#include <QImage>
#include <QPainter>
#include <string>
#include <vector>

#include "platform/Dialogs.h"

// A white image with the window's 96 pixels per inch.
inline QImage WindowImage(TSize size) {
  QImage image(size.w, size.h, QImage::Format_RGB32);
  image.setDotsPerMeterX(3780);
  image.setDotsPerMeterY(3780);
  image.fill(Qt::white);
  return image;
}

// A printer that draws each page of a job on a white image and keeps the job's title and pages.
class TestPrinter : public Printer {
 public:
  // The printable area of every page, in window pixels: A4 with margins of about 1.6 cm.
  static constexpr TSize Area{672, 1000};
  struct Job {
    std::string title;
    std::vector<QImage> pages;
    bool preview = false;
  };
  std::vector<Job> jobs;

  void Print(const std::string& title, PrintDocument& document) override {
    QImage measure = WindowImage({1, 1});
    QPainter measuring(&measure);
    Job& job = jobs.emplace_back(Job{title, {}});
    for (int page = 0, count = document.Paginate(measuring, Area); page < count; ++page) {
      QPainter painter(&job.pages.emplace_back(WindowImage(Area)));
      document.DrawPage(painter, page);
    }
  }
  void Preview(const std::string& title, PrintDocument& document) override {
    Print(title, document);
    jobs.back().preview = true;
  }
};
