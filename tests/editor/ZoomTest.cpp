// Zoom per diagram window: its steps, keys, menu items and wheel, clicks, drags and scroll
// ranges at the scaled places, and that it changes nothing of the design.
#include <QLabel>
#include <QScrollBar>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QWheelEvent>

#include "tests/editor/EditorTestSupport.h"
#include "tests/editor/PictureTestSupport.h"
#include "window/Zoom.h"

namespace editortest {
namespace {

std::string Statements(int count) {
  std::string notation;
  for (int i = 0; i < count; ++i) notation += "A(a" + std::to_string(i) + ") ";
  return notation;
}

class ZoomTest : public EditorTest {
 protected:
  QRect Client() { return First().view().viewport()->rect(); }
  QRect Drawn() { return First().ToClient(First().Options->SelectionRect); }
  std::string ZoomText() { return form->statusBar()->findChild<QLabel*>()->text().toStdString(); }
  // The middle of element's box in document pixels: client pixels at 100 %, unscrolled.
  QPointF Middle(TElement* element) {
    First().Options->ClearSelection();
    First().Options->Select(element);
    First().Repaint();
    return QRectF(Drawn()).center() + First().ScrollOffsets();
  }
  // Where a document point is drawn: scaled by the zoom, less the scroll offsets.
  QPoint Place(QPointF document) {
    return (document * First().Zoom() / 100).toPoint() - First().ScrollOffsets();
  }
  QRect RedBounds() {
    const QImage image = First().view().viewport()->grab().toImage();
    QRect red;
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x)
        if (image.pixelColor(x, y) == QColor(255, 0, 0)) red |= QRect(x, y, 1, 1);
    return red;
  }
};

TEST_F(ZoomTest, StepsGoUpAndDownFromAnyValueAndStopAtTheEnds) {
  const int cases[][3] = {
      {100, 110, 90}, {25, 33, 25}, {400, 400, 300}, {120, 125, 110}, {10, 25, 25}};
  for (const auto& [percent, larger, smaller] : cases)
    EXPECT_EQ(std::pair(zoom::Larger(percent), zoom::Smaller(percent)), std::pair(larger, smaller));
}

TEST_F(ZoomTest, ClicksAndDragsActWhereTheElementIsDrawnAndSoIsTheSelection) {
  for (const char* view : {"Flussdiagramm1", "Struktogramm1"})
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
        First().SetScrollOffsets((middle * percent / 100).toPoint() - QPoint(101, 57));
        ASSERT_TRUE(Client().contains(Place(middle)));
        Press(First(), Place(middle));
        EXPECT_EQ(First().Options->SelectedElement(), element) << element->Text;
        const QRect red = RedBounds(), drawn = Drawn();
        EXPECT_TRUE(drawn.contains(Place(middle)));
        for (int d :
             {red.left() - drawn.left(), red.top() - drawn.top(), red.right() - drawn.right()})
          EXPECT_LE(std::abs(d), 2) << "the selection is painted where it lies, " << element->Text;
      }
      First().SetScrollOffsets({0, 0});  // b dropped on a goes after it
      DragPress(First(), Place(middles[4].second));
      const int selectedOnly = RedPixels(First());
      DragMove(First(), Place(middles[0].second));
      EXPECT_EQ(First().Options->DropTarget, At({0}));
      EXPECT_GT(RedPixels(First()), selectedOnly) << "the drop mark shows";
      DragRelease(First(), Place(middles[0].second));
      EXPECT_EQ(Design() + " ", "A(a) A(b) I(c)[A(j)|A(n)] W(w)[A(l)] " + Statements(30));
    }
}

