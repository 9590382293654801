#pragma once

#include <string>
#include <string_view>

// Bytes 00 and 01 frame texts in design files (01 ends a text, 00 is skipped when reading),
// so they never enter an element's text: every way of entering text passes it through here.
inline bool IsStorableTextByte(char c) { return c != '\0' && c != '\x01'; }

inline std::string StorableText(std::string_view text) {
  std::string result;
  result.reserve(text.size());
  for (char c : text)
    if (IsStorableTextByte(c)) result.push_back(c);
  return result;
}
