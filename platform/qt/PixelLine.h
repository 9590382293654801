#pragma once

#include <algorithm>
#include <cstdint>
#include <optional>

#include "platform/Geometry.h"

// The pixels of a one-pixel line from `from` up to, not including, `to`. Step k (0 <= k < n,
// n the longer of the two distances) moves k pixels along the longer axis and k * minor /
// major pixels, rounded half up, along the other; so every pixel is found without walking
// the steps before it, and only the part of a long line that lies in a clip is visited.
class PixelLine {
 public:
  PixelLine(TPoint from, TPoint to);

  // The same line on a grid `k` times finer, each drawing pixel being k x k fine pixels: it
  // covers the fine pixels of the drawing pixels the line starts and stops in, and is k fine
  // pixels thick across its longer axis, so that it keeps its weight with steps k times
  // smaller. None when the fine coordinates would leave the 32-bit range.
  static std::optional<PixelLine> Finer(TPoint from, TPoint to, int32_t k);

  int64_t Steps() const { return steps_; }
  TPoint At(int64_t k) const;

  // The steps [first, last) whose pixels lie in clip, given in drawing pixels; first == last
  // when none do.
  struct Range {
    int64_t first = 0;
    int64_t last = 0;
  };
  Range Within(const TRect& clip) const;

  // Calls run(rect) for each stretch of steps in range that stays in one row or column, as
  // the rectangle it covers (right and bottom exclusive).
  template <class Run>
  void ForEachRun(Range range, Run run) const {
    for (int64_t k = range.first; k < range.last;) {
      const int64_t end = std::min(range.last, FirstStepBeyond(Minor(k)));
      run(Covering(k, end - 1));
      k = end;
    }
  }

 private:
  int64_t Minor(int64_t k) const;
  // The first step whose minor offset exceeds m.
  int64_t FirstStepBeyond(int64_t m) const;
  Range MajorWithin(int64_t low, int64_t high) const;
  Range MinorWithin(int64_t low, int64_t high) const;
  TRect Covering(int64_t firstStep, int64_t lastStep) const;

  TPoint from_;
  int32_t fineness_ = 1;  // fine pixels to the drawing pixel, and the thickness in them
  bool xMajor_;
  int64_t steps_;  // the longer distance
  int64_t minor_;  // the shorter distance
  int32_t majorSign_;
  int32_t minorSign_;
};
