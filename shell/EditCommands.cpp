// The main window's undo, view and print commands.
#include <QLabel>
#include <QMdiArea>

#include "shell/Hauptfenster.h"
#include "window/DiagramPrint.h"
#include "window/Struktogrammfenster.h"

void TForm2::Rckgngig1Click() {
  BlockPtr restored = UndoStates.Undo();
  if (!restored) return;
  ReplaceDesign(std::move(restored));
  MarkChanged(true);
}

void TForm2::Drucken2Click() {
  if (!services_.dialogs.ExecutePrintDialog(services_.printer)) return;
  TForm1* window = ActiveWindow();
  if (!window) return;
  DiagramPrint document(*window);
  services_.printer.Print(window->Caption(), document);
}

void TForm2::Druckvorschau1Click() {
  TForm1* window = ActiveWindow();
  if (!window) return;
  DiagramPrint document(*window);
  services_.printer.Preview(window->Caption(), document);
}

void TForm2::Blockvergrern1Click() {
  if (TForm1* window = ActiveWindow()) window->ChangeDisplay();
}

void TForm2::BlockinneuemFensteranzeigen1Click() {
  if (TForm1* window = ActiveWindow()) window->InneuemFensteranzeigen();
}

void TForm2::SetView(bool flowchart) {
  Item("Struktogramm1")->setChecked(!flowchart);
  Item("Flussdiagramm1")->setChecked(flowchart);
  ShowViewButtons(flowchart);
  RefreshAll();
}

void TForm2::Struktogramm1Click() { SetView(false); }

void TForm2::Flussdiagramm1Click() { SetView(true); }

void TForm2::Vergrern1Click() {
  if (TForm1* window = ActiveWindow()) window->ZoomIn();
}

void TForm2::Verkleinern1Click() {
  if (TForm1* window = ActiveWindow()) window->ZoomOut();
}

void TForm2::Normalgre1Click() {
  if (TForm1* window = ActiveWindow()) window->ZoomNormal();
}

void TForm2::ShowZoom() {
  const TForm1* window = ActiveWindow();
  zoomLabel_->setText(window ? QStringLiteral("Zoom %1 %").arg(window->Zoom()) : QString());
}

void TForm2::Ueberlappend1Click() { MdiArea->cascadeSubWindows(); }

void TForm2::Nebeneinander1Click() { MdiArea->tileSubWindows(); }
