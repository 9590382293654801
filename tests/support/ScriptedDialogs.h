#pragma once

#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/Clipboard.h"
#include "platform/Dialogs.h"
#include "tests/support/TestCanvas.h"

// Dialogs answered from a script that a test queues beforehand; every call is recorded. A
// dialog with no answer queued counts as a test failure and is cancelled, so nothing blocks.
class ScriptedDialogs : public Dialogs {
 public:
  struct InputCall {
    std::string title, prompt, text;
  };
  struct MessageCall {
    MessageKind kind;
    std::string caption, text;
  };
  struct QuestionCall {
    std::string caption, text;
  };

  // Answers for the input box: a text to confirm, the text as offered, or a cancellation.
  void ConfirmInput(std::string text) { inputs_.push_back({InputAnswer::Typed, std::move(text)}); }
  void ConfirmInputUnchanged() { inputs_.push_back({InputAnswer::Unchanged, {}}); }
  void CancelInput() { inputs_.push_back({InputAnswer::Cancel, {}}); }
  // Answers for the file dialogs: the chosen path, with the filter chosen (counted from 0)
  // or the one offered, or a cancellation.
  void ChooseFile(std::string path, std::optional<int> filterIndex = std::nullopt) {
    files_.push_back(FileAnswer{std::move(path), filterIndex});
  }
  void CancelFileDialog() { files_.push_back(std::nullopt); }
  // The answer to the save dialog's question whether to replace an existing file; after
  // "no" the dialog takes the next file answer.
  void AnswerReplace(bool replace) { replaces_.push_back(replace); }
  // The answer to the question whether to save changes.
  void AnswerSaveQuestion(SaveAnswer answer) { saveAnswers_.push_back(answer); }
  void AnswerPrintDialog(bool print) { printDialogs_.push_back(print); }
  // Runs the program's own dialog window: answer fills in its fields and returns the result.
  void AnswerModal(std::function<int(ModalWindow&)> answer) {
    modals_.push_back(std::move(answer));
  }

  std::vector<InputCall> inputCalls;
  std::vector<MessageCall> messages;
  std::vector<FileDialog> fileDialogs;        // the settings each file dialog was shown with
  std::vector<std::string> replaceQuestions;  // the files the save dialog asked about
  std::vector<QuestionCall> saveQuestions;
  int printDialogCalls = 0;
  int modalCalls = 0;
  bool failOnUnexpected = true;
  // Runs as each dialog opens, before it is answered: what the platform may deliver then.
  std::function<void()> whileOpen;

  // Whether every queued answer has been used.
  bool AllAnswered() const;

  bool InputQuery(const std::string& title, const std::string& prompt, std::string& text) override;
  void ShowMessage(MessageKind kind, const std::string& caption, const std::string& text) override;
  SaveAnswer AskToSave(const std::string& caption, const std::string& text) override;
  bool Execute(FileDialog& dialog) override;
  bool ExecutePrintDialog(Printer& printer) override;
  int ShowModal(ModalWindow& window) override;

 private:
  struct InputAnswer {
    enum Kind { Typed, Unchanged, Cancel } kind;
    std::string text;
  };
  // The next queued answer; none is a test failure unless failOnUnexpected is off.
  template <typename T>
  std::optional<T> Take(std::deque<T>& answers, const std::string& what);
  void Opened() {
    if (whileOpen) whileOpen();
  }
  // Whether the save dialog may take path: asks when it names an existing file.
  bool MayReplace(const std::string& path);

  std::deque<InputAnswer> inputs_;
  struct FileAnswer {
    std::string path;
    std::optional<int> filterIndex;
  };
  std::deque<std::optional<FileAnswer>> files_;
  std::deque<bool> replaces_;
  std::deque<SaveAnswer> saveAnswers_;
  std::deque<bool> printDialogs_;
  std::deque<std::function<int(ModalWindow&)>> modals_;
};

// A clipboard in memory: the text, or the formats put on it last.
class MemoryClipboard : public Clipboard {
 public:
  std::optional<std::string> text;
  std::map<std::string, std::string> formats;
  void SetText(const std::string& value) override {
    formats.clear();
    text = value;
  }
  std::optional<std::string> Text() const override { return text; }
  void SetFormats(const std::map<std::string, std::string>& value) override {
    text.reset();
    formats = value;
  }
};
