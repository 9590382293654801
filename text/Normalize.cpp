#include "text/Normalize.h"

#include <array>
#include <cstring>

namespace {

enum CharClass : unsigned char { Plain, Space, Quote };

constexpr std::array<CharClass, 256> MakeClasses() {
  std::array<CharClass, 256> classes{};
  for (unsigned char c : {' ', '\t', '\r', '\n'}) classes[c] = Space;
  for (unsigned char c : {'\'', '"'}) classes[c] = Quote;
  return classes;
}

constexpr std::array<CharClass, 256> Classes = MakeClasses();

CharClass ClassOf(char c) { return Classes[static_cast<unsigned char>(c)]; }

}  // namespace

// Every line end, tab and blank becomes a blank, a run of them a single blank, and a run
// directly before ";" nothing. One pass does this: the characters it replaces are never
// quotes, so quoted text is recognised at the same places as in separate passes.
std::string Normalize(std::string_view text) {
  std::string out(text.size(), '\0');
  char* to = out.data();
  const char* from = text.data();
  const char* const end = from + text.size();
  while (from < end) {
    const char c = *from;
    const CharClass kind = ClassOf(c);
    if (kind == Plain) {
      *to++ = *from++;
    } else if (kind == Space) {
      while (from < end && ClassOf(*from) == Space) ++from;
      if (from == end || *from != ';') *to++ = ' ';
    } else {
      const char* close = static_cast<const char*>(std::memchr(from + 1, c, end - from - 1));
      const char* stop = close ? close + 1 : end;
      while (from < stop) *to++ = *from++;
    }
  }
  out.resize(to - out.data());
  return out;
}

std::string Trim(std::string_view text) {
  std::size_t begin = 0;
  std::size_t end = text.size();
  while (begin < end && IsTrimmedChar(text[begin])) ++begin;
  while (end > begin && IsTrimmedChar(text[end - 1])) --end;
  return std::string(text.substr(begin, end - begin));
}
