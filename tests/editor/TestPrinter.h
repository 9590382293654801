#pragma once

#include <QImage>
#include <string>
#include <vector>

#include "platform/Dialogs.h"

// A white image with the window's 96 pixels per inch.
QImage WindowImage(TSize size);

// A printer that draws each page of a job on an image and keeps the job's title and pages.
class TestPrinter : public Printer {
 public:
  // The printable area of every page, in window pixels: A4 with margins of about 1.6 cm.
  static constexpr TSize Area{672, 1000};
  struct Job {
    std::string title;
    std::vector<QImage> pages;  // white pages of Area's size, drawn on
    bool preview = false;
  };
  std::vector<Job> jobs;

  void Print(const std::string& jobTitle, PrintDocument& document) override;
  void Preview(const std::string& jobTitle, PrintDocument& document) override;
};
