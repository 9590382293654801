// Program texts and the trees they must yield, in the notation of tests/support/TreeText.h.
#include <gtest/gtest.h>

#include "tests/support/TreeText.h"
#include "text/Interpret.h"

namespace {

struct Case {
  const char* name;
  std::string text;
  std::string tree;
};

std::ostream& operator<<(std::ostream& out, const Case& c) { return out << c.name; }

std::string Parse(const std::string& text) { return RenderBody(*ParseProgram(text)); }

class ParseProgramTest : public testing::TestWithParam<Case> {};

TEST_P(ParseProgramTest, YieldsTree) { EXPECT_EQ(Parse(GetParam().text), GetParam().tree); }

std::string CaseName(const testing::TestParamInfo<Case>& info) { return info.param.name; }

const Case Statements[] = {
    {"TwoStatements", "x := 1; y := 2;", "A(x := 1) A(y := 2)"},
    {"LastStatementWithoutSemicolon", "x := 1; y", "A(x := 1) A(y)"},
    {"BlankBeforeSemicolonDropped", "x ;", "A(x)"},
    {"TabAndRunsOfBlanksBecomeOneBlank", "a   :=\t \t1;", "A(a := 1)"},
    {"LineEndsBecomeBlanks", "x\r\n:=\r\n1;\r\ny;", "A(x := 1) A(y)"},
    {"LoneLineFeedSeparatesWords", "int\nx;\ny;", "A(int x) A(y)"},
    {"QuotedTextKeptUnchanged", "x := 'a;  b';", "A(x := 'a;  b')"},
    {"DoubleQuotesProtectKeywordsAndBlanks", "s := \"if (a) \t ;\";", "A(s := \"if (a) \t ;\")"},
    {"UnclosedQuoteProtectsTheRest", "x := 'a  ; \r\n b", "A(x := 'a  ; \r\n b)"},
    {"LoneSemicolonIsEmptyStatement", "x;;y;", "A(x) A() A(y)"},
    {"EmptyText", "", ""},
    {"OnlyBlanksAndLineEnds", " \r\n \t\r\n  ", ""},
    {"StrayElseStartsStatement", "a; else b;", "A(a) A(else b)"},
};
INSTANTIATE_TEST_SUITE_P(Statements, ParseProgramTest, testing::ValuesIn(Statements), CaseName);

const Case Decisions[] = {
    {"KeywordsIgnoreCase", "IF (a) b; ElSe c;", "I(a)[A(b)|A(c)]"},
    {"WithoutElse", "if (a) b; c;", "I(a)[A(b)|] A(c)"},
    {"ElseEndsStatementKeepingItsBlank", "if (a) b else c;", "I(a)[A(b )|A(c)]"},
    {"BracedBranches", "if (x > 0) { y := 2; z; } else { y := 0; }",
     "I(x > 0)[A(y := 2) A(z)|A(y := 0)]"},
    {"EmptyYesBranch", "if (a) { } else { b; }", "I(a)[|A(b)]"},
    {"ConditionTrimmed", "if ( a > b ) c;", "I(a > b)[A(c)|]"},
    {"ElseBelongsToInnerDecision", "if (a) if (b) c; else d;", "I(a)[I(b)[A(c)|A(d)]|]"},
    {"NoParenthesisDropsKeyword", "if a; b;", "A(a) A(b)"},
    {"UnclosedParenthesisDropsUpToIt", "if (a; b;", "A(a) A(b)"},
    // Without "(" nothing is dropped: the condition runs to the first ")".
    {"ConditionWithoutOpeningParenthesis", "if x) y;", "I(x)[A(y)|]"},
};
INSTANTIATE_TEST_SUITE_P(Decisions, ParseProgramTest, testing::ValuesIn(Decisions), CaseName);

const Case Loops[] = {
    {"WhileWithNestedParentheses", "while ((a) && (b)) { x; }", "W((a) && (b))[A(x)]"},
    {"WhileSingleStatementBody", "WHILE (c) x; y;", "W(c)[A(x)] A(y)"},
    {"WhileWithoutParenthesis", "while x; y;", "A(x) A(y)"},
    {"ForBecomesInitAndLoop", "for (i=1;i<=10;i=i+1) { s; } t;",
     "A(i=1) W(i<=10)[A(s) A(i=i+1)] A(t)"},
    {"ForConditionKeepsLeadingBlank", "for (i = 1; i < n; i++) s;",
     "A(i = 1) W( i < n)[A(s) A(i++)]"},
    {"ForWithEmptyInitialisation", "for (;c;s) x;", "W(c)[A(x) A(s)]"},
    {"ForWithEmptyHeader", "for () x;", "W()[A(x)]"},
    {"ForWithoutClosingParenthesis", "for (i=0; x;", "A(i=0) A(x)"},
    {"DoWhile", "do { a; } while (b);", "D(b)[A(a)]"},
    {"DoWhileConditionNotTrimmed", "do { a; } while ( b );", "D( b )[A(a)]"},
    {"DoWhileNested", "do { do { a; } while (b); } while (c); d;", "D(c)[D(b)[A(a)]] A(d)"},
    {"DoWhileWithInnerBlocks", "Do { { a; } b; } while (c);", "D(c)[B()[A(a)] A(b)]"},
    // Both "do"s put their own "do" before the one "while": the inner loop meets "dodowhile",
    // which is no end, so neither loop ends and the inner one takes the rest.
    {"TwoDosBeforeOneWhile", "do do { a; } while (b);", "D()[D()[A(a) A(dodowhile (b))]]"},
    // Without braces the body has no end: everything after "do" becomes the body.
    {"DoWithoutBracesTakesTheRest", "do a; while (b); c;", "D()[A(a) W(b)[A()] A(c)]"},
    // "w" in a word after the body gets the "do" too, and the loop has no end.
    {"DoInsertedBeforeFirstW", "do { a; } x := w;", "D()[A(a) A(x := dow)]"},
};
INSTANTIATE_TEST_SUITE_P(Loops, ParseProgramTest, testing::ValuesIn(Loops), CaseName);

const Case Blocks[] = {
    {"BracesMakeBlock", "{ a; b; } c;", "B()[A(a) A(b)] A(c)"},
    {"SemicolonAfterClosingBraceDropped", "{ a; }; b;", "B()[A(a)] A(b)"},
    {"StrayClosingBraceAtTopLevel", "a; } b;", "A(a) A(}) A(b)"},
    {"MissingClosingBraceEndsAtTextEnd", "{ a; { b;", "B()[A(a) B()[A(b)]]"},
    {"ClosingBraceAsBranchIsStatement", "{ if (a) } b;", "B()[I(a)[A(})|] A(b)]"},
};
INSTANTIATE_TEST_SUITE_P(Blocks, ParseProgramTest, testing::ValuesIn(Blocks), CaseName);

// Blocks from braces are made as a user makes them, structures as new ones are.
TEST(ParseProgram, ElementsAreMadeAsNewElements) {
  BlockPtr root = ParseProgram("{ a; } if (b) c; while (d) e; do { f; } while (g);");
  EXPECT_EQ(root->Text, "");
  auto* block = dynamic_cast<TBlock*>(root->Body);
  ASSERT_NE(block, nullptr);
  EXPECT_EQ(block->Text, "");
  EXPECT_EQ(block->Movable, 1);
  EXPECT_EQ(block->Braced, 1);
  auto* decision = dynamic_cast<TIf*>(block->Next);
  ASSERT_NE(decision, nullptr);
  EXPECT_EQ(decision->Branches[0]->Text, "Ja-Block");
  EXPECT_EQ(decision->Branches[1]->Text, "Nein-Block");
  auto* loop = dynamic_cast<TWhile*>(decision->Next);
  ASSERT_NE(loop, nullptr);
  EXPECT_EQ(loop->Branches[0]->Text, "While-Block");
  auto* doLoop = dynamic_cast<TDoWhile*>(loop->Next);
  ASSERT_NE(doLoop, nullptr);
  EXPECT_EQ(doLoop->RecordTag(), 'D');
  EXPECT_EQ(doLoop->Branches[0]->Text, "DoWhile-Block");
  EXPECT_EQ(doLoop->ContinueOnTrue, 1);
}

}  // namespace
