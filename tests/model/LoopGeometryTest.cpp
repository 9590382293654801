#include "tests/model/ModelTestSupport.h"

using namespace modeltest;

namespace {

// The condition "???" in both views.
const int kTw = W("???");
const int kCwS = kTw + 10, kChS = kTh + 12;
const int kChF = kTw / 3 + kTh + 2, kCwF = 3 * kChF + 2;
constexpr int kP = kPrintSpacing;
// Body block sizes: empty, and holding one statement of 30 characters.
const int kEbW = 40, kEbH = kTh + 10;
const int kEbWF = 40 + 6, kEbHF = kTh + 10 + 2 * 6 + 3;
const int kEbWP = 100 + 6 + kP, kEbHP = kTh + 10 + 2 * kP + 3;
const std::string kLong(30, 'l');
const int kWbW = W(kLong) + 12, kWbWF = W(kLong) + 12 + 6, kWbHF = (kTh + 11 + 6) + 2 * 6 + 3;
// The loop-back label decides the width of the test-after loops in the flowchart.
const int kJa = W("ja"), kNein = W("nein");

struct LoopCase {
  const char* name;
  View view;
  bool printing;
  bool wideBody;
  TSize expected;
  TPoint branchOffset;  // the body's origin relative to the loop's
};

struct LoopParam {
  KindCase kind;
  LoopCase size;
};

void PrintTo(const LoopParam& p, std::ostream* os) { *os << p.kind.name << p.size.name; }

class LoopSizeTest : public testing::TestWithParam<LoopParam> {};

TEST_P(LoopSizeTest, SizeAndBodyOrigin) {
  const LoopParam& p = GetParam();
  TDisplayOptions options = p.size.printing ? Printing(p.size.view) : Screen(p.size.view);
  TestCanvas canvas;
  ElementPtr element(p.kind.make());
  auto* loop = static_cast<TBedingung*>(element.get());
  if (p.size.wideBody) loop->Branch(1)->Body = Stmt(kLong);

  EXPECT_EQ(loop->GetSize(canvas, options), p.size.expected);
  const TPoint origin{200, 20};
  for (int branch : {1, 2}) {
    EXPECT_EQ(loop->GetBranchOrigin(canvas, origin, options, branch),
              (TPoint{200 + p.size.branchOffset.x, 20 + p.size.branchOffset.y}))
        << "branch number " << branch;
  }
}

std::vector<LoopCase> BeforeCases() {
  const int flowW = 2 * kNein + kCwF - 4;
  return {
      {"Empty",
       View::Structogram,
       false,
       false,
       {std::max(kCwS, kEbW + 20), kChS + kEbH},
       {20, kChS}},
      {"Wide", View::Structogram, false, true, {kWbW + 20, kChS + kTh + 10}, {20, kChS}},
      {"EmptyFlow",
       View::Flowchart,
       false,
       false,
       {kEbWF > flowW ? kEbWF + 18 : flowW, kTh + 2 * 6 + kChF + kEbHF + 14},
       {0, kChF + 6 + 1 + kTh}},
      {"WideFlow",
       View::Flowchart,
       false,
       true,
       {kWbWF + 18, kTh + 2 * 6 + kChF + kWbHF + 14},
       {0, kChF + 6 + 1 + kTh}},
      {"EmptyFlowPrint",
       View::Flowchart,
       true,
       false,
       {kEbWP > flowW ? kEbWP + 18 : flowW, kTh + 2 * kP + kChF + kEbHP + 14},
       {0, kChF + kP + 1 + kTh}},
  };
}

std::vector<LoopCase> AfterCases(int loopBackLabel) {
  const int flowW = 2 * loopBackLabel + kCwF - 4;
  return {
      {"Empty", View::Structogram, false, false, {std::max(kCwS, kEbW + 20), kChS + kEbH}, {20, 0}},
      {"Wide", View::Structogram, false, true, {kWbW + 20, kChS + kTh + 10}, {20, 0}},
      {"EmptyFlow",
       View::Flowchart,
       false,
       false,
       {kEbWF > flowW ? kEbWF + 18 : flowW, kTh + kChF + kEbHF + 14},
       {0, 12}},
      {"WideFlow", View::Flowchart, false, true, {kWbWF + 18, kTh + kChF + kWbHF + 14}, {0, 12}},
      {"EmptyFlowPrint",
       View::Flowchart,
       true,
       false,
       {kEbWP > flowW ? kEbWP + 18 : flowW, kTh + kChF + kEbHP + 14},
       {0, 12}},
  };
}

std::vector<LoopParam> AllLoopCases() {
  std::vector<LoopParam> result;
  for (const KindCase& kind : LoopKinds()) {
    const std::string name = kind.name;
    std::vector<LoopCase> cases;
    if (name == "While" || name == "For")
      cases = BeforeCases();
    else
      cases = AfterCases(name == "DoWhile" ? kJa : kNein);
    for (const LoopCase& c : cases) result.push_back({kind, c});
  }
  return result;
}

INSTANTIATE_TEST_SUITE_P(Loops, LoopSizeTest, testing::ValuesIn(AllLoopCases()),
                         [](const testing::TestParamInfo<LoopParam>& info) {
                           return std::string(info.param.kind.name) + info.param.size.name;
                         });

TEST(LoopGeometryTest, ALongConditionSetsTheStructogramWidth) {
  TestCanvas canvas;
  TDisplayOptions options = Screen(View::Structogram);
  const std::string text(20, 'c');
  for (const KindCase& kind : LoopKinds()) {
    SCOPED_TRACE(kind.name);
    ElementPtr loop(kind.make());
    loop->Text = text;
    EXPECT_EQ(loop->GetSize(canvas, options), (TSize{W(text) + 10, kChS + kEbH}));
  }
}

TEST(LoopGeometryTest, NewLoopsHaveTheirBodyTitlesAndFlags) {
  TWhile w("???");
  TFor f("???");
  TDoWhile d("???");
  TRepeat r("???");
  EXPECT_EQ(w.Branch(1)->Text, "While-Block");
  EXPECT_EQ(f.Branch(1)->Text, "For-Block");
  EXPECT_EQ(d.Branch(1)->Text, "DoWhile-Block");
  EXPECT_EQ(r.Branch(1)->Text, "RepeatUntil-Block");
  for (TBedingung* loop : std::initializer_list<TBedingung*>{&w, &f, &d, &r}) {
    EXPECT_EQ(loop->BranchCount, 1);
    EXPECT_EQ(loop->Branches[1], nullptr);
    EXPECT_EQ(loop->Branch(1)->Movable, 0);
    EXPECT_EQ(loop->Branch(1)->Braced, loop == &r ? 0 : 1);
  }
  EXPECT_EQ(d.ContinueOnTrue, 1);
  EXPECT_EQ(r.ContinueOnTrue, 0);
  TIf decision("???");
  EXPECT_EQ(decision.Branch(1)->Text, "Ja-Block");
  EXPECT_EQ(decision.Branch(2)->Text, "Nein-Block");
  EXPECT_EQ(decision.Branch(2)->Movable, 0);
  EXPECT_EQ(decision.BranchCount, 2);
}

}  // namespace
