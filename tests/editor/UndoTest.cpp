// "Rückgängig" and the undo history behind it.
#include "tests/editor/EditorTestSupport.h"

namespace editortest {
namespace {

using UndoTest = EditorTest;

std::string Statements(int from, int to) {
  std::string design;
  for (int i = from; i <= to; ++i) {
    if (!design.empty()) design += ' ';
    design.append("A(").append(std::to_string(i)).append(")");
  }
  return design;
}

// Deletes the first element of the root's body with the keyboard.
void DeleteFirst(TForm1& window) {
  window.Options->ClearSelection();
  QTest::keyClick(&window.view(), Qt::Key_Down);
  QTest::keyClick(&window.view(), Qt::Key_Delete);
}

TEST_F(UndoTest, ElevenDeletionsAreTakenBackTenTimesNewestFirst) {
  SetDesign(Statements(1, 11));
  for (int i = 0; i < 11; ++i) DeleteFirst(First());
  EXPECT_EQ(Design(), "");
  EXPECT_EQ(form->UndoStates.Count(), 10);
  for (int undone = 1; undone <= 10; ++undone) {
    Trigger("Rckgngig1");
    EXPECT_EQ(Design(), Statements(12 - undone, 11)) << "after " << undone;
    EXPECT_EQ(form->UndoStates.UndoPosition(), undone);
  }
  Trigger("Rckgngig1");
  EXPECT_EQ(Design(), Statements(2, 11)) << "an eleventh step has nothing to restore";
  EXPECT_EQ(form->UndoStates.UndoPosition(), 10);
}

TEST_F(UndoTest, AnEditAfterUndoingForgetsTheUndoneStates) {
  SetDesign(Statements(1, 3));
  for (int i = 0; i < 3; ++i) DeleteFirst(First());
  Trigger("Rckgngig1");
  Trigger("Rckgngig1");
  ASSERT_EQ(Design(), Statements(2, 3));
  DeleteFirst(First());
  ASSERT_EQ(Design(), Statements(3, 3));
  Trigger("Rckgngig1");
  EXPECT_EQ(Design(), Statements(2, 3)) << "back to the state the second undo restored";
  Trigger("Rckgngig1");
  EXPECT_EQ(Design(), Statements(1, 3));
  Trigger("Rckgngig1");
  EXPECT_EQ(Design(), Statements(1, 3)) << "the undone states are gone";
}

TEST_F(UndoTest, UndoGivesTheFirstWindowFreshOptionsAndItsBlocksTitleAsCaption) {
  SetDesign("A(a) B(b)[A(c)]");
  Click(First(), At({0}));
  QTest::keyClick(&First().view(), Qt::Key_Delete);
  Click(First(), At({0}));
  First().ChangeMinimize(static_cast<TBlock*>(At({0})));
  First().SetCaption("anders");
  Trigger("Rckgngig1");
  EXPECT_EQ(Design(), "A(a) B(b)[A(c)]");
  EXPECT_EQ(First().ShownBlock, &Root());
  EXPECT_EQ(First().Options->SelectionCount(), 0);
  EXPECT_EQ(First().Options->CollapsedCount(), 0);
  EXPECT_EQ(First().windowTitle(), "gesamtes Programm");
}

TEST_F(UndoTest, WithThreeWindowsTheFirstIsKeptAndTheOthersClose) {
  SetDesign("B(a)[B(b)[A(y)]]");
  // A is opened from the first window and B from A, so the first window is the one
  // activated longest ago.
  Click(First(), At({0}));
  TForm1* a = First().InneuemFensteranzeigen();
  ASSERT_TRUE(a);
  Click(*a, At({0, 1, 0}));
  TForm1* b = a->InneuemFensteranzeigen();
  ASSERT_TRUE(b);
  ASSERT_EQ(form->DiagramWindows().size(), 3u);
  QTest::keyClick(&b->view(), Qt::Key_Down);
  QTest::keyClick(&b->view(), Qt::Key_Delete);
  ASSERT_EQ(Design(), "B(a)[B(b)[]]");
  Trigger("Rckgngig1");
  QCoreApplication::processEvents();
  ASSERT_EQ(form->DiagramWindows().size(), 1u);
  EXPECT_EQ(form->DiagramWindows().front(), &First());
  EXPECT_EQ(First().ShownBlock, &Root());
  EXPECT_EQ(Design(), "B(a)[B(b)[A(y)]]");
}

TEST_F(UndoTest, TheFirstWindowIsKeptAndShownAgainWhenAnotherWasActivatedLongerAgo) {
  SetDesign("B(a)[A(x)]");
  Click(First(), At({0}));
  TForm1* a = First().InneuemFensteranzeigen();
  // The first window is activated again and then closed (minimised): the window activated
  // longest ago is now the other one.
  form->MdiArea->setActiveSubWindow(&First());
  form->MdiArea->setActiveSubWindow(a);
  First().close();
  ASSERT_TRUE(First().isMinimized());
  QTest::keyClick(&a->view(), Qt::Key_Down);
  QTest::keyClick(&a->view(), Qt::Key_Delete);
  Trigger("Rckgngig1");
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  ASSERT_EQ(form->DiagramWindows(), std::vector<TForm1*>{&First()});
  EXPECT_FALSE(First().isMinimized());
  EXPECT_EQ(form->ActiveWindow(), &First());
  EXPECT_EQ(First().ShownBlock, &Root());
  First().Repaint();
  EXPECT_EQ(Design(), "B(a)[A(x)]");
}

TEST_F(UndoTest, NothingToUndoChangesNothing) {
  SetDesign("A(x)");
  Click(First(), At({0}));
  TElement* selected = First().Options->SelectedElement();
  Trigger("Rckgngig1");
  EXPECT_EQ(First().Options->SelectedElement(), selected);
  EXPECT_EQ(dialogs.messages.size(), 0u);
}

TEST_F(UndoTest, HistoryCopiesAreIndependentOfTheDesign) {
  UndoHistory history;
  BlockPtr root = BuildBlock("A(x) I(c)[A(y)|A(z)]", "r");
  history.SaveUndoState(*root);
  root->Body->SetText("geändert");
  BlockPtr restored = history.Undo();
  ASSERT_TRUE(restored);
  EXPECT_EQ(RenderBody(*restored), "A(x) I(c)[A(y)|A(z)]");
  EXPECT_EQ(restored->Text, "r");
  EXPECT_EQ(history.UndoPosition(), 1);
  EXPECT_EQ(history.Undo(), nullptr);
  history.SaveUndoState(*root);
  EXPECT_EQ(history.UndoPosition(), 0);
  EXPECT_EQ(history.Count(), 1) << "the state that was undone is gone";
}

}  // namespace
}  // namespace editortest
