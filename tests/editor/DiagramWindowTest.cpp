// A diagram window: scroll ranges, collapsing, new windows, closing, captions.
#include <QScreen>
#include <QScrollBar>
#include <QStyle>

#include "platform/qt/MeasuringCanvas.h"
#include "tests/editor/EditorTestSupport.h"

namespace editortest {
namespace {

using DiagramWindowTest = EditorTest;

// The shown block's size as the window measures it.
TSize Measured(TForm1& window) {
  MeasuringCanvas measuring(window.view().viewport());
  window.Options->Flowchart = window.host().FlowchartView();
  return window.ShownBlock->GetSize(measuring.canvas(), *window.Options);
}

std::string ManyStatements(int count) {
  std::string design;
  for (int i = 0; i < count; ++i) design += "A(Anweisung mit einem langen Text " + std::to_string(i) + ") ";
  return design;
}

TEST_F(DiagramWindowTest, ScrollRangesAreFiftyPixelsBeyondTheDiagram) {
  for (const char* view : {"Flussdiagramm1", "Struktogramm1"}) {
    SCOPED_TRACE(view);
    Trigger(view);
    SetDesign(ManyStatements(40) + " I(eine recht lange Bedingung fuer die Breite)[A(x)|A(y)]");
    const TSize size = Measured(First());
    const QSize client = First().view().viewport()->size();
    EXPECT_EQ(First().view().verticalScrollBar()->maximum(), size.h + 50 - client.height());
    EXPECT_EQ(First().view().horizontalScrollBar()->maximum(),
              std::max(0, size.w + 50 - client.width()));
    QCoreApplication::processEvents();
    EXPECT_TRUE(First().view().verticalScrollBar()->isVisible());
  }
  SetDesign("A(x)");
  EXPECT_EQ(First().view().verticalScrollBar()->maximum(), 0) << "a small diagram needs no bar";
}

TEST_F(DiagramWindowTest, ANewDesignIsDrawnAtTheDisplayOrigin) {
  const TSize size = Measured(First());
  EXPECT_EQ(First().GetDisplayOrigin(), (TPoint{size.w / 2 + 30, 15}));
  Trigger("Struktogramm1");
  EXPECT_EQ(First().GetDisplayOrigin(), (TPoint{15, 15}));
  const QImage shot = First().view().viewport()->grab().toImage();
  EXPECT_EQ(shot.pixelColor(5, 5), QColor(245, 245, 245)) << "the window's grey ground";
  EXPECT_EQ(shot.pixelColor(15, 15), Qt::black) << "the block's top-left corner";
}

// Where the window must scroll to show the block as it is now drawn, in the structogram view:
// its box's top 2 pixels below the window's top when it is higher than the window, else its
// middle in the window's middle; horizontally its middle in the middle.
QPoint ExpectedScroll(TForm1& window, TBlock* block) {
  const TPoint origin = *DocumentOrigin(window, block);
  MeasuringCanvas measuring(window.view().viewport());
  const int h = block->GetSize(measuring.canvas(), *window.Options).h;
  const TRect r{origin.x, origin.y, origin.x + Measured(window).w, origin.y + h + 1};
  const int hw = window.height(), ww = window.width();
  const int vertical = r.Bottom - r.Top > hw ? r.Top - 2 : (r.Top + r.Bottom) / 2 - hw / 2;
  const int horizontal = (r.Left + r.Right) / 2 - ww / 2;
  const QScrollBar* v = window.view().verticalScrollBar();
  const QScrollBar* hbar = window.view().horizontalScrollBar();
  return {std::clamp(horizontal, 0, hbar->maximum()), std::clamp(vertical, 0, v->maximum())};
}

TEST_F(DiagramWindowTest, CollapsingAndExpandingScrollTheSelectionIntoView) {
  Trigger("Struktogramm1");
  SetDesign(ManyStatements(30) + " B(lang)[" + ManyStatements(40) + "] " + ManyStatements(30));
  auto* block = static_cast<TBlock*>(At({30}));
  First().Options->Select(block);
  First().SetScrollOffsets({0, 0});

  Trigger("Blockvergrern1");
  ASSERT_TRUE(First().Options->IsCollapsed(block));
  EXPECT_EQ(First().ScrollOffsets(), ExpectedScroll(First(), block)) << "centred";
  EXPECT_GT(First().ScrollOffsets().y(), 0);

  First().SetScrollOffsets({0, 0});
  Trigger("Blockvergrern1");
  ASSERT_FALSE(First().Options->IsCollapsed(block));
  const QPoint expected = ExpectedScroll(First(), block);
  EXPECT_EQ(First().ScrollOffsets(), expected) << "the top 2 pixels below the window's top";
  EXPECT_EQ(expected.y(), DocumentOrigin(First(), block)->y - 2);
}

TEST_F(DiagramWindowTest, CollapseStateBelongsToOneWindow) {
  SetDesign("B(a)[A(x)] A(y)");
  auto* block = static_cast<TBlock*>(At({0}));
  Click(First(), block, Qt::LeftButton);
  TForm1* other = First().InneuemFensteranzeigen();
  ASSERT_TRUE(other);
  form->MdiArea->setActiveSubWindow(&First());
  Trigger("Blockvergrern1");
  EXPECT_TRUE(First().Options->IsCollapsed(block));
  EXPECT_FALSE(other->Options->IsCollapsed(block));
}

TEST_F(DiagramWindowTest, CollapsingWithAStatementSelectedDoesNothing) {
  SetDesign("A(x) B(b)[A(y)]");
  Click(First(), At({0}));
  const QPoint scroll = First().ScrollOffsets();
  Trigger("Blockvergrern1");
  Trigger("BlockinneuemFensteranzeigen1");
  EXPECT_EQ(First().Options->CollapsedCount(), 0);
  EXPECT_EQ(First().ScrollOffsets(), scroll);
  EXPECT_EQ(form->DiagramWindows().size(), 1u);
}

TEST_F(DiagramWindowTest, ANewWindowShowsTheSelectedBlockUnderItsTitle) {
  SetDesign("A(x) B(Teil)[A(y) A(z)]");
  Click(First(), At({1}));
  Trigger("BlockinneuemFensteranzeigen1");
  TForm1* window = form->ActiveWindow();
  ASSERT_NE(window, &First());
  EXPECT_EQ(window->ShownBlock, At({1}));
  EXPECT_EQ(window->windowTitle(), "Teil");
  EXPECT_EQ(window->accessibleName(), "Teil");
  EXPECT_EQ(window->Closable, 1);
  EXPECT_EQ(window->Options->SelectionCount(), 0);
  EXPECT_TRUE(form->MdiArea->viewport()->rect().contains(window->geometry()));
}

TEST_F(DiagramWindowTest, NewWindowsCascadeInsideTheAreaWhichScrollsToWindowsBeyondIt) {
  const QRect room = form->MdiArea->viewport()->rect();
  const QSize design(TForm1::DesignWidth, TForm1::DesignHeight);
  EXPECT_EQ(First().geometry(), QRect(QPoint(), design).intersected(room));
  const int step = First().style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, &First());
  SetDesign("B(a)[A(x)]");
  Click(First(), At({0}));
  for (QPoint place; form->DiagramWindows().size() < 20;) {
    place += QPoint(step, step);
    if (room.width() - place.x() < design.width() / 2 ||
        room.height() - place.y() < design.height() / 2)
      place = QPoint();
    EXPECT_EQ(First().InneuemFensteranzeigen()->geometry(), QRect(place, design).intersected(room));
  }
  EXPECT_FALSE(form->MdiArea->horizontalScrollBar()->isVisible());
  First().move(room.width() + 100, room.height() + 50);
  QCoreApplication::processEvents();
  EXPECT_TRUE(form->MdiArea->horizontalScrollBar()->isVisible() &&
              form->MdiArea->verticalScrollBar()->isVisible());
}

TEST_F(DiagramWindowTest, ClosingDestroysALaterWindowButOnlyMinimisesTheFirst) {
  SetDesign("B(b)[A(y)]");
  Click(First(), At({0}));
  QPointer<TForm1> window = First().InneuemFensteranzeigen();
  window->close();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(window.isNull());
  First().close();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  ASSERT_FALSE(form->FirstWindow() == nullptr);
  EXPECT_TRUE(First().isMinimized());
  EXPECT_EQ(form->DiagramWindows().size(), 1u);
}

// A window that shows an inner block draws nothing of the block's successors, so a click
// below it hits nothing.
TEST_F(DiagramWindowTest, AWindowNeverHitsTheSuccessorsOfItsBlock) {
  for (const char* view : {"Flussdiagramm1", "Struktogramm1"}) {
    SCOPED_TRACE(view);
    Trigger(view);
    SetDesign("B(b)[A(y)] A(darunter) A(noch eine Anweisung mit viel Text)");
    Click(First(), At({0}));
    TForm1* window = First().InneuemFensteranzeigen();
    ASSERT_TRUE(window);
    const QPoint inside = ClientPointOn(*window, At({0, 1, 0}));
    ASSERT_NE(inside, QPoint(-1, -1));
    for (int y = inside.y(); y < window->view().viewport()->height(); y += 3) {
      TElement* hit = window->ElementAtClientPoint(inside.x(), y);
      EXPECT_TRUE(hit == At({0}) || hit == At({0, 1, 0}) || hit == nullptr) << "row " << y;
    }
    window->close();
  }
}

TEST_F(DiagramWindowTest, CaptionsFollowTheTitlesOfTheShownBlocks) {
  SetDesign("B(alt)[A(y)]");
  Click(First(), At({0}));
  TForm1* window = First().InneuemFensteranzeigen();
  At({0})->SetText("neu");
  Root().SetText("Programm");
  form->UpdateCaptions();
  EXPECT_EQ(window->windowTitle(), "neu");
  EXPECT_EQ(First().windowTitle(), "Programm");
}

// A title wider than the screen is cut with "…" in the caption, also when captions are renewed.
TEST_F(DiagramWindowTest, ACaptionLongerThanTheScreenIsCut) {
  const std::string title(200000, 'T');
  SetDesign("B(kurz)[A(y)]");
  At({0})->SetText(title);
  Click(First(), At({0}));
  TForm1* window = First().InneuemFensteranzeigen();
  for (int pass = 0; pass < 2; ++pass, form->UpdateCaptions()) {
    EXPECT_LE(window->windowTitle().size(), window->screen()->geometry().width() + 1);
    EXPECT_TRUE(window->windowTitle().endsWith(QChar(0x2026)));
    EXPECT_EQ(window->BlockTitle(), title);
  }
}

}  // namespace
}  // namespace editortest
