#include "core/scope/YAxis.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/scope/ScaleParams.h"

namespace kelvor {
namespace {

constexpr double PlotTop = 114.0;

// A number given in units of 10^-decimals as text with a decimal comma: (-95, 2) -> "-0,95".
std::string decimalText(long scaled, int decimals) {
  long divisor = 1;
  for (int i = 0; i < decimals; ++i) divisor *= 10;
  const long magnitude = std::labs(scaled);
  std::string text = std::to_string(magnitude / divisor);
  if (decimals > 0) {
    std::string fraction = std::to_string(magnitude % divisor);
    fraction.insert(0, static_cast<std::size_t>(decimals) - fraction.size(), '0');
    text += "," + fraction;
  }
  return scaled < 0 ? "-" + text : text;
}

YAxisInput plotInput(float yMin, float yMax, int h, float hout) {
  YAxisInput in;
  in.YMin = yMin;
  in.YMax = yMax;
  in.H = h;
  in.Hout = hout;
  in.plotTop = PlotTop;
  in.decimalSeparator = ',';
  in.lblY0Height = 12.75;
  in.lblY0Top = PlotTop + h;
  in.lblX0Top = PlotTop + static_cast<double>(hout) + 2.0;
  return in;
}

int visibleLabels(const YAxisLayout& layout) {
  int count = 0;
  for (const YAxisLabel& label : layout.lblY) count += label.visible ? 1 : 0;
  return count;
}

struct ScaleCase {
  float yMin;
  float yMax;
  int h;
  float hout;
  float step;
  int divPixels;
  int offsetPixels;
  float base;
  double span;  // to two decimals
  std::string pattern;
  int labels;
  // The labels as listed: first, second, last.
  std::string first;
  std::string second;
  std::string last;
  // Every label: (firstScaled + j * stepScaled) in units of 10^-decimals.
  long firstScaled;
  long stepScaled;
  int decimals;
};

TEST(YAxis, ScalesAndLabelsTheRanges) {
  const std::vector<ScaleCase> cases{
      {0, 1.5f, 400, 404, 0.15f, 40, 0, 0, 1.5, "0.00", 11, "0,00", "0,15", "1,50", 0, 15, 2},
      {0, 1000, 400, 404, 50, 19, 10, 0, 1052.63, "###0", 21, "0", "50", "1000", 0, 50, 0},
      {0, 10, 400, 404, 0.5f, 19, 10, 0, 10.53, "0.0", 21, "0,0", "0,5", "10,0", 0, 5, 1},
      {0, 5, 400, 404, 0.25f, 19, 10, 0, 5.26, "0.00", 21, "0,00", "0,25", "5,00", 0, 25, 2},
      // 3.4 tests 3 before 3.5 moves on, so 2.5 survives a range of 25 and more.
      {0, 50, 400, 404, 2.5f, 19, 10, 0, 52.63, "0.0", 21, "0,0", "2,5", "50,0", 0, 25, 1},
      {2, 3, 400, 404, 0.2f, 80, 0, 2, 1.0, "0.0", 6, "2,0", "2,2", "3,0", 20, 2, 1},
      // The top line stands for YMax, so zero falls between two lines and gets no label.
      {-1, 1, 400, 404, 0.15f, 30, 10, -0.95f, 2.0, "0.00", 14, "-0,95", "-0,80", "1,00", -95, 15,
       2},
      {-5, 20, 400, 404, 2, 31, 16, -4, 25.81, "###0", 13, "-4", "-2", "20", -4, 2, 0},
      // Half a step below YMin; the offset rises until YMin is on the plot.
      {-5, 5, 400, 404, 0.5f, 19, 19, -5.5f, 10.53, "0.0", 21, "-5,5", "-5,0", "4,5", -55, 5, 1},
      // Too small for the ladder: the line above the lowest is off the plot.
      {0, 0.1f, 400, 404, 0.15f, 600, 1, 0, 0.1, "0.00", 1, "0,00", "0,00", "0,00", 0, 15, 2},
      // Ranges of 6 and more pass over 1.75, 1.5 and 1.25.
      {60, 75, 400, 404, 1, 26, 5, 60, 15.38, "###0", 16, "60", "61", "75", 60, 1, 0},
      // From 2.25 the search moves on to 2; 2, 2.25 and 1.75 do not divide R = 25 or both ends.
      {75, 100, 400, 404, 2, 31, 7, 75, 25.81, "###0", 13, "75", "77", "99", 75, 2, 0},
      // From 3 the search moves on to 2.5, which divides 30.
      {70, 100, 400, 404, 2.5f, 33, 2, 70, 30.3, "0.0", 13, "70,0", "72,5", "100,0", 700, 25, 1},
      // From 7.5 on to 5 for a range of 25 and more.
      {-150, -15, 400, 404, 5, 14, 11, -150, 142.86, "###0", 28, "-150", "-145", "-15", -150, 5, 0},
      // The search ends at 15; 20 does not divide both ends, the next smaller 10 does.
      // Half the spare height is 12.5 points, which the 0.51 rounds up to 13.
      {750, 1000, 400, 404, 10, 15, 13, 750, 266.67, "###0", 26, "750", "760", "1000", 750, 10, 0},
      // The search ends at 1 (1.25 is passed over); the larger 1.25 divides both ends.
      {-20, -7.5f, 400, 404, 1.25f, 39, 5, -20, 12.82, "0.00", 11, "-20,00", "-18,75", "-7,50",
       -2000, 125, 2},
      // From zero: the search ends at 0.2, the larger 0.25 divides R.
      {0, 2.5f, 400, 404, 0.25f, 39, 5, 0, 2.56, "0.00", 11, "0,00", "0,25", "2,50", 0, 25, 2},
      // From zero: the search ends at 0.15 without a fit, 0.2 does not divide R, 0.1 does.
      {0, 0.5f, 400, 404, 0.1f, 80, 0, 0, 0.5, "0.0", 6, "0,0", "0,1", "0,5", 0, 1, 1},
      // Step 5 would put the lines 11 points apart: one step larger, 7.5.
      {-100, 75, 400, 404, 7.5f, 17, 3, -100, 176.47, "0.0", 24, "-100,0", "-92,5", "72,5", -1000,
       75, 1},
      // 1300 / 500 and 104 / 40 are the same single, so 500 does not fit; with the
      // quotient in double it would.
      {-1000, 300, 100, 104, 250, 19, 2, -1000, 1315.79, "###0", 6, "-1000", "-750", "250", -1000,
       250, 0},
      // R / s = 5 / 0.2 rounds to exactly 25 as a single, so 0.25 is not taken instead.
      {-75, -70, 800, 804, 0.2f, 32, 0, -75, 5.0, "0.0", 26, "-75,0", "-74,8", "-70,0", -750, 2, 1},
      // The search runs to the very last step, 0.1, and ends there; 101 labels at most.
      {0, 41, 20000, 20004, 0.1f, 48, 160, 0, 41.67, "0.0", 101, "0,0", "0,1", "10,0", 0, 1, 1},
      {10, 51, 20000, 20004, 0.1f, 48, 160, 10, 41.67, "0.0", 101, "10,0", "10,1", "20,0", 100, 1,
       1},
      {-51, -10, 20000, 20004, 0.1f, 48, 160, -51, 41.67, "0.0", 101, "-51,0", "-50,9", "-41,0",
       -510, 1, 1},
      // Across zero nothing but the search itself can settle on the last step.
      {-20, 21, 20000, 20004, 0.1f, 48, 289, -20.6f, 41.67, "0.0", 101, "-20,6", "-20,5", "-10,6",
       -206, 1, 1},
  };
  for (const ScaleCase& c : cases) {
    SCOPED_TRACE(std::to_string(c.yMin) + " .. " + std::to_string(c.yMax) + " on " +
                 std::to_string(c.h));
    const YAxisLayout layout = SetYAchse(plotInput(c.yMin, c.yMax, c.h, c.hout));
    ASSERT_TRUE(layout.computed);
    EXPECT_EQ(layout.step, c.step);
    EXPECT_EQ(layout.YDivPixels, c.divPixels);
    EXPECT_EQ(layout.YOffsetPixels, c.offsetPixels);
    EXPECT_NEAR(layout.YBase, c.base, 1e-5);
    EXPECT_NEAR(layout.YSpan, c.span, 0.005);
    EXPECT_EQ(layout.labelPattern, c.pattern);
    ASSERT_EQ(visibleLabels(layout), c.labels);
    EXPECT_EQ(layout.lblY[0].caption, c.first);
    if (c.labels > 1) {
      EXPECT_EQ(layout.lblY[1].caption, c.second);
    }
    EXPECT_EQ(layout.lblY[static_cast<std::size_t>(c.labels - 1)].caption, c.last);
    for (int j = 0; j < c.labels; ++j) {
      SCOPED_TRACE("label " + std::to_string(j));
      const YAxisLabel& label = layout.lblY[static_cast<std::size_t>(j)];
      EXPECT_TRUE(label.visible);
      EXPECT_EQ(label.caption, decimalText(c.firstScaled + j * c.stepScaled, c.decimals));
      // 3 points above its grid line, counted from the plot's top.
      const int lineAboveBottom = c.offsetPixels + j * c.divPixels;
      EXPECT_DOUBLE_EQ(label.top, PlotTop + c.h - lineAboveBottom - 3);
    }
  }
}

TEST(YAxis, PlotsTooLowForOnePointPerDivisionKeepOnePoint) {
  struct Case {
    float yMin;
    float yMax;
    int h;
    float hout;
  };
  const std::vector<Case> cases{{-1000, 1000, 1, 5}, {-1000, 1000, 0, 4}, {0, 1000, 0, 4}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.yMin) + " .. " + std::to_string(c.yMax) + " on " +
                 std::to_string(c.h));
    const YAxisLayout layout = SetYAchse(plotInput(c.yMin, c.yMax, c.h, c.hout));
    ASSERT_TRUE(layout.computed);
    EXPECT_EQ(layout.YDivPixels, 1);
    EXPECT_GT(layout.step, 0.0f);
    EXPECT_LE(visibleLabels(layout), c.h + 1);
  }
}

