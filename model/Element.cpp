#include "model/Element.h"

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "model/Block.h"
#include "model/DesignChange.h"
#include "model/TextRules.h"

namespace {

// Keeps a measuring pass open for the duration of one public operation.
class PassScope {
 public:
  PassScope(TDisplayOptions& options, const Canvas& canvas) : cache_(options.Measures) {
    cache_.Enter(options, canvas);
  }
  ~PassScope() { cache_.Leave(); }

 private:
  MeasureCache& cache_;
};

}  // namespace

TElement::TElement(std::string text) : Text(std::move(text)) {}

void TElement::SetText(std::string_view text) {
  Text = StorableText(text);
  DesignChange::Note(*this);
}

TElement::~TElement() = default;

// Disposes of the contents without noting a change: what is freed is no longer in a design.
void DisposeElement(TElement* element) {
  if (!element) return;
  DesignChange::Forget(*element);
  element->DisposeContents();
  delete element;
}

void DisposeSequence(TElement* first) {
  while (first) {
    TElement* next = first->Next;
    DisposeElement(first);
    first = next;
  }
}

void LinkAfter(TElement& predecessor, TElement* element) {
  DesignChange::Note(predecessor);
  DesignChange::Note(*element);
  element->Next = predecessor.Next;
  predecessor.Next = element;
}

TElement* LastInSequence(TElement* first) {
  if (!first) return nullptr;
  while (first->Next) first = first->Next;
  return first;
}

TElement* TElement::CreateCopy() const {
  TElement* head = CopyElement();
  TElement* tail = head;
  for (const TElement* source = Next; source; source = source->Next) {
    tail->Next = source->CopyElement();
    tail = tail->Next;
  }
  return head;
}

void TElement::Draw(Canvas& canvas, TPoint origin, int32_t width, TDisplayOptions& options) {
  PassScope pass(options, canvas);
  DrawPass& drawing = options.Drawing;
  if (drawing.depth == 0) BeginDrawPass(canvas, options);
  ++drawing.depth;
  DrawSequence(canvas, origin, width, options);
  --drawing.depth;
}

void TElement::BeginDrawPass(Canvas& canvas, TDisplayOptions& options) const {
  DrawPass& drawing = options.Drawing;
  const TRect clip = canvas.ClipRect();
  // Labels and marks reach a little beyond an element's box; the margin covers them.
  const int32_t margin = 2 * canvas.TextExtent("Ag").h + 2 * options.Spacing + 16;
  drawing.visibleTop = clip.Top - margin;
  drawing.visibleBottom = clip.Bottom + margin;
  drawing.selectionPath.clear();
  if (options.Selection.empty()) return;
  for (const TElement* e = this; e; e = e->Next) e->ContainsSelection(options, drawing.selectionPath);
}

bool TElement::ContainsSelection(const TDisplayOptions& options,
                                 std::unordered_set<const TElement*>& path) const {
  bool found = options.IsSelected(this);
  for (int32_t i = 0; i < ContentCount(); ++i)
    for (const TElement* e = Content(i); e; e = e->Next)
      if (e->ContainsSelection(options, path)) found = true;
  if (found) path.insert(this);
  return found;
}

// Elements whose rows lie off the canvas are only measured, unless they hold a selected
// element: drawing is what records where the selection lies.
void TElement::DrawSequence(Canvas& canvas, TPoint origin, int32_t width,
                            TDisplayOptions& options) {
  struct Pending {
    TElement* element;
    TPoint origin;
  };
  std::vector<Pending> marks;
  const DrawPass& drawing = options.Drawing;
  for (TElement* e = this; e; e = e->Next) {
    const int32_t height = e->MeasureCached(canvas, options).h;
    const bool offCanvas = origin.y + height < drawing.visibleTop || origin.y > drawing.visibleBottom;
    if (!offCanvas || (!drawing.selectionPath.empty() && drawing.selectionPath.contains(e))) {
      if (e->DrawElement(canvas, origin, width, options).marksAfterward)
        marks.push_back({e, origin});
    }
    if (e == static_cast<TElement*>(options.TopBlock)) break;
    origin.y = BoundedPosition(int64_t{origin.y} + height);
  }
  for (auto it = marks.rbegin(); it != marks.rend(); ++it)
    it->element->DrawAfterSuccessors(canvas, it->origin, width, options);
}

void TElement::InsertElement(TElement* element) { LinkAfter(*this, element); }

