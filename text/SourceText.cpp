#include "text/SourceText.h"

#include <algorithm>

SourceText::SourceText(std::string text) : text_(std::move(text)) {
  IndexParens();
  IndexBraces();
  for (std::size_t i = 0; i < text_.size(); ++i)
    if (text_[i] == 'w') ws_.at.push_back(i);
}

void SourceText::IndexParens() {
  std::vector<std::size_t> open;  // indices into openParens_ of the unmatched "("
  for (std::size_t i = 0; i < text_.size(); ++i) {
    if (text_[i] == '(') {
      open.push_back(openParens_.at.size());
      openParens_.at.push_back(i);
      openParens_.match.push_back(npos);
    } else if (text_[i] == ')') {
      closeParens_.at.push_back(i);
      if (!open.empty()) {
        openParens_.match[open.back()] = i;
        open.pop_back();
      }
    }
  }
}

void SourceText::IndexBraces() {
  std::vector<std::size_t> open;  // indices into braces_ of the unmatched "{"
  for (std::size_t i = 0; i < text_.size(); ++i) {
    if (text_[i] != '{' && text_[i] != '}') continue;
    if (text_[i] == '{') open.push_back(braces_.at.size());
    if (text_[i] == '}' && !open.empty()) {
      braces_.match[open.back()] = i;
      open.pop_back();
    }
    braces_.at.push_back(i);
    braces_.match.push_back(npos);
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

void SourceText::InsertDo(std::size_t at) { ++insertions_[at]; }

bool SourceText::HasInsertionIn(std::size_t from, std::size_t to) const {
  if (insertions_.empty()) return false;
  const auto it = insertions_.lower_bound(from);
  return it != insertions_.end() && it->first < to;
}

void SourceText::AppendRange(std::size_t from, std::size_t to, std::string& out) const {
  to = std::min(to, text_.size());
  if (from >= to) return;
  auto it = insertions_.lower_bound(from);
  while (it != insertions_.end() && it->first < to) {
    out.append(text_, from, it->first - from);
    for (std::size_t n = 0; n < it->second; ++n) out += "do";
    from = it->first;
    ++it;
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
