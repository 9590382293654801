// The editing commands of a diagram window: insert, delete, edit a text, refine.
#include <QMdiArea>

#include "model/DesignChange.h"
#include "model/Records.h"
#include "model/TreeQueries.h"
#include "window/DiagramView.h"
#include "window/EditMessages.h"
#include "window/InsertCommands.h"
#include "window/Struktogrammfenster.h"

namespace {

struct TextDialog {
  const char* title;
  const char* prompt;
};

// The input box for an element's text, by kind; counting loops have a dialog of their own.
TextDialog TextDialogFor(const TElement& element) {
  if (dynamic_cast<const TAnweisung*>(&element)) return {"Anweisung", "Gib eine neue Anweisung ein:"};
  if (dynamic_cast<const TIf*>(&element)) return {"If-Anweisung", "Gib eine neue Bedingung ein:"};
  if (dynamic_cast<const TWhile*>(&element)) return {"Schleife", "Gib eine neue Bedingung ein:"};
  return {"Anweisungsblock", "Gib eine neue Bezeichnung ein:"};
}

bool IsBranchOf(const TElement& owner, const TElement* element) {
  if (!dynamic_cast<const TBedingung*>(&owner)) return false;
  for (int32_t i = 0; i < owner.ContentCount(); ++i)
    if (owner.Content(i) == element) return true;
  return false;
}

}  // namespace

void TForm1::Select(TElement* element) {
  host_.ShowStatus({});
  Options->ClearSelection();
  Options->Select(element);
  view().accessible().SelectionChanged();
}

void TForm1::SelectAndShow(TElement* element) {
  if (element == Options->SelectedElement()) return ScrollToSelection();
  Select(element);
  RepaintNow();
  ScrollToSelection();
}

// With nothing selected the command does nothing; the status line says why.
bool TForm1::HasSelection(const TElement* selected) {
  host_.ShowStatus(selected ? std::string() : NothingSelectedMessage);
  return selected != nullptr;
}

bool TForm1::WouldBeTooDeep(const TElement* where, bool intoBody, const TElement& element) {
  TBlock* root = host_.DesignRoot();
  std::optional<int32_t> level = root ? LevelOf(*root, where) : std::nullopt;
  if (!level) level = LevelOf(*ShownBlock, where);
  if (!level) return false;
  const int32_t newLevel = *level + (intoBody ? 1 : 0);
  if (newLevel + OwnDepth(element) <= MaxNestingDepth) return false;
  host_.dialogs().ShowMessage(MessageKind::Error, ErrorCaption, TooDeepToEditMessage);
  return true;
}

void TForm1::Einfuegen(std::string_view sender) {
  TElement* target = Options->SelectedElement();
  if (!HasSelection(target)) return;
  ElementPtr element(NewElementFor(sender));
  if (!element) return;
  auto* block = dynamic_cast<TBlock*>(target);
  if (WouldBeTooDeep(target, block != nullptr, *element)) return;
  DesignChange change;
  host_.SaveUndoState();
  TElement* inserted = element.release();
  target->InsertElement(inserted);
  if (block && Options->IsCollapsed(block)) host_.ChangeMinimizeAll(block);
  Select(inserted);
  host_.RefreshAll();
  const EditOutcome outcome = EditText();
  if (outcome == EditOutcome::Abandoned) return;
  if (outcome == EditOutcome::Cancelled) {
    Loeschen();
    host_.DropUndoState();
    host_.DropUndoState();
  }
  host_.DropUndoState();
  host_.RefreshAll();
  ScrollToSelection();
}

void TForm1::DeleteFromShownBlock(TElement* element) {
  auto* block = dynamic_cast<TBlock*>(element);
  TElement* parent = ShownBlock->FindParent(element);
  const bool isBranch = parent && IsBranchOf(*parent, element);
  if (element == ShownBlock || (block && isBranch)) {
    // The shown block and branch blocks stay; only their bodies go.
    TElement* body = block->Body;
    block->Body = nullptr;
    DesignChange::Note(*block);
    while (body) {
      TElement* next = body->Next;
      body->Next = nullptr;
      host_.Discard(body);
      body = next;
    }
    return;
  }
  if (!parent) return;
  ShownBlock->RemoveElement(element);
  element->Next = nullptr;
  host_.Discard(element);
}

void TForm1::Loeschen() {
  TElement* element = Options->SelectedElement();
  if (!HasSelection(element)) return;
  DesignChange change;
  host_.SaveUndoState();
  DeleteFromShownBlock(element);
  Options->ClearSelection();
  host_.RefreshAll();
}

bool TForm1::Textbearbeiten() { return EditText() == EditOutcome::Cancelled; }

TForm1::EditOutcome TForm1::EditText() {
  TElement* element = Options->SelectedElement();
  if (!HasSelection(element)) return EditOutcome::Confirmed;
  DesignChange change;
  host_.SaveUndoState();
  bool cancelled;
  // Nothing else runs while the dialog is open; should the element have left the window all
  // the same (its selection is cleared then), it is not touched.
  const auto stillHeld = [&] { return !Closed() && Options->SelectedElement() == element; };
  if (dynamic_cast<TFor*>(element)) {
    LoopTextDialog& dialog = host_.loopDialog();
    dialog.SetLoopText(element->Text);
    const int result = host_.dialogs().ShowModal(dialog);
    if (!stillHeld()) return EditOutcome::Abandoned;
    element->SetText(dialog.LoopText());
    cancelled = result == LoopTextDialog::Cancelled;
  } else {
    const TextDialog box = TextDialogFor(*element);
    std::string text = element->Text;
    cancelled = !host_.dialogs().InputQuery(box.title, box.prompt, text);
    if (!stillHeld()) return EditOutcome::Abandoned;
    if (!cancelled) element->SetText(text);
    if (dynamic_cast<TBlock*>(element)) host_.UpdateCaptions();
  }
  host_.RefreshAll();
  return cancelled ? EditOutcome::Cancelled : EditOutcome::Confirmed;
}

void TForm1::Genauerbestimmen1Click() {
  TElement* element = Options->SelectedElement();
  if (dynamic_cast<TAnweisung*>(element)) {
    ElementPtr block(new TBlock(element->Text));
    if (WouldBeTooDeep(element, false, *block)) return;
    DesignChange change;
    host_.SaveUndoState();
    TElement* refined = block.release();
    LinkAfter(*element, refined);
    Loeschen();
    Select(refined);
    ChangeDisplay();
    InneuemFensteranzeigen();
    host_.RefreshAll();
  } else if (dynamic_cast<TBlock*>(element)) {
    InneuemFensteranzeigen();
  } else {
    host_.dialogs().ShowMessage(MessageKind::Error, ErrorCaption, OnlyStatementsMessage);
  }
}
