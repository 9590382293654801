#include "tests/support/ScriptedDialogs.h"

#include <gtest/gtest.h>

#include <filesystem>

template <typename T>
std::optional<T> ScriptedDialogs::Take(std::deque<T>& answers, const std::string& what) {
  if (answers.empty()) {
    if (failOnUnexpected) ADD_FAILURE() << "no answer queued for " << what;
    return std::nullopt;
  }
  T answer = std::move(answers.front());
  answers.pop_front();
  return answer;
}

bool ScriptedDialogs::AllAnswered() const {
  return inputs_.empty() && files_.empty() && printDialogs_.empty() && modals_.empty() &&
         replaces_.empty() && saveAnswers_.empty();
}

bool ScriptedDialogs::InputQuery(const std::string& title, const std::string& prompt,
                                 std::string& text) {
  Opened();
  inputCalls.push_back({title, prompt, text});
  const auto answer = Take(inputs_, "the input box \"" + title + "\"");
  if (!answer || answer->kind == InputAnswer::Cancel) return false;
  if (answer->kind == InputAnswer::Typed) text = answer->text;
  return true;
}

void ScriptedDialogs::ShowMessage(MessageKind kind, const std::string& caption,
                                  const std::string& text) {
  Opened();
  messages.push_back({kind, caption, text});
}

SaveAnswer ScriptedDialogs::AskToSave(const std::string& caption, const std::string& text) {
  saveQuestions.push_back({caption, text});
  return Take(saveAnswers_, "the question whether to save").value_or(SaveAnswer::Cancel);
}

bool ScriptedDialogs::MayReplace(const std::string& path) {
  std::error_code error;
  if (!std::filesystem::exists(path, error) || std::filesystem::is_directory(path, error))
    return true;
  replaceQuestions.push_back(path);
  return Take(replaces_, "the question whether to replace " + path).value_or(false);
}

// Like the platform's dialog, the save dialog stays open until a name is accepted.
bool ScriptedDialogs::Execute(FileDialog& dialog) {
  Opened();
  fileDialogs.push_back(dialog);
  for (;;) {
    const auto answer = Take(files_, "a file dialog");
    if (!answer || !*answer) return false;
    const FileAnswer& file = **answer;
    if (dialog.Kind == FileDialogKind::Save && !MayReplace(file.path)) continue;
    dialog.FileName = file.path;
    if (file.filterIndex) dialog.FilterIndex = *file.filterIndex;
    return true;
  }
}

bool ScriptedDialogs::ExecutePrintDialog(Printer&) {
  Opened();
  ++printDialogCalls;
  return Take(printDialogs_, "the print dialog").value_or(false);
}

int ScriptedDialogs::ShowModal(ModalWindow& window) {
  Opened();
  ++modalCalls;
  const auto answer = Take(modals_, "a dialog window");
  return answer ? (*answer)(window) : -1;
}
