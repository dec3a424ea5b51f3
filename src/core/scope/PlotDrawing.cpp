#include "core/scope/PlotDrawing.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>

#include "core/acquisition/MeterFrame.h"
#include "core/scope/ValueLists.h"

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
  void finish(RecordingState& pens) {
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

}  // namespace

SampleMapping screenMapping(const ScaleParams& scale, const Raster& raster) {
  return SampleMapping(scale, raster.pointWidth(), raster.pointHeight(), raster.pixelsPerPointX(),
                       raster.pixelsPerPointY());
}

PlotPoint mapSample(double t, double v, const Raster& raster, const ScaleParams& scale) {
  return screenMapping(scale, raster)(t, v);
}

void DrawGrid(Raster& raster, const ScaleParams& scale) {
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
    for (std::int64_t i = 1; i <= lines; ++i) {
      const int x = toCoordinate(static_cast<double>(division * i / 2) * xPerPoint);
      raster.line(x, 0, x, bottom, grey);
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
                           DrawStyle style, RecordingState& pens) {
  constexpr int Block = 256;  // samples mapped at a time
  ChannelsDrawn drawn;
  const SampleMapping mapper = screenMapping(scale, raster);
  double t = 0;  // the last valid sample's time, carried from channel to channel
  double lastTime = 0;
  float values[Block];
  double times[Block];
  int xs[Block];
  for (int ch = 0; ch < TraceStore::Channels; ++ch) {
    TraceWriter writer(raster, mapper,
                       paletteRgb(ValueLists::ChannelColors[static_cast<std::size_t>(ch)]));
    bool anyValid = false;
    ColumnThinning thinning(style);
    float lastValue = 0;
    const int count = store.count(ch);
    for (int first = 1; first <= count; first += Block) {
      const int n = std::min(Block, count - first + 1);
      for (int k = 0; k < n; ++k) {
        values[k] = store.value(ch, first + k);
        times[k] = roundHalfEven(static_cast<double>(store.time(ch, first + k)));
      }
      mapper.xs(times, xs, n);
      for (int k = 0; k < n; ++k) {
        const float v = values[k];
        if (v == InvalidValue) continue;
        anyValid = true;
        t = times[k];
        if (v < drawn.min) drawn.min = v;
        if (v > drawn.max) drawn.max = v;
        if (thinning.draws(xs[k])) writer.add(xs[k], v);
        lastValue = v;
      }
    }
    writer.finish(pens);
    pens.LastX = thinning.lastX();
    pens.LastY = anyValid ? mapper.y(static_cast<double>(lastValue)) : 0;
    if (t > lastTime) lastTime = t;
  }
  drawn.lastTime = wholeSeconds(lastTime);
  return drawn;
}

ChannelsDrawn drawChannelsPlain(Raster& raster, const TraceStore& store, const ScaleParams& scale,
                                DrawStyle style, RecordingState& pens) {
  ChannelsDrawn drawn;
  const SampleMapping mapper = screenMapping(scale, raster);
  double t = 0;
  double lastTime = 0;
  for (int ch = 0; ch < TraceStore::Channels; ++ch) {
    bool first = true;
    ColumnThinning thinning(style);
    pens.LastY = 0;
    const std::uint32_t colour =
        paletteRgb(ValueLists::ChannelColors[static_cast<std::size_t>(ch)]);
    const int count = store.count(ch);
    for (int i = 1; i <= count; ++i) {
      const float v = store.value(ch, i);
      if (v == InvalidValue) continue;
      t = roundHalfEven(static_cast<double>(store.time(ch, i)));
      if (v < drawn.min) drawn.min = v;
      if (v > drawn.max) drawn.max = v;
      const PlotPoint p = mapper(t, static_cast<double>(v));
      if (thinning.draws(p.x)) {
        if (first) {
          raster.dot(p.x, p.y, colour);
          first = false;
        } else {
          raster.line(pens.LastDrawnX, pens.LastDrawnY, p.x, p.y, colour);
        }
        pens.LastDrawnX = p.x;
        pens.LastDrawnY = p.y;
      }
      pens.LastY = p.y;
    }
    pens.LastX = thinning.lastX();
    if (t > lastTime) lastTime = t;
  }
  drawn.lastTime = wholeSeconds(lastTime);
  return drawn;
}

}  // namespace kelvor
