#include "core/scope/RangeLists.h"

#include <gtest/gtest.h>

namespace kelvor {
namespace {

TEST(RangeLists, DurationItemsLongestFirst) {
  const std::vector<std::string> items = durationItems();
  ASSERT_EQ(items.size(), 29u);
  const std::vector<std::pair<int, std::string>> cases = {
      {0, "24:00"}, {1, "24:00"}, {2, "22:00"}, {9, "9:00"},  {16, "2:00"},
      {17, "1:30"}, {19, "0:45"}, {22, "0:15"}, {28, "0:01"},
  };
  for (const auto& [item, text] : cases) {
    SCOPED_TRACE(item);
    EXPECT_EQ(items[static_cast<std::size_t>(item)], text);
  }
}

TEST(RangeLists, GetMinutes) {
  const std::vector<std::pair<std::string, int>> cases = {
      {"1:30", 90}, {"0:45", 45}, {"24:00", 1440}, {"15", 15},  {"45", 45},
      {"", 0},      {":", 0},     {"abc", 0},      {"2:", 120}, {"0:2.5", 2},
  };
  for (const auto& [text, minutes] : cases) {
    SCOPED_TRACE(text);
    EXPECT_EQ(getMinutes(text), minutes);
  }
}

TEST(RangeLists, AutoRangeXTakesTheShortestDurationThatCovers) {
  const std::vector<std::string> items = durationItems();
  struct Case {
    const char* name;
    int selected;
    int t;
    float secondsAcross;
    int expected;
  };
  const std::vector<Case> cases = {
      {"inside the plot", 22, 960, 960.0f, 22},
      {"one second past", 22, 961, 960.0f, 21},
      {"a loaded 2-hour trace", 22, 7200, 960.0f, 16},
      {"just over two hours", 22, 7201, 960.0f, 15},
      {"past a day", 1, 90000, 87000.0f, 1},
      {"past a day from the top item", 0, 90000, 87000.0f, 0},
      {"from the shortest", 28, 61, 60.5f, 27},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(autoRangeXItem(items, c.selected, c.t, c.secondsAcross), c.expected);
  }
}

TEST(RangeLists, YListsAreOffsetByOne) {
  const YRangeItems min = yMinItems(',');
  const YRangeItems max = yMaxItems(',');
  ASSERT_EQ(min.size(), 58);
  ASSERT_EQ(max.size(), 58);
  for (int i = 0; i + 1 < 58; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(min.values[static_cast<std::size_t>(i)], max.values[static_cast<std::size_t>(i + 1)]);
    EXPECT_EQ(min.texts[static_cast<std::size_t>(i)], max.texts[static_cast<std::size_t>(i + 1)]);
  }
  EXPECT_EQ(max.texts[0], "1000");
  EXPECT_EQ(max.texts[22], "1,5");
  EXPECT_EQ(max.texts[29], "0");
  EXPECT_EQ(max.texts[57], "-750");
  EXPECT_EQ(min.texts[0], "750");
  EXPECT_EQ(min.texts[27], "0,1");
  EXPECT_EQ(min.texts[28], "0");
  EXPECT_EQ(min.texts[57], "-1000");
  EXPECT_EQ(yMaxItems('.').texts[18], "7.5");
  EXPECT_EQ(min.values[27], 0.1f);
}

}  // namespace
}  // namespace kelvor
