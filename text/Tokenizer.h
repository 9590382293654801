#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "text/SourceText.h"

// One token of a program text: a quoted string, a word (letters, digits, "_"), or any other
// single character. A line break, and a blank followed by another blank or standing last,
// give an empty token; any other blank a blank token.
struct Token {
  enum Kind { Empty, Blank, Text };

  Kind kind = Empty;
  std::size_t start = 0;  // where it begins, so that it can be put back
  std::size_t next = 0;   // where the text goes on after it
  std::string_view physical;
  bool inserted = false;  // whether an inserted "do" lies inside it

  bool Significant() const { return kind == Text; }
  // Compares with an upper-case word, converting the letters a to z of the token.
  bool Is(std::string_view upperWord) const {
    if (kind != Text || inserted || physical.size() != upperWord.size()) return false;
    for (std::size_t i = 0; i < upperWord.size(); ++i) {
      const char c = physical[i];
      if ((c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c) != upperWord[i]) return false;
    }
    return true;
  }
};

// The rest of a program text as the parsers consume it from the front: the characters of
// a SourceText from a position up to an end. Putting a token back moves the position back.
class Cursor {
 public:
  Cursor(SourceText& source, std::size_t begin, std::size_t end);

  bool AtEnd() const { return pos_ >= end_; }
  std::size_t Position() const { return pos_; }
  std::size_t End() const { return end_; }
  SourceText& Source() { return source_; }

  Token NextToken();
  // Skips empty and blank tokens; false when the text ends first.
  bool NextSignificantToken(Token& token);
  void PutBack(const Token& token) { pos_ = token.start; }
  // Appends what the token reads as to out.
  void AppendToken(const Token& token, std::string& out) const;

  // Drops everything up to and including the first "(" (nothing when there is none) and
  // returns the position of the first ")" met at depth 0 after it, or npos.
  std::size_t MatchParen();
  // The text up to position to, which the cursor then moves past.
  std::string TakeUntil(std::size_t to);
  void MoveTo(std::size_t position) { pos_ = position < end_ ? position : end_; }

 private:
  // Finds where the token at position at ends, and whether a "w" may lie inside it.
  void MeasureToken(std::size_t at);

  SourceText& source_;
  std::size_t pos_;
  std::size_t end_;
  // The token read last: nested decisions that end together each read the same token
  // after their branch and put it back, so it is not measured again.
  std::size_t cachedStart_ = SourceText::npos;
  std::size_t cachedNext_ = 0;
  bool cachedHasW_ = false;
};
