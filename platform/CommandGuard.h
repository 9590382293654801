#pragma once

#include <functional>

#include "platform/Dialogs.h"

// Runs a command; an error it does not catch itself is shown in an error box with its text,
// and the program goes on. Returns whether the command ran to its end.
bool RunReportingErrors(Dialogs& dialogs, const std::function<void()>& command);

// Lets one command run at a time. While a command waits in one of its dialogs, the platform
// can still deliver other commands (an accessibility bridge triggers menu items whatever is
// modal); they would change or free what the waiting command holds, so they are refused.
class CommandGuard {
 public:
  explicit CommandGuard(Dialogs& dialogs) : dialogs_(dialogs) {}

  // Runs command with its errors reported, unless another command is under way. Returns
  // whether it ran to its end.
  bool Run(const std::function<void()>& command);
  // Whether a command is under way.
  bool Busy() const { return running_; }

 private:
  Dialogs& dialogs_;
  bool running_ = false;
};
