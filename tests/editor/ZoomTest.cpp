// Zoom per diagram window: its steps, the keys, menu items and wheel that change it, clicks,
// drags and scroll ranges at the scaled places, and that it changes nothing of the design.
#include <QLabel>
#include <QScrollBar>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QWheelEvent>
#include <cmath>

#include "tests/editor/EditorTestSupport.h"
#include "tests/editor/PictureTestSupport.h"
#include "window/Zoom.h"

namespace editortest {
namespace {

constexpr const char* kViews[] = {"Flussdiagramm1", "Struktogramm1"};

std::string Statements(int count) {
  std::string notation;
  for (int i = 0; i < count; ++i) notation += "A(a" + std::to_string(i) + ") ";
  return notation;
}

class ZoomTest : public EditorTest {
 protected:
  std::string ZoomText() { return form->statusBar()->findChild<QLabel*>()->text().toStdString(); }
  // The middle of element's drawing at 100 %, in document pixels (unscrolled client pixels).
  QPointF Middle(TElement* element) {
    First().SetScrollOffsets({0, 0});
    First().Options->ClearSelection();
    First().Options->Select(element);
    First().Repaint();
    const TRect r = First().Options->SelectionRect;
    return {(r.Left + r.Right) / 2.0, (r.Top + r.Bottom) / 2.0};
  }
  // Where a document point lies in the client area: scaled by the zoom, less the offsets.
  QPoint Place(QPointF document) {
    const double scale = First().Zoom() / 100.0;
    return QPoint(int(std::floor(document.x() * scale)), int(std::floor(document.y() * scale))) -
           First().ScrollOffsets();
  }
  // The document point under the middle of a client pixel.
  QPointF Under(QPoint client) {
    return (QPointF(client) + QPointF(0.5, 0.5) + First().ScrollOffsets()) * 100 / First().Zoom();
  }
  QRect RedBounds() {
    const QImage image = First().view().viewport()->grab().toImage();
    QRect red;
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x)
        if (image.pixelColor(x, y) == QColor(255, 0, 0)) red |= QRect(x, y, 1, 1);
    return red;
  }
  void Wheel(QPoint at, int angle, Qt::KeyboardModifiers modifiers = Qt::ControlModifier) {
    QWidget* viewport = First().view().viewport();
    QWheelEvent event(at, viewport->mapToGlobal(at), {}, {0, angle}, Qt::NoButton, modifiers,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(viewport, &event);
  }
};

TEST_F(ZoomTest, StepsGoUpAndDownFromAnyValueAndStopAtTheEnds) {
  const int cases[][3] = {{100, 110, 90},  {25, 33, 25}, {400, 400, 300},
                          {120, 125, 110}, {10, 25, 25}, {999, 400, 400}};
  for (const auto& [percent, larger, smaller] : cases) {
    EXPECT_EQ(zoom::Larger(percent), larger) << percent;
    EXPECT_EQ(zoom::Smaller(percent), smaller) << percent;
  }
}

// A client pixel lies in ToClient(rect) exactly when FromClient puts it inside rect.
TEST_F(ZoomTest, TheMappingsBothWaysAgree) {
  const TRect rect{10, 20, 37, 41};
  for (int percent : {25, 33, 67, 110, 150, 200})
    for (QPoint scroll : {QPoint(0, 0), QPoint(7, 13), QPoint(101, 55)}) {
      const ViewMapping mapping(percent, scroll);
      const QRect client = mapping.ToClient(rect);
      for (int c = -20; c < 150; ++c) {
        const TPoint at = mapping.FromClient({c, c});
        EXPECT_EQ(client.left() <= c && c <= client.right(),
                  rect.Left <= at.x && at.x < rect.Right);
        EXPECT_EQ(client.top() <= c && c <= client.bottom(),
                  rect.Top <= at.y && at.y < rect.Bottom);
      }
    }
}

TEST_F(ZoomTest, ClicksAndDragsActWhereTheElementIsDrawnAtEveryZoom) {
  for (const char* view : kViews)
    for (int percent : {50, 200}) {
      SCOPED_TRACE(std::string(view) + " " + std::to_string(percent));
      Trigger(view);
      First().SetZoom(100, {});
      SetDesign("A(a) I(c)[A(j)|A(n)] W(w)[A(l)] A(b) " + Statements(30));
      std::vector<std::pair<TElement*, QPointF>> middles;
      for (TElement* e : {At({0}), At({1, 1, 0}), At({1, 2, 0}), At({2, 1, 0}), At({3}), At({20})})
        middles.emplace_back(e, Middle(e));
      First().SetZoom(percent, {});
      for (const auto& [element, middle] : middles) {
        // Scrolled so that the element shows some way into the client area.
        const double scale = percent / 100.0;
        First().SetScrollOffsets((middle * scale).toPoint() - QPoint(101, 57));
        const QPoint place = Place(middle);
        ASSERT_TRUE(First().view().viewport()->rect().contains(place));
        Press(First(), place);
        EXPECT_EQ(First().Options->SelectedElement(), element) << element->Text;
        EXPECT_TRUE(First().ToClient(First().Options->SelectionRect).contains(place));
        // The red of the selection is painted at the same scale and place.
        const QRect red = RedBounds(), drawn = First().ToClient(First().Options->SelectionRect);
        for (int d :
             {red.left() - drawn.left(), red.top() - drawn.top(), red.right() - drawn.right()})
          EXPECT_LE(std::abs(d), 2) << element->Text;
      }
      // A drag from b onto a puts b after a.
      First().SetScrollOffsets({0, 0});
      DragPress(First(), Place(middles[4].second));
      const int selectedOnly = RedPixels(First());
      DragMove(First(), Place(middles[0].second));
      EXPECT_EQ(First().Options->DropTarget, At({0}));
      EXPECT_GT(RedPixels(First()), selectedOnly) << "the drop mark shows";
      DragRelease(First(), Place(middles[0].second));
      EXPECT_EQ(Design() + " ", "A(a) A(b) I(c)[A(j)|A(n)] W(w)[A(l)] " + Statements(30));
    }
}

TEST_F(ZoomTest, ScrollRangesScaleAndCommandsKeepTheSelectionInSight) {
  SetDesign(Statements(100) + "B(b)[A(x) A(y)] " + Statements(20) + "A(" + std::string(300, 'w') +
            ")");
  const auto range = [&](QScrollBar* bar) { return bar->maximum() + bar->pageStep(); };
  const QSize design(range(First().view().horizontalScrollBar()),
                     range(First().view().verticalScrollBar()));
  for (int percent : {50, 200, 400}) {
    First().SetZoom(percent, {});
    EXPECT_EQ(range(First().view().horizontalScrollBar()), (design.width() * percent + 99) / 100);
    EXPECT_EQ(range(First().view().verticalScrollBar()), (design.height() * percent + 99) / 100);
    First().Options->ClearSelection();
    First().Options->Select(At({60}));
    Key(First(), Qt::Key_Down);
    First().Repaint();
    const QRect shown = First().ToClient(First().Options->SelectionRect);
    EXPECT_TRUE(First().view().viewport()->rect().contains(shown.topLeft())) << percent;
    // Collapsing a block centres it.
    First().Options->ClearSelection();
    First().Options->Select(At({100}));
    First().ChangeDisplay();
    First().Repaint();
    const QRect block = First().ToClient(First().Options->SelectionRect);
    EXPECT_TRUE(First().view().viewport()->rect().contains(block.center())) << percent;
    First().ChangeDisplay();
  }
}

TEST_F(ZoomTest, TheWheelWithCtrlZoomsAboutThePointerAndWithoutItScrolls) {
  SetDesign(Statements(120) + "A(" + std::string(300, 'w') + ")");
  First().SetScrollOffsets({300, 900});
  const QPoint pointer(210, 150);
  const struct {
    int angle, percent;
  } turns[] = {{120, 110}, {240, 150}, {-120, 125}, {60, 125}, {60, 150}, {-480, 90}};
  for (const auto& [angle, percent] : turns) {
    const QPointF before = Under(pointer);
    Wheel(pointer, angle);
    EXPECT_EQ(First().Zoom(), percent);
    EXPECT_LE((Under(pointer) - before).manhattanLength(), 100.0 / percent) << percent;
  }
  const QPoint scroll = First().ScrollOffsets();
  Wheel(pointer, -120, Qt::NoModifier);
  EXPECT_EQ(First().Zoom(), 90);
  EXPECT_GT(First().ScrollOffsets().y(), scroll.y());
  EXPECT_EQ(States(), 0);
}

TEST_F(ZoomTest, KeysAndMenuItemsZoomTheActiveWindowAndTheStatusBarShowsIt) {
  EXPECT_EQ(ZoomText(), "Zoom 100 %");
  const Qt::KeyboardModifiers ctrl = Qt::ControlModifier, keypad = ctrl | Qt::KeypadModifier;
  const struct {
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    int percent;
  } keys[] = {{Qt::Key_Plus, ctrl, 110},    {Qt::Key_Equal, ctrl, 125}, {Qt::Key_Plus, keypad, 150},
              {Qt::Key_Minus, keypad, 125}, {Qt::Key_0, ctrl, 100},     {Qt::Key_Minus, ctrl, 90}};
  for (const auto& [key, modifiers, percent] : keys) {
    Key(First(), key, modifiers);
    EXPECT_EQ(First().Zoom(), percent);
    EXPECT_EQ(ZoomText(), "Zoom " + std::to_string(percent) + " %");
  }
  Trigger("Verkleinern1");
  Trigger("Neu1");  // the first window keeps its zoom for the new design
  EXPECT_EQ(First().Zoom(), 75);
  SetDesign("B(b)[A(x)]");
  First().Options->Select(At({0}));
  TForm1* other = First().InneuemFensteranzeigen();
  EXPECT_EQ(ZoomText(), "Zoom 100 %");
  Trigger("Vergrern1");
  EXPECT_EQ(other->Zoom(), 110);
  EXPECT_EQ(ZoomText(), "Zoom 110 %");
  form->MdiArea->setActiveSubWindow(&First());
  EXPECT_EQ(ZoomText(), "Zoom 75 %");
  Trigger("Normalgre1");
  EXPECT_EQ(First().Zoom(), 100);
}

TEST_F(ZoomTest, ZoomRecordsNoStateAndChangesNothingSavedPrintedOrExported) {
  QTemporaryDir folder;
  SetDesign("A(x := 1) I(x > 0)[A(y := 2)|A(n)] W(w)[A(l)] D(d)[A(e)]");
  const auto outputs = [&](const std::string& name) {
    const std::string design = folder.filePath(QString::fromStdString(name + ".str")).toStdString();
    const std::string picture =
        folder.filePath(QString::fromStdString(name + ".png")).toStdString();
    dialogs.ChooseFile(design);
    Trigger("Struktogrammspeichern1");
    dialogs.ChooseFile(picture, 0);
    Trigger("AlsBildspeichern1");
    dialogs.AnswerPrintDialog(true);
    Trigger("Drucken2");
    return std::tuple(ReadBytes(design), ReadBytes(picture), printer.jobs.back().pages);
  };
  for (const char* view : kViews) {
    Trigger(view);
    First().SetZoom(100, {});
    const auto normal = outputs(std::string(view) + "100");
    for (const char* command : {"Vergrern1", "Vergrern1", "Verkleinern1", "Vergrern1"})
      Trigger(command);
    EXPECT_EQ(outputs(std::string(view) + "125"), normal) << view;
  }
  EXPECT_EQ(States(), 0);
  EXPECT_FALSE(form->Changed());
}

}  // namespace
}  // namespace editortest
