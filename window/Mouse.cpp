// The mouse in a diagram window: selecting, double clicks, and moving elements by dragging.
#include "model/DesignChange.h"
#include "model/TreeQueries.h"
#include "platform/qt/MeasuringCanvas.h"
#include "window/DiagramView.h"
#include "window/Struktogrammfenster.h"

namespace {

// Whether the drop marker stays off over target while dragged is dragged: where a drop
// would leave the design as it is.
bool NoMarkerOver(const TElement* target, const TElement* dragged, uint8_t dropAfter) {
  if (auto* block = dynamic_cast<const TBlock*>(target)) {
    return block == dragged || (dropAfter == 1 && block->Next == dragged) ||
           (dropAfter == 0 && block->Body == dragged);
  }
  return target == dragged || target->Next == dragged;
}

}  // namespace

TElement* TForm1::ElementAtClientPoint(int x, int y) {
  const TPoint origin = DrawingOrigin();
  const TPoint at = FromClient({x, y});
  MeasuringCanvas measuring(view_->viewport());
  return ShownBlock->ElementAt(measuring.canvas(), origin, *Options, at.x, at.y);
}

void TForm1::FormMouseDown(Button button, int x, int y, bool doubleClick) {
  if (button != Button::Left && button != Button::Right) return;
  TElement* hit = ElementAtClientPoint(x, y);
  // Every press decides anew: a release that never arrived (a pop-up menu took the mouse)
  // must not leave an element that cannot move armed for dragging.
  Dragging = hit && hit->Movable ? 1 : 0;
  if (hit != Options->SelectedElement()) {
    Select(hit);
    RepaintNow();
  }
  if (button == Button::Left && doubleClick) {
    Dragging = 0;
    Textbearbeiten();
  }
}

// The element a drag moves: the selected one, which the press made, as long as it can move.
TElement* TForm1::DraggedElement() const {
  TElement* selected = Options->SelectedElement();
  return Dragging && selected && selected->Movable ? selected : nullptr;
}

void TForm1::FormMouseMove(int x, int y) {
  TElement* dragged = DraggedElement();
  if (!dragged) return;
  TElement* target = ElementAtClientPoint(x, y);
  if (target && NoMarkerOver(target, dragged, Options->DropAfter)) target = nullptr;
  if (target != Options->DropTarget) {
    Options->DropTarget = target;
    RepaintNow();
  }
}

void TForm1::FormMouseUp(Button, int x, int y) {
  // The mark goes at once, also when the drop is refused and nothing else is repainted.
  if (Options->DropTarget) {
    Options->DropTarget = nullptr;
    RepaintNow();
  }
  TElement* dragged = DraggedElement();
  Dragging = 0;
  if (!dragged) return;
  TElement* target = ElementAtClientPoint(x, y);
  if (!target || target == dragged || ContainsInContents(*dragged, target)) return;
  auto* block = dynamic_cast<TBlock*>(target);
  // Nothing is placed behind the shown block, outside the window: a release on its free
  // area (the "after" part of a movable block) puts the element at the end of its body.
  const bool atEnd = target == ShownBlock && Options->DropAfter == 1;
  const bool after = Options->DropAfter == 1 && !atEnd;
  if (target->Next == dragged && (after || !block)) return;
  if (atEnd && LastInSequence(ShownBlock->Body) == dragged) return;
  if (WouldBeTooDeep(target, block && !after, *dragged)) return;
  DesignChange change;
  host_.SaveUndoState();
  ShownBlock->RemoveElement(dragged);
  if (after)
    LinkAfter(*target, dragged);
  else if (atEnd && ShownBlock->Body)
    LinkAfter(*LastInSequence(ShownBlock->Body), dragged);
  else
    target->InsertElement(dragged);
  host_.RefreshAll();
  ScrollToSelection();
}
