#include "core/scope/PlotDrawing.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>

#include "core/acquisition/MeterFrame.h"
#include "core/scope/ValueLists.h"

namespace kelvor {
namespace {

// Mapped coordinates stay within this, so any line between two of them is safe to draw.
constexpr double CoordinateLimit = 1e9;

// Nearest whole number, halves to even; not-a-number counts as 0.
int toCoordinate(double r) {
  const double rounded = std::nearbyint(r);
  if (std::isnan(rounded)) return 0;
  return static_cast<int>(std::clamp(rounded, -CoordinateLimit, CoordinateLimit));
}

// mapSample with the scale read once, for the loops over all samples.
class SampleMapper {
 public:
  SampleMapper(int w, int h, const ScaleParams& scale)
      : across_(static_cast<double>(scale.SecondsAcross)),
        width_(w),
        height_(h),
        bottomLine_(static_cast<double>(h) - static_cast<double>(scale.YOffsetPixels)),
        base_(static_cast<double>(scale.YBase)),
        span_(static_cast<double>(scale.YSpan)) {}

  int x(double t) const { return across_ > 0 ? toCoordinate(t / across_ * width_) : 0; }
  int y(double v) const {
    return span_ != 0 ? toCoordinate(bottomLine_ - (v - base_) * height_ / span_)
                      : toCoordinate(bottomLine_);
  }

 private:
  double across_;
  double width_;
  double height_;
  double bottomLine_;
  double base_;
  double span_;
};

int wholeSeconds(double t) {
  return static_cast<int>(std::min(t, static_cast<double>(INT_MAX)));
}

// One channel's drawn points form a polyline: the first is set as a pixel, every further one
// is joined to the one before. The writer leaves out what cannot change a pixel: points in
// the same column as the one before only widen that column's vertical run (consecutive
// points are joined, so the run is contiguous), and a segment with both ends beyond the same
// raster edge is not drawn at all, since a line never leaves the box of its ends.
class TraceWriter {
 public:
  TraceWriter(Raster& raster, std::uint32_t rgb)
      : raster_(raster), rgb_(rgb), width_(raster.width()), height_(raster.height()) {}

  void add(int x, int y) {
    if (!started_) {
      started_ = true;
    } else if (x == column_) {
      low_ = std::min(low_, y);
      high_ = std::max(high_, y);
      lastY_ = y;
      return;
    } else {
      drawColumn();
      if (!beyondOneEdge(column_, lastY_, x, y)) raster_.line(column_, lastY_, x, y, rgb_);
    }
    column_ = x;
    low_ = high_ = lastY_ = y;
  }

  void finish() {
    if (started_) drawColumn();
  }

 private:
  bool beyondOneEdge(int x1, int y1, int x2, int y2) const {
    return (x1 < 0 && x2 < 0) || (y1 < 0 && y2 < 0) || (x1 >= width_ && x2 >= width_) ||
           (y1 >= height_ && y2 >= height_);
  }

  void drawColumn() {
    if (!beyondOneEdge(column_, low_, column_, high_)) {
      raster_.line(column_, low_, column_, high_, rgb_);
    }
  }

