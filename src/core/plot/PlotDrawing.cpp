// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/plot/PlotDrawing.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>

#include "core/InvalidValue.h"
#include "core/recording/ValueLists.h"
#include "core/recording/ValueRange.h"

namespace kelvor {
namespace {

int wholeSeconds(double t) {
  return static_cast<int>(std::min(t, static_cast<double>(INT_MAX)));
}

// One channel's drawn points form a polyline: the first is set as a pixel, every further one
// is joined to the one before. The writer leaves out what cannot change a pixel: points in
// the same column as the one before only widen that column's vertical run (consecutive
// points are joined, so the run is contiguous), and a segment with both ends beyond the same
// raster edge is not drawn at all, since a line never leaves the box of its ends (widened by
// the line width left and up, where a wide line's copies reach in). Only the first point is
// drawn as a point: every later one ends a line.
// Within a run only the values are compared: y falls or rises with the value for all finite
// values alike (every step of the mapping is monotonic and none gives not-a-number for one
// finite value but not another), so only the lowest, highest and last value need mapping.
// Infinite and not-a-number values are mapped one by one.
class TraceWriter {
 public:
  TraceWriter(Raster& raster, const SampleMapping& mapper, std::uint32_t rgb)
      : raster_(raster),
        mapper_(mapper),
        rgb_(rgb),
        width_(raster.width()),
        height_(raster.height()),
        reach_(raster.lineWidth() - 1) {}

  void add(int x, float v) {
    if (started_ && x == column_) {
      widen(v);
      single_ = false;
      return;
    }
    const int y = mapper_.y(static_cast<double>(v));
    if (started_) {
      const int fromY = single_ ? singleY_ : mapper_.y(static_cast<double>(last_));
      drawColumn();
      if (!beyondOneEdge(column_, fromY, x, y)) raster_.line(column_, fromY, x, y, rgb_);
    }
    first_ = !started_;
    started_ = true;
    column_ = x;
    anyFinite_ = false;
    anyOther_ = false;
    widen(v);
    single_ = true;
    singleY_ = y;
  }

  // Draws the pending run and, if anything was drawn, leaves its last point in the pens.
  void finish(PenPositions& pens) {
    if (!started_) return;
    drawColumn();
    pens.LastDrawnX = column_;
    pens.LastDrawnY = single_ ? singleY_ : mapper_.y(static_cast<double>(last_));
  }

 private:
  void widen(float v) {
    last_ = v;
    if (std::isfinite(v)) {
      if (!anyFinite_) {
        anyFinite_ = true;
        lowValue_ = highValue_ = v;
      } else {
        lowValue_ = v < lowValue_ ? v : lowValue_;
        highValue_ = v > highValue_ ? v : highValue_;
      }
    } else {
      const int y = mapper_.y(static_cast<double>(v));
      otherTop_ = anyOther_ ? std::min(otherTop_, y) : y;
      otherBottom_ = anyOther_ ? std::max(otherBottom_, y) : y;
      anyOther_ = true;
    }
  }

  bool beyondOneEdge(int x1, int y1, int x2, int y2) const {
    return (x1 < -reach_ && x2 < -reach_) || (y1 < -reach_ && y2 < -reach_) ||
           (x1 >= width_ && x2 >= width_) || (y1 >= height_ && y2 >= height_);
  }

  void drawColumn() {
    if (column_ < -reach_ || column_ >= width_) return;
    if (single_) {
      if (first_) raster_.dot(column_, singleY_, rgb_);
      return;
    }
    int top = anyOther_ ? otherTop_ : INT_MAX;
    int bottom = anyOther_ ? otherBottom_ : INT_MIN;
    if (anyFinite_) {
      const int a = mapper_.y(static_cast<double>(lowValue_));
      const int b = mapper_.y(static_cast<double>(highValue_));
      top = std::min(top, std::min(a, b));
      bottom = std::max(bottom, std::max(a, b));
    }
    if (!beyondOneEdge(column_, top, column_, bottom)) {
      raster_.line(column_, top, column_, bottom, rgb_);
    }
  }

