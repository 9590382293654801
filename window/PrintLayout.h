#pragma once

#include <vector>

#include "platform/Geometry.h"

// The pages a diagram is printed on, in window pixels (1/96 inch). Each page starts with the
// heading line; the diagram stands below it, scaled down to the printable width when it is
// wider, and a taller one is cut into slices that each fill a page, at the last preferred cut
// (a border between elements) that fills at least half the page, else at the page's foot.
class PrintLayout {
 public:
  // The room between the heading line and the diagram.
  static constexpr int32_t HeadingGap = 24;

  // A horizontal slice of the unscaled diagram, from top to bottom (exclusive).
  struct Slice {
    int32_t top = 0;
    int32_t bottom = 0;
    friend bool operator==(const Slice&, const Slice&) = default;
  };

  PrintLayout(TSize area, int32_t headingHeight, TSize diagram,
              const std::vector<int32_t>& cuts = {});

  double Scale() const { return scale_; }
  // Where the diagram starts on each page, below the heading.
  int32_t DiagramTop() const { return diagramTop_; }
  const std::vector<Slice>& Pages() const { return pages_; }

 private:
  double scale_ = 1.0;
  int32_t diagramTop_ = 0;
  std::vector<Slice> pages_;
};
