#pragma once

#include <optional>

#include "model/Element.h"

// The box of an element of size drawn at origin in a sequence of width: across the width in
// the structogram view, centred on origin.x in the flowchart view. Right and bottom are
// exclusive.
TRect DrawnBoxAt(TPoint origin, int32_t width, TSize size, const TDisplayOptions& options);

// Where target is drawn when first and its successors are drawn at origin with width, as
// Draw lays them out: in the structogram view the box across the whole width of its
// sequence, in the flowchart view the symbol's measured width with the connector below it.
// Nothing when target is not drawn there (not in the sequence, inside a collapsed block, or
// among the successors of Options.TopBlock). Right and bottom are exclusive.
std::optional<TRect> DrawnBox(TElement& first, Canvas& canvas, TPoint origin, int32_t width,
                              TDisplayOptions& options, const TElement* target);

// The same for a shown block drawn at its own measured width, as a window draws it.
std::optional<TRect> DrawnBoxInShownBlock(TBlock& shown, Canvas& canvas, TPoint origin,
                                          TDisplayOptions& options, const TElement* target);