  Raster& raster_;
  const SampleMapping& mapper_;
  std::uint32_t rgb_;
  int width_;
  int height_;
  int reach_;  // how far a wide line's copies reach left of or above its ends
  bool started_ = false;
  bool first_ = false;  // the pending run starts the polyline
  // The pending run: its column (also the last point's), whether it holds a single point (and
  // that point's row), its last value, the range of its finite values and the rows of its
  // other values.
  int column_ = 0;
  bool single_ = false;
  int singleY_ = 0;
  float last_ = 0;
  bool anyFinite_ = false;
  float lowValue_ = 0;
  float highValue_ = 0;
  bool anyOther_ = false;
  int otherTop_ = 0;
  int otherBottom_ = 0;
};

// The last valid sample of a channel after drawing it, and the range of all its values.
struct ChannelEnd {
  bool any = false;
  int x = 0;
  float value = 0;
  double time = 0;  // rounded to whole seconds
  ValueRange range;
};

// Every valid sample in slot order, the columns thinned by the draw style.
ChannelEnd drawSampleBySample(TraceWriter& writer, const TraceStore& store, int ch,
                              const SampleMapping& mapper, DrawStyle style) {
  constexpr int Block = 256;  // samples mapped at a time
  ChannelEnd end;
  double times[Block];
  int xs[Block];
  ColumnThinning thinning(style);
  const float* values = store.values(ch);
  const int count = store.count(ch);
  for (int first = 1; first <= count; first += Block) {
    const int n = std::min(Block, count - first + 1);
    for (int k = 0; k < n; ++k)
      times[k] = roundHalfEven(static_cast<double>(store.time(ch, first + k)));
    mapper.xs(times, xs, n);
    for (int k = 0; k < n; ++k) {
      const float v = values[first + k];
      if (v == InvalidValue) continue;
      end.any = true;
      end.time = times[k];
      end.value = v;
      end.range.add(v);
      if (thinning.draws(xs[k])) writer.add(xs[k], v);
    }
  }
  end.x = thinning.lastX();
  return end;
}

// The columns of a channel whose times are in order: a sample's column never lies left of an
// earlier one's, so each column's samples are one run of slots, found by searching.
class OrderedColumns {
 public:
  OrderedColumns(const TraceStore& store, int ch, const SampleMapping& mapper)
      : values_(store.values(ch)),
        times_(store.times(ch)),
        count_(store.count(ch)),
        mapper_(mapper) {}

  int count() const { return count_; }
  float value(int slot) const { return values_[slot]; }
  double time(int slot) const { return roundHalfEven(static_cast<double>(times_[slot])); }
  int x(int slot) const { return mapper_.x(time(slot)); }

  // The first slot from `from` on whose column is `column` or right of it; count + 1 if none.
  int firstAtOrRightOf(int column, int from) const {
    int low = from, high = count_ + 1;
    while (low < high) {
      const int mid = low + (high - low) / 2;
      if (x(mid) < column) {
        low = mid + 1;
      } else {
        high = mid;
      }
    }
    return low;
  }

  // The first slot after `from` right of from's column (count + 1 if none). The guess is a
  // run as long as the last one; from there steps of doubling length outwards, then halving
  // inwards, so a run of evenly spaced samples costs a few mappings, any run about 2 log k.
  int runEnd(int from, int column) {
    int inside = from;  // x(inside) <= column; beyond: past the end or x(beyond) > column
    int beyond = std::min(from + run_, count_ + 1);
    if (beyond <= count_ && x(beyond) <= column) {
      for (int step = 1; beyond <= count_ && x(beyond) <= column; step *= 2) {
        inside = beyond;
        beyond = inside + step;
      }
      beyond = std::min(beyond, count_ + 1);
    } else {
      for (int step = 1; beyond - step > inside; step *= 2) {
        if (x(beyond - step) <= column) {
          inside = beyond - step;
          break;
        }
        beyond -= step;
      }
    }
    while (beyond - inside > 1) {
      const int mid = inside + (beyond - inside) / 2;
      if (x(mid) <= column) {
        inside = mid;
      } else {
        beyond = mid;
      }
    }
    run_ = beyond - from;
    return beyond;
  }