// Each operation notes the element whose link it changes, which stays in the design.
void TElement::DeleteElement(TElement* element) {
  // An element never occurs below its own successors, so disposing of the receiver's
  // contents needs no walk along the sequence.
  if (element == this) {
    DesignChange::Note(*this);
    DisposeContents();
    return;
  }
  for (TElement* e = this; e; e = e->Next) {
    e->DeleteFromContents(element);
    if (e->Next == element && element) {
      DesignChange::Note(*e);
      element->DisposeContents();
      e->Next = element->Next;
    }
  }
}

void TElement::RemoveElement(const TElement* element) {
  for (TElement* e = this; e; e = e->Next) {
    if (e->Next == element && element) {
      DesignChange::Note(*e);
      e->Next = element->Next;
      e->RemoveFromContents(element);
      return;
    }
    e->RemoveFromContents(element);
  }
}

void TElement::DeleteFromSequence(TElement& container, TElement*& first, TElement* element) {
  if (!first) return;
  if (first == element) {
    DesignChange::Note(container);
    first = element->Next;
  } else {
    first->DeleteElement(element);
  }
}

void TElement::RemoveFromSequence(TElement& container, TElement*& first, const TElement* element) {
  if (!first) return;
  if (first == element) {
    DesignChange::Note(container);
    first = element->Next;
  } else {
    first->RemoveElement(element);
  }
}

TElement* TElement::FindParent(const TElement* element) {
  for (TElement* e = this; e; e = e->Next) {
    if (e->Next == element) return e;
    if (TElement* found = e->FindInContents(element)) return found;
  }
  return nullptr;
}

TElement* TElement::FindInSequence(TElement* first, TElement* container,
                                   const TElement* element) {
  if (!first) return nullptr;
  if (first == element) return container;
  return first->FindParent(element);
}

void TElement::SaveToStream(Stream& stream) const {
  for (const TElement* e = this; e; e = e->Next) e->SaveElement(stream);
}

void TElement::ExportText(std::string& output, const std::string& indent) const {
  for (const TElement* e = this; e; e = e->Next) e->ExportElement(output, indent);
}

TSize TElement::GetSize(Canvas& canvas, TDisplayOptions& options) {
  PassScope pass(options, canvas);
  return MeasureCached(canvas, options);
}

TSize TElement::MeasureCached(Canvas& canvas, TDisplayOptions& options) {
  MeasureCache& cache = options.Measures;
  if (cache.Bypassed()) return BoundedSize(ComputeSize(canvas, options));
  if (cachedStamp_ == cache.Stamp()) {
    if (MeasureCache::Verify) {
      MeasureCache::BypassScope fresh(cache);
      if (BoundedSize(ComputeSize(canvas, options)) != cachedSize_) {
        std::fprintf(stderr, "remembered size of \"%s\" is stale\n", Text.c_str());
        std::abort();
      }
    }
    return cachedSize_;
  }
  cachedSize_ = BoundedSize(ComputeSize(canvas, options));
  cachedStamp_ = cache.Stamp();
  return cachedSize_;
}

TElement* TElement::ElementAt(Canvas& canvas, TPoint origin, TDisplayOptions& options, int32_t x,
                              int32_t y) {
  PassScope pass(options, canvas);
  return ElementAt(canvas, origin, MeasureCached(canvas, options).w, options, x, y);
}

TElement* TElement::ElementAt(Canvas& canvas, TPoint origin, int32_t width,
                              TDisplayOptions& options, int32_t x, int32_t y) {
  PassScope pass(options, canvas);
  for (TElement* e = this; e; e = e->Next) {
    const TSize size = e->MeasureCached(canvas, options);
    // In the structogram every element of a sequence is drawn as wide as the sequence.
    const bool insideX = options.Flowchart
                             ? (origin.x - size.w / 2 <= x && x <= origin.x + size.w / 2)
                             : (origin.x <= x && x <= origin.x + width);
    if (insideX && origin.y <= y && y <= origin.y + size.h) {
      options.DropAfter = 0;
      return e->HitInside(canvas, origin, width, options, x, y);
    }
    // The shown block's successors are not drawn, so they cannot be hit either.
    if (e == static_cast<TElement*>(options.TopBlock)) break;
    origin.y = BoundedPosition(int64_t{origin.y} + size.h);
  }
  options.DropAfter = 0;
  return nullptr;
}

TElement* TElement::HitInside(Canvas&, TPoint, int32_t, TDisplayOptions&, int32_t, int32_t) {
  return this;
}
