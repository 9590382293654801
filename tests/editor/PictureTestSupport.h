#pragma once

#include <string>

#include "model/Block.h"

namespace editortest {

// The bytes --export-image writes for the design in the view, read back from its file; kept
// apart from the window's declarations, whose names clash with the command line's.
std::string CommandLinePicture(const TBlock& root, const std::string& extension, bool flowchart);
std::string ReadBytes(const std::string& path);

}  // namespace editortest
