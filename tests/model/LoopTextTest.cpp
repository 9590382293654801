// Splitting a counting loop's header at " von " and " bis ", or by positions without them.
#include <gtest/gtest.h>

#include "model/LoopText.h"

namespace {

using Parts = std::vector<std::string>;

Parts Split(const std::string& text) {
  const LoopParts parts = SplitLoopText(text);
  return {parts.variable, parts.start, parts.end};
}

TEST(LoopTextTest, SplitsAtTheSeparatorWordsOrByPositionsAndUndoesTheJoin) {
  const std::pair<std::string, Parts> cases[] = {
      {"k von n - 1 bis 1", {"k", "n - 1", "1"}},
      {"i von 1 bis 2 von 3 bis 4", {"i", "1", "2 von 3 bis 4"}},
      {"i bis 0 von 1 bis 2", {"i bis 0", "1", "2"}},
      {"i von n - 1", {"i", "n", ""}},  // no " bis ": by positions
  };
  for (const auto& [text, parts] : cases) EXPECT_EQ(Split(text), parts) << text;
  // Joined parts without the separator words, blanks anywhere in them, come back unchanged.
  const std::string samples[] = {"", "i", "x y", " ", "n - 1", " 1", "1 ", "a  b", "vonbis"};
  for (const std::string& variable : samples)
    for (const std::string& start : samples)
      for (const std::string& end : samples)
        EXPECT_EQ(Split(JoinLoopText({variable, start, end})), (Parts{variable, start, end}));
}

}  // namespace
