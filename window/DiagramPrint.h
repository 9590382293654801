#pragma once

#include <optional>

#include "platform/Dialogs.h"
#include "window/PrintLayout.h"

class TForm1;

// The printout of a window's shown block: on each page the window's caption and the page
// number, and below them the diagram as the window shows it, without marks and shades.
class DiagramPrint : public PrintDocument {
 public:
  explicit DiagramPrint(TForm1& window) : window_(window) {}

  int Paginate(QPainter& painter, TSize area) override;
  void DrawPage(QPainter& painter, int page) override;

  // The layout of the last pagination.
  const PrintLayout& Layout() const { return *layout_; }

 private:
  TForm1& window_;
  TSize area_;
  TSize diagram_;
  std::optional<PrintLayout> layout_;
};
