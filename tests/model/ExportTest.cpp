// Program text of designs: layout of every kind, indentation, and texts of any size.

#include <functional>
#include <string_view>

#include "tests/model/ModelTestSupport.h"
#include "tests/support/WorkedExample.h"

using namespace modeltest;

namespace {

std::string Export(const TElement& element, const std::string& indent = "") {
  std::string output;
  element.ExportText(output, indent);
  return output;
}

// Fills branch number branch of a decision or loop and returns the element.
template <class Kind>
Kind* With(Kind* element, int branch, std::initializer_list<TElement*> body) {
  element->Branch(branch)->Body = Chain(body);
  return element;
}

BlockPtr WorkedExample() {
  auto* decision = With(new TIf("x > 0"), 1, {Stmt("y := 2")});
  With(decision, 2, {Stmt("y := 0")});
  return Root({
      Stmt("x := 1"),
      decision,
      With(new TWhile("y < 10"), 1, {Stmt("y := y + 1")}),
      With(new TDoWhile("y > 0"), 1, {Stmt("y := y - 1")}),
      With(new TFor("i von 1 bis 10"), 1, {Stmt("s := s + i")}),
      Block("Ausgabe", {Stmt("write(s)")}),
  });
}

TEST(ExportTest, WorkedExampleForAFile) { EXPECT_EQ(Export(*WorkedExample()), WorkedExampleText); }

TEST(ExportTest, ClipboardFormIndentsEveryNonEmptyLineTwoBlanksMore) {
  std::string expected;
  std::string_view text = WorkedExampleText;
  while (!text.empty()) {
    const std::size_t end = text.find("\r\n") + 2;
    if (end > 2) expected += "  ";
    expected += text.substr(0, end);
    text.remove_prefix(end);
  }
  EXPECT_EQ(Export(*WorkedExample(), "  "), expected);
}

TEST(ExportTest, EmptyRootWritesNothing) {
  EXPECT_EQ(Export(*Root()), "");
  EXPECT_EQ(Export(*Root(), "  "), "");
}

TEST(ExportTest, ExportAppendsToWhatIsThereAndStartsAtTheReceiver) {
  ElementPtr chain(Chain({Stmt("a"), Stmt("b")}));
  std::string output = "vorher\r\n";
  chain->Next->ExportText(output, "    ");
  EXPECT_EQ(output, "vorher\r\n    b;\r\n");
}

// One element of each kind as the only content of a root exported for a file.
struct ExportCase {
  const char* name;
  std::function<TElement*()> make;
  const char* text;
};

std::vector<ExportCase> ExportCases() {
  return {
      {"StatementEndingInSemicolon", [] { return Stmt("x := 1;"); }, "  x := 1;\r\n"},
      {"EmptyStatement", [] { return Stmt(""); }, "  ;\r\n"},
      {"IfWithEmptyNoBranch", [] { return With(new TIf("c"), 1, {Stmt("a")}); },
       "  if (c) {\r\n    a;\r\n  }\r\n"},
      {"IfWithEmptyYesBranch", [] { return With(new TIf("c"), 2, {Stmt("n")}); },
       "  if (c) {\r\n  }\r\n  else{\r\n    n;\r\n  }\r\n"},
      {"EmptyWhile", [] { return new TWhile("c"); }, "  while (c) {\r\n  }\r\n"},
      {"EmptyDoWhile", [] { return new TDoWhile("c"); }, "  do {\r\n  } while (c);\r\n"},
      {"Repeat", [] { return With(new TRepeat("k > 5"), 1, {Stmt("k := k + 1")}); },
       "  do     k := k + 1;\r\n  while (k > 5);\r\n"},
      {"RepeatWithTwoStatements",
       [] {
         return With(new TRepeat("c"), 1, {Stmt("a"), Stmt("b")});
       },
       "  do     a;\r\n    b;\r\n  while (c);\r\n"},
      {"EmptyRepeat", [] { return new TRepeat("c"); }, "  do   while (c);\r\n"},
      {"UnsetFor", [] { return With(new TFor("???"), 1, {Stmt("s")}); },
       "  for (?=?;?<=?;?=?+1) {\r\n    s;\r\n  }\r\n"},
      {"ForWithoutEnd", [] { return new TFor("i von 1"); }, "  for (i=1;i<=;i=i+1) {\r\n  }\r\n"},
      {"ForEndWithBlanks", [] { return new TFor("j von 10 bis n - 1"); },
       "  for (j=10;j<=n - 1;j=j+1) {\r\n  }\r\n"},
      {"ForStartWithBlanks", [] { return new TFor("k von n - 1 bis 1"); },
       "  for (k=n - 1;k<=1;k=k+1) {\r\n  }\r\n"},
      {"ForWithVariableOnly", [] { return new TFor("i"); }, "  for (i=;i<=;i=i+1) {\r\n  }\r\n"},
      {"EmptyUserBlock", [] { return Block("Leer"); }, "\r\n  // Leer\r\n  // Ende Leer\r\n\r\n"},
      {"UserBlockInsideALoop",
       [] {
         return With(new TWhile("c"), 1, {Block("Teil", {Stmt("a")}), Stmt("b")});
       },
       "  while (c) {\r\n\r\n    // Teil\r\n    a;\r\n    // Ende Teil\r\n\r\n    b;\r\n  }\r\n"},
  };
}

class ExportKindTest : public testing::TestWithParam<ExportCase> {};

TEST_P(ExportKindTest, WritesItsLayout) {
  EXPECT_EQ(Export(*Root({GetParam().make()})), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Kinds, ExportKindTest, testing::ValuesIn(ExportCases()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ExportTest, LongTextsAreWrittenWhole) {
  const std::string text(100000, 'x');
  auto* loop = With(new TWhile(text), 1, {Stmt(text)});
  const std::string output = Export(*Root({loop}));
  EXPECT_EQ(output, "  while (" + text + ") {\r\n    " + text + ";\r\n  }\r\n");
}

TEST(ExportTest, DeeplyNestedLoopsAreIndentedOneUnitPerLevel) {
  constexpr int kLevels = 1000;
  BlockPtr root = Root();
  TBlock* inner = root.get();
  for (int level = 0; level < kLevels; ++level) {
    auto* loop = new TWhile("c");
    Fill(inner, {loop});
    inner = loop->Branch(1);
  }

  std::string expected;
  for (int level = 1; level <= kLevels; ++level)
    expected += std::string(2 * level, ' ') + "while (c) {\r\n";
  for (int level = kLevels; level >= 1; --level) expected += std::string(2 * level, ' ') + "}\r\n";
  EXPECT_EQ(Export(*root), expected);
}

TEST(ExportTest, MillionStatementsAreWrittenCompletely) {
  constexpr std::size_t kCount = 1000000;
  BlockPtr root = Root();
  TElement* tail = nullptr;
  for (std::size_t i = 0; i < kCount; ++i) {
    TElement* statement = Stmt(i + 1 == kCount ? "ende" : "x := 1");
    (tail ? tail->Next : root->Body) = statement;
    tail = statement;
  }

  const std::string output = Export(*root);
  // Each line is the indentation, the text and ";\r\n".
  EXPECT_EQ(output.size(), (kCount - 1) * (2 + 6 + 3) + (2 + 4 + 3));
  EXPECT_EQ(output.substr(0, 11), "  x := 1;\r\n");
  EXPECT_EQ(output.substr(output.size() - 9), "  ende;\r\n");
}

}  // namespace
