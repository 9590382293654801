#pragma once

#include <cstdint>
#include <string>
#include <unordered_set>
#include <utility>
#include <vector>

#include "platform/Canvas.h"

class TDisplayOptions;
class TElement;

// Every change of a design's structure or texts outside a DesignChange bumps this number;
// remembered sizes older than it are measured again. The tree operations bump it themselves
// (or note the change locally); code that writes an element's fields directly in a design
// that has been measured must call NotifyDesignChanged.
uint64_t DesignVersion();
void NotifyDesignChanged();

// Sizes of elements are remembered in the elements between measuring passes, under a stamp
// that stands for everything a size depends on: the design version, the view, the printing
// settings, the collapsed blocks and the canvas's font and device. A pass that finds any of
// these changed takes another stamp, which makes the sizes remembered under the old one stale.
// Caches that measure alike share one stamp, so that two windows with the same view settings
// keep each other's sizes.
class MeasureCache {
 public:
  // In verify mode every remembered size that is used is compared with a fresh measurement
  // and a mismatch aborts (for tests).
  static bool Verify;

  // Off by default: code that measures a design it also changes field by field gets fresh
  // sizes; the diagram windows, pictures and benchmarks switch it on.
  bool Enabled = false;

  uint64_t Stamp() const { return stamp_; }
  bool Bypassed() const { return !Enabled || bypass_ > 0; }

  // Opens a pass; the outermost one settles waiting changes and takes the stamp of its key.
  void Enter(const TDisplayOptions& options, const Canvas& canvas);
  void Leave() { --depth_; }

  // Whether sizes remembered under stamp also hold for an exact copy of the elements: the
  // stamp still stands for a key of the current design version in which no block is
  // collapsed (collapsed blocks are named by address, which a copy does not share).
  static bool HoldsForCopies(uint64_t stamp);

  // Measures fresh for as long as it lives (verify mode).
  struct BypassScope {
    explicit BypassScope(MeasureCache& cache) : cache_(cache) { ++cache_.bypass_; }
    ~BypassScope() { --cache_.bypass_; }
    MeasureCache& cache_;
  };

 private:
  struct Key {
    uint64_t design = 0;
    uint64_t collapsed = 0;
    int32_t spacing = 0;
    uint8_t flowchart = 0;
    uint8_t printing = 0;
    std::string fontName;
    int32_t pixelHeight = 0;
    int32_t pointSize = 0;
    uint64_t device = 0;
    bool operator==(const Key&) const = default;
  };

  // The stamp every cache measuring under key uses until the design changes as a whole.
  static uint64_t SharedStamp(const Key& key);
  // The keys measured under since the design last changed as a whole, with their stamps.
  static std::vector<std::pair<Key, uint64_t>>& KnownStamps();

  uint64_t stamp_ = 0;
  int32_t depth_ = 0;
  int32_t bypass_ = 0;
};

// What the outermost Draw of a pass works out once: the rows worth painting and the elements
// that must be drawn even off the canvas because they hold a selected element (drawing
// records where the selection lies).
struct DrawPass {
  int32_t depth = 0;
  int32_t visibleTop = 0;
  int32_t visibleBottom = 0;
  std::unordered_set<const TElement*> selectionPath;
};
