#include "tests/model/ModelTestSupport.h"

using namespace modeltest;

namespace {

struct SizeCase {
  const char* name;
  std::function<TElement*(TDisplayOptions&)> make;
  View view;
  bool printing;
  TSize expected;
};

void PrintTo(const SizeCase& c, std::ostream* os) { *os << c.name; }

class StatementBlockSizeTest : public testing::TestWithParam<SizeCase> {};

TEST_P(StatementBlockSizeTest, MeasuresAsTheLayoutRulesSay) {
  const SizeCase& c = GetParam();
  TDisplayOptions options = c.printing ? Printing(c.view) : Screen(c.view);
  TestCanvas canvas;
  ElementPtr element(c.make(options));
  EXPECT_EQ(element->GetSize(canvas, options), c.expected);
}

TElement* Statement(TDisplayOptions&) { return Stmt("Anweisung"); }
TElement* EmptyBlock(TDisplayOptions&) { return Block("B"); }
TElement* TwoStatements(TDisplayOptions&) { return Block("B", {Stmt("x"), Stmt("Anweisung")}); }
TElement* NarrowBody(TDisplayOptions&) { return Block("B", {Stmt("x")}); }
TElement* WideBody(TDisplayOptions&) { return Block("B", {Stmt(std::string(20, 'w'))}); }
TElement* OneStatement(TDisplayOptions&) { return Block("B", {Stmt("Anweisung")}); }
TElement* Nested(TDisplayOptions&) { return Block("B1", {Block("B2", {Stmt("Anweisung")})}); }
TElement* Collapsed(TDisplayOptions& options) {
  TBlock* block = Block("Programm", {Stmt(std::string(30, 'l')), Stmt("b")});
  options.ToggleCollapsed(block);
  return block;
}

const int kSw = W("Anweisung") + 12;  // a statement "Anweisung" on screen
const int kCw = W("Programm") + 12;   // the collapsed block "Programm"
constexpr int kP = kPrintSpacing;

INSTANTIATE_TEST_SUITE_P(
    Cases, StatementBlockSizeTest,
    testing::Values(
        SizeCase{"Statement", Statement, View::Structogram, false, {kSw, kTh + 10}},
        SizeCase{"StatementFlow", Statement, View::Flowchart, false, {kSw, kTh + 11 + 6}},
        SizeCase{"StatementPrint", Statement, View::Structogram, true, {kSw + 2 * kP, kTh + 10}},
        SizeCase{
            "StatementFlowPrint", Statement, View::Flowchart, true, {kSw + 2 * kP, kTh + 11 + kP}},
        SizeCase{"EmptyBlock", EmptyBlock, View::Structogram, false, {40, kTh + 10}},
        SizeCase{
            "EmptyBlockFlow", EmptyBlock, View::Flowchart, false, {40 + 6, kTh + 10 + 2 * 6 + 3}},
        SizeCase{"EmptyBlockPrint", EmptyBlock, View::Structogram, true, {100, kTh + 10}},
        SizeCase{"EmptyBlockFlowPrint",
                 EmptyBlock,
                 View::Flowchart,
                 true,
                 {100 + 6 + kP, kTh + 10 + 2 * kP + 3}},
        SizeCase{"WidestBodyElementAndSumOfHeights",
                 TwoStatements,
                 View::Structogram,
                 false,
                 {kSw, 2 * (kTh + 10)}},
        SizeCase{"BodyFlow",
                 TwoStatements,
                 View::Flowchart,
                 false,
                 {kSw + 6, 2 * (kTh + 11 + 6) + 2 * 6 + 3}},
        SizeCase{"NarrowBodyIsFortyWide", NarrowBody, View::Structogram, false, {40, kTh + 10}},
        SizeCase{"WideBodyPrint",
                 WideBody,
                 View::Structogram,
                 true,
                 {W(std::string(20, 'w')) + 12 + 2 * kP, kTh + 10}},
        SizeCase{
            "NarrowBodyPrintIsHundredWide", OneStatement, View::Structogram, true, {100, kTh + 10}},
        SizeCase{"BodyFlowPrint",
                 OneStatement,
                 View::Flowchart,
                 true,
                 {100 + 6 + kP, (kTh + 11 + kP) + 2 * kP + 3}},
        SizeCase{"NestedFlow",
                 Nested,
                 View::Flowchart,
                 false,
                 {kSw + 6 + 6, (kTh + 11 + 6) + 2 * (2 * 6 + 3)}},
        SizeCase{"Collapsed", Collapsed, View::Structogram, false, {kCw, kTh + 10}},
        SizeCase{"CollapsedFlow", Collapsed, View::Flowchart, false, {kCw, kTh + 10 + 6 + 1}},
        SizeCase{"CollapsedPrint", Collapsed, View::Structogram, true, {kCw, kTh + 10}},
        SizeCase{
            "CollapsedFlowPrint", Collapsed, View::Flowchart, true, {kCw + kP, kTh + 10 + kP + 1}}),
    [](const testing::TestParamInfo<SizeCase>& info) { return std::string(info.param.name); });

}  // namespace
