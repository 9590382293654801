// The byte layout of design files: what each kind writes, and that it reads back unchanged.

#include <functional>
#include <typeinfo>

#include "tests/model/RecordsTestSupport.h"

using namespace modeltest;
using namespace recordtest;

namespace {

TEST(RecordsTest, SmallDesignIsWrittenAsItsEightyBytes) {
  ASSERT_EQ(SmallDesignBytes.size(), 80u);
  EXPECT_EQ(Save(*SmallDesign()), SmallDesignBytes);
}

TEST(RecordsTest, SmallDesignReadsBackIntoTheSameTree) {
  BlockPtr loaded = Load(SmallDesignBytes);
  ExpectSameTree(SmallDesign().get(), loaded.get());
  EXPECT_EQ(loaded->Movable, 0);
  EXPECT_EQ(loaded->Braced, 0);
  EXPECT_EQ(loaded->Next, nullptr);
}

TEST(RecordsTest, EmptyRootIsItsTitleAndOneEndMarker) {
  const std::string bytes = Bytes("B:gesamtes Programm\x01\x02\x02");
  EXPECT_EQ(Save(*Root()), bytes);

  BlockPtr loaded = Load(bytes);
  EXPECT_EQ(loaded->Text, "gesamtes Programm");
  EXPECT_EQ(loaded->Body, nullptr);
  EXPECT_EQ(loaded->Movable, 0);
  EXPECT_EQ(loaded->Braced, 0);
}

TEST(RecordsTest, EmptyNoBranchIsWrittenInFull) {
  BlockPtr root = Root({new TIf("c")});
  const std::string noBranch = Bytes("B:Nein-Block\x01\x02\x02\x02\x02");
  const std::string bytes = Save(*root);
  ASSERT_GE(bytes.size(), noBranch.size() + 2);
  // The root's own end marker follows the decision's last branch.
  EXPECT_EQ(bytes.substr(bytes.size() - noBranch.size() - 2, noBranch.size()), noBranch);
}

TEST(RecordsTest, TheTagsBeforeTheRootAndEachBranchAreNotChecked) {
  std::string bytes = SmallDesignBytes;
  // The root's tag at 0, the yes-branch's at 37 and the no-branch's at 61.
  for (std::size_t at : {0, 37, 61}) {
    ASSERT_EQ(bytes.substr(at, 2), "B:");
    bytes[at] = 'Z';
    bytes[at + 1] = '\x02';
  }
  ExpectSameTree(SmallDesign().get(), Load(bytes).get());
}

// One kind of element as the only statement of a root, followed by a statement: the bytes
// its record takes, and the flags it has to come back with.
struct RecordCase {
  const char* name;
  std::function<TElement*()> make;
  std::string record;
  int continueOnTrue;  // -1 where the kind has no such flag
  uint8_t bodyBraced;
};

TBedingung* WithBranches(TBedingung* element, std::initializer_list<const char*> titles,
                         std::initializer_list<const char*> statements) {
  int i = 0;
  for (const char* title : titles) element->Branches[i++]->Text = title;
  i = 0;
  for (const char* statement : statements)
    element->Branches[i++]->Body = *statement ? Stmt(statement) : nullptr;
  return element;
}

std::vector<RecordCase> RecordCases() {
  return {
      {"Anweisung", [] { return Stmt("x := 1"); }, Bytes("A:x := 1\x01"), -1, 1},
      {"Block", [] { return Block("Teil", {Stmt("a")}); },
       Bytes("B:Teil\x01"
             "A:a\x01\x02\x02"),
       -1, 1},
      {"If",
       [] {
         return WithBranches(new TIf("x > 0"), {"Wenn ja", "Sonst"}, {"", "n"});
       },
       Bytes("I:x > 0\x01"
             "B:Wenn ja\x01\x02\x02\x02\x02"
             "B:Sonst\x01"
             "A:n\x01\x02\x02\x02\x02"),
       -1, 1},
      {"While", [] { return WithBranches(new TWhile("y < 10"), {"Schleife"}, {"w"}); },
       Bytes("W:y < 10\x01"
             "B:Schleife\x01"
             "A:w\x01\x02\x02\x02\x02"),
       -1, 1},
      {"For", [] { return WithBranches(new TFor("i von 1 bis 10"), {}, {"f"}); },
       Bytes("F:i von 1 bis 10\x01"
             "B:For-Block\x01"
             "A:f\x01\x02\x02\x02\x02"),
       -1, 1},
      {"UnsetFor", [] { return new TFor("???"); },
       Bytes("F:???\x01"
             "B:For-Block\x01\x02\x02\x02\x02"),
       -1, 1},
      {"DoWhile", [] { return WithBranches(new TDoWhile("k > 5"), {}, {"d"}); },
       Bytes("D:k > 5\x01"
             "B:DoWhile-Block\x01"
             "A:d\x01\x02\x02\x02\x02"),
       1, 1},
      {"Repeat", [] { return WithBranches(new TRepeat("k > 5"), {}, {"r"}); },
       Bytes("R:k > 5\x01"
             "B:RepeatUntil-Block\x01"
             "A:r\x01\x02\x02\x02\x02"),
       0, 0},
  };
}

class RecordKindTest : public testing::TestWithParam<RecordCase> {
 protected:
  BlockPtr Design() const { return Root({GetParam().make(), Stmt("danach")}); }
  std::string DesignBytes() const {
    return Bytes("B:gesamtes Programm\x01") + GetParam().record + Bytes("A:danach\x01\x02\x02");
  }
};

TEST_P(RecordKindTest, IsWrittenAsItsRecord) { EXPECT_EQ(Save(*Design()), DesignBytes()); }

TEST_P(RecordKindTest, ReadsBackIntoItsOwnKindWithItsFlags) {
  BlockPtr original = Design();
  BlockPtr loaded = Load(DesignBytes());
  ExpectSameTree(original.get(), loaded.get());

  const TElement* element = loaded->Body;
  ASSERT_NE(element, nullptr);
  EXPECT_EQ(typeid(*element), typeid(*original->Body));
  EXPECT_EQ(element->Movable, 1);
  ASSERT_NE(element->Next, nullptr);
  EXPECT_EQ(element->Next->Movable, 1);
  if (auto* condition = dynamic_cast<const TBedingung*>(element)) {
    for (int i = 0; i < condition->BranchCount; ++i) {
      EXPECT_EQ(condition->Branches[i]->Movable, 0);
      EXPECT_EQ(condition->Branches[i]->Braced, GetParam().bodyBraced);
    }
  }
  auto* loop = dynamic_cast<const TDoWhile*>(element);
  EXPECT_EQ(loop ? loop->ContinueOnTrue : -1, GetParam().continueOnTrue);
}

INSTANTIATE_TEST_SUITE_P(Kinds, RecordKindTest, testing::ValuesIn(RecordCases()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(RecordsTest, NestedDesignRoundTripsThroughItsBytes) {
  auto* inner = new TIf("a");
  inner->Branch(2)->Body = Chain({new TRepeat("r"), Block("tief", {new TFor("???")})});
  auto* loop = new TWhile("w");
  loop->Branch(1)->Body = Chain({Stmt("eins"), inner, new TDoWhile("d")});
  BlockPtr root = Root({Block("Teil", {loop, Block("leer")}), Stmt("ende")});

  const std::string bytes = Save(*root);
  BlockPtr loaded = Load(bytes);
  ExpectSameTree(root.get(), loaded.get());
  EXPECT_EQ(Save(*loaded), bytes);
}

TEST(RecordsTest, TextsKeepEveryByteButTheFramingOnes) {
  std::string text;
  for (int c = 2; c < 256; ++c) text.push_back(static_cast<char>(c));
  auto* decision = new TIf(text);
  decision->Branch(1)->Text = text;
  BlockPtr root = Root({Stmt(text), decision});
  root->Text = text;

  BlockPtr loaded = Load(Save(*root));
  ExpectSameTree(root.get(), loaded.get());
}

}  // namespace
