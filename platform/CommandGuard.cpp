#include "platform/CommandGuard.h"

#include <exception>
#include <new>

#include "platform/Stream.h"

bool RunReportingErrors(Dialogs& dialogs, const std::function<void()>& command) {
  try {
    command();
    return true;
  } catch (const std::bad_alloc&) {
    dialogs.ShowMessage(MessageKind::Error, ErrorCaption, StreamMessages::OutOfMemory);
  } catch (const std::exception& error) {
    dialogs.ShowMessage(MessageKind::Error, ErrorCaption, error.what());
  }
  return false;
}

bool CommandGuard::Run(const std::function<void()>& command) {
  if (running_) return false;
  running_ = true;
  struct Reset {
    bool& flag;
    ~Reset() { flag = false; }
  } reset{running_};
  return RunReportingErrors(dialogs_, command);
}
