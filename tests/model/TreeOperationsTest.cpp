#include "tests/model/ModelTestSupport.h"

using namespace modeltest;

namespace {

// --- InsertElement ---------------------------------------------------------------------------

TEST(TreeOperationsTest, InsertOnABlockPutsTheElementFirstInItsBody) {
  TAnweisung* old = Stmt("alt");
  TAnweisung* after = Stmt("danach");
  BlockPtr block(Block("B", {old}));
  block->Next = after;

  TAnweisung* inserted = Stmt("neu");
  block->InsertElement(inserted);

  EXPECT_EQ(block->Body, inserted);
  EXPECT_EQ(inserted->Next, old);
  EXPECT_EQ(block->Next, after);
}

TEST(TreeOperationsTest, InsertOnAnEmptyBlockMakesTheElementItsWholeBody) {
  BlockPtr block(Block("B"));
  TAnweisung* inserted = Stmt("neu");
  block->InsertElement(inserted);
  EXPECT_EQ(block->Body, inserted);
  EXPECT_EQ(inserted->Next, nullptr);
}

// Expects link to put a new statement between receiver and its old successor, leaving the
// receiver's contents empty.
template <class Link>
void ExpectLinkedDirectlyAfter(TElement* receiver, Link link) {
  TAnweisung* old = Stmt("alt");
  receiver->Next = old;
  BlockPtr root = Root({receiver});

  TAnweisung* linked = Stmt("neu");
  link(*receiver, linked);

  EXPECT_EQ(receiver->Next, linked);
  EXPECT_EQ(linked->Next, old);
  for (int32_t i = 0; i < receiver->ContentCount(); ++i) {
    const TElement* content = receiver->Content(i);
    if (auto* block = dynamic_cast<const TBlock*>(content)) content = block->Body;
    EXPECT_EQ(content, nullptr) << "content " << i;
  }
}

class InsertAfterTest : public testing::TestWithParam<KindCase> {};

TEST_P(InsertAfterTest, InsertPutsTheElementDirectlyAfterTheReceiver) {
  ExpectLinkedDirectlyAfter(GetParam().make(),
                            [](TElement& receiver, TElement* e) { receiver.InsertElement(e); });
}

std::vector<KindCase> NonBlockKinds() {
  std::vector<KindCase> kinds = AllKinds();
  kinds.erase(kinds.begin() + 1);
  return kinds;
}

INSTANTIATE_TEST_SUITE_P(Kinds, InsertAfterTest, testing::ValuesIn(NonBlockKinds()), KindName);

class LinkAfterTest : public testing::TestWithParam<KindCase> {};

TEST_P(LinkAfterTest, LinkAfterPutsTheElementAfterTheReceiverAlsoAfterABlock) {
  ExpectLinkedDirectlyAfter(GetParam().make(),
                            [](TElement& receiver, TElement* e) { LinkAfter(receiver, e); });
}

INSTANTIATE_TEST_SUITE_P(Kinds, LinkAfterTest, testing::ValuesIn(AllKinds()), KindName);

// --- DeleteElement ---------------------------------------------------------------------------

TEST(TreeOperationsTest, DeletingABlockOnItselfFreesItsWholeBodyAndKeepsItsSuccessors) {
  auto* decision = new TIf("x > 0");
  decision->Branches[0]->Body = Chain({Stmt("ja 1"), Block("innen", {Stmt("tief")})});
  decision->Branches[1]->Body = Stmt("nein 1");
  auto* loop = new TWhile("i < 3");
  loop->Branches[0]->Body = Stmt("rumpf");
  BlockPtr block(Block("B", {Stmt("eins"), decision, loop, Block("leer")}));
  TAnweisung* successor = Stmt("danach");
  block->Next = successor;

  block->DeleteElement(block.get());

  // The sanitizers report anything of the former body that stays allocated or is freed twice.
  EXPECT_EQ(block->Body, nullptr);
  EXPECT_EQ(block->Next, successor);
  EXPECT_EQ(successor->Text, "danach");
}

class DisposeContainerTest : public testing::TestWithParam<KindCase> {};

TEST_P(DisposeContainerTest, DeletingOnItselfThenFreeingReleasesEverythingOnce) {
  TElement* element = GetParam().make();
  if (auto* block = dynamic_cast<TBlock*>(element)) block->Body = Chain({Stmt("a"), Stmt("b")});
  if (auto* condition = dynamic_cast<TBedingung*>(element)) {
    for (int i = 1; i <= condition->BranchCount; ++i)
      condition->Branch(i)->Body = Chain({Stmt("a"), Block("innen", {Stmt("b")})});
  }
  TAnweisung* successor = Stmt("danach");
  element->Next = successor;

  element->DeleteElement(element);
  EXPECT_EQ(element->Next, successor);
  DisposeElement(element);
  EXPECT_EQ(successor->Text, "danach");
  DisposeElement(successor);
}

INSTANTIATE_TEST_SUITE_P(Kinds, DisposeContainerTest, testing::ValuesIn(AllKinds()), KindName);

// Builds: root [ s1, B [ b1, b2 ], if [ja: j1 | nein: n1], while [w1] ].
struct SampleTree {
  BlockPtr root;
  TAnweisung *s1, *b1, *b2, *j1, *n1, *w1;
  TBlock* b;
  TIf* decision;
  TWhile* loop;

