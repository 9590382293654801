#pragma once

#include <optional>
#include <string>

// Starts the editor: the application titled "Struktogramme" with its German texts, the main
// window with the design read from startFile or a new one, and the message loop. Returns the
// program's exit status when the main window has closed.
int RunEditor(const char* programName, const std::optional<std::string>& startFile);
