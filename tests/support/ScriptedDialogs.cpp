#include "tests/support/ScriptedDialogs.h"

#include <gtest/gtest.h>

#include <filesystem>

void ScriptedDialogs::Unexpected(const std::string& what) {
  if (failOnUnexpected) ADD_FAILURE() << "no answer queued for " << what;
}

void ScriptedDialogs::Opened() {
  if (whileOpen) whileOpen();
}

bool ScriptedDialogs::AllAnswered() const {
  return inputs_.empty() && files_.empty() && printDialogs_.empty() && modals_.empty() &&
         replaces_.empty() && saveAnswers_.empty();
}

bool ScriptedDialogs::InputQuery(const std::string& title, const std::string& prompt,
                                 std::string& text) {
  Opened();
  inputCalls.push_back({title, prompt, text});
  if (inputs_.empty()) {
    Unexpected("the input box \"" + title + "\"");
    return false;
  }
  const InputAnswer answer = std::move(inputs_.front());
  inputs_.pop_front();
  if (answer.kind == InputAnswer::Cancel) return false;
  if (answer.kind == InputAnswer::Typed) text = answer.text;
  return true;
}

void ScriptedDialogs::ShowMessage(MessageKind kind, const std::string& caption,
                                  const std::string& text) {
  Opened();
  messages.push_back({kind, caption, text});
}

SaveAnswer ScriptedDialogs::AskToSave(const std::string& caption, const std::string& text) {
  saveQuestions.push_back({caption, text});
  if (saveAnswers_.empty()) {
    Unexpected("the question whether to save");
    return SaveAnswer::Cancel;
  }
  const SaveAnswer answer = saveAnswers_.front();
  saveAnswers_.pop_front();
  return answer;
}

bool ScriptedDialogs::MayReplace(const std::string& path) {
  std::error_code error;
  if (!std::filesystem::exists(path, error) || std::filesystem::is_directory(path, error))
    return true;
  replaceQuestions.push_back(path);
  if (replaces_.empty()) {
    Unexpected("the question whether to replace " + path);
    return false;
  }
  const bool replace = replaces_.front();
  replaces_.pop_front();
  return replace;
}

// Like the platform's dialog, the save dialog stays open until a name is accepted.
bool ScriptedDialogs::Execute(FileDialog& dialog) {
  Opened();
  fileDialogs.push_back(dialog);
  for (;;) {
    if (files_.empty()) {
      Unexpected("a file dialog");
      return false;
    }
    auto answer = std::move(files_.front());
    files_.pop_front();
    if (!answer) return false;
    if (dialog.Kind == FileDialogKind::Save && !MayReplace(answer->path)) continue;
    dialog.FileName = answer->path;
    if (answer->filterIndex) dialog.FilterIndex = *answer->filterIndex;
    return true;
  }
}

bool ScriptedDialogs::ExecutePrintDialog(Printer&) {
  Opened();
  ++printDialogCalls;
  if (printDialogs_.empty()) {
    Unexpected("the print dialog");
    return false;
  }
  const bool answer = printDialogs_.front();
  printDialogs_.pop_front();
  return answer;
}

int ScriptedDialogs::ShowModal(ModalWindow& window) {
  Opened();
  ++modalCalls;
  if (modals_.empty()) {
    Unexpected("a dialog window");
    return -1;
  }
  auto answer = std::move(modals_.front());
  modals_.pop_front();
  return answer(window);
}

