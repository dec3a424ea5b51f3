#include "core/scope/XAxis.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstddef>
#include <limits>
#include <string>
#include <vector>

#include "core/scope/ScaleParams.h"

namespace kelvor {
namespace {

constexpr float PlotLeft = 24.0f;
constexpr float PlotTop = 114.0f;
constexpr float PlotHeight = 404.0f;
constexpr float LabelWidth = 24.75f;

XAxisInput plotInput(float duration, float w) {
  XAxisInput in;
  in.MessDauer = duration;
  in.W = w;
  in.plotLeft = PlotLeft;
  in.plotTop = PlotTop;
  in.plotWidth = w;
  in.plotHeight = PlotHeight;
  in.lblX0Width = LabelWidth;
  in.decimalSeparator = ',';
  return in;
}

std::string twoDigits(long v) {
  return (v < 10 ? "0" : "") + std::to_string(v);
}

// A whole number of seconds as "h:mm", or as "m:ss" with the minutes within the hour.
std::string tickText(long seconds, bool hoursMinutes) {
  if (hoursMinutes) return std::to_string(seconds / 3600) + ":" + twoDigits(seconds % 3600 / 60);
  return std::to_string(seconds % 3600 / 60) + ":" + twoDigits(seconds % 60);
}

struct AxisCase {
  float duration;
  float w;
  float step;
  int divPixels;
  double secondsAcross;  // to 0.1
  int storeInterval;
  std::string timePerPixel;
  bool hoursMinutes;
  std::vector<std::string> firstLabels;  // as listed
  int lastVisible;                       // label index; the ones after it reach past the edge
};

TEST(XAxis, ScalesAndLabelsTheDurations) {
  const std::vector<AxisCase> cases{
      {60, 600, 5, 48, 3750, 6, "6,25s / Pixel", true, {"0:00", "0:05", "0:10"}, 12},
      {10, 600, 0.75f, 43, 627.9, 1, "1,05s / Pixel", false, {"0:00", "0:45", "1:30", "2:15"}, 13},
      {1440, 600, 120, 48, 90000, 150, "02:30min / Pixel", true, {"0:00", "2:00", "4:00"}, 12},
      // 30 / 2 is exactly 15 = 600 / 40, not less: 2 minutes would be just 40 points wide.
      // x = 100 exactly gives 98.
      {30, 600, 5, 98, 1836.7, 3, "3,06s / Pixel", false, {"0:00", "5:00", "10:00"}, 5},
      // Labels past the hour in m:s show the minutes within it: 3900 s is 5:00.
      {45, 400, 5, 43, 2790.7, 6, "6,98s / Pixel", false, {"0:00", "5:00", "10:00"}, 9},
  };
  for (const AxisCase& c : cases) {
    SCOPED_TRACE(std::to_string(c.duration) + " min on " + std::to_string(c.w));
    const XAxisLayout layout = SetXAchse(plotInput(c.duration, c.w));
    ASSERT_TRUE(layout.computed);
    EXPECT_EQ(layout.step, c.step);
    EXPECT_EQ(layout.XDivPixels, c.divPixels);
    EXPECT_NEAR(layout.SecondsAcross, c.secondsAcross, 0.05);
    EXPECT_EQ(layout.StoreInterval, c.storeInterval);
    EXPECT_EQ(layout.lblTpPCaption, c.timePerPixel);
    EXPECT_EQ(layout.mode,
              c.hoursMinutes ? TimeLabelMode::HoursMinutes : TimeLabelMode::MinutesSeconds);
    EXPECT_EQ(layout.lblZeitEinheitCaption, c.hoursMinutes ? "t in h -->" : "t in min -->");
    for (std::size_t i = 0; i < c.firstLabels.size(); ++i) {
      EXPECT_EQ(layout.lblX[i].caption, c.firstLabels[i]);
    }
    const auto stepSeconds = std::lround(static_cast<double>(c.step) * 60.0);
    const double labelRow = static_cast<double>(PlotTop) + static_cast<double>(PlotHeight) + 2.0;
    for (int i = 0; i <= 100; ++i) {
      SCOPED_TRACE("label " + std::to_string(i));
      const XAxisLabel& label = layout.lblX[static_cast<std::size_t>(i)];
      EXPECT_EQ(label.caption, tickText(stepSeconds * i, c.hoursMinutes));
      // Centred on division line i, a label as wide as label 0.
      EXPECT_DOUBLE_EQ(label.left + static_cast<double>(LabelWidth) / 2.0,
                       static_cast<double>(PlotLeft) + c.divPixels * i);
      EXPECT_DOUBLE_EQ(label.top, labelRow);
      EXPECT_EQ(label.visible, i <= c.lastVisible);
    }
  }
}

TEST(XAxis, PlacesTheAxisTextsBelowThePlot) {
  XAxisInput in = plotInput(60, 600);
  in.plotLeft = 30.0f;
  in.plotTop = 100.0f;
  // Label 12 ends exactly at the right edge: 30 - 24.75 / 2 + 12 * 48 + 24.75.
  in.plotWidth = 588.375f;
  in.plotHeight = 250.5f;
  const XAxisLayout layout = SetXAchse(in);
  ASSERT_TRUE(layout.computed);
  ASSERT_EQ(layout.XDivPixels, 48);
  EXPECT_DOUBLE_EQ(layout.lblX0Top, 352.5);
  EXPECT_DOUBLE_EQ(layout.lblTpPLeft, 30.0 + 196.125);
  EXPECT_DOUBLE_EQ(layout.lblTpPTop, 362.5);
  EXPECT_DOUBLE_EQ(layout.lblZeitEinheitLeft, 30.0 + 392.25);
  EXPECT_DOUBLE_EQ(layout.lblZeitEinheitTop, 362.5);
  // Label 0 is centred on the left edge; the rest keep their distance from it.
  EXPECT_DOUBLE_EQ(layout.lblX[0].left, 30.0 - 24.75 / 2.0);
  EXPECT_EQ(layout.lblX[0].caption, "0:00");
  EXPECT_DOUBLE_EQ(layout.lblX[3].left - layout.lblX[0].left, 3.0 * 48);
  EXPECT_TRUE(layout.lblX[12].visible);
  EXPECT_FALSE(layout.lblX[13].visible);
}

TEST(XAxis, LabelModeSwitchesAtSixtyMinutes) {
  struct Case {
    float duration;
    bool hoursMinutes;
    std::string secondLabel;
  };
  const std::vector<Case> cases{
      {60, true, "0:05"}, {45, false, "5:00"}, {59.5f, false, "5:00"}, {90, true, "0:10"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.duration) + " min");
    const XAxisLayout layout = SetXAchse(plotInput(c.duration, 600));
    ASSERT_TRUE(layout.computed);
    EXPECT_EQ(layout.lblZeitEinheitCaption, c.hoursMinutes ? "t in h -->" : "t in min -->");
    EXPECT_EQ(layout.lblX[0].caption, "0:00");
    EXPECT_EQ(layout.lblX[1].caption, c.secondLabel);
  }
}

TEST(XAxis, TimePerPixelCaptions) {
  struct Case {
    double p;
    char separator;
    std::string expected;
  };
  const std::vector<Case> cases{
      {6.25, ',', "6,25s / Pixel"},
      {1.0465, ',', "1,05s / Pixel"},
      {12.5, '.', "12.50s / Pixel"},
      // Just below a minute it stays in seconds, rounded up to 60.
      {59.996, ',', "60,00s / Pixel"},
      {60.0, ',', "01:00min / Pixel"},
      {150.0, ',', "02:30min / Pixel"},
      // Whole seconds rounded, halves to even.
      {62.5, ',', "01:02min / Pixel"},
      {63.5, ',', "01:04min / Pixel"},
      {3599.4, ',', "59:59min / Pixel"},
      {3600.0, ',', "01:00h / Pixel"},
      {5430.0, ',', "01:30h / Pixel"},
      {28800.0, ',', "08:00h / Pixel"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("p = " + std::to_string(c.p));
    EXPECT_EQ(timePerPixelCaption(c.p, c.separator), c.expected);
  }
}

TEST(XAxis, TickCaptions) {
  struct Case {
    float t;
    TimeLabelMode mode;
    std::string expected;
  };
  const auto ms = TimeLabelMode::MinutesSeconds;
  const auto hm = TimeLabelMode::HoursMinutes;
  const std::vector<Case> cases{
      {0, ms, "0:00"},
      {45, ms, "0:45"},
      {720, ms, "12:00"},
      {3900, ms, "5:00"},
      {3600, ms, "0:00"},
      {0, hm, "0:00"},
      {9000, hm, "2:30"},
      {93600, hm, "26:00"},
      {300, hm, "0:05"},
      // Rounded to whole seconds, halves to even.
      {89.5f, ms, "1:30"},
      {90.5f, ms, "1:30"},
      {91.5f, ms, "1:32"},
      // The hours come from the unrounded time.
      {7199.75f, hm, "1:00"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("t = " + std::to_string(c.t));
    EXPECT_EQ(tickCaption(c.t, c.mode), c.expected);
  }
}

TEST(XAxis, NoDurationChangesNothing) {
  struct Case {
    float duration;
    bool computed;
  };
  const std::vector<Case> cases{{0, false},
                                {std::numeric_limits<float>::infinity(), false},
                                {std::numeric_limits<float>::quiet_NaN(), false},
                                {60, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.duration) + " min");
    const XAxisLayout layout = SetXAchse(plotInput(c.duration, 600));
    EXPECT_EQ(layout.computed, c.computed);

    ScaleParams params;
    params.XDivPixels = 7;
    params.SecondsAcross = 99.0f;
    params.StoreInterval = 3;
    params.YDivPixels = 19;
    layout.applyTo(params);
    EXPECT_EQ(params.YDivPixels, 19);
    if (c.computed) {
      EXPECT_EQ(params.XDivPixels, 48);
      EXPECT_EQ(params.SecondsAcross, 3750.0f);
      EXPECT_EQ(params.StoreInterval, 6);
    } else {
      EXPECT_EQ(params.XDivPixels, 7);
      EXPECT_EQ(params.SecondsAcross, 99.0f);
      EXPECT_EQ(params.StoreInterval, 3);
    }
  }
}

TEST(XAxis, NarrowPlotsKeepDivisionsOfAtLeastOnePoint) {
  struct Case {
    float duration;
    float w;
    int divPixels;
    double secondsAcross;
    int storeInterval;
    std::string timePerPixel;  // empty: not checked
  };
  // Below about 60 points no step is wide enough and the last one, 960 minutes, is used.
  const std::vector<Case> cases{
      {1440, 5, 2, 144000, 28800, "08:00h / Pixel"},
      // The division width would come out below one point.
      {1440, 1, 1, 57600, 57600, "16:00h / Pixel"},
      {1440, 0.5f, 1, 28800, 57600, "16:00h / Pixel"},
      // No width at all: nothing to show, but still no division by zero.
      {60, 0, 1, 0, 1, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.duration) + " min on " + std::to_string(c.w));
    const XAxisLayout layout = SetXAchse(plotInput(c.duration, c.w));
    ASSERT_TRUE(layout.computed);
    EXPECT_EQ(layout.step, 960.0f);
    EXPECT_EQ(layout.XDivPixels, c.divPixels);
    EXPECT_DOUBLE_EQ(static_cast<double>(layout.SecondsAcross), c.secondsAcross);
    EXPECT_EQ(layout.StoreInterval, c.storeInterval);
    if (!c.timePerPixel.empty()) {
      EXPECT_EQ(layout.lblTpPCaption, c.timePerPixel);
    }
  }
}

}  // namespace
}  // namespace kelvor
