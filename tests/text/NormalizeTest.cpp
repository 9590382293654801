#include <gtest/gtest.h>

#include "text/Normalize.h"

namespace {

struct Case {
  std::string text;
  std::string normalized;
};

class NormalizeTest : public testing::TestWithParam<Case> {};

TEST_P(NormalizeTest, Normalizes) { EXPECT_EQ(Normalize(GetParam().text), GetParam().normalized); }

INSTANTIATE_TEST_SUITE_P(
    Whitespace, NormalizeTest,
    testing::Values(Case{"a\r\n\r\n  b", "a b"},  // line ends, then the run shrinks
                    Case{"a\rb\nc", "a b c"},     // lone line ends of other systems
                    Case{"a \t \r\n ;", "a;"},    // a whole run before ";" goes
                    Case{"a\t;", "a;"},           // the tab's blank, too
                    Case{"  ;  ;", ";;"},         // also at the start of the text
                    Case{"a ;; b", "a;; b"},      // only the blank directly before
                    Case{"a  ", "a "}));          // a final run leaves one blank

INSTANTIATE_TEST_SUITE_P(
    Quotes, NormalizeTest,
    testing::Values(Case{"'a  \t;' b", "'a  \t;' b"}, Case{"x ' \r\n ' ;", "x ' \r\n ';"},
                    Case{"\"a'  b\"  'c\"  d'", "\"a'  b\" 'c\"  d'"},  // kinds do not mix
                    Case{"a 'b  c\r\n ;", "a 'b  c\r\n ;"}));           // unclosed: to the end

TEST(Trim, RemovesBlanksTabsAndLineEndsAtBothEnds) {
  EXPECT_EQ(Trim(" \t\r\n x  y \r\n\t"), "x  y");
  EXPECT_EQ(Trim(" \t \r\n"), "");
  EXPECT_EQ(Trim(""), "");
}

}  // namespace