  // The first valid slot in begin..end - 1, else end; the last, else begin - 1.
  int firstValid(int begin, int end) const {
    while (begin < end && values_[begin] == InvalidValue) ++begin;
    return begin;
  }
  int lastValid(int begin, int end) const {
    while (end > begin && values_[end - 1] == InvalidValue) --end;
    return end - 1;
  }

 private:
  const float* values_;
  const float* times_;
  int count_;
  const SampleMapping& mapper_;
  int run_ = 1;  // the length of the last run found
};

// Hands the writer, per column, only what decides its pixels: with "1/s" the first value, the
// lowest and highest (and any value of another kind) and the last; with "1/Spalte" the first,
// which is all that style draws of a column (of the channel's first column not even that when
// it lies at or left of the left edge). Of the columns left of the picture only the last
// matters (the line from it into the picture), of those right of it the first (the line
// into it) and the last (where the pens end).
class ColumnFeeder {
 public:
  ColumnFeeder(TraceWriter& writer, const OrderedColumns& columns, const MinMaxSummary& summary,
               const float* values, DrawStyle style, int firstColumn)
      : writer_(writer),
        columns_(columns),
        summary_(summary),
        values_(values),
        every_(style == DrawStyle::EveryReading),
        firstColumn_(firstColumn) {}

  // The slots begin..end - 1 of one column; whole: with its lowest and highest values.
  void column(int begin, int end, int x, bool whole) {
    const int first = columns_.firstValid(begin, end);
    if (first == end) return;
    if (!every_) {
      if (x != firstColumn_ || x > 0) writer_.add(x, columns_.value(first));
      return;
    }
    const int last = columns_.lastValid(first, end);
    if (whole) {
      writer_.add(x, columns_.value(first));
      if (last == first) return;
      const ValueRange range = summary_.range(values_ + 1, first - 1, last);
      if (range.anyFinite()) {
        writer_.add(x, range.low);
        writer_.add(x, range.high);
      }
      if (range.has(ValueRange::Above)) writer_.add(x, INFINITY);
      if (range.has(ValueRange::Below)) writer_.add(x, -INFINITY);
      if (range.has(ValueRange::NotANumber)) writer_.add(x, NAN);
    }
    writer_.add(x, columns_.value(last));
  }

  // The column of the valid slot `slot`, for its line only (the column is not drawn).
  void lineTo(int slot, int from) {
    const int x = columns_.x(slot);
    column(every_ ? slot : columns_.firstAtOrRightOf(x, from), slot + 1, x, false);
  }