  Raster& raster_;
  std::uint32_t rgb_;
  int width_;
  int height_;
  bool started_ = false;
  int column_ = 0;  // the column of the pending run and of the last point
  int low_ = 0;
  int high_ = 0;
  int lastY_ = 0;
};

}  // namespace

PlotPoint mapSample(double t, double v, int w, int h, const ScaleParams& scale) {
  const SampleMapper mapper(w, h, scale);
  return {mapper.x(t), mapper.y(v)};
}

void DrawGrid(Raster& raster, const ScaleParams& scale) {
  const int w = raster.width();
  const int h = raster.height();
  const std::uint32_t grey = paletteRgb(GridColor);
  if (scale.XDivPixels > 0) {
    const std::int64_t division = scale.XDivPixels;
    const std::int64_t lines = 2 * std::int64_t{w} / division;
    for (std::int64_t i = 1; i <= lines; ++i) {
      const int x = static_cast<int>(division * i / 2);
      raster.line(x, 0, x, h, grey);
    }
  }
  if (scale.YDivPixels > 0) {
    const std::int64_t step = scale.YDivPixels;
    std::int64_t y = scale.YOffsetPixels;
    // Lines at y <= 0 lie on or below the bottom row h - 1 and so outside: skip them at once.
    if (y < 1) y += (1 - y + step - 1) / step * step;
    for (; y <= h; y += step) {
      const int row = static_cast<int>(h - y);
      raster.line(0, row, w, row, grey);
    }
  }
}

ChannelsDrawn drawChannels(Raster& raster, const TraceStore& store, const ScaleParams& scale,
                           DrawStyle style, RecordingState& pens) {
  ChannelsDrawn drawn;
  const SampleMapper mapper(raster.width(), raster.height(), scale);
  const bool everyReading = style == DrawStyle::EveryReading;
  double t = 0;  // the last valid sample's time, carried from channel to channel
  double lastTime = 0;
  for (int ch = 0; ch < TraceStore::Channels; ++ch) {
    TraceWriter writer(raster, paletteRgb(ValueLists::ChannelColors[static_cast<std::size_t>(ch)]));
    int lastX = 0;
    int lastY = 0;
    const int count = store.count(ch);
    for (int i = 1; i <= count; ++i) {
      const float v = store.value(ch, i);
      if (v == InvalidValue) continue;
      t = std::nearbyint(static_cast<double>(store.time(ch, i)));
      if (v < drawn.min) drawn.min = v;
      if (v > drawn.max) drawn.max = v;
      const int x = mapper.x(t);
      const int y = mapper.y(static_cast<double>(v));
      if (x > lastX || everyReading) {
        writer.add(x, y);
        pens.LastDrawnX = x;
        pens.LastDrawnY = y;
      }
      lastX = x;
      lastY = y;
    }
    writer.finish();
    pens.LastX = lastX;
    pens.LastY = lastY;
    if (t > lastTime) lastTime = t;
  }
  drawn.lastTime = wholeSeconds(lastTime);
  return drawn;
}

ChannelsDrawn drawChannelsPlain(Raster& raster, const TraceStore& store, const ScaleParams& scale,
                                DrawStyle style, RecordingState& pens) {
  ChannelsDrawn drawn;
  const int w = raster.width();
  const int h = raster.height();
  double t = 0;
  double lastTime = 0;
  for (int ch = 0; ch < TraceStore::Channels; ++ch) {
    bool first = true;
    pens.LastX = 0;
    pens.LastY = 0;
    const std::uint32_t colour =
        paletteRgb(ValueLists::ChannelColors[static_cast<std::size_t>(ch)]);
    const int count = store.count(ch);
    for (int i = 1; i <= count; ++i) {
      const float v = store.value(ch, i);
      if (v == InvalidValue) continue;
      t = std::nearbyint(static_cast<double>(store.time(ch, i)));
      if (v < drawn.min) drawn.min = v;
      if (v > drawn.max) drawn.max = v;
      const PlotPoint p = mapSample(t, static_cast<double>(v), w, h, scale);
      if (p.x > pens.LastX || style == DrawStyle::EveryReading) {
        if (first) {
          raster.setPixel(p.x, p.y, colour);
          first = false;
        } else {
          raster.line(pens.LastDrawnX, pens.LastDrawnY, p.x, p.y, colour);
        }
        pens.LastDrawnX = p.x;
        pens.LastDrawnY = p.y;
      }
      pens.LastX = p.x;
      pens.LastY = p.y;
    }
    if (t > lastTime) lastTime = t;
  }
  drawn.lastTime = wholeSeconds(lastTime);
  return drawn;
}

}  // namespace kelvor