  SampleTree() {
    s1 = Stmt("s1");
    b1 = Stmt("b1");
    b2 = Stmt("b2");
    j1 = Stmt("j1");
    n1 = Stmt("n1");
    w1 = Stmt("w1");
    b = Block("B", {b1, b2});
    decision = new TIf("c");
    decision->Branches[0]->Body = j1;
    decision->Branches[1]->Body = n1;
    loop = new TWhile("w");
    loop->Branches[0]->Body = w1;
    root = Root({s1, b, decision, loop});
  }
};

TEST(TreeOperationsTest, DeleteUnlinksElementsAtEveryDepthWithoutFreeingThem) {
  SampleTree t;
  t.root->DeleteElement(t.b2);
  t.root->DeleteElement(t.n1);
  t.root->DeleteElement(t.w1);
  t.root->DeleteElement(t.s1);

  EXPECT_EQ(t.root->Body, t.b);
  EXPECT_EQ(t.b->Body, t.b1);
  EXPECT_EQ(t.b1->Next, nullptr);
  EXPECT_EQ(t.decision->Branch(2)->Body, nullptr);
  EXPECT_EQ(t.decision->Branch(1)->Body, t.j1);
  EXPECT_EQ(t.loop->Branch(1)->Body, nullptr);
  // Unlinked elements still belong to the caller.
  for (TElement* e : {static_cast<TElement*>(t.b2), static_cast<TElement*>(t.n1),
                      static_cast<TElement*>(t.w1), static_cast<TElement*>(t.s1)}) {
    EXPECT_FALSE(e->Text.empty());
    DisposeElement(e);
  }
}

TEST(TreeOperationsTest, AnUnlinkedBlockCanBeFreedWithItsContentsWhereverItStood) {
  TBlock* first = Block("erst", {Stmt("x"), Block("y", {Stmt("z")})});
  TBlock* middle = Block("mitte", {Stmt("x"), Block("y", {Stmt("z")})});
  BlockPtr root = Root({first, middle, Stmt("ende")});

  root->DeleteElement(middle);
  root->DeleteElement(first);
  EXPECT_EQ(root->Body->Text, "ende");
  DisposeElement(middle);
  DisposeElement(first);
}

TEST(TreeOperationsTest, DeletingABranchBlockThroughTheTreeEmptiesItAndKeepsIt) {
  SampleTree t;
  TBlock* yes = t.decision->Branch(1);
  TBlock* body = t.loop->Branch(1);
  t.root->DeleteElement(yes);
  t.root->DeleteElement(body);
  EXPECT_EQ(t.decision->Branch(1), yes);
  EXPECT_EQ(yes->Body, nullptr);
  EXPECT_EQ(t.loop->Branch(1), body);
  EXPECT_EQ(body->Body, nullptr);
  EXPECT_EQ(t.decision->Branch(2)->Body, t.n1);
}

TEST(TreeOperationsTest, DeleteAndRemoveOfAForeignElementChangeNothing) {
  SampleTree t;
  TAnweisung foreign("fremd");
  t.root->DeleteElement(&foreign);
  t.root->RemoveElement(&foreign);
  EXPECT_EQ(t.root->Body, t.s1);
  EXPECT_EQ(t.s1->Next, t.b);
  EXPECT_EQ(t.b->Body, t.b1);
  EXPECT_EQ(t.b1->Next, t.b2);
  EXPECT_EQ(t.decision->Branch(1)->Body, t.j1);
  EXPECT_EQ(t.decision->Branch(2)->Body, t.n1);
  EXPECT_EQ(t.loop->Branch(1)->Body, t.w1);
  EXPECT_EQ(t.root->FindParent(&foreign), nullptr);
}

// --- RemoveElement ---------------------------------------------------------------------------

TEST(TreeOperationsTest, RemoveUnlinksAndTheRemovedElementKeepsItsSuccessorAndContents) {
  SampleTree t;
  t.root->RemoveElement(t.b);

  EXPECT_EQ(t.s1->Next, t.decision);
  EXPECT_EQ(t.b->Next, t.decision);
  EXPECT_EQ(t.b->Body, t.b1);
  EXPECT_EQ(t.b1->Next, t.b2);
  t.b->Next = nullptr;
  DisposeElement(t.b);
}

TEST(TreeOperationsTest, RemoveFindsElementsInsideBranchesAndAtTheHeadOfABody) {
  SampleTree t;
  t.root->RemoveElement(t.j1);
  t.root->RemoveElement(t.s1);
  EXPECT_EQ(t.decision->Branch(1)->Body, nullptr);
  EXPECT_EQ(t.root->Body, t.b);
  EXPECT_EQ(t.s1->Next, t.b);
  DisposeElement(t.j1);
  DisposeElement(t.s1);
}

// --- FindParent ------------------------------------------------------------------------------

TEST(TreeOperationsTest, FindParentYieldsTheBlockForAFirstElementAndThePredecessorOtherwise) {
  SampleTree t;
  EXPECT_EQ(t.root->FindParent(t.s1), t.root.get());
  EXPECT_EQ(t.root->FindParent(t.b), t.s1);
  EXPECT_EQ(t.root->FindParent(t.b1), t.b);
  EXPECT_EQ(t.root->FindParent(t.b2), t.b1);
  EXPECT_EQ(t.root->FindParent(t.loop), t.decision);
  EXPECT_EQ(t.root->FindParent(t.root.get()), nullptr);
}

TEST(TreeOperationsTest, FindParentOfBranchesAndBranchContents) {
  SampleTree t;
  EXPECT_EQ(t.root->FindParent(t.decision->Branch(1)), t.decision);
  EXPECT_EQ(t.root->FindParent(t.decision->Branch(2)), t.decision);
  EXPECT_EQ(t.root->FindParent(t.j1), t.decision->Branch(1));
  EXPECT_EQ(t.root->FindParent(t.n1), t.decision->Branch(2));
  EXPECT_EQ(t.root->FindParent(t.loop->Branch(1)), t.loop);
  EXPECT_EQ(t.root->FindParent(t.w1), t.loop->Branch(1));
}

TEST(TreeOperationsTest, FindParentFromAnInnerElementSearchesItsSuccessorsAndTheirContents) {
  SampleTree t;
  // Started at s1, the search runs along the root's body and into what follows s1.
  EXPECT_EQ(t.s1->FindParent(t.n1), t.decision->Branch(2));
  EXPECT_EQ(t.s1->FindParent(t.loop), t.decision);
  EXPECT_EQ(t.b->FindParent(t.w1), t.loop->Branch(1));
  // Nothing before the receiver is searched.
  EXPECT_EQ(t.b->FindParent(t.s1), nullptr);
}

}  // namespace
