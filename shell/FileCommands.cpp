// The main window's file and clipboard commands and the design opened at start. Every
// command that replaces the design reads the new one completely first, so that a failure
// leaves the design, the undo history and the windows as they were.
#include <filesystem>

#include "model/Records.h"
#include "platform/FileStream.h"
#include "shell/Conversions.h"
#include "shell/Hauptfenster.h"

namespace {

constexpr const char* DesignFilter = "Struktogramme (*.str)|*.str|Alle Dateien|*.*";
constexpr const char* TextFilter = "Quellcode (*.pas)|*.pas|Alle Dateien|*.*";

// Writes bytes to path, replacing the file only once all of them are written.
void WriteFile(const std::string& path, const std::string& bytes) {
  auto file = FileStream::Create(path);
  file->WriteString(bytes);
  file->Commit();
}

// The save dialog proposes the name last chosen in it with the command's own extension, so
// that exporting never proposes the design's file, nor saving the program text's.
void Propose(FileDialog& dialog, const char* filter, const char* extension) {
  dialog.Filter = filter;
  dialog.DefaultExt = extension;
  if (dialog.FileName.empty()) return;
  std::filesystem::path name(dialog.FileName);
  dialog.FileName = name.replace_extension(std::string(".") + extension).string();
}

}  // namespace

void TForm2::OpenStartFile(const std::string& path) {
  std::unique_ptr<FileStream> file;
  try {
    file = FileStream::OpenRead(path);
  } catch (const StreamError& error) {
    services_.dialogs.ShowMessage(MessageKind::Information, ApplicationTitle, error.what());
    return;
  }
  // A file that opens but holds no readable design is reported, and the new design stays.
  Guarded([&] { RootBlock = LoadRootBlock(*file); });
}

void TForm2::Neu1Click() {
  InstallNewDesign(BlockPtr(new TBlock("gesamtes Programm")));
  MarkChanged(false);
}

void TForm2::Struktogrammladen1Click() {
  OpenDialog1.Filter = DesignFilter;
  OpenDialog1.DefaultExt.clear();
  if (!services_.dialogs.Execute(OpenDialog1)) return;
  InstallNewDesign(LoadDesignFile(OpenDialog1.FileName));
  MarkChanged(false);
}

void TForm2::Struktogrammspeichern1Click() { SaveDesign(); }

bool TForm2::SaveDesign() {
  Propose(SaveDialog1, DesignFilter, "str");
  if (!services_.dialogs.Execute(SaveDialog1)) return false;
  WriteFile(SaveDialog1.FileName, SaveDesignBytes(*RootBlock));
  MarkChanged(false);
  return true;
}

void TForm2::Exportieren1Click() {
  Propose(SaveDialog1, TextFilter, "pas");
  if (!services_.dialogs.Execute(SaveDialog1)) return;
  WriteFile(SaveDialog1.FileName, ExportProgramText(*RootBlock));
}

void TForm2::InZwischenablage1Click() {
  std::string text;
  RootBlock->ExportText(text, "  ");
  services_.clipboard.SetText(text);
}

// A pasted design is in no file yet.
void TForm2::AusZwischenablageeinfgen1Click() {
  InstallNewDesign(ImportProgramText(services_.clipboard.Text().value_or("")));
  MarkChanged(true);
}
