#include "text/SourceText.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace {

constexpr std::array<bool, 256> MakeIndexed() {
  std::array<bool, 256> indexed{};
  for (unsigned char c : {'(', ')', '{', '}', 'w'}) indexed[c] = true;
  return indexed;
}

constexpr std::array<bool, 256> Indexed = MakeIndexed();

}  // namespace

SourceText::SourceText(std::string text) : text_(std::move(text)) {
  std::vector<std::size_t> parens, braces;  // the unmatched openers, as indices
  for (std::size_t i = 0; i < text_.size(); ++i) {
    if (!Indexed[static_cast<unsigned char>(text_[i])]) continue;
    switch (text_[i]) {
      case '(':
        parens.push_back(openParens_.at.size());
        openParens_.Add(i);
        break;
      case ')':
        closeParens_.Add(i);
        if (!parens.empty()) openParens_.match[parens.back()] = i;
        if (!parens.empty()) parens.pop_back();
        break;
      case '{':
        braces.push_back(braces_.at.size());
        braces_.Add(i);
        break;
      case '}':
        braces_.Add(i);
        if (!braces.empty()) braces_.match[braces.back()] = i;
        if (!braces.empty()) braces.pop_back();
        break;
      case 'w':
        ws_.Add(i);
        break;
      default:
        break;
    }
  }
}

std::size_t SourceText::Positions::FindFirst(std::size_t from, std::size_t end) const {
  const auto it = std::lower_bound(at.begin(), at.end(), from);
  return it != at.end() && *it < end ? *it : npos;
}

std::size_t SourceText::Positions::MatchOf(std::size_t position) const {
  const auto it = std::lower_bound(at.begin(), at.end(), position);
  return it != at.end() && *it == position ? match[it - at.begin()] : npos;
}

void SourceText::InsertDo(std::size_t at) {
  const auto it = std::lower_bound(ws_.at.begin(), ws_.at.end(), at);
  if (it == ws_.at.end() || *it != at) return;  // only ever called with the position of a "w"
  if (insertions_.empty()) insertions_.resize(ws_.at.size());
  ++insertions_[it - ws_.at.begin()];
}

std::size_t SourceText::FirstInsertionIn(std::size_t from, std::size_t to) const {
  if (insertions_.empty() || from >= to) return npos;
  // Most ranges hold no "w" at all; memchr settles them without a search.
  if (!std::memchr(text_.data() + from, 'w', to - from)) return npos;
  auto i = std::lower_bound(ws_.at.begin(), ws_.at.end(), from) - ws_.at.begin();
  for (; i < static_cast<std::ptrdiff_t>(ws_.at.size()) && ws_.at[i] < to; ++i)
    if (insertions_[i] > 0) return i;
  return npos;
}

bool SourceText::HasInsertionIn(std::size_t from, std::size_t to) const {
  return FirstInsertionIn(from, to) != npos;
}

void SourceText::AppendRange(std::size_t from, std::size_t to, std::string& out) const {
  to = std::min(to, text_.size());
  if (from >= to) return;
  std::size_t i = FirstInsertionIn(from, to);
  for (; i != npos && i < ws_.at.size() && ws_.at[i] < to; ++i) {
    if (insertions_[i] == 0) continue;
    out.append(text_, from, ws_.at[i] - from);
    for (std::size_t n = 0; n < insertions_[i]; ++n) out += "do";
    from = ws_.at[i];
  }
  out.append(text_, from, to - from);
}

std::size_t SourceText::FindOpenParen(std::size_t from, std::size_t end) const {
  return openParens_.FindFirst(from, end);
}

std::size_t SourceText::MatchingParen(std::size_t open) const { return openParens_.MatchOf(open); }

std::size_t SourceText::FindCloseParen(std::size_t from, std::size_t end) const {
  return closeParens_.FindFirst(from, end);
}

std::size_t SourceText::FindBrace(std::size_t from, std::size_t end) const {
  return braces_.FindFirst(from, end);
}

std::size_t SourceText::MatchingBrace(std::size_t open) const { return braces_.MatchOf(open); }

std::size_t SourceText::FindW(std::size_t from, std::size_t end) const {
  return ws_.FindFirst(from, end);
}
