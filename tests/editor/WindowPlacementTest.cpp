// Where the windows go: the first one inside the area, new ones cascaded inside it, the area
// scrolling to windows beyond its edges, and the main window as the user left it last time.
#include <QScrollBar>
#include <QStyle>

#include "tests/editor/EditorTestSupport.h"

namespace editortest {
namespace {

class WindowPlacementTest : public EditorTest {
 protected:
  QRect Room() const { return form->MdiArea->viewport()->rect(); }
  int Step() { return First().style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, &First()); }
  // Resizes the main window and lets its layout settle.
  void ResizeMain(QSize size) {
    form->resize(size);
    QCoreApplication::processEvents();
  }
  // A new window on the block selected in the first window.
  TForm1* OpenFromFirst() {
    TForm1* window = First().InneuemFensteranzeigen();
    QCoreApplication::processEvents();
    return window;
  }
};

TEST_F(WindowPlacementTest, TheFirstWindowFitsTheAreaAtItsTopLeft) {
  EXPECT_EQ(First().pos(), QPoint(0, 0));
  EXPECT_TRUE(Room().contains(First().geometry())) << "the window's bottom cannot be reached";
  EXPECT_EQ(First().width(), TForm1::DesignWidth);
}

TEST_F(WindowPlacementTest, NewWindowsCascadeByACaptionHeightAndStartOverAtTheTopLeft) {
  ResizeMain({1000, 800});
  SetDesign("B(a)[A(x)]");
  Click(First(), At({0}));
  const QSize design(TForm1::DesignWidth, TForm1::DesignHeight);
  QPoint last = First().pos();
  bool startedOver = false;
  for (int i = 0; i < 40 && !startedOver; ++i) {
    TForm1* window = OpenFromFirst();
    ASSERT_NE(window, nullptr);
    SCOPED_TRACE(i);
    EXPECT_TRUE(Room().contains(window->geometry()));
    EXPECT_EQ(window->size(), design.boundedTo(Room().size() - QSize(window->x(), window->y())));
    if (window->pos() == QPoint(0, 0)) {
      startedOver = true;
      // Only when a window placed a step further would keep less than half its size.
      const QPoint next = last + QPoint(Step(), Step());
      EXPECT_TRUE(Room().width() - next.x() < design.width() / 2 ||
                  Room().height() - next.y() < design.height() / 2);
    } else {
      EXPECT_EQ(window->pos(), last + QPoint(Step(), Step()));
    }
    last = window->pos();
  }
  EXPECT_TRUE(startedOver);
  EXPECT_GT(form->DiagramWindows().size(), 5u) << "the cascade started over too soon";
}

TEST_F(WindowPlacementTest, ANewWindowIsNeverLargerThanTheArea) {
  ResizeMain({420, 330});
  SetDesign("B(a)[A(x)]");
  Click(First(), At({0}));
  for (int i = 0; i < 3; ++i) {
    TForm1* window = OpenFromFirst();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(Room().contains(window->geometry())) << i;
    window->showMaximized();
    QCoreApplication::processEvents();
    EXPECT_TRUE(Room().contains(window->geometry())) << "maximised " << i;
  }
}

TEST_F(WindowPlacementTest, TheAreaScrollsToAWindowBeyondItsEdges) {
  EXPECT_FALSE(form->MdiArea->horizontalScrollBar()->isVisible());
  First().move(Room().width() + 100, Room().height() + 50);
  QCoreApplication::processEvents();
  EXPECT_TRUE(form->MdiArea->horizontalScrollBar()->isVisible());
  EXPECT_TRUE(form->MdiArea->verticalScrollBar()->isVisible());
}

TEST_F(WindowPlacementTest, TheMainWindowComesBackWhereTheUserLeftIt) {
  form->move(30, 40);
  ResizeMain({600, 400});
  form->Programmbeenden1Click();
  Start();
  EXPECT_EQ(form->pos(), QPoint(30, 40));
  EXPECT_EQ(form->size(), QSize(600, 400));
  EXPECT_FALSE(form->isMaximized());

  form->showMaximized();
  QCoreApplication::processEvents();
  form->Programmbeenden1Click();
  Start();
  EXPECT_TRUE(form->isMaximized());
  // Restored, it takes the size it had before it was maximised.
  form->showNormal();
  QCoreApplication::processEvents();
  EXPECT_EQ(form->size(), QSize(600, 400));
}

}  // namespace
}  // namespace editortest