TEST_F(ZoomTest, ScrollRangesScaleAndTheSelectionIsBroughtIntoSight) {
  SetDesign(Statements(100) + "B(b)[A(x) A(y)] " + Statements(20) + "A(" + std::string(300, 'w') +
            ")");
  QScrollBar* bars[] = {First().view().horizontalScrollBar(), First().view().verticalScrollBar()};
  const int ranges[] = {bars[0]->maximum() + bars[0]->pageStep(),
                        bars[1]->maximum() + bars[1]->pageStep()};
  for (int percent : {50, 200, 400}) {
    First().SetZoom(percent, {});
    for (int i : {0, 1})
      EXPECT_EQ(bars[i]->maximum() + bars[i]->pageStep(), (ranges[i] * percent + 99) / 100);
    First().Options->ClearSelection();
    First().Options->Select(At({60}));
    Key(First(), Qt::Key_Down);
    First().Repaint();
    EXPECT_TRUE(Client().contains(Drawn().topLeft())) << percent;
    First().Options->Select(At({100}));
    First().ChangeDisplay();  // collapsing a block centres it
    First().Repaint();
    EXPECT_TRUE(Client().contains(Drawn().center())) << percent;
    First().ChangeDisplay();
  }
}

TEST_F(ZoomTest, TheWheelWithCtrlZoomsAboutThePointer) {
  SetDesign(Statements(120) + "A(" + std::string(300, 'w') + ")");
  First().SetScrollOffsets({300, 900});
  const QPoint pointer(210, 150);
  const auto wheel = [&](int angle) {
    QWheelEvent event(pointer, pointer, {}, {0, angle}, Qt::NoButton, Qt::ControlModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(First().view().viewport(), &event);
  };
  // The document point under the middle of the pointer's pixel.
  const auto under = [&] {
    return (QPointF(pointer) + QPointF(0.5, 0.5) + First().ScrollOffsets()) * 100 / First().Zoom();
  };
  for (const auto& [angle, percent] :
       {std::pair{120, 110}, {240, 150}, {-120, 125}, {60, 125}, {60, 150}, {-480, 90}}) {
    const QPointF before = under();
    wheel(angle);
    EXPECT_EQ(First().Zoom(), percent);
    EXPECT_LE((under() - before).manhattanLength(), 100.0 / percent) << percent;
  }
}

TEST_F(ZoomTest, KeysZoomButRecordNoStateAndChangeNothingSavedPrintedOrExported) {
  QTemporaryDir folder;
  SetDesign("A(x := 1) I(x > 0)[A(y := 2)|A(n)] W(w)[A(l)] D(d)[A(e)]");
  const auto outputs = [&](const QString& name) {
    const std::string design = folder.filePath(name + ".str").toStdString();
    const std::string picture = folder.filePath(name + ".png").toStdString();
    dialogs.ChooseFile(design);
    Trigger("Struktogrammspeichern1");
    dialogs.ChooseFile(picture, 0);
    Trigger("AlsBildspeichern1");
    dialogs.AnswerPrintDialog(true);
    Trigger("Drucken2");
    return std::tuple(ReadBytes(design), ReadBytes(picture), printer.jobs.back().pages);
  };
  for (const char* view : {"Flussdiagramm1", "Struktogramm1"}) {
    Trigger(view);
    First().SetZoom(100, {});
    const auto normal = outputs(QString(view) + "100");
    // The keys step the zoom (110, 125, 150, 125), as does the menu; the status bar shows it.
    const Qt::KeyboardModifiers ctrl = Qt::ControlModifier, keypad = ctrl | Qt::KeypadModifier;
    for (const auto& [key, modifiers] : {std::pair{Qt::Key_Plus, ctrl},
                                         {Qt::Key_Equal, ctrl},
                                         {Qt::Key_Plus, keypad},
                                         {Qt::Key_Minus, ctrl}})
      Key(First(), key, modifiers);
    Trigger("Vergrern1");
    EXPECT_EQ(ZoomText(), "Zoom 150 %");
    EXPECT_EQ(outputs(QString(view) + "150"), normal) << view;
  }
  EXPECT_EQ(States(), 0);
  EXPECT_FALSE(form->Changed());
  Trigger("Neu1");  // the first window keeps its zoom for the new design
  EXPECT_EQ(ZoomText(), "Zoom 150 %");
  Key(First(), Qt::Key_0, Qt::ControlModifier);
  EXPECT_EQ(First().Zoom(), 100);
}

}  // namespace
}  // namespace editortest
