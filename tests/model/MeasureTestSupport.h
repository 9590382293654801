#pragma once

// Helpers of the tests that compare remembered sizes with fresh measurements.

#include <gtest/gtest.h>

#include "model/Struktteile.h"
#include "tests/support/RandomDesign.h"
#include "tests/support/TestCanvas.h"

namespace measuretest {

// The same view state without remembered sizes.
inline TDisplayOptions Fresh(const TDisplayOptions& options) {
  TDisplayOptions fresh;
  for (TElement* e : options.Collapsed) fresh.ToggleCollapsed(e);
  fresh.Flowchart = options.Flowchart;
  fresh.Printing = options.Printing;
  fresh.Spacing = options.Spacing;
  fresh.Selection = options.Selection;
  return fresh;
}

// Every remembered size that is used is checked against a fresh measurement while it lives.
struct VerifyScope {
  VerifyScope() { MeasureCache::Verify = true; }
  ~VerifyScope() { MeasureCache::Verify = false; }
};

// Counts the text measurements, of which every element's measuring makes at least one.
class CountingCanvas : public TestCanvas {
 public:
  int extents = 0;
  TSize TextExtent(const std::string& text) override {
    ++extents;
    return TestCanvas::TextExtent(text);
  }
  // The text measurements one measuring of shown makes.
  int Measure(TBlock& shown, TDisplayOptions& options) {
    extents = 0;
    shown.GetSize(*this, options);
    return extents;
  }
};

// Expects the size of shown and the elements at random points to be those of a fresh pass.
inline void ExpectMeasuredAsFresh(TBlock& shown, TDisplayOptions& options, RandomDesign& random) {
  TestCanvas canvas;
  TDisplayOptions fresh = Fresh(options);
  const TPoint origin{15, 15};
  const TSize size = shown.GetSize(canvas, options);
  ASSERT_EQ(size, shown.GetSize(canvas, fresh));
  for (int probe = 0; probe < 20; ++probe) {
    const int32_t x = origin.x - size.w + int32_t(random.Number(2 * size.w + 1));
    const int32_t y = origin.y + int32_t(random.Number(size.h + 1));
    ASSERT_EQ(shown.ElementAt(canvas, origin, options, x, y),
              shown.ElementAt(canvas, origin, fresh, x, y));
    ASSERT_EQ(options.DropAfter, fresh.DropAfter);
  }
}

}  // namespace measuretest
