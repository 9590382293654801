#include "model/LoopText.h"

#include <string_view>

namespace {

constexpr std::string_view From = " von ";
constexpr std::string_view To = " bis ";

// The characters from position on up to a blank or the end.
std::string Word(const std::string& text, std::size_t position) {
  if (position >= text.size()) return {};
  const std::size_t blank = text.find(' ', position);
  return text.substr(position, blank == std::string::npos ? std::string::npos : blank - position);
}

// The positional split: each part begins five characters after the blank that ends the
// previous one, whatever those characters are.
LoopParts SplitByPositions(const std::string& text) {
  LoopParts parts;
  const std::size_t first = text.find(' ');
  parts.variable = text.substr(0, first);
  if (first == std::string::npos) return parts;
  const std::size_t startBegin = first + From.size();
  parts.start = Word(text, startBegin);
  const std::size_t endBegin = startBegin + parts.start.size() + To.size();
  if (endBegin < text.size()) parts.end = text.substr(endBegin);
  return parts;
}

}  // namespace

LoopParts SplitLoopText(const std::string& text) {
  if (text == "???") return {"?", "?", "?"};
  const std::size_t from = text.find(From);
  if (from != std::string::npos) {
    const std::size_t startBegin = from + From.size();
    const std::size_t to = text.find(To, startBegin);
    if (to != std::string::npos)
      return {text.substr(0, from), text.substr(startBegin, to - startBegin),
              text.substr(to + To.size())};
  }
  return SplitByPositions(text);
}

std::string JoinLoopText(const LoopParts& parts) {
  std::string text = parts.variable;
  text += From;
  text += parts.start;
  text += To;
  text += parts.end;
  return text;
}
