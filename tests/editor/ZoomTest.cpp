// Zoom per diagram window: clicks, drags and scroll ranges at the scaled places, the steps,
// the wheel and keys, and that zoom changes nothing of the design.
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

// A hundred statements; with a wide one the window scrolls both ways at every zoom.
const std::string Column = [] {
  std::string notation;
  for (int i = 0; i < 100; ++i) notation += " A(a" + std::to_string(i) + ")";
  return notation;
}();
const std::string Large = "A(" + std::string(300, 'w') + ")" + Column;

class ZoomTest : public EditorTest {
 protected:
  QRect Drawn() { return First().ToClient(First().Options->SelectionRect); }
  void Select(TElement* element) {
    First().Options->ClearSelection();
    First().Options->Select(element);
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

TEST_F(ZoomTest, ClicksAndDragsActWhereTheElementIsDrawn) {
  for (const char* view : {"Flussdiagramm1", "Struktogramm1"})
    for (int percent : {50, 200}) {
      SCOPED_TRACE(std::string(view) + " " + std::to_string(percent));
      Trigger(view);
      First().SetZoom(100, {});
      SetDesign("A(a) I(c)[A(j)|A(n)] W(w)[A(l)] A(b)" + Column);
      std::vector<std::pair<TElement*, QPointF>> middles;  // in document pixels
      for (TElement* e : {At({0}), At({1, 1, 0}), At({1, 2, 0}), At({2, 1, 0}), At({3}), At({60})})
        middles.emplace_back(e,
                             QRectF(*First().ClientRectOf(*e)).center() + First().ScrollOffsets());
      First().SetZoom(percent, {});
      for (const auto& [element, middle] : middles) {
        First().SetScrollOffsets((middle * percent / 100).toPoint() - QPoint(101, 57));
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
      EXPECT_EQ(Design(), "A(a) A(b) I(c)[A(j)|A(n)] W(w)[A(l)]" + Column);
    }
}

// The scroll ranges scale, a key brings the selection into sight and collapsing centres the
// block, also where the shorter design moves the scroll offsets.
TEST_F(ZoomTest, ScrollingFollowsTheZoom) {
  SetDesign(Large + " B(b)[" + Column + "] A(z)");
  auto* block = static_cast<TBlock*>(At({101}));
  QScrollBar* bars[] = {First().view().horizontalScrollBar(), First().view().verticalScrollBar()};
  const auto range = [](QScrollBar* bar) { return bar->maximum() + bar->pageStep(); };
  const int ranges[] = {range(bars[0]), range(bars[1])};
  for (int percent : {50, 200, 400}) {
    SCOPED_TRACE(percent);
    First().SetZoom(percent, {});
    for (int i : {0, 1}) EXPECT_EQ(range(bars[i]), (ranges[i] * percent + 99) / 100);
    Select(At({61}));
    Key(First(), Qt::Key_Down);
    First().Repaint();
    EXPECT_TRUE(First().view().viewport()->rect().contains(Drawn().topLeft()));
    Select(block);
    First().SetScrollOffsets({0, bars[1]->maximum()});
    First().ChangeMinimize(block);
    const QRect box = *First().ClientRectOf(*block);
    const int middle = (box.top() + box.bottom() + 1) / 2 + bars[1]->value();
    EXPECT_EQ(bars[1]->value(), std::clamp(middle - First().height() / 2, 0, bars[1]->maximum()));
    First().ChangeMinimize(block);
  }
}

TEST_F(ZoomTest, TheWheelWithCtrlZoomsAboutThePointer) {
  SetDesign(Large);
  First().SetScrollOffsets({300, 900});
  const QPoint pointer(210, 150);
  // The document point under the middle of the pointer's pixel.
  const auto under = [&] {
    return (QPointF(pointer) + QPointF(0.5, 0.5) + First().ScrollOffsets()) * 100 / First().Zoom();
  };
  for (const auto& [angle, percent] :
       {std::pair{120, 110}, {240, 150}, {-120, 125}, {60, 125}, {60, 150}, {-480, 90}}) {
    const QPointF before = under();
    QWheelEvent event(pointer, pointer, {}, {0, angle}, Qt::NoButton, Qt::ControlModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(First().view().viewport(), &event);
    EXPECT_EQ(First().Zoom(), percent);
    EXPECT_LE((under() - before).manhattanLength(), 100.0 / percent) << percent;
  }
}

TEST_F(ZoomTest, KeysZoomButRecordNoStateAndChangeNothingSavedPrintedOrExported) {
  QTemporaryDir folder;
  SetDesign("A(x := 1) I(x > 0)[A(y := 2)|A(n)] W(w)[A(l)] D(d)[A(e)]");
  const auto outputs = [&](const QString& name) {
    dialogs.ChooseFile(folder.filePath(name + ".str").toStdString());
    Trigger("Struktogrammspeichern1");
    dialogs.ChooseFile(folder.filePath(name + ".png").toStdString(), 0);
    Trigger("AlsBildspeichern1");
    dialogs.AnswerPrintDialog(true);
    Trigger("Drucken2");
    return std::tuple(ReadBytes(folder.filePath(name + ".str").toStdString()),
                      ReadBytes(folder.filePath(name + ".png").toStdString()),
                      printer.jobs.back().pages);
  };
  const auto zoomText = [&] { return form->statusBar()->findChild<QLabel*>()->text(); };
  const Qt::KeyboardModifiers ctrl = Qt::ControlModifier, keypad = ctrl | Qt::KeypadModifier;
  for (const char* view : {"Flussdiagramm1", "Struktogramm1"}) {
    Trigger(view);
    First().SetZoom(100, {});
    const auto normal = outputs(QString(view) + "100");
    // 110, 125, 150 and 125 %, then the menu's step to 150 %.
    for (const auto& [key, modifiers] : {std::pair{Qt::Key_Plus, ctrl},
                                         {Qt::Key_Equal, ctrl},
                                         {Qt::Key_Plus, keypad},
                                         {Qt::Key_Minus, ctrl}})
      Key(First(), key, modifiers);
    Trigger("Vergrern1");
    EXPECT_EQ(zoomText(), "Zoom 150 %");
    EXPECT_EQ(outputs(QString(view) + "150"), normal) << view;
  }
  EXPECT_EQ(States(), 0);
  EXPECT_FALSE(form->Changed());
  // A block opened in a window of its own is shown at the zoom it was seen at.
  Click(First(), At({1}));
  Key(First(), Qt::Key_Left);
  Trigger("BlockinneuemFensteranzeigen1");
  EXPECT_EQ(form->DiagramWindows().back()->Zoom(), 150);
  Trigger("Neu1");  // the first window keeps its zoom for the new design
  EXPECT_EQ(zoomText(), "Zoom 150 %");
  Key(First(), Qt::Key_0, ctrl);
  EXPECT_EQ(zoomText(), "Zoom 100 %");
}

}  // namespace
}  // namespace editortest
