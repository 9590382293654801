#include "text/Tokenizer.h"

#include <cstring>

namespace {

bool IsWordChar(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
}

char UpperAscii(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

}  // namespace

bool Token::Is(std::string_view upperWord) const {
  if (kind != Text || inserted || physical.size() != upperWord.size()) return false;
  for (std::size_t i = 0; i < upperWord.size(); ++i)
    if (UpperAscii(physical[i]) != upperWord[i]) return false;
  return true;
}

Cursor::Cursor(SourceText& source, std::size_t begin, std::size_t end)
    : source_(source), pos_(begin), end_(end < source.size() ? end : source.size()) {}

std::size_t Cursor::TokenEnd(std::size_t at) const {
  const char c = source_[at];
  if (c == '\'' || c == '"') {
    const char* data = source_.Physical().data();
    const void* close = std::memchr(data + at + 1, c, end_ - at - 1);
    return close ? static_cast<const char*>(close) - data + 1 : end_;
  }
  std::size_t next = at + 1;
  if (IsWordChar(c))
    while (next < end_ && IsWordChar(source_[next])) ++next;
  return next;
}

Token Cursor::NextToken() {
  Token token;
  token.start = pos_;
  if (AtEnd()) {
    token.next = pos_;
    return token;
  }
  if (pos_ != cachedStart_) {
    cachedStart_ = pos_;
    cachedNext_ = TokenEnd(pos_);
  }
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
    token.inserted = source_.HasInsertionIn(pos_, token.next);
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
