// Remembered sizes and skipped off-canvas rows must never change what is measured, drawn or
// hit: random designs under random edits are compared with fresh, unremembered passes.
#include <gtest/gtest.h>

#include <functional>
#include <random>

#include "model/Struktteile.h"
#include "tests/support/TestCanvas.h"

namespace {

class ClippedCanvas : public TestCanvas {
 public:
  TRect clip = Canvas::ClipRect();
  TRect ClipRect() const override { return clip; }
};

class RandomDesign {
 public:
  explicit RandomDesign(unsigned seed) : random_(seed), root_(new TBlock("gesamtes Programm")) {
    root_->Movable = 0;
    root_->Braced = 0;
    for (int i = 0; i < 40; ++i) InsertRandom();
  }

  TBlock& root() { return *root_; }

  std::vector<TElement*> Elements() {
    std::vector<TElement*> all;
    std::function<void(TElement*)> walk = [&](TElement* first) {
      for (TElement* e = first; e; e = e->Next) {
        all.push_back(e);
        for (int32_t i = 0; i < e->ContentCount(); ++i) walk(e->Content(i));
      }
    };
    walk(root_.get());
    return all;
  }

  TElement* Pick() {
    auto all = Elements();
    return all[Number(all.size())];
  }

  std::size_t Number(std::size_t below) {
    return std::uniform_int_distribution<std::size_t>(0, below - 1)(random_);
  }

  std::string Text() { return std::string(Number(25), 'a' + char(Number(26))); }

  TElement* NewElement() {
    switch (Number(7)) {
      case 0:
        return new TIf(Text());
      case 1:
        return new TWhile(Text());
      case 2:
        return new TFor(Text());
      case 3:
        return new TDoWhile(Text());
      case 4:
        return new TRepeat(Text());
      case 5:
        return new TBlock(Text());
      default:
        return new TAnweisung(Text());
    }
  }

  void InsertRandom() { Pick()->InsertElement(NewElement()); }

  // One random change of the design or of the view state.
  void Edit(TDisplayOptions& options) {
    TElement* target = Pick();
    switch (Number(6)) {
      case 0:
        InsertRandom();
        break;
      case 1:
        if (target->Movable && !dynamic_cast<TBlock*>(target)) {
          root_->DeleteElement(target);
          DisposeElement(target);
        }
        break;
      case 2:
        target->SetText(Text());
        break;
      case 3:
        if (dynamic_cast<TBlock*>(target)) options.ToggleCollapsed(target);
        break;
      case 4:
        options.Flowchart = !options.Flowchart;
        break;
      default:
        options.Printing = !options.Printing;
        options.Spacing = options.Printing ? 9 : 6;
        break;
    }
  }

 private:
  std::mt19937 random_;
  BlockPtr root_;
};

// The same view state without remembered sizes.
TDisplayOptions Fresh(const TDisplayOptions& options) {
  TDisplayOptions fresh;
  for (TElement* e : options.Collapsed) fresh.ToggleCollapsed(e);
  fresh.Flowchart = options.Flowchart;
  fresh.Printing = options.Printing;
  fresh.Spacing = options.Spacing;
  fresh.Selection = options.Selection;
  return fresh;
}

struct VerifyScope {
  VerifyScope() { MeasureCache::Verify = true; }
  ~VerifyScope() { MeasureCache::Verify = false; }
};

TEST(MeasureCacheTest, RandomEditsNeverShowARememberedSizeThatIsStale) {
  VerifyScope verify;
  for (unsigned seed = 1; seed <= 8; ++seed) {
    RandomDesign design(seed);
    TDisplayOptions options;
    options.Measures.Enabled = true;
    TestCanvas canvas;
    for (int step = 0; step < 60; ++step) {
      design.Edit(options);
      TDisplayOptions fresh = Fresh(options);
      const TPoint origin{15, 15};
      ASSERT_EQ(design.root().GetSize(canvas, options), design.root().GetSize(canvas, fresh));
      const TSize size = design.root().GetSize(canvas, options);
      for (int probe = 0; probe < 20; ++probe) {
        const int32_t x = origin.x - size.w + int32_t(design.Number(2 * size.w + 1));
        const int32_t y = origin.y + int32_t(design.Number(size.h + 1));
        ASSERT_EQ(design.root().ElementAt(canvas, origin, options, x, y),
                  design.root().ElementAt(canvas, origin, fresh, x, y));
        ASSERT_EQ(options.DropAfter, fresh.DropAfter);
      }
    }
  }
}

bool Touches(const TestCanvas::Op& op, const TRect& clip) {
  int32_t top = INT32_MAX, bottom = INT32_MIN;
  for (const TPoint& p : op.points) {
    top = std::min(top, p.y);
    bottom = std::max(bottom, p.y);
  }
  if (op.kind == TestCanvas::Kind::Text) bottom += TestCanvas::TextHeight;
  return bottom >= clip.Top && top < clip.Bottom;
}

std::vector<TestCanvas::Op> Visible(const std::vector<TestCanvas::Op>& ops, const TRect& clip) {
  std::vector<TestCanvas::Op> visible;
  for (const auto& op : ops)
    if (Touches(op, clip)) visible.push_back(op);
  return visible;
}

bool SameOp(const TestCanvas::Op& a, const TestCanvas::Op& b) {
  return a.kind == b.kind && a.points == b.points && a.text == b.text &&
         a.pen.Color == b.pen.Color && a.pen.Width == b.pen.Width && a.pen.Style == b.pen.Style &&
         a.brush.Color == b.brush.Color && a.brush.Style == b.brush.Style &&
         a.fontColor == b.fontColor;
}

TEST(MeasureCacheTest, DrawingSkipsOnlyWhatCannotReachTheVisibleRows) {
  for (unsigned seed = 1; seed <= 6; ++seed) {
    RandomDesign design(seed);
    for (int i = 0; i < 200; ++i) design.InsertRandom();
    for (int view = 0; view < 2; ++view) {
      TDisplayOptions options;
      options.Measures.Enabled = true;
      options.Flowchart = view;
      options.Select(design.Pick());
      options.DropTarget = design.Pick();
      TestCanvas full;
      const TSize size = design.root().GetSize(full, options);
      design.root().Draw(full, {400, 15}, size.w, options);
      const TRect fullSelection = options.SelectionRect;
      ClippedCanvas clipped;
      clipped.clip = {0, size.h / 2, 800, size.h / 2 + 300};
      design.root().Draw(clipped, {400, 15}, size.w, options);
      EXPECT_EQ(options.SelectionRect, fullSelection) << "seed " << seed;
      const auto expected = Visible(full.ops, clipped.clip);
      const auto actual = Visible(clipped.ops, clipped.clip);
      ASSERT_EQ(expected.size(), actual.size()) << "seed " << seed << " view " << view;
      for (std::size_t i = 0; i < expected.size(); ++i)
        ASSERT_TRUE(SameOp(expected[i], actual[i])) << "op " << i << " seed " << seed;
      EXPECT_LT(clipped.ops.size(), full.ops.size());
    }
  }
}

}  // namespace
