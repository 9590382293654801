#include "tests/model/ModelTestSupport.h"
#include "tests/support/TreeCompare.h"

using namespace modeltest;

namespace {

// Expects copy to be a structurally equal tree made of new objects only.
void ExpectDeepCopy(const TElement* source, const TElement* copy) {
  EXPECT_EQ(TreeDifference(source, copy), "");
}

class CopyKindTest : public testing::TestWithParam<KindCase> {};

TEST_P(CopyKindTest, CopyHasTheSameKindTextsAndBranchesInNewObjects) {
  TElement* element = GetParam().make();
  element->Text = "Bedingung \xE4\xF6\xFC";
  if (auto* block = dynamic_cast<TBlock*>(element)) block->Body = Stmt("innen");
  if (auto* condition = dynamic_cast<TBedingung*>(element)) {
    for (int i = 1; i <= condition->BranchCount; ++i)
      condition->Branch(i)->Body = Chain({Stmt("a"), Block("b", {Stmt("c")})});
  }
  ElementPtr source(element);

  ElementPtr copy(source->CreateCopy());
  ExpectDeepCopy(source.get(), copy.get());
}

INSTANTIATE_TEST_SUITE_P(Kinds, CopyKindTest, testing::ValuesIn(AllKinds()), KindName);

TEST(CopyTest, CopyingARootBlockCopiesTheWholeDesignWithItsFlags) {
  auto* decision = new TIf("x");
  decision->Branches[0]->Body = Stmt("ja");
  auto* repeat = new TRepeat("fertig");
  repeat->Branches[0]->Body = Chain({Stmt("r1"), new TFor("i von 1 bis 3")});
  BlockPtr root = Root({Stmt("eins"), Block("Teil", {decision, repeat}), new TDoWhile("d")});

  ElementPtr copy(root->CreateCopy());
  ExpectDeepCopy(root.get(), copy.get());
  auto* rootCopy = static_cast<TBlock*>(copy.get());
  EXPECT_EQ(rootCopy->Movable, 0);
  EXPECT_EQ(rootCopy->Braced, 0);
  EXPECT_EQ(decision->Branch(1)->Movable, 0);
}

TEST(CopyTest, CopyStartsAtTheReceiverAndTakesItsSuccessorsOnly) {
  TAnweisung* first = Stmt("eins");
  TAnweisung* second = Stmt("zwei");
  ElementPtr sequence(Chain({first, second, Stmt("drei")}));

  ElementPtr copy(second->CreateCopy());
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(copy->Text, "zwei");
  ASSERT_NE(copy->Next, nullptr);
  EXPECT_EQ(copy->Next->Text, "drei");
  EXPECT_EQ(copy->Next->Next, nullptr);
}

TEST(CopyTest, ContinueOnTrueFollowsTheClassOfTheCopy) {
  auto* doWhile = new TDoWhile("d");
  auto* repeat = new TRepeat("r");
  doWhile->ContinueOnTrue = 0;
  repeat->ContinueOnTrue = 1;
  ElementPtr source(Chain({doWhile, repeat}));

  ElementPtr copy(source->CreateCopy());
  auto* doWhileCopy = dynamic_cast<TDoWhile*>(copy.get());
  ASSERT_NE(doWhileCopy, nullptr);
  auto* repeatCopy = dynamic_cast<TRepeat*>(copy->Next);
  ASSERT_NE(repeatCopy, nullptr);
  EXPECT_EQ(doWhileCopy->ContinueOnTrue, 1);
  EXPECT_EQ(repeatCopy->ContinueOnTrue, 0);
  EXPECT_EQ(repeatCopy->Branch(1)->Braced, 0);
}

TEST(CopyTest, CollapseStateIsNotPartOfTheCopy) {
  TBlock* block = Block("Teil", {Stmt("Anweisung")});
  BlockPtr root = Root({block});
  TestCanvas canvas;
  TDisplayOptions options;
  options.ToggleCollapsed(block);

  ElementPtr copy(block->CreateCopy());
  auto* blockCopy = static_cast<TBlock*>(copy.get());
  EXPECT_FALSE(options.IsCollapsed(blockCopy));
  ASSERT_NE(blockCopy->Body, nullptr);
  EXPECT_EQ(blockCopy->Body->Text, "Anweisung");
  // Collapsed, the original shows its title only; the copy shows its body.
  EXPECT_EQ(block->GetSize(canvas, options), (TSize{W("Teil") + 12, kTh + 10}));
  EXPECT_EQ(blockCopy->GetSize(canvas, options), (TSize{W("Anweisung") + 12, kTh + 10}));
}

TEST(CopyTest, ChangingOrFreeingTheCopyLeavesTheSourceIntact) {
  auto* decision = new TIf("x");
  decision->Branches[1]->Body = Stmt("nein");
  BlockPtr root = Root({decision});

  ElementPtr copy(root->CreateCopy());
  auto* decisionCopy = static_cast<TIf*>(static_cast<TBlock*>(copy.get())->Body);
  decisionCopy->Branch(2)->Body->Text = "anders";
  EXPECT_EQ(decision->Branch(2)->Body->Text, "nein");
  copy.reset();
  EXPECT_EQ(decision->Branch(2)->Body->Text, "nein");
}

}  // namespace
