#pragma once

#include <functional>

#include "platform/Dialogs.h"

// Runs a command; an error it does not catch itself is shown in an error box with its text,
// and the program goes on. Returns whether the command ran to its end.
bool RunReportingErrors(Dialogs& dialogs, const std::function<void()>& command);
