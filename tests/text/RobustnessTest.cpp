// Input the interpreter must survive: framing bytes, nesting beyond the bound, huge texts,
// and texts that make naive searches of the rest of the text quadratic.
#include <gtest/gtest.h>

#include "platform/MemoryStream.h"
#include "tests/support/TreeText.h"
#include "text/Interpret.h"

using namespace std::string_literals;

namespace {

std::string Parse(const std::string& text) { return RenderBody(*ParseProgram(text)); }

std::string Repeat(const std::string& piece, int times) {
  std::string text;
  for (int i = 0; i < times; ++i) text += piece;
  return text;
}

// Follows branch 1 (or a block's body) through the chain of single nested elements that
// starts at first; returns how many structures or blocks it passed and the element it ends at.
std::pair<int, const TElement*> Descend(const TElement* e) {
  int levels = 0;
  for (;;) {
    if (const auto* block = dynamic_cast<const TBlock*>(e)) {
      e = block->Body;
    } else if (const auto* structure = dynamic_cast<const TBedingung*>(e)) {
      e = structure->Branches[0]->Body;
    } else {
      return {levels, e};
    }
    ++levels;
  }
}

// The design survives being saved and loaded again.
void ExpectLoadable(const TBlock& root) {
  MemoryStream stream;
  SaveRootBlock(root, stream);
  stream.Seek(0);
  BlockPtr loaded = LoadRootBlock(stream);
  EXPECT_EQ(RenderBody(*loaded), RenderBody(root));
}

TEST(ControlBytes, DroppedEverywhereIncludingQuotes) {
  EXPECT_EQ(Parse("x\x01 := \0'a\x01"s
                  "b\0';"s),
            "A(x := 'ab')");
  EXPECT_EQ(Parse("s := \"\x01\0\";"s), "A(s := \"\")");
}

TEST(ControlBytes, DroppedBeforeKeywordsAreRecognised) {
  EXPECT_EQ(Parse("i\0f (a) b\x01;"s), "I(a)[A(b)|]");
}

TEST(DeepNesting, BracesBeyondTheBoundAreKeptAsStatements) {
  const int extra = 50;
  const int braces = MaxNestingDepth + extra;
  BlockPtr root = ParseProgram(std::string(braces, '{') + "x;" + std::string(braces, '}') + "y;");
  EXPECT_EQ(NestingDepth(*root), MaxNestingDepth);
  const auto [levels, innermost] = Descend(root->Body);
  EXPECT_EQ(levels, MaxNestingDepth);
  ASSERT_NE(innermost, nullptr);
  EXPECT_EQ(innermost->Text, std::string(extra, '{') + "x");
  // The closing braces that have no block left to close stand at the top level.
  EXPECT_EQ(RenderSequence(root->Body->Next), Repeat("A(}) ", extra) + "A(y)");
  ExpectLoadable(*root);
}

TEST(DeepNesting, DecisionsBeyondTheBoundAreKeptAsStatements) {
  BlockPtr root = ParseProgram(Repeat("if (c) ", MaxNestingDepth + 5) + "x; y;");
  const auto [levels, innermost] = Descend(root->Body);
  EXPECT_EQ(levels, MaxNestingDepth);
  ASSERT_NE(innermost, nullptr);
  EXPECT_EQ(innermost->Text, Repeat("if (c) ", 5) + "x");
  EXPECT_EQ(RenderSequence(root->Body->Next), "A(y)");
  ExpectLoadable(*root);
}

TEST(DeepNesting, LoopsWithoutBracesBeyondTheBoundAreKeptAsStatements) {
  BlockPtr root = ParseProgram(Repeat("do ", MaxNestingDepth + 3) + "x;");
  const auto [levels, innermost] = Descend(root->Body);
  EXPECT_EQ(levels, MaxNestingDepth);
  ASSERT_NE(innermost, nullptr);
  EXPECT_EQ(innermost->Text, "do do do x");
  ExpectLoadable(*root);
}

TEST(DeepNesting, BracedDecisionsCountOneLevelEach) {
  const int depth = MaxNestingDepth;
  BlockPtr root = ParseProgram(Repeat("if (c) { ", depth) + "x;" + Repeat(" }", depth));
  EXPECT_EQ(NestingDepth(*root), depth);
  EXPECT_EQ(Descend(root->Body).second->Text, "x");
}

TEST(DeepNesting, HeadersNestedInHeadersStayWithinTheBound) {
  std::string text = "x";
  for (int i = 0; i < 3 * MaxNestingDepth; ++i) text = "for (" + text + ";c;s) b;";
  BlockPtr root = ParseProgram(text);
  EXPECT_LE(NestingDepth(*root), MaxNestingDepth);
  ExpectLoadable(*root);
}

TEST(LargeText, MillionStatements) {
  BlockPtr root = ParseProgram(Repeat("a;\n", 1000000));
  EXPECT_EQ(SequenceLength(root->Body), 1000000u);
  EXPECT_EQ(root->Body->Text, "a");
}

// Each of these makes every element search far ahead in the text; they finish only if the
// searches do not scan the rest of the text each time.
TEST(LargeText, ManyLoopsWithoutLowerCaseWhile) {
  BlockPtr root = ParseProgram(Repeat("do{}DOWHILE(c);", 100000));
  EXPECT_EQ(SequenceLength(root->Body), 100000u);
  EXPECT_EQ(RenderSequence(root->Body->Next->Next), Repeat("D(c)[] ", 99997) + "D(c)[]");
}

TEST(LargeText, ManyUnclosedConditions) {
  EXPECT_EQ(Parse(Repeat("if (", 100000) + "x;"), "A(x)");
  EXPECT_EQ(Parse(Repeat("while ", 100000) + "x;"), "A(x)");
}

}  // namespace
