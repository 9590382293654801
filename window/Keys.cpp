// The keyboard of a diagram window: text editing, insert, delete and walking the design.
#include "model/TreeQueries.h"
#include "window/Struktogrammfenster.h"

namespace {

// The element the Down key selects after element, in reading order: into blocks and loop
// bodies, past decisions' branches, and out of finished sequences; the shown block at its end.
TElement* NextInReadingOrder(TBlock& shown, TElement* element) {
  if (auto* block = dynamic_cast<TBlock*>(element); block && block->Body) return block->Body;
  if (auto* loop = dynamic_cast<TWhile*>(element)) return loop->Branch(1);
  for (TElement* e = element; e;) {
    if (e == &shown) return &shown;
    if (e->Next) return e->Next;
    e = FindContainer(shown, e);
  }
  return &shown;
}

}  // namespace

void TForm1::FormKeyDown(uint16_t key) {
  TElement* selected = Options->SelectedElement();
  switch (key) {
    case KeyEnter:
      Textbearbeiten();
      break;
    case KeyLeft:
      if (auto* structure = dynamic_cast<TBedingung*>(selected)) {
        Select(structure->Branch(1));
        RepaintNow();
      }
      break;
    case KeyUp:
      if (selected && selected != ShownBlock) {
        Select(ShownBlock->FindParent(selected));
        RepaintNow();
      }
      break;
    case KeyRight:
      if (auto* structure = dynamic_cast<TBedingung*>(selected)) {
        Select(structure->Branch(structure->BranchCount > 1 ? 2 : 1));
        RepaintNow();
      }
      break;
    case KeyDown:
      Select(NextInReadingOrder(*ShownBlock, selected ? selected : ShownBlock));
      host_.RefreshAll();
      break;
    case KeyInsert:
      Einfuegen("Anweisung");
      break;
    case KeyDelete:
      Loeschen();
      break;
    default:
      break;
  }
  ScrollToSelection();
}
