#include "window/PrintLayout.h"

#include <algorithm>
#include <cmath>

PrintLayout::PrintLayout(TSize area, int32_t headingHeight, TSize diagram,
                         const std::vector<int32_t>& cuts)
    : diagramTop_(headingHeight + HeadingGap) {
  if (diagram.w > area.w && area.w > 0) scale_ = static_cast<double>(area.w) / diagram.w;
  // A page too small for anything still takes one row, so the pages always end.
  const int32_t room = static_cast<int32_t>(
      std::clamp(std::floor((area.h - diagramTop_) / scale_), 1.0, double{MaxExtent}));
  int32_t top = 0;
  do {
    const int64_t limit = int64_t{top} + room;
    if (limit >= diagram.h) {
      pages_.push_back({top, std::max(top, diagram.h)});
      break;
    }
    // A cut that would leave most of the page empty is not worth it.
    int32_t bottom = static_cast<int32_t>(limit);
    for (int32_t cut : cuts)
      if (cut - int64_t{top} >= (room + 1) / 2 && cut <= limit) bottom = cut;
    pages_.push_back({top, bottom});
    top = bottom;
  } while (true);
}
