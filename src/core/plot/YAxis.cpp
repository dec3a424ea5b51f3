// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/plot/YAxis.h"

#include <cmath>
#include <cstddef>
#include <limits>

#include "core/plot/WholeNumbers.h"
#include "core/recording/ValueLists.h"
#include "core/text/NumberFormat.h"

namespace kelvor {

namespace {

constexpr int LastStepIndex = static_cast<int>(ValueLists::YStepList.size()) - 1;
constexpr int LastLabel = 100;

double stepEntry(int k) {
  return ValueLists::YStepList[static_cast<std::size_t>(k)];
}

// x / entry as the whole-multiple tests see it: the whole entries are small integers, and
// a single divided by one of them stays a single; the fractional entries are doubles.
double quotientByEntry(float x, double entry) {
  if (entry == std::floor(entry)) return static_cast<double>(x / static_cast<float>(entry));
  return static_cast<double>(x) / entry;
}

bool isWholeMultiple(float x, double entry) {
  return fractionalPart(quotientByEntry(x, entry)) == 0.0f;
}

// R / s with both singles: in double, rounded to single before the fraction is taken.
bool isWholeMultipleOfStep(float r, float s) {
  const float q = static_cast<float>(static_cast<double>(r) / static_cast<double>(s));
  return fractionalPart(static_cast<double>(q)) == 0.0f;
}

// Index of the step the search ends at: the largest step whose lines would come closer
// than about 40 points and, for a range across zero, that divides the larger end.
int searchStep(float yMin, float yMax, float r, float hout) {
  const int last = LastStepIndex - 1;
  const float minDivisions = static_cast<float>(static_cast<double>(hout) / 40.0);
  int k = 0;
  for (;;) {
    ++k;
    // The steps 1.75, 1.5 and 1.25 make odd grids for ranges of 6 and more.
    if (r >= 6.0f && stepEntry(k) >= 1.25 && stepEntry(k) <= 1.75) continue;
    // Wide ranges skip a step that does not divide them, and halves or 3 and 2.25
    // below; each test sees k as the one before left it.
    if (r >= 40.0f && fractionalPart(quotientByEntry(r, stepEntry(k))) > 0.0f) ++k;
    if (fractionalPart(stepEntry(k)) == 0.5f && r >= 25.0f) ++k;
    if (stepEntry(k) == 3.0 && r >= 9.0f) ++k;
    if (stepEntry(k) == 2.25 && r >= 9.0f) ++k;
    bool found = quotientByEntry(r, stepEntry(k)) > static_cast<double>(minDivisions);
    if (yMin < 0.0f && 0.0f < yMax) {
      found = found && isWholeMultiple(maxi(std::fabs(yMin), std::fabs(yMax)), stepEntry(k));
    }
    // The skip above can reach the very last entry past `last`; the search ends there too.
    if (k >= last || found) return k;
  }
}

std::string labelPatternFor(float s, float yBase, char sep) {
  const std::string a =
      formatGeneral(static_cast<double>(fractionalPart(static_cast<double>(s))), 7, sep);
  const double baseAndStep = static_cast<double>(std::fabs(yBase)) + static_cast<double>(s);
  const std::string b =
      formatPattern(static_cast<double>(fractionalPart(baseAndStep)), "0.##", sep);
  const float length = maxi(static_cast<float>(a.size()), static_cast<float>(b.size()));
  if (length == 4.0f) return "0.00";
  if (length == 3.0f) return "0.0";
  return "###0";
}

// The grid step: where the search ends, or a neighbouring step that suits the range better.
float chooseStep(float yMin, float yMax, double h, float hout) {
  const float r = yMax - yMin;
  const double dR = static_cast<double>(r);
  const int k = searchStep(yMin, yMax, r, hout);
  const bool hasBelow = k < LastStepIndex;
  float s = static_cast<float>(stepEntry(k));

  // A range from zero prefers a neighbouring step that divides it.
  if (yMin == 0.0f && !isWholeMultipleOfStep(r, s)) {
    if (isWholeMultiple(r, stepEntry(k - 1))) {
      s = static_cast<float>(stepEntry(k - 1));
    } else if (hasBelow && isWholeMultiple(r, stepEntry(k + 1))) {
      s = static_cast<float>(stepEntry(k + 1));
    }
  }
  // A range on one side of zero prefers a neighbour that divides both ends.
  const bool sameSign = (yMin > 0.0f && yMax > 0.0f) || (yMin < 0.0f && yMax < 0.0f);
  if (sameSign && !isWholeMultipleOfStep(r, s)) {
    if (isWholeMultiple(yMin, stepEntry(k - 1)) && isWholeMultiple(yMax, stepEntry(k - 1))) {
      s = static_cast<float>(stepEntry(k - 1));
    } else if (hasBelow && isWholeMultiple(yMin, stepEntry(k + 1)) &&
               isWholeMultiple(yMax, stepEntry(k + 1))) {
      s = static_cast<float>(stepEntry(k + 1));
    }
  }
  // Lines closer than 12 points: one step larger than where the search stopped.
  if (wholePart(h / (dR / static_cast<double>(s))) < 12) s = static_cast<float>(stepEntry(k - 1));
  return s;
}

}  // namespace

float fractionalPart(double x) {
  return static_cast<float>(x - std::trunc(x));
}

float maxi(float x, float y) {
  return x > y ? x : y;
}

void YAxisLayout::applyTo(ScaleParams& params) const {
  if (!computed) return;
  params.YDivPixels = YDivPixels;
  params.YOffsetPixels = YOffsetPixels;
  params.YBase = YBase;
  params.YSpan = YSpan;
}

YAxisLayout setValueAxis(const YAxisInput& in) {
  YAxisLayout out;
  const float yMin = in.YMin;
  const float yMax = in.YMax;
  const float r = yMax - yMin;
  if (r == 0.0f || !std::isfinite(r)) return out;
  out.computed = true;

  const double h = static_cast<double>(in.H);
  const double dMin = static_cast<double>(yMin);
  const double dMax = static_cast<double>(yMax);
  const double dR = static_cast<double>(r);

  const float s = chooseStep(yMin, yMax, h, in.Hout);
  const double dS = static_cast<double>(s);

  // The largest whole spacing for which H points stand for more than the range.
  long long n = wholePart(h / (dR / dS)) + 1;
  while (n != 0 && dS / static_cast<double>(n) * h + dMin <= dMax) --n;
  // Below one point per division (a plot only a few points high) the spacing stays 1,
  // so that the lines below can be counted off.
  if (n < 1) n = 1;
  const double dN = static_cast<double>(n);

  const float count = static_cast<float>(wholePart(h / dN));
  out.YSpan = static_cast<float>(h / dN * dS);
  // Across zero with the larger end on top, the top line stands for YMax.
  if (yMin < 0.0f && 0.0f < yMax && std::fabs(yMax) >= std::fabs(yMin)) {
    out.YBase = static_cast<float>(dMax - dS * static_cast<double>(count));
  } else {
    out.YBase = yMin;
  }
  const double dBase = static_cast<double>(out.YBase);

  // Half the spare height, then high enough that YMin is on the plot.
  long long m = wholePart(dN / dS * (static_cast<double>(out.YSpan) - dR) / 2.0 + 0.51);
  while (dS * static_cast<double>(m) / dN < std::fabs(dMin - dBase)) ++m;
  if (dS * static_cast<double>(m) / dN + (dS * static_cast<double>(count) + dMin) <= dMax) ++m;

  out.step = s;
  out.YDivPixels = toInt(n);
  out.YOffsetPixels = toInt(m);
  out.labelPattern = labelPatternFor(s, out.YBase, in.decimalSeparator);

  // One label per grid line from the bottom, as many as there are labels.
  int j = 0;
  for (long long p = m; p <= static_cast<long long>(in.H) && j <= LastLabel; p += n, ++j) {
    YAxisLabel& label = out.valueLabels[static_cast<std::size_t>(j)];
    label.top = in.plotTop + h - static_cast<double>(p) - 3.0;
    label.caption =
        formatPattern(dS * static_cast<double>(j) + dBase, out.labelPattern, in.decimalSeparator);
    label.visible = true;
  }

  const double lowestTop =
      out.valueLabels[0].visible ? out.valueLabels[0].top : in.firstValueLabelTop;
  out.hideTimeLabel0 = lowestTop + in.firstValueLabelHeight - 4.0 > in.firstTimeLabelTop;
  return out;
}

}  // namespace kelvor
