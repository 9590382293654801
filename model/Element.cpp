#include "model/Element.h"

#include <vector>

#include "model/Block.h"

TElement::TElement(std::string text) : Text(std::move(text)) {}

TElement::~TElement() = default;

void DisposeElement(TElement* element) {
  if (!element) return;
  element->DeleteElement(element);
  delete element;
}

void DisposeSequence(TElement* first) {
  while (first) {
    TElement* next = first->Next;
    DisposeElement(first);
    first = next;
  }
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
  struct Pending {
    TElement* element;
    TPoint origin;
  };
  std::vector<Pending> marks;
  for (TElement* e = this; e; e = e->Next) {
    const DrawResult drawn = e->DrawElement(canvas, origin, width, options);
    if (drawn.marksAfterward) marks.push_back({e, origin});
    if (e == static_cast<TElement*>(options.TopBlock)) break;
    origin.y += drawn.height;
  }
  for (auto it = marks.rbegin(); it != marks.rend(); ++it)
    it->element->DrawAfterSuccessors(canvas, it->origin, width, options);
}

void TElement::InsertElement(TElement* element) {
  element->Next = Next;
  Next = element;
}

void TElement::DeleteElement(TElement* element) {
  // An element never occurs below its own successors, so disposing of the receiver's
  // contents needs no walk along the sequence.
  if (element == this) {
    DisposeContents();
    return;
  }
  for (TElement* e = this; e; e = e->Next) {
    e->DeleteFromContents(element);
    if (e->Next == element && element) {
      element->DisposeContents();
      e->Next = element->Next;
    }
  }
}

void TElement::RemoveElement(const TElement* element) {
  for (TElement* e = this; e; e = e->Next) {
    if (e->Next == element && element) {
      e->Next = element->Next;
      e->RemoveFromContents(element);
      return;
    }
    e->RemoveFromContents(element);
  }
}

void TElement::DeleteFromSequence(TElement*& first, TElement* element) {
  if (!first) return;
  if (first == element)
    first = element->Next;
  else
    first->DeleteElement(element);
}

void TElement::RemoveFromSequence(TElement*& first, const TElement* element) {
  if (!first) return;
  if (first == element)
    first = element->Next;
  else
    first->RemoveElement(element);
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
  return ComputeSize(canvas, options);
}

TElement* TElement::ElementAt(Canvas& canvas, TPoint origin, TDisplayOptions& options, int32_t x,
                              int32_t y) {
  for (TElement* e = this; e; e = e->Next) {
    const TSize size = e->GetSize(canvas, options);
    const bool insideX = options.Flowchart
                             ? (origin.x - size.w / 2 <= x && x <= origin.x + size.w / 2)
                             : (origin.x <= x && x <= origin.x + size.w);
    if (insideX && origin.y <= y && y <= origin.y + size.h) {
      options.DropAfter = 0;
      return e->HitInside(canvas, origin, options, x, y);
    }
    origin.y += size.h;
  }
  options.DropAfter = 0;
  return nullptr;
}

TElement* TElement::HitInside(Canvas&, TPoint, TDisplayOptions&, int32_t, int32_t) {
  return this;
}
