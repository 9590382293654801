#pragma once

#include <string>
#include <string_view>

// Whitespace normalisation of a program text before it is parsed: line ends ("\r\n", or a
// lone "\n" or "\r") and tabs become blanks, runs of blanks shrink to one, a blank before
// ";" disappears. Quoted text (from a ' or " to the next occurrence of the same character,
// or to the end) is left unchanged.
std::string Normalize(std::string_view text);

// The text without leading and trailing tabs, line feeds, carriage returns and blanks.
std::string Trim(std::string_view text);

inline bool IsTrimmedChar(char c) { return c == '\t' || c == '\n' || c == '\r' || c == ' '; }
