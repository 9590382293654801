#pragma once

#include <QAbstractScrollArea>
#include <memory>

#include "window/AccessibleDiagram.h"

class TForm1;

// The scrolling client area of a diagram window. Its scroll bars hold the scroll offsets;
// paint, mouse and key events are translated for the window's handlers.
class DiagramView : public QAbstractScrollArea {
  Q_OBJECT

 public:
  explicit DiagramView(TForm1& form);
  ~DiagramView() override;

  // The accessible objects of the elements the window shows.
  AccessibleDiagram& accessible() { return *accessible_; }

  // Sets a scroll bar's range so that the offset runs from 0 to range minus the client size;
  // the bar shows when range exceeds the client size.
  void SetScrollRanges(int horizontal, int vertical);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;

 private:
  void ApplyRanges();

  TForm1& form_;
  std::unique_ptr<AccessibleDiagram> accessible_;
  int horizontalRange_ = 0;
  int verticalRange_ = 0;
  int zoomWheel_ = 0;  // wheel turns with Ctrl not yet a whole notch
};

// The virtual key code of a Qt key, 0 for keys the window does not handle.
uint16_t VirtualKeyCode(int qtKey);
