#pragma once

// Small builders and fixtures shared by the model tests.

#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <ostream>
#include <string>

#include "model/Struktteile.h"
#include "tests/support/TestCanvas.h"

namespace modeltest {

// Text metrics of the test canvas, for writing expected values as formulas.
inline int W(const std::string& s) { return TestCanvas::W(s); }
constexpr int kTh = TestCanvas::TextHeight;

// Links the given elements into one sequence and returns its first element.
inline TElement* Chain(std::initializer_list<TElement*> elements) {
  TElement* first = nullptr;
  TElement* last = nullptr;
  for (TElement* e : elements) {
    if (last)
      last->Next = e;
    else
      first = e;
    last = e;
  }
  return first;
}

inline TAnweisung* Stmt(const std::string& text) { return new TAnweisung(text); }

// A movable block with the given body.
inline TBlock* Block(const std::string& title, std::initializer_list<TElement*> body = {}) {
  auto* block = new TBlock(title);
  block->Body = Chain(body);
  return block;
}

// A block as the main window keeps the root of a design.
inline BlockPtr Root(std::initializer_list<TElement*> body = {}) {
  BlockPtr root(Block("gesamtes Programm", body));
  root->Movable = 0;
  root->Braced = 0;
  return root;
}

// Appends elements to the body of the given block.
inline void Fill(TBlock* block, std::initializer_list<TElement*> elements) {
  TElement* tail = LastInSequence(block->Body);
  for (TElement* e : elements) {
    if (tail)
      tail->Next = e;
    else
      block->Body = e;
    tail = e;
  }
}

enum class View { Structogram, Flowchart };

inline const char* ViewName(View view) {
  return view == View::Flowchart ? "Flowchart" : "Structogram";
}

// Screen options for the given view.
inline TDisplayOptions Screen(View view) {
  TDisplayOptions options;
  options.Flowchart = view == View::Flowchart ? 1 : 0;
  return options;
}

// The printing spacing of a printer whose "ja" is 16 rows high; chosen unlike the screen's 6
// so that a constant in place of the field shows.
constexpr int kPrintSpacing = 8;

inline TDisplayOptions Printing(View view) {
  TDisplayOptions options = Screen(view);
  options.OnScreen = 0;
  options.Printing = 1;
  options.Spacing = kPrintSpacing;
  return options;
}

// A canvas prepared as a diagram window prepares it before painting.
inline TestCanvas ScreenCanvas() {
  TestCanvas canvas;
  canvas.Brush.Color = Colors::ScreenBackground;
  return canvas;
}

inline TestCanvas PrinterCanvas() {
  TestCanvas canvas;
  canvas.Brush.Color = Colors::PrintBackground;
  canvas.Pen.Width = 3;
  return canvas;
}

// The drop mark: a solid red bar from left to right (exclusive) over the rows y - 2 to y + 2.
inline const TestCanvas::Op* FindDropBar(const TestCanvas& canvas, int left, int right, int y) {
  const TestCanvas::Op* bar = canvas.FindRectangle({left, y - 2, right, y + 3});
  return bar && bar->brush.Color == Colors::Red && bar->pen.Color == Colors::Red ? bar : nullptr;
}

// The element kinds a user can insert, for table-driven tests.
struct KindCase {
  const char* name;
  std::function<TElement*()> make;
};

inline std::vector<KindCase> AllKinds() {
  return {
      {"Anweisung", [] { return new TAnweisung("Anweisung"); }},
      {"Block", [] { return new TBlock("Block"); }},
      {"If", [] { return new TIf("???"); }},
      {"While", [] { return new TWhile("???"); }},
      {"For", [] { return new TFor("???"); }},
      {"DoWhile", [] { return new TDoWhile("???"); }},
      {"Repeat", [] { return new TRepeat("???"); }},
  };
}

inline std::vector<KindCase> ConditionKinds() {
  std::vector<KindCase> kinds = AllKinds();
  kinds.erase(kinds.begin(), kinds.begin() + 2);
  return kinds;
}

inline std::vector<KindCase> LoopKinds() {
  std::vector<KindCase> kinds = ConditionKinds();
  kinds.erase(kinds.begin());
  return kinds;
}

inline void PrintTo(const KindCase& kind, std::ostream* os) { *os << kind.name; }

inline std::string KindName(const testing::TestParamInfo<KindCase>& info) {
  return info.param.name;
}

}  // namespace modeltest
