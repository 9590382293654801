#include <gtest/gtest.h>

#include <string>

#include "platform/TextTable.h"

namespace {

using Table = TextTable<int>;

int* FindIn(Table& table, const std::string& text) { return table.Find(text, Table::Hash(text)); }

TEST(TextTableTest, FindsEveryTextKeptThroughGrowthAndNoOther) {
  Table table;
  EXPECT_EQ(FindIn(table, "x"), nullptr);
  const int count = 100000;
  for (int i = 0; i < count; ++i) {
    const std::string text = "x := " + std::to_string(i);
    table.Insert(text, Table::Hash(text), i);
  }
  EXPECT_EQ(table.Size(), static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) {
    const int* found = FindIn(table, "x := " + std::to_string(i));
    ASSERT_NE(found, nullptr) << i;
    EXPECT_EQ(*found, i);
  }
  EXPECT_EQ(FindIn(table, "x := 100000"), nullptr);
  EXPECT_EQ(FindIn(table, ""), nullptr);
}

TEST(TextTableTest, TextsWithTheSameHashAreToldApart) {
  // Two texts under one made-up hash share a probe sequence and must both be found.
  Table table;
  table.Insert("ja", 7, 1);
  table.Insert("nein", 7, 2);
  ASSERT_NE(table.Find("ja", 7), nullptr);
  EXPECT_EQ(*table.Find("ja", 7), 1);
  EXPECT_EQ(*table.Find("nein", 7), 2);
  EXPECT_EQ(table.Find("jo", 7), nullptr);
}

TEST(TextTableTest, ValuesStayWhereTheyAreAsTheTableGrowsAndAClearedTableStartsAfresh) {
  Table table;
  int& first = table.Insert("erster", Table::Hash("erster"), 1);
  for (int i = 0; i < 5000; ++i) {
    const std::string text = std::to_string(i);
    table.Insert(text, Table::Hash(text), i);
  }
  EXPECT_EQ(FindIn(table, "erster"), &first);
  table.Clear();
  EXPECT_EQ(table.Size(), 0u);
  EXPECT_EQ(FindIn(table, "erster"), nullptr);
  table.Insert("erster", Table::Hash("erster"), 3);
  EXPECT_EQ(*FindIn(table, "erster"), 3);
}

}  // namespace
