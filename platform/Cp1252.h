#pragma once

#include <string>
#include <string_view>

// Windows-1252, the 8-bit character set of every text in a design, and its conversion to
// Unicode. The five bytes the code page leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to
// the code points of the same value, so every byte survives a round trip. A character without
// a Windows-1252 code becomes "?".
namespace Cp1252 {

char16_t ToUnicode(unsigned char byte);
// The byte for a code point, or '?' when it has none.
char FromUnicode(char32_t codePoint);

std::u16string ToUtf16(std::string_view bytes);
// A surrogate pair is one character: it becomes a single "?".
std::string FromUtf16(std::u16string_view text);

std::string ToUtf8(std::string_view bytes);
// A malformed UTF-8 sequence becomes one "?" per offending byte.
std::string FromUtf8(std::string_view text);
// Whether every sequence in text is well-formed UTF-8.
bool IsUtf8(std::string_view text);

}  // namespace Cp1252
