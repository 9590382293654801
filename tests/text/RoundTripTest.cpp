// Designs written as program text and read back: statements, decisions and loops with the
// test before or after come back as the same kinds with the same texts.
#include <gtest/gtest.h>

#include <random>

#include "tests/support/TreeText.h"
#include "text/Interpret.h"
#include "tests/support/WorkedExample.h"

namespace {

struct Design {
  const char* name;
  std::string tree;
};

std::ostream& operator<<(std::ostream& out, const Design& d) { return out << d.name; }

// The root block as the main window holds it: not movable, not braced.
std::string Export(const std::string& tree, const std::string& indent) {
  BlockPtr root = BuildBlock(tree, "gesamtes Programm");
  root->Movable = 0;
  root->Braced = 0;
  std::string text;
  root->ExportText(text, indent);
  return text;
}

class RoundTripTest : public testing::TestWithParam<Design> {};

TEST_P(RoundTripTest, FileExportReadsBack) {
  EXPECT_EQ(RenderBody(*ParseProgram(Export(GetParam().tree, ""))), GetParam().tree);
}

TEST_P(RoundTripTest, ClipboardExportReadsBack) {
  EXPECT_EQ(RenderBody(*ParseProgram(Export(GetParam().tree, "  "))), GetParam().tree);
}

std::string Nested(int levels) {
  std::string tree = "A(x)";
  for (int i = 0; i < levels; ++i) {
    const std::string c = "c" + std::to_string(i);
    switch (i % 3) {
      case 0:
        tree = "I(" + c + ")[" + tree + "|A(n)]";
        break;
      case 1:
        tree = "W(" + c + ")[A(a) " + tree + "]";
        break;
      default:
        tree = "D(" + c + ")[" + tree + " A(b)]";
        break;
    }
  }
  return tree;
}

const Design Designs[] = {
    {"Statements", "A(x := 1) A(y := 2)"},
    {"DecisionWithElse", "A(x := 1) I(x > 0)[A(y := 2)|A(y := 0)]"},
    {"DecisionWithoutElse", "I(a)[A(b) A(c)|] A(d)"},
    {"DecisionWithEmptyYesBranch", "I(a)[|A(b)]"},
    {"EmptyBodies", "I(a)[|] W(b)[] D(c)[]"},
    {"While", "W(y < 10)[A(y := y + 1)]"},
    {"DoWhile", "D(y > 0)[A(y := y - 1)] A(z)"},
    {"DoWhileInBothBranches", "I(a)[D(b)[A(c)]|D(d)[A(e)]]"},
    {"ParenthesesInTexts", "W((a) && (b))[A(f(x))] I(g(h) > 0)[A(p := (1 + 2) * 3)|]"},
    {"NestedKinds", "W(a)[I(b)[D(c)[A(x) W(d)[A(y)]]|A(z)] A(w)] A(end)"},
    {"DeeplyNested", Nested(30)},
};
INSTANTIATE_TEST_SUITE_P(Designs, RoundTripTest, testing::ValuesIn(Designs),
                         [](const auto& info) { return std::string(info.param.name); });

// Random designs whose texts are single-blank word lists that start with no keyword.
class RandomDesigns {
 public:
  explicit RandomDesigns(unsigned seed) : random_(seed) {}

  std::string Sequence(int depth) {
    std::string tree;
    for (int n = Below(4); n >= 0; --n) {
      // An empty statement right after a closing brace reads as that brace's ";".
      const bool afterBrace = !tree.empty() && tree.back() == ']';
      if (!tree.empty()) tree += ' ';
      tree += Element(depth, !afterBrace);
    }
    return tree;
  }

 private:
  int Below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }

  std::string Text() {
    static const char* const Words[] = {"x", "sum", ":=", "+", "1", "f(a)", "(b + c)", ">=", "-"};
    std::string text = "v";
    for (int n = Below(4); n > 0; --n) text += std::string(" ") + Words[Below(9)];
    return text;
  }

  std::string Element(int depth, bool mayBeEmpty) {
    const int kind = depth > 0 ? Below(5) : 0;
    if (kind <= 1) return "A(" + (Below(8) || !mayBeEmpty ? Text() : "") + ")";
    const std::string head = std::string(1, "IWD"[kind - 2]) + "(" + Text() + ")[";
    const std::string body = Below(4) ? Sequence(depth - 1) : "";
    if (kind != 2) return head + body + "]";
    return head + body + "|" + (Below(2) ? Sequence(depth - 1) : "") + "]";
  }

  std::mt19937 random_;
};

TEST(RoundTrip, RandomDesignsReadBack) {
  for (unsigned seed = 0; seed < 300; ++seed) {
    const std::string tree = RandomDesigns(seed).Sequence(4);
    ASSERT_EQ(RenderBody(*ParseProgram(Export(tree, "  "))), tree) << "seed " << seed;
  }
}

TEST(RoundTrip, TextsComeBackNormalised) {
  EXPECT_EQ(RenderBody(*ParseProgram(Export("A(a  b) A(x;) A(p; q)", ""))),
            "A(a b) A(x) A(p) A(q)");
}

TEST(RoundTrip, CountingLoopBecomesInitialisationAndWhileLoop) {
  EXPECT_EQ(RenderBody(*ParseProgram(Export("F(i von 1 bis 10)[A(s := s + i)]", ""))),
            "A(i=1) W(i<=10)[A(s := s + i) A(i=i+1)]");
}

// The export of a design with every kind, as the exporter writes it for a file.
TEST(RoundTrip, WrittenExampleReadsBack) {
  const std::string text = WorkedExampleText;
  EXPECT_EQ(RenderBody(*ParseProgram(text)),
            "A(x := 1) I(x > 0)[A(y := 2)|A(y := 0)] W(y < 10)[A(y := y + 1)] "
            "D(y > 0)[A(y := y - 1)] A(i=1) W(i<=10)[A(s := s + i) A(i=i+1)] "
            "A(// Ausgabe write(s)) A(// Ende Ausgabe)");
}

}  // namespace
