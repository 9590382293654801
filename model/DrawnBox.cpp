#include "model/DrawnBox.h"

#include "model/Block.h"
#include "model/TreeQueries.h"

TRect DrawnBoxAt(TPoint origin, int32_t width, TSize size, const TDisplayOptions& options) {
  if (options.Flowchart)
    return {origin.x - size.w / 2, origin.y, origin.x + size.w / 2 + 1, origin.y + size.h};
  return {origin.x, origin.y, origin.x + width, origin.y + size.h + 1};
}

std::optional<TRect> DrawnBox(TElement& first, Canvas& canvas, TPoint origin, int32_t width,
                              TDisplayOptions& options, const TElement* target) {
  for (TElement* e = &first; e; e = e->Next) {
    const TSize size = e->GetSize(canvas, options);
    if (e == target) return DrawnBoxAt(origin, width, size, options);
    if (e->ShowsContents(options) && ContainsInContents(*e, target)) {
      for (int32_t i = 0; i < e->ContentCount(); ++i) {
        TElement* content = e->Content(i);
        if (!content) continue;
        const TElement::Placement at = e->ContentPlacement(canvas, origin, width, options, i);
        if (auto box = DrawnBox(*content, canvas, at.origin, at.width, options, target)) return box;
      }
      return std::nullopt;
    }
    if (e == static_cast<TElement*>(options.TopBlock)) break;
    origin.y += size.h;
  }
  return std::nullopt;
}

std::optional<TRect> DrawnBoxInShownBlock(TBlock& shown, Canvas& canvas, TPoint origin,
                                          TDisplayOptions& options, const TElement* target) {
  const int32_t width = shown.GetSize(canvas, options).w;
  return DrawnBox(shown, canvas, origin, width, options, target);
}
