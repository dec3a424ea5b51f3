// SPDX-License-Identifier: GPL-3.0-or-later
// The time and value axes: scale, labels and the range lists they are chosen from.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <string>
#include <tuple>
#include <vector>

#include "core/plot/RangeLists.h"
#include "core/plot/ScaleParams.h"
#include "core/plot/XAxis.h"
#include "core/plot/YAxis.h"
#include "core/recording/ValueLists.h"

namespace kelvor {
namespace {

constexpr double PlotTop = 114.0;

XAxisInput xInput(float duration, float w) {
  return {duration, w, 24.0f, static_cast<float>(PlotTop), w, 404.0f, 24.75f, 0, ','};
}

// Y label 0 12.75 high, at the plot's bottom edge; the time labels 6 points below it.
YAxisInput yInput(float yMin, float yMax, int h) {
  const double bottom = PlotTop + h;
  return {yMin, yMax, h, static_cast<float>(h) + 4, PlotTop, ',', 12.75, bottom, bottom + 6};
}

TEST(XAxis, ScalesAndLabelsTheDurationsRoundedToTheShownUnit) {
  // Seconds across to 0.1; the labels after the last visible one reach past the edge.
  for (const auto& [duration, w, step, secondsAcross, divPixels, storeInterval, lastVisible,
                    timePerPixel, hoursMinutes] :
       std::vector<std::tuple<float, float, float, double, int, int, int, std::string, bool>>{
           {60, 600, 5, 3750, 48, 6, 12, "6,25s / Pixel", true},
           {59.5f, 600, 5, 3673.5, 49, 6, 11, "6,12s / Pixel", false},  // m:s within the hour
           {10, 600, 0.75f, 627.9, 43, 1, 13, "1,05s / Pixel", false},
           {1440, 600, 120, 90000, 48, 150, 12, "02:30min / Pixel", true},
           // 30 / 2 is exactly 15 = 600 / 40, not less: 2 minutes would be just 40 points wide.
           {30, 600, 5, 1836.7, 98, 3, 5, "3,06s / Pixel", false},
           // Below about 60 points no step is wide enough: the last one, 960 minutes.
           {1440, 5, 960, 144000, 2, 28800, 0, "08:00h / Pixel", true},
           {60, 0, 960, 0, 1, 1, 0, "", true}}) {  // no width: still no division by zero
    SCOPED_TRACE(::testing::Message() << duration << " min on " << w);
    const XAxisLayout layout = setTimeAxis(xInput(duration, w));
    ASSERT_TRUE(layout.computed);
    EXPECT_EQ(
        std::tuple(layout.step, layout.XDivPixels, layout.StoreInterval,
                   w > 0 ? layout.timePerPixelText : "", layout.mode),
        std::tuple(step, divPixels, storeInterval, timePerPixel,
                   hoursMinutes ? TimeLabelMode::HoursMinutes : TimeLabelMode::MinutesSeconds));
    EXPECT_NEAR(layout.SecondsAcross, secondsAcross, 0.05);
    for (int i = 0; w >= 60 && i <= 100; ++i) {  // label i centred on division line i
      const XAxisLabel& label = layout.timeLabels[static_cast<std::size_t>(i)];
      EXPECT_EQ(std::tuple(label.caption, label.left + 24.75 / 2.0, label.visible),
                std::tuple(tickCaption(step * 60 * static_cast<float>(i), layout.mode),
                           24.0 + divPixels * i, i <= lastVisible))
          << i;
    }
  }
  // Captions round to the unit they show.
  // Minutes and seconds within the hour; hours and minutes unrounded.
  const auto ms = TimeLabelMode::MinutesSeconds;
  EXPECT_EQ((std::vector<std::string>{timePerPixelCaption(59.996, '.'),
                                      timePerPixelCaption(60, '.'), timePerPixelCaption(3600, '.'),
                                      tickCaption(3600, ms), tickCaption(91.5f, ms),
                                      tickCaption(7199.75f, TimeLabelMode::HoursMinutes)}),
            (std::vector<std::string>{"60.00s / Pixel", "01:00min / Pixel", "01:00h / Pixel",
                                      "0:00", "1:32", "1:00"}));
}

TEST(Axes, NoDurationOrAnEmptyRangeChangesNothing) {
  ScaleParams params;
  params.XDivPixels = params.YDivPixels = 7;
  for (const float duration : {0.0f, std::nanf("")})
    setTimeAxis(xInput(duration, 600)).applyTo(params);
  setValueAxis(yInput(-2.5f, -2.5f, 400)).applyTo(params);
  EXPECT_EQ(params.XDivPixels * 100 + params.YDivPixels, 707);
}

TEST(YAxis, ScalesAndLabelsTheRanges) {
  // Label j shows base + j * step; the span to two decimals.
  for (const auto& [yMin, yMax, step, base, h, divPixels, offsetPixels, labels, span, pattern] :
       std::vector<std::tuple<float, float, float, float, int, int, int, int, double, std::string>>{
           {0, 1.5f, 0.15f, 0, 400, 40, 0, 11, 1.5, "0.00"},
           // The top line stands for YMax, so zero falls between two lines and gets no label.
           {-1, 1, 0.15f, -0.95f, 400, 30, 10, 14, 2.0, "0.00"},
           // Half a step below YMin; the offset rises until YMin is on the plot.
           {-5, 5, 0.5f, -5.5f, 400, 19, 19, 21, 10.53, "0.0"},
           // Too small for the ladder: the line above the lowest is off the plot.
           {0, 0.1f, 0.15f, 0, 400, 600, 1, 1, 0.1, "0.00"},
           {0, 9.5f, 2.5f, 0, 110, 28, 3, 4, 9.82, "0.0"},         // 9 and more: past 3
           {60, 75, 1, 60, 400, 26, 5, 16, 15.38, "###0"},         // 6 and more: past 1.25
           {750, 1000, 10, 750, 400, 15, 13, 26, 266.67, "###0"},  // 20 fits neither end
           {-20, -7.5f, 1.25f, -20, 400, 39, 5, 11, 12.82, "0.00"},
           // Step 5 would put the lines 11 points apart: one step larger, 7.5.
           {-100, 75, 7.5f, -100, 400, 17, 3, 24, 176.47, "0.0"},
           // 1300 / 500 and 104 / 40 are the same single: 500 does not fit (in double it would).
           {-1000, 300, 250, -1000, 100, 19, 2, 6, 1315.79, "###0"},
           // The search runs to the very last step, 0.1; 101 labels at most.
           {-20, 21, 0.1f, -20.6f, 20000, 48, 289, 101, 41.67, "0.0"}}) {
    SCOPED_TRACE(::testing::Message() << yMin << " .. " << yMax << " on " << h);
    const YAxisLayout layout = setValueAxis(yInput(yMin, yMax, h));
    ASSERT_TRUE(layout.computed);
    EXPECT_EQ(std::tuple(layout.step, layout.YDivPixels, layout.YOffsetPixels, layout.labelPattern),
              std::tuple(step, divPixels, offsetPixels, pattern));
    EXPECT_NEAR(layout.YBase, base, 1e-5);
    EXPECT_NEAR(layout.YSpan, span, 0.005);
    ASSERT_EQ(std::count_if(layout.valueLabels.begin(), layout.valueLabels.end(),
                            [](const YAxisLabel& label) { return label.visible; }),
              labels);
    const int decimals = pattern == "###0" ? 0 : static_cast<int>(pattern.size()) - 2;
    for (int j = 0; j < labels; ++j) {  // 3 points above its grid line
      const YAxisLabel& label = layout.valueLabels[static_cast<std::size_t>(j)];
      char caption[32];
      std::snprintf(caption, sizeof caption, "%.*f", decimals,
                    static_cast<double>(base + j * step));
      std::string expected = caption;
      std::replace(expected.begin(), expected.end(), '.', ',');
      EXPECT_EQ(std::pair(label.caption, label.top),
                std::pair(expected, PlotTop + h - (offsetPixels + j * divPixels) - 3))
          << j;
    }
  }
}

TEST(YAxis, HidesTimeLabelZeroWhenTheLowestLabelReachesIntoItsRow) {
  // 0 .. 1.5 puts its lowest label at PlotTop + 397, 12.75 high. Where no line gets a label
  // (a plot 1 point high), label 0 keeps its old top, 100.
  // Rows: plot height, top of the time-label row, whether label 0 hides.
  for (const auto& [h, firstTimeLabelTop, hide] : std::vector<std::array<double, 3>>{
           {400, PlotTop + 405.75, 0}, {400, PlotTop + 405.5, 1}, {1, 109, 0}, {1, 108.5, 1}}) {
    YAxisInput in = yInput(h == 1 ? -1000 : 0, h == 1 ? 1000 : 1.5f, static_cast<int>(h));
    in.firstValueLabelTop = h == 1 ? 100.0 : 0.0, in.firstTimeLabelTop = firstTimeLabelTop;
    EXPECT_EQ(setValueAxis(in).hideTimeLabel0, hide == 1) << h << " " << firstTimeLabelTop;
  }
}

TEST(RangeLists, DurationsReadBackAndAutoRangeTakesTheShortestThatCoversYListsOffsetByOne) {
  const std::vector<std::string> items = durationItems();
  const auto& minutes = ValueLists::DurationList;
  ASSERT_EQ(items.size(), minutes.size());
  for (std::size_t k = 0; k < items.size(); ++k)  // longest first
    EXPECT_EQ(getMinutes(items[k]), minutes[minutes.size() - 1 - k]) << items[k];
  for (const auto& [text, m] : std::vector<std::pair<std::string, int>>{
           {"15", 15}, {"", 0}, {":", 0}, {"2:", 120}, {"0:2.5", 2}})
    EXPECT_EQ(getMinutes(text), m) << text;
  // Rows: selected item, seconds recorded, seconds across, expected item.
  for (const auto& r : std::vector<std::array<float, 4>>{
           {22, 960, 960.5f, 22}, {22, 961, 960, 21}, {22, 7201, 960, 15}, {0, 90000, 87000, 0}})
    EXPECT_EQ(autoRangeXItem(items, static_cast<int>(r[0]), static_cast<int>(r[1]), r[2]),
              static_cast<int>(r[3]))
        << r[1];
  // The lower Y list is the upper one moved by one: the same index is always a valid range.
  const YRangeItems min = yMinItems(','), max = yMaxItems(',');
  ASSERT_EQ(min.size(), max.size());
  for (std::size_t i = 0; i + 1 < max.values.size(); ++i)
    EXPECT_TRUE(min.values[i] < max.values[i] && min.texts[i] == max.texts[i + 1]) << i;
  EXPECT_EQ(max.texts[18] + yMaxItems('.').texts[18], "7,57.5");
}

}  // namespace
}  // namespace kelvor
