#include "platform/Cp1252.h"

#include <array>

namespace Cp1252 {

namespace {

// The code points of the bytes 0x80 .. 0x9F; all other bytes are their own code point.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80..87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 88..8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90..97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 98..9F
};

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

std::size_t SequenceLength(unsigned char lead) {
  if (lead < 0x80) return 1;
  if (lead < 0xC2) return 0;  // a continuation byte or an overlong lead
  if (lead < 0xE0) return 2;
  if (lead < 0xF0) return 3;
  return lead < 0xF5 ? 4 : 0;
}

// Decodes one well-formed UTF-8 sequence at text[i]; returns its length, 0 when malformed.
std::size_t DecodeUtf8(std::string_view text, std::size_t i, char32_t& c) {
  auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[i + k]); };
  unsigned char lead = byte(0);
  std::size_t length = SequenceLength(lead);
  if (length == 0 || i + length > text.size()) return 0;
  c = length == 1 ? lead : lead & (0x7F >> length);
  for (std::size_t k = 1; k < length; ++k) {
    if ((byte(k) & 0xC0) != 0x80) return 0;
    c = (c << 6) | (byte(k) & 0x3F);
  }
  static constexpr char32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
  bool valid = c >= kSmallest[length] && c <= 0x10FFFF && (c < 0xD800 || c > 0xDFFF);
  return valid ? length : 0;
}

}  // namespace

char16_t ToUnicode(unsigned char byte) {
  return byte >= 0x80 && byte < 0xA0 ? kHighControls[byte - 0x80] : char16_t{byte};
}

char FromUnicode(char32_t codePoint) {
  if (codePoint < 0x80 || (codePoint >= 0xA0 && codePoint <= 0xFF)) {
    return static_cast<char>(codePoint);
  }
  for (std::size_t i = 0; i < kHighControls.size(); ++i) {
    if (kHighControls[i] == codePoint) return static_cast<char>(0x80 + i);
  }
  return '?';
}

std::u16string ToUtf16(std::string_view bytes) {
  std::u16string text(bytes.size(), u'\0');
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    text[i] = ToUnicode(static_cast<unsigned char>(bytes[i]));
  }
  return text;
}

std::string FromUtf16(std::u16string_view text) {
  std::string bytes(text.size(), '\0');
  std::size_t out = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t c = text[i];
    if (c < 0x80) {  // by far the most common case, so it goes first and alone
      bytes[out++] = static_cast<char>(c);
      continue;
    }
    bool pair = c >= 0xD800 && c < 0xDC00 && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
                text[i + 1] < 0xE000;
    if (pair) ++i;
    bytes[out++] = pair ? '?' : FromUnicode(c);
  }
  bytes.resize(out);
  return bytes;
}

std::string ToUtf8(std::string_view bytes) {
  std::string text;
  text.reserve(bytes.size() * 3 / 2);
  for (char byte : bytes) AppendUtf8(text, ToUnicode(static_cast<unsigned char>(byte)));
  return text;
}

std::string FromUtf8(std::string_view text) {
  std::string bytes;
  bytes.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    char32_t c = 0;
    std::size_t length = DecodeUtf8(text, i, c);
    bytes += length ? FromUnicode(c) : '?';
    i += length ? length : 1;
  }
  return bytes;
}

bool IsUtf8(std::string_view text) {
  for (std::size_t i = 0; i < text.size();) {
    char32_t c = 0;
    const std::size_t length = DecodeUtf8(text, i, c);
    if (length == 0) return false;
    i += length;
  }
  return true;
}

}  // namespace Cp1252
