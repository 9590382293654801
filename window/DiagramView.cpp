#include "window/DiagramView.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QScrollBar>
#include <QWheelEvent>

#include "window/Struktogrammfenster.h"

namespace {

TForm1::Button ButtonOf(const QMouseEvent& event) {
  if (event.button() == Qt::LeftButton) return TForm1::Button::Left;
  if (event.button() == Qt::RightButton) return TForm1::Button::Right;
  return TForm1::Button::Other;
}

constexpr int LineStep = 16;

}  // namespace

uint16_t VirtualKeyCode(int qtKey) {
  switch (qtKey) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return TForm1::KeyEnter;
    case Qt::Key_Left:
      return TForm1::KeyLeft;
    case Qt::Key_Up:
      return TForm1::KeyUp;
    case Qt::Key_Right:
      return TForm1::KeyRight;
    case Qt::Key_Down:
      return TForm1::KeyDown;
    case Qt::Key_Insert:
      return TForm1::KeyInsert;
    case Qt::Key_Delete:
      return TForm1::KeyDelete;
    default:
      return 0;
  }
}

DiagramView::DiagramView(TForm1& form)
    : QAbstractScrollArea(&form),
      form_(form),
      accessible_(std::make_unique<AccessibleDiagram>(form)) {
  setFocusPolicy(Qt::StrongFocus);
  setFrameShape(QFrame::NoFrame);
  viewport()->setAutoFillBackground(true);
  viewport()->setMouseTracking(false);
  horizontalScrollBar()->setSingleStep(LineStep);
  verticalScrollBar()->setSingleStep(LineStep);
}

DiagramView::~DiagramView() = default;

void DiagramView::SetScrollRanges(int horizontal, int vertical) {
  horizontalRange_ = horizontal;
  verticalRange_ = vertical;
  ApplyRanges();
}

void DiagramView::ApplyRanges() {
  // A bar that appears takes room from the other direction, so the ranges settle in two
  // rounds at most.
  for (int round = 0; round < 2; ++round) {
    const QSize client = viewport()->size();
    horizontalScrollBar()->setRange(0, std::max(0, horizontalRange_ - client.width()));
    horizontalScrollBar()->setPageStep(std::max(1, client.width()));
    verticalScrollBar()->setRange(0, std::max(0, verticalRange_ - client.height()));
    verticalScrollBar()->setPageStep(std::max(1, client.height()));
  }
}

void DiagramView::paintEvent(QPaintEvent*) { form_.FormPaint(); }

// Mouse and keys reach the window's handlers through the command guard, like its menus.
void DiagramView::mousePressEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  const TForm1::Button button = ButtonOf(*event);
  form_.Guarded([&] { form_.FormMouseDown(button, at.x(), at.y(), false); });
}

void DiagramView::mouseDoubleClickEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  const TForm1::Button button = ButtonOf(*event);
  form_.Guarded([&] { form_.FormMouseDown(button, at.x(), at.y(), true); });
}

void DiagramView::mouseMoveEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  form_.Guarded([&] { form_.FormMouseMove(at.x(), at.y()); });
}

void DiagramView::mouseReleaseEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  const TForm1::Button button = ButtonOf(*event);
  form_.Guarded([&] { form_.FormMouseUp(button, at.x(), at.y()); });
  // The pop-up menu opens when the right button comes up, so that a drag with the right
  // button reaches its release here; the press has selected what the menu acts on.
  if (event->button() == Qt::RightButton && form_.PopupMenu1)
    form_.PopupMenu1->popup(event->globalPosition().toPoint());
}

void DiagramView::keyPressEvent(QKeyEvent* event) {
  if (const uint16_t key = VirtualKeyCode(event->key())) {
    form_.Guarded([&] { form_.FormKeyDown(key); });
    event->accept();
  } else {
    event->ignore();
  }
}

// The wheel with Ctrl zooms about the pointer, a step a notch; without Ctrl it scrolls.
void DiagramView::wheelEvent(QWheelEvent* event) {
  if (!(event->modifiers() & Qt::ControlModifier)) {
    zoomWheel_ = 0;
    QAbstractScrollArea::wheelEvent(event);
    return;
  }
  event->accept();
  constexpr int Notch = 120;  // QWheelEvent's angle of one notch, in eighths of a degree
  zoomWheel_ += event->angleDelta().y();
  const int steps = zoomWheel_ / Notch;
  zoomWheel_ %= Notch;
  if (steps == 0) return;
  const QPoint at = event->position().toPoint();
  form_.Guarded([&] { form_.ZoomBySteps(steps, at); });
}

// Coming back to a window, a screen reader hears where its selection is.
void DiagramView::focusInEvent(QFocusEvent* event) {
  QAbstractScrollArea::focusInEvent(event);
  accessible_->AnnounceSelection();
}

// The platform asks for the pop-up menu when the right button goes down; from the mouse it
// opens on the release instead (above), from the keyboard's menu key at once.
void DiagramView::contextMenuEvent(QContextMenuEvent* event) {
  event->accept();
  if (event->reason() == QContextMenuEvent::Mouse || !form_.PopupMenu1) return;
  QPoint at = event->globalPos();
  // From the keyboard the menu opens at the selected element, where it is drawn.
  if (event->reason() == QContextMenuEvent::Keyboard && form_.Options->SelectedElement()) {
    const QRect r = form_.ToClient(form_.Options->SelectionRect);
    const QPoint corner(std::max(r.left(), 0), std::clamp(r.bottom() + 1, 0, viewport()->height()));
    at = viewport()->mapToGlobal(corner);
  }
  form_.PopupMenu1->popup(at);
}

void DiagramView::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  ApplyRanges();
}

void DiagramView::scrollContentsBy(int, int) { viewport()->update(); }
