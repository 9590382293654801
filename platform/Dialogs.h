#pragma once

#include <functional>
#include <string>

#include "platform/Canvas.h"

// The modal dialogs of the platform. Captions, prompts and messages are the program's own
// texts in UTF-8; texts a user edits and job titles are design texts in Windows-1252; file
// names are local paths. Every dialog blocks until it is answered and never throws.

enum class MessageKind { Information, Error };

enum class FileDialogKind { Open, Save };

// The answers to the question whether to save changes before they are lost.
enum class SaveAnswer { Save, Discard, Cancel };

// A file dialog's settings and its result, kept between uses so that it proposes the name
// last chosen. Filter is pairs of description and pattern separated by "|", for example
// "Struktogramme (*.str)|*.str|Alle Dateien|*.*"; FilterIndex is the pair offered first,
// counted from 0, and after confirmation the one the user chose. A name typed without an
// extension gets the chosen filter's extension when its pattern names one ("*.str"), and
// DefaultExt otherwise.
struct FileDialog {
  FileDialogKind Kind = FileDialogKind::Open;
  std::string Filter;
  std::string DefaultExt;
  std::string FileName;
  int FilterIndex = 0;
};

// A dialog window of the program's own with a modal result.
class ModalWindow {
 public:
  virtual ~ModalWindow() = default;
  // Shows the window until it is closed and returns its modal result.
  virtual int ExecModal() = 0;
};

class QPainter;

// Pages to print, laid out in window pixels: one unit is 1/96 inch from the printable area's
// top left corner.
class PrintDocument {
 public:
  virtual ~PrintDocument() = default;
  // Lays the pages out on a printable area of this size and returns how many there are; the
  // painter is the printer's, for measuring texts.
  virtual int Paginate(QPainter& painter, TSize area) = 0;
  // Draws the page with this index (from 0).
  virtual void DrawPage(QPainter& painter, int page) = 0;
};

// The printer the print dialog chooses.
class Printer {
 public:
  virtual ~Printer() = default;
  // Prints the document's pages in a job titled jobTitle. Throws StreamError with the message
  // the user sees when the job cannot be printed.
  virtual void Print(const std::string& jobTitle, PrintDocument& document) = 0;
  // Shows the pages the printer would print in a preview window.
  virtual void Preview(const std::string& jobTitle, PrintDocument& document) = 0;
};

class Dialogs {
 public:
  virtual ~Dialogs() = default;

  // An input box with the buttons "OK" and "Abbrechen". On "OK" text becomes the edited
  // text and the result is true; "Abbrechen", Esc and the close box leave text as it was
  // and yield false. The edit field takes text of any length.
  virtual bool InputQuery(const std::string& title, const std::string& prompt,
                          std::string& text) = 0;

  // A message box with one "OK" button.
  virtual void ShowMessage(MessageKind kind, const std::string& caption,
                           const std::string& text) = 0;

  // A question with the buttons "Speichern", "Verwerfen" and "Abbrechen"; Esc and the close
  // box answer "Abbrechen". A platform that cannot ask answers so too, which loses nothing.
  virtual SaveAnswer AskToSave(const std::string& /*caption*/, const std::string& /*text*/) {
    return SaveAnswer::Cancel;
  }

  // Shows an open or save dialog; on confirmation dialog.FileName is the chosen path and the
  // result is true. Before the save dialog accepts the name of an existing file it asks
  // whether to replace it; "Nein" leaves the dialog open for another choice.
  virtual bool Execute(FileDialog& dialog) = 0;

  // The print dialog for printer; false when cancelled.
  virtual bool ExecutePrintDialog(Printer& printer) = 0;

  // Shows a dialog window of the program's own modally and returns its modal result.
  virtual int ShowModal(ModalWindow& window) = 0;
};

// The caption of the program's own error messages.
inline const char* const ErrorCaption = "Fehler";