TEST(YAxis, EmptyRangeChangesNothing) {
  struct Case {
    float yMin;
    float yMax;
    bool computed;
  };
  const std::vector<Case> cases{
      {0, 0, false}, {5, 5, false}, {-2.5f, -2.5f, false}, {0, 1000, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.yMin) + " .. " + std::to_string(c.yMax));
    const YAxisLayout layout = SetYAchse(plotInput(c.yMin, c.yMax, 400, 404));
    EXPECT_EQ(layout.computed, c.computed);
    EXPECT_EQ(visibleLabels(layout) > 0, c.computed);
    EXPECT_FALSE(layout.hideTimeLabel0);

    ScaleParams params;
    params.YDivPixels = 7;
    params.YOffsetPixels = 3;
    params.YBase = 42.0f;
    params.YSpan = 9.0f;
    params.XDivPixels = 48;
    layout.applyTo(params);
    EXPECT_EQ(params.XDivPixels, 48);
    if (c.computed) {
      EXPECT_EQ(params.YDivPixels, 19);
      EXPECT_EQ(params.YOffsetPixels, 10);
      EXPECT_EQ(params.YBase, 0.0f);
      EXPECT_NEAR(params.YSpan, 1052.63, 0.005);
    } else {
      EXPECT_EQ(params.YDivPixels, 7);
      EXPECT_EQ(params.YOffsetPixels, 3);
      EXPECT_EQ(params.YBase, 42.0f);
      EXPECT_EQ(params.YSpan, 9.0f);
    }
  }
}

