// The keyboard of a diagram window: text editing, insert, delete and walking the design.
#include "model/TreeQueries.h"
#include "window/Struktogrammfenster.h"

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
