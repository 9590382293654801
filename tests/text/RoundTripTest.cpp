// Designs written as program text and read back: statements, decisions and loops with the
// test before or after come back as the same kinds with the same texts.
#include <gtest/gtest.h>

#include "tests/support/TreeText.h"
#include "text/Interpret.h"

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
  const std::string text =
      "  x := 1;\r\n"
      "  if (x > 0) {\r\n"
      "    y := 2;\r\n"
      "  }\r\n"
      "  else{\r\n"
      "    y := 0;\r\n"
      "  }\r\n"
      "  while (y < 10) {\r\n"
      "    y := y + 1;\r\n"
      "  }\r\n"
      "  do {\r\n"
      "    y := y - 1;\r\n"
      "  } while (y > 0);\r\n"
      "  for (i=1;i<=10;i=i+1) {\r\n"
      "    s := s + i;\r\n"
      "  }\r\n"
      "\r\n"
      "  // Ausgabe\r\n"
      "  write(s);\r\n"
      "  // Ende Ausgabe\r\n"
      "\r\n";
  EXPECT_EQ(RenderBody(*ParseProgram(text)),
            "A(x := 1) I(x > 0)[A(y := 2)|A(y := 0)] W(y < 10)[A(y := y + 1)] "
            "D(y > 0)[A(y := y - 1)] A(i=1) W(i<=10)[A(s := s + i) A(i=i+1)] "
            "A(// Ausgabe write(s)) A(// Ende Ausgabe)");
}

}  // namespace