TEST(YAxis, HidesTimeLabelZeroWhenTheLowestLabelReachesIntoItsRow) {
  struct Case {
    std::string name;
    float yMin;
    float yMax;
    int h;
    double lblY0Top;  // before the call
    double lblX0Top;
    bool hide;
  };
  // 0 .. 1.5 puts its lowest label at PlotTop + 397, 0 .. 1000 at PlotTop + 387; with a
  // height of 12.75 they end 4 points lower at PlotTop + 405.75 and PlotTop + 395.75.
  const std::vector<Case> cases{
      {"lowest label just above the row", 0, 1.5f, 400, 0, PlotTop + 406.0, false},
      {"touching counts as clear", 0, 1.5f, 400, 0, PlotTop + 405.75, false},
      {"lowest label reaches in", 0, 1.5f, 400, 0, PlotTop + 405.5, true},
      {"label 0 is the lowest, not the highest", 0, 1000, 400, 0, PlotTop + 395.5, true},
      {"higher offset stays clear", 0, 1000, 400, 0, PlotTop + 396.0, false},
      // No grid line on this plot gets a label: label 0 keeps its old top.
      {"unplaced label, old top clear", -1000, 1000, 1, 100.0, 109.0, false},
      {"unplaced label, old top reaches in", -1000, 1000, 1, 100.0, 108.5, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    YAxisInput in = plotInput(c.yMin, c.yMax, c.h, static_cast<float>(c.h) + 4);
    in.lblY0Top = c.lblY0Top;
    in.lblX0Top = c.lblX0Top;
    const YAxisLayout layout = SetYAchse(in);
    ASSERT_TRUE(layout.computed);
    EXPECT_EQ(layout.hideTimeLabel0, c.hide);
  }
}

TEST(YAxis, FracKeepsTheSignAndMaxiPicksTheLarger) {
  struct FracCase {
    double x;
    float expected;
  };
  const std::vector<FracCase> fracCases{{-2.25, -0.25f}, {2.75, 0.75f}, {5.0, 0.0f},
                                        {-7.0, 0.0f},    {0.1, 0.1f},   {-0.5, -0.5f}};
  for (const FracCase& c : fracCases) {
    SCOPED_TRACE("Frac(" + std::to_string(c.x) + ")");
    EXPECT_EQ(Frac(c.x), c.expected);
  }
  // Rounded to a single, a tiny fraction stays a fraction: not a whole multiple.
  EXPECT_NE(Frac(3.0 + 1e-9), 0.0f);

  struct MaxiCase {
    float x;
    float y;
    float expected;
  };
  const std::vector<MaxiCase> maxiCases{{1, 2, 2}, {2, 1, 2}, {-1, -3, -1}, {4, 4, 4}};
  for (const MaxiCase& c : maxiCases) {
    SCOPED_TRACE("maxi(" + std::to_string(c.x) + ", " + std::to_string(c.y) + ")");
    EXPECT_EQ(maxi(c.x, c.y), c.expected);
  }
}

}  // namespace
}  // namespace kelvor
