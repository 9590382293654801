#pragma once

#include <optional>

// Runs what the command line asks for. Returns the exit status (0 success, 1 a file or
// picture failed, 2 wrong arguments), or nothing when the editor is to be started. Messages
// go to standard error, help and results to standard output. Conversions that draw run on
// Qt's offscreen platform unless one is chosen, and need no application object from the
// caller.
std::optional<int> RunCommandLine(int argc, char** argv);
