#pragma once

#include <cstddef>
#include <string>
#include <vector>

// The normalised program text that the parsers read, with the positions of the characters
// they search for indexed once, so that every search costs a binary search instead of a
// scan of the rest of the text.
//
// The text itself never changes. The word "do" that the do parser puts in front of a "w" is
// recorded as an insertion at the position of that "w" and shows up whenever the text there
// is read or copied.
class SourceText {
 public:
  static constexpr std::size_t npos = std::string::npos;

  explicit SourceText(std::string text);

  std::size_t size() const { return text_.size(); }
  char operator[](std::size_t i) const { return text_[i]; }
  const std::string& Physical() const { return text_; }

  // Records the word "do" immediately before position at.
  void InsertDo(std::size_t at);
  bool HasInsertions() const { return !insertions_.empty(); }
  // Whether an insertion lies in [from, to).
  bool HasInsertionIn(std::size_t from, std::size_t to) const;
  // Appends the text from position from up to (not including) to, insertions included.
  void AppendRange(std::size_t from, std::size_t to, std::string& out) const;

  // The first "(" in [from, end), its matching ")", and the first ")" in [from, end).
  std::size_t FindOpenParen(std::size_t from, std::size_t end) const;
  std::size_t MatchingParen(std::size_t open) const;
  std::size_t FindCloseParen(std::size_t from, std::size_t end) const;
  // The first "{" or "}" in [from, end), and the "}" matching the "{" at open.
  std::size_t FindBrace(std::size_t from, std::size_t end) const;
  std::size_t MatchingBrace(std::size_t open) const;
  // The first lower-case "w" in [from, end).
  std::size_t FindW(std::size_t from, std::size_t end) const;

 private:
  // Positions of one kind of character in ascending order, with the matching closing
  // position for the opening kinds (npos where there is none).
  struct Positions {
    std::vector<std::size_t> at;
    std::vector<std::size_t> match;
    std::size_t FindFirst(std::size_t from, std::size_t end) const;
    std::size_t MatchOf(std::size_t position) const;
    void Add(std::size_t position) {
      at.push_back(position);
      match.push_back(npos);
    }
  };
  // The index in ws_ of the first "w" in [from, to) with an insertion, or npos.
  std::size_t FirstInsertionIn(std::size_t from, std::size_t to) const;

  std::string text_;
  Positions openParens_, closeParens_, braces_, ws_;
  // The number of "do" words before each "w", parallel to ws_.at; empty until the first.
  std::vector<std::size_t> insertions_;
};
