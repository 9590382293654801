#include "text/Normalize.h"

namespace {

bool IsQuote(char c) { return c == '\'' || c == '"'; }

// Copies the quoted text that starts at text[i] to out and returns the position after it.
std::size_t CopyQuoted(std::string_view text, std::size_t i, std::string& out) {
  const std::size_t close = text.find(text[i], i + 1);
  const std::size_t end = close == std::string_view::npos ? text.size() : close + 1;
  out.append(text.substr(i, end - i));
  return end;
}

// One replacement pass: at every unquoted position where replace() recognises its pattern it
// writes the replacement and tells how many characters it consumed; 0 copies one character.
template <class Replace>
std::string Pass(std::string_view text, Replace replace) {
  std::string out;
  out.reserve(text.size());
  std::size_t i = 0;
  while (i < text.size()) {
    if (IsQuote(text[i])) {
      i = CopyQuoted(text, i, out);
      continue;
    }
    const std::size_t consumed = replace(text, i, out);
    if (consumed == 0) {
      out.push_back(text[i]);
      ++i;
    } else {
      i += consumed;
    }
  }
  return out;
}

// A lone line feed or carriage return (line ends of other systems) counts like "\r\n";
// otherwise the words on both sides of it would run together.
std::size_t LineEndToBlank(std::string_view text, std::size_t i, std::string& out) {
  const std::size_t length = text.substr(i, 2) == "\r\n" ? 2 : 1;
  if (length == 1 && text[i] != '\n' && text[i] != '\r') return 0;
  out.push_back(' ');
  return length;
}

std::size_t TabToBlank(std::string_view text, std::size_t i, std::string& out) {
  if (text[i] != '\t') return 0;
  out.push_back(' ');
  return 1;
}

// The replacement blank is tested again with what follows, so a whole run shrinks to one.
std::size_t CollapseBlanks(std::string_view text, std::size_t i, std::string& out) {
  if (text.substr(i, 2) != "  ") return 0;
  std::size_t end = i + 2;
  while (end < text.size() && text[end] == ' ') ++end;
  out.push_back(' ');
  return end - i;
}

std::size_t DropBlankBeforeSemicolon(std::string_view text, std::size_t i, std::string& out) {
  if (text.substr(i, 2) != " ;") return 0;
  out.push_back(';');
  return 2;
}

}  // namespace

std::string Normalize(std::string_view text) {
  std::string result = Pass(text, LineEndToBlank);
  result = Pass(result, TabToBlank);
  result = Pass(result, CollapseBlanks);
  return Pass(result, DropBlankBeforeSemicolon);
}

std::string Trim(std::string_view text) {
  std::size_t begin = 0;
  std::size_t end = text.size();
  while (begin < end && IsTrimmedChar(text[begin])) ++begin;
  while (end > begin && IsTrimmedChar(text[end - 1])) --end;
  return std::string(text.substr(begin, end - begin));
}
