#pragma once

#include <QPrinter>

#include "platform/Dialogs.h"

// The printer the print dialog chooses; it keeps the choice for the next job.
class QtPrinter : public Printer {
 public:
  QtPrinter() : printer_(QPrinter::HighResolution) {}

  void Print(const std::string& jobTitle, PrintDocument& document) override;
  void Preview(const std::string& jobTitle, PrintDocument& document) override;
  QPrinter& printer() { return printer_; }

  // Prints the document's pages in the printer's page range on printer.
  static void PrintPages(QPrinter& printer, PrintDocument& document);

 private:
  QPrinter printer_;
};
