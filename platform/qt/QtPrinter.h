#pragma once

#include <QPrinter>

#include "platform/Dialogs.h"

// The printer the print dialog chooses; it keeps the choice for the next job.
class QtPrinter : public Printer {
 public:
  QtPrinter() : printer_(QPrinter::HighResolution) {}

  void Print(const std::string& jobTitle, const std::function<void(Canvas&)>& page) override;
  QPrinter& printer() { return printer_; }

 private:
  QPrinter printer_;
};