 private:
  TraceWriter& writer_;
  const OrderedColumns& columns_;
  const MinMaxSummary& summary_;
  const float* values_;
  bool every_;
  int firstColumn_;
};

ChannelEnd drawByColumns(TraceWriter& writer, const TraceStore& store, int ch,
                         const SampleMapping& mapper, const Raster& raster, DrawStyle style) {
  ChannelEnd end;
  OrderedColumns columns(store, ch, mapper);
  const int count = columns.count();
  const int firstSlot = columns.firstValid(1, count + 1);
  if (firstSlot > count) return end;
  const int lastSlot = columns.lastValid(firstSlot, count + 1);
  ColumnFeeder feeder(writer, columns, store.summary(ch), store.values(ch), style,
                      columns.x(firstSlot));
  const int left = -(raster.lineWidth() - 1), right = raster.width();
  int slot = columns.firstAtOrRightOf(left, 1);
  const int before = columns.lastValid(1, slot);
  if (before >= 1) feeder.lineTo(before, 1);
  while (slot <= count) {
    const int x = columns.x(slot);
    if (x >= right) break;
    const int next = columns.runEnd(slot, x);
    feeder.column(slot, next, x, true);
    slot = next;
  }
  const int beyond = columns.firstValid(slot, count + 1);
  if (beyond <= count) {
    const int x = columns.x(beyond);
    const int next = columns.runEnd(beyond, x);
    feeder.column(beyond, next, x, true);
    if (lastSlot >= next) feeder.lineTo(lastSlot, next);
  }
  end.any = true;
  end.x = columns.x(lastSlot);
  end.value = columns.value(lastSlot);
  end.time = columns.time(lastSlot);
  end.range = store.summary(ch).range(store.values(ch) + 1, 0, count);
  return end;
}

}  // namespace

SampleMapping screenMapping(const ScaleParams& scale, const Raster& raster) {
  return SampleMapping(scale, raster.pointWidth(), raster.pointHeight(), raster.pixelsPerPointX(),
                       raster.pixelsPerPointY());
}

PlotPoint mapSample(double t, double v, const Raster& raster, const ScaleParams& scale) {
  return screenMapping(scale, raster)(t, v);
}

void drawGrid(Raster& raster, const ScaleParams& scale, double timeGridOffset) {
  // Positions in points, as the axes place their labels; drawn at the nearest pixel.
  const double xPerPoint = raster.pixelsPerPointX();
  const double yPerPoint = raster.pixelsPerPointY();
  const int w = raster.pointWidth();
  const int h = raster.pointHeight();
  const int right = raster.width();
  const int bottom = raster.height();
  const std::uint32_t grey = paletteRgb(GridColor);
  if (scale.XDivPixels > 0) {
    const std::int64_t division = scale.XDivPixels;
    const std::int64_t lines = 2 * std::int64_t{w} / division;
    for (std::int64_t i = -1; i <= lines; ++i) {
      const double at = timeGridOffset + static_cast<double>(division * i / 2);
      if (at > 0 && at <= w)
        raster.line(toCoordinate(at * xPerPoint), 0, toCoordinate(at * xPerPoint), bottom, grey);
    }
  }
  if (scale.YDivPixels > 0) {
    const std::int64_t step = scale.YDivPixels;
    std::int64_t y = scale.YOffsetPixels;
    // Lines at y <= 0 lie on or below the bottom row h - 1 and so outside: skip them at once.
    if (y < 1) y += (1 - y + step - 1) / step * step;
    for (; y <= h; y += step) {
      const int row = toCoordinate(static_cast<double>(h - y) * yPerPoint);
      raster.line(0, row, right, row, grey);
    }
  }
}

ChannelsDrawn drawChannels(Raster& raster, const TraceStore& store, const ScaleParams& scale,
                           DrawStyle style, ChannelPens& pens) {
  ChannelsDrawn drawn;
  const SampleMapping mapper = screenMapping(scale, raster);
  double lastTime = 0;
  for (int ch = 0; ch < TraceStore::Channels; ++ch) {
    TraceWriter writer(raster, mapper,
                       paletteRgb(ValueLists::ChannelColors[static_cast<std::size_t>(ch)]));
    const bool summarised = store.timesInOrder(ch) && store.summary(ch).length() == store.count(ch);
    const ChannelEnd end = summarised ? drawByColumns(writer, store, ch, mapper, raster, style)
                                      : drawSampleBySample(writer, store, ch, mapper, style);
    if (end.any) {
      drawn.min = std::min(drawn.min, end.range.lowest(drawn.min));
      drawn.max = std::max(drawn.max, end.range.highest(drawn.max));
      if (end.time > lastTime) lastTime = end.time;
    }
    PenPositions& channelPens = pens[static_cast<std::size_t>(ch)];
    channelPens.clear();
    writer.finish(channelPens);
    channelPens.LastX = end.any ? end.x : 0;
    channelPens.LastY = end.any ? mapper.y(static_cast<double>(end.value)) : 0;
  }
  drawn.lastTime = wholeSeconds(lastTime);
  return drawn;
}

}  // namespace kelvor
