#include "text/Tokenizer.h"

#include <cstring>

namespace {

bool IsWordChar(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
}

}  // namespace

Cursor::Cursor(SourceText& source, std::size_t begin, std::size_t end)
    : source_(source), pos_(begin), end_(end < source.size() ? end : source.size()) {}

void Cursor::MeasureToken(std::size_t at) {
  cachedStart_ = at;
  cachedHasW_ = false;
  const char c = source_[at];
  if (c == '\'' || c == '"') {
    const char* data = source_.Physical().data();
    const void* close = std::memchr(data + at + 1, c, end_ - at - 1);
    cachedNext_ = close ? static_cast<const char*>(close) - data + 1 : end_;
    cachedHasW_ = true;  // settled by the insertion lookup itself
    return;
  }
  std::size_t next = at + 1;
  if (IsWordChar(c)) {
    bool hasW = c == 'w';
    for (; next < end_ && IsWordChar(source_[next]); ++next) hasW |= source_[next] == 'w';
    cachedHasW_ = hasW;
  }
  cachedNext_ = next;
}

Token Cursor::NextToken() {
  Token token;
  token.start = pos_;
  if (AtEnd()) {
    token.next = pos_;
    return token;
  }
  if (pos_ != cachedStart_) MeasureToken(pos_);
  token.next = cachedNext_;
  const char c = source_[pos_];
  if (c == '\r' || c == '\n') {
    token.kind = Token::Empty;
  } else if (c == ' ') {
    const bool last = token.next >= end_ || source_[token.next] == ' ';
    token.kind = last ? Token::Empty : Token::Blank;
  } else {
    token.kind = Token::Text;
    token.physical = std::string_view(source_.Physical()).substr(pos_, token.next - pos_);
    token.inserted =
        cachedHasW_ && source_.HasInsertions() && source_.HasInsertionIn(pos_, token.next);
  }
  pos_ = token.next;
  return token;
}

bool Cursor::NextSignificantToken(Token& token) {
  while (!AtEnd()) {
    token = NextToken();
    if (token.Significant()) return true;
  }
  return false;
}

void Cursor::AppendToken(const Token& token, std::string& out) const {
  if (token.kind == Token::Blank)
    out.push_back(' ');
  else if (token.kind == Token::Text && !token.inserted)
    out.append(token.physical);
  else if (token.kind == Token::Text)
    source_.AppendRange(token.start, token.next, out);
}

std::size_t Cursor::MatchParen() {
  const std::size_t open = source_.FindOpenParen(pos_, end_);
  if (open == SourceText::npos) return source_.FindCloseParen(pos_, end_);
  pos_ = open + 1;
  const std::size_t close = source_.MatchingParen(open);
  return close < end_ ? close : SourceText::npos;
}

std::string Cursor::TakeUntil(std::size_t to) {
  std::string text;
  source_.AppendRange(pos_, to, text);
  MoveTo(to);
  return text;
}
