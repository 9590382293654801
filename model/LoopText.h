#pragma once

#include <string>

// The three parts of a counting loop's header "variable von start bis end".
struct LoopParts {
  std::string variable, start, end;
};

// Splits a counting loop's header. A text holding " von " and, after it, " bis " is cut at
// the first of each, so blanks inside the parts survive; any other text is cut by character
// positions from the first blank, as older designs were written. "???" (a loop not yet filled
// in) gives "?" three times. The dialog and the program text both use this split.
LoopParts SplitLoopText(const std::string& text);

// The header made of three parts, the inverse of the split for parts that hold neither
// " von " nor " bis ".
std::string JoinLoopText(const LoopParts& parts);
