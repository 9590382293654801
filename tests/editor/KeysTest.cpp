// The keyboard of a diagram window: selecting with the arrow keys, and the main menu's short
// cuts taking precedence over the window's keys.
#include "tests/editor/EditorTestSupport.h"

namespace editortest {
namespace {

using KeysTest = EditorTest;

TBedingung* Structure(TElement* element) { return dynamic_cast<TBedingung*>(element); }

TEST_F(KeysTest, LeftAndRightSelectTheBranchBlocks) {
  SetDesign("I(c)[A(y)|A(n)] W(w)[A(b)] D(d)[] A(s)");
  const auto selectAfter = [&](int index, Qt::Key key) {
    Click(First(), At({index}));
    Key(First(), key);
    return First().Options->SelectedElement();
  };
  EXPECT_EQ(selectAfter(0, Qt::Key_Left), Structure(At({0}))->Branch(1));
  EXPECT_EQ(First().Options->SelectedElement()->Text, "Ja-Block");
  EXPECT_EQ(selectAfter(0, Qt::Key_Right), Structure(At({0}))->Branch(2));
  EXPECT_EQ(First().Options->SelectedElement()->Text, "Nein-Block");
  for (int loop : {1, 2}) {
    EXPECT_EQ(selectAfter(loop, Qt::Key_Left), Structure(At({loop}))->Branch(1));
    EXPECT_EQ(selectAfter(loop, Qt::Key_Right), Structure(At({loop}))->Branch(1));
  }
  EXPECT_EQ(selectAfter(3, Qt::Key_Left), At({3})) << "a statement has no branches";
  EXPECT_EQ(selectAfter(3, Qt::Key_Right), At({3}));
  First().Options->ClearSelection();
  Key(First(), Qt::Key_Left);
  EXPECT_EQ(First().Options->SelectedElement(), nullptr);
  EXPECT_EQ(States(), 0);
}

TEST_F(KeysTest, UpSelectsThePredecessorOrWhatHoldsTheElement) {
  SetDesign("A(a) B(b)[A(b1) A(b2)] I(c)[A(y)|]");
  Click(First(), At({1, 1, 1}));
  Key(First(), Qt::Key_Up);
  EXPECT_EQ(First().Options->SelectedElement(), At({1, 1, 0}));
  Key(First(), Qt::Key_Up);
  EXPECT_EQ(First().Options->SelectedElement(), At({1})) << "the first of a body: its block";
  Key(First(), Qt::Key_Up);
  EXPECT_EQ(First().Options->SelectedElement(), At({0}));
  Key(First(), Qt::Key_Up);
  EXPECT_EQ(First().Options->SelectedElement(), &Root());
  Key(First(), Qt::Key_Up);
  EXPECT_EQ(First().Options->SelectedElement(), &Root()) << "nothing above the shown block";

  Click(First(), At({2, 1, 0}));
  Key(First(), Qt::Key_Up);
  EXPECT_EQ(First().Options->SelectedElement(), Structure(At({2}))->Branch(1));
  Key(First(), Qt::Key_Up);
  EXPECT_EQ(First().Options->SelectedElement(), At({2}));

  // In a window showing an inner block, that block is the top.
  Click(First(), At({1}));
  TForm1* window = First().InneuemFensteranzeigen();
  ASSERT_TRUE(window);
  Click(*window, At({1, 1, 0}));
  Key(*window, Qt::Key_Up);
  EXPECT_EQ(window->Options->SelectedElement(), At({1}));
  Key(*window, Qt::Key_Up);
  EXPECT_EQ(window->Options->SelectedElement(), At({1}));
}

TEST_F(KeysTest, DownWalksInReadingOrderAndStartsAgainAtTheEnd) {
  SetDesign("A(a) I(c)[A(y)|A(n)] W(w)[A(b1) A(b2)] B(k)[A(k1)] W(e)[] A(z)");
  First().Options->ClearSelection();
  auto* loop = Structure(At({2}));
  auto* empty = Structure(At({4}));
  const std::vector<TElement*> walk = {
      At({0}), At({1}), At({2}), loop->Branch(1), At({2, 1, 0}), At({2, 1, 1}), At({3}),
      At({3, 1, 0}), At({4}), empty->Branch(1), At({5}), &Root(), At({0})};
  for (std::size_t i = 0; i < walk.size(); ++i) {
    Key(First(), Qt::Key_Down);
    EXPECT_EQ(First().Options->SelectedElement(), walk[i]) << "step " << i;
  }
  // Out of a decision's branch to the decision's successor.
  Click(First(), At({1, 1, 0}));
  Key(First(), Qt::Key_Down);
  EXPECT_EQ(First().Options->SelectedElement(), At({2}));
  Click(First(), At({1, 2, 0}));
  Key(First(), Qt::Key_Down);
  EXPECT_EQ(First().Options->SelectedElement(), At({2}));
  // A collapsed block is entered all the same.
  Click(First(), At({3}));
  First().ChangeDisplay();
  Key(First(), Qt::Key_Down);
  EXPECT_EQ(First().Options->SelectedElement(), At({3, 1, 0}));
  EXPECT_EQ(States(), 0);
}

TEST_F(KeysTest, DownInAWindowOnAnInnerBlockStaysInIt) {
  SetDesign("B(k)[A(k1) A(k2)] A(danach)");
  Click(First(), At({0}));
  TForm1* window = First().InneuemFensteranzeigen();
  ASSERT_TRUE(window);
  const std::vector<TElement*> walk = {At({0, 1, 0}), At({0, 1, 1}), At({0}), At({0, 1, 0})};
  for (std::size_t i = 0; i < walk.size(); ++i) {
    Key(*window, Qt::Key_Down);
    EXPECT_EQ(window->Options->SelectedElement(), walk[i]) << "step " << i;
  }
}

TEST_F(KeysTest, ShortCutsOfTheMainMenuWinOverTheWindowsKeys) {
  SetDesign("A(a) A(b)");
  Click(First(), At({0}));
  Key(First(), Qt::Key_Delete);
  ASSERT_EQ(Design(), "A(b)");
  Key(First(), Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(Design(), "A(a) A(b)");
  Click(First(), At({0}));
  clipboard.text = "x";
  Key(First(), Qt::Key_Insert, Qt::ControlModifier);
  EXPECT_TRUE(dialogs.inputCalls.empty());
  EXPECT_EQ(History(), std::vector<std::string>{"A(a) A(b)"}) << "the design the paste replaced";
}

}  // namespace
}  // namespace editortest
