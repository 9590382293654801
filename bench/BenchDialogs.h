#pragma once

#include <string>
#include <vector>

#include "platform/Dialogs.h"

// Dialogs that answer at once, for benchmarks of the editor's commands: every input box is
// confirmed with the next of its texts, every file dialog chooses FileName (or is cancelled
// when it is empty) and replaces it without a question, the program's own dialog windows are
// confirmed, and messages are only kept. Nothing ever blocks.
class BenchDialogs : public Dialogs {
 public:
  std::vector<std::string> inputTexts{"neu := 1"};
  std::string fileName;
  std::vector<std::string> messages;

  bool InputQuery(const std::string&, const std::string&, std::string& text) override {
    text = inputTexts[nextInput_++ % inputTexts.size()];
    return true;
  }
  void ShowMessage(MessageKind, const std::string&, const std::string& text) override {
    messages.push_back(text);
  }
  bool Execute(FileDialog& dialog) override {
    if (fileName.empty()) return false;
    dialog.FileName = fileName;
    return true;
  }
  bool ExecutePrintDialog(Printer&) override { return false; }
  int ShowModal(ModalWindow&) override { return 1; }

 private:
  std::size_t nextInput_ = 0;
};

// A printer that is never asked to print.
class NoPrinter : public Printer {
 public:
  void Print(const std::string&, PrintDocument&) override {}
  void Preview(const std::string&, PrintDocument&) override {}
};
