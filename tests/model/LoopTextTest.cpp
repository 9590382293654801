// Splitting a counting loop's header into variable, start and end, and joining it again.
#include <gtest/gtest.h>

#include <tuple>

#include "model/LoopText.h"

namespace {

std::tuple<std::string, std::string, std::string> Split(const std::string& text) {
  const LoopParts parts = SplitLoopText(text);
  return {parts.variable, parts.start, parts.end};
}

TEST(LoopTextTest, SplitsAtTheSeparatorWordsOrByPositions) {
  const std::pair<std::string, std::tuple<std::string, std::string, std::string>> cases[] = {
      {"i von 1 bis 10", {"i", "1", "10"}},
      {"???", {"?", "?", "?"}},
      {" von  bis ", {"", "", ""}},
      // Blanks inside every part stay with their part.
      {"k von n - 1 bis 1", {"k", "n - 1", "1"}},
      {"x y von 1 bis 5", {"x y", "1", "5"}},
      {"i von a + b bis n div 2 - 1", {"i", "a + b", "n div 2 - 1"}},
      {"i von 1 bis 10 und mehr", {"i", "1", "10 und mehr"}},
      // The first " von " and the first " bis " after it cut; later ones belong to the end.
      {"i von 1 bis 2 von 3 bis 4", {"i", "1", "2 von 3 bis 4"}},
      {"i bis 0 von 1 bis 2", {"i bis 0", "1", "2"}},
      // Without both separators the text is cut by positions from the first blank.
      {"ohneLeerzeichen", {"ohneLeerzeichen", "", ""}},
      {"", {"", "", ""}},
      {"i", {"i", "", ""}},
      {"i von 1", {"i", "1", ""}},
      {"i von n - 1", {"i", "n", ""}},
      {"i VON 1 BIS 10", {"i", "1", "10"}},
      {"i bis 10 von", {"i", "10", ""}},
      {"i von bis 5", {"i", "bis", ""}},
      {"i  ", {"i", "", ""}},
  };
  for (const auto& [text, parts] : cases) EXPECT_EQ(Split(text), parts) << text;
}

TEST(LoopTextTest, PartsWithoutSeparatorWordsComeBackUnchanged) {
  const std::string samples[] = {"", "i", "x y", " ", "n - 1", " 1", "1 ", "?", "a  b", "vonbis"};
  for (const std::string& variable : samples)
    for (const std::string& start : samples)
      for (const std::string& end : samples) {
        const LoopParts parts{variable, start, end};
        const std::string text = JoinLoopText(parts);
        EXPECT_EQ(Split(text), std::tie(variable, start, end)) << text;
      }
}

}  // namespace
