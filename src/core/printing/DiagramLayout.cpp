// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/printing/DiagramLayout.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

#include "core/InvalidValue.h"
#include "core/plot/WholeNumbers.h"
#include "core/recording/ValueLists.h"

namespace kelvor {

namespace {

// lblX and lblY have the members 0 to 100.
constexpr std::size_t LastLabel = 100;
constexpr std::uint32_t Black = 0x000000;

int rounded(double r) {
  return toCoordinate(r);
}

// r + 0.5 rounded down within the coordinate limit; not-a-number gives 0.
int halfUp(double r) {
  return static_cast<int>(floorWithin(r + 0.5, CoordinateLimit));
}

// A screen distance (points) carried over to the page: round(screen * page / screenSize).
// A screen of no size gives 0.
int scaled(int screen, int page, int screenSize) {
  if (screenSize <= 0) return 0;
  return rounded(static_cast<double>(screen) * static_cast<double>(page) /
                 static_cast<double>(screenSize));
}

TextExtent measure(const DeviceInfo& device, const std::string& text, const PictureFont& font) {
  if (device.measureText) return device.measureText(text, font);
  // Without a device to ask: characters (not UTF-8 continuation bytes) half as wide as high.
  const auto characters = std::count_if(text.begin(), text.end(), [](char c) {
    return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  });
  return TextExtent{static_cast<int>(characters) * font.height / 2, font.height};
}

const AxisCaption* captionAt(const std::vector<AxisCaption>& labels, std::size_t k) {
  return k < labels.size() ? &labels[k] : nullptr;
}

// The page as the layout uses it: the device (the clipboard picture's fixed values unless a
// printer), its scale against 300 dpi, the diagram's place and the screen's grid on it.
struct Page {
  int planes = 15;
  double dpiX = 200.0;
  double dpiY = 200.0;
  int baseFontSize = 12;
  DiagramFrame frame = metafileFrame();
  double sx = 0.0;
  double sy = 0.0;
  int xStep = 1;  // one time division
  int yStep = 1;  // one Y division
  int yOff = 0;   // the lowest grid line above the bottom edge

  int right() const { return frame.left + frame.plotWidth - 1; }
  int bottom() const { return frame.top + frame.plotHeight; }
};

Page pageFor(const DiagramInput& input, const DeviceInfo& device) {
  Page page;
  if (!device.metafile) {
    page.planes = device.colourPlanes;
    page.dpiX = static_cast<double>(device.dpiX);
    page.dpiY = static_cast<double>(device.dpiY);
    page.baseFontSize = 14;
    page.frame =
        printerFrame(device.area.width, std::max(device.area.height, 0), device.dpiX, device.dpiY);
  }
  page.sx = page.dpiX / 300.0;
  page.sy = page.dpiY / 300.0;
  // The screen's grid carried over to the page. A step below one unit would give no grid
  // at all (and no end to the walks below), so it is one unit at least.
  const ScaleParams& scale = input.scale;
  const DiagramFrame& f = page.frame;
  page.xStep = std::max(1, scaled(scale.XDivPixels, f.plotWidth, input.plotWidth));
  page.yStep = std::max(1, scaled(scale.YDivPixels, f.plotHeight, input.plotHeight));
  page.yOff = std::max(0, scaled(scale.YOffsetPixels, f.plotHeight, input.plotHeight));
  return page;
}

void drawFrame(DiagramPicture& picture, const Page& page) {
  const int width = halfUp(2.0 * page.sy);
  const int left = page.frame.left;
  const int top = page.frame.top;
  const int right = page.right();
  const int bottom = page.bottom();
  picture.drawLine(left, top, right, top, width, Black);
  picture.drawLine(right, top, right, bottom, width, Black);
  picture.drawLine(right, bottom, left, bottom, width, Black);
  picture.drawLine(left, bottom, left, top, width, Black);
}

// Vertical lines at every half division, horizontal ones from the lowest one up.
void drawGrid(DiagramPicture& picture, const Page& page) {
  const DiagramFrame& f = page.frame;
  const int verticalPen = roundToDevice(page.sx);
  const long long halfDivisions = 2LL * f.plotWidth / page.xStep;
  for (long long i = 1; i <= halfDivisions; ++i) {
    const auto x = static_cast<int>(static_cast<long long>(page.xStep) * i / 2 + f.left);
    picture.drawLine(x, f.top, x, page.bottom(), verticalPen, Black);
  }
  const int horizontalPen = roundToDevice(page.sy);
  for (long long g = page.yOff; g <= f.plotHeight; g += page.yStep) {
    const auto y = static_cast<int>(f.plotHeight - g + f.top);
    picture.drawLine(f.left, y, f.left + f.plotWidth, y, horizontalPen, Black);
  }
}

// Y labels right-aligned left of the frame, centred on their grid lines. Gives half the
// height of the last one put on the page (0 without any).
int drawYLabels(DiagramPicture& picture, const DiagramInput& input, const DeviceInfo& device,
                const Page& page) {
  const DiagramFrame& f = page.frame;
  int half = 0;
  std::size_t k = 0;
  for (long long g = page.yOff; g <= f.plotHeight && k <= LastLabel; g += page.yStep, ++k) {
    const AxisCaption* label = captionAt(input.valueLabels, k);
    if (!label || !label->visible) continue;
    const TextExtent extent = measure(device, label->text, picture.font());
    half = extent.cy / 2;
    const int x = rounded(f.left - extent.cx - 10.0 * page.sx);
    const auto y = static_cast<int>(f.plotHeight - half - g + f.top);
    picture.drawText(x, y, label->text);
  }
  return half;
}

// Time labels below the frame, centred on the full divisions, as far as they end inside
// the frame's right edge; the unit below them, `half` (see drawYLabels) further down.
void drawTimeLabels(DiagramPicture& picture, const DiagramInput& input, const DeviceInfo& device,
                    const Page& page, int half) {
  const DiagramFrame& f = page.frame;
  const int labelTop = rounded(halfUp(page.sy * 5.0) + f.plotHeight + f.top);
  for (std::size_t j = 0; j <= LastLabel; ++j) {
    const AxisCaption* label = captionAt(input.timeLabels, j);
    if (!label) break;
    const TextExtent extent =
        label->visible ? measure(device, label->text, picture.font()) : TextExtent{0, 0};
    const int x = rounded(f.left - extent.cx / 2.0 + static_cast<double>(j) * page.xStep);
    if (j > 0 &&
        static_cast<long long>(x) + extent.cx > static_cast<long long>(f.left) + f.plotWidth)
      break;
    if (label->visible) picture.drawText(x, labelTop, label->text);
  }
  if (input.timeUnitLabel.visible) {
    picture.drawText(rounded(f.plotWidth / 2.0 + f.left),
                     rounded(half * 2.2 + f.plotHeight + f.top), input.timeUnitLabel.text);
  }
}

// The trace pen: about two dots at 300 dpi; on a coarse device one unit. Where the device's
// resolutions differ, the pen's thickness lies across the segment: steep segments take the
// width across, flat ones the height.
class TracePen {
 public:
  explicit TracePen(const Page& page)
      : sx_(page.sx), sy_(page.sy), dpiX_(page.dpiX), dpiY_(page.dpiY) {
    if (sx_ < 0.5 || sy_ < 0.5) {
      factor_ = sx_ < sy_ ? 1.0 / sx_ : 1.0 / sy_;
      width_ = 1;
    }
  }

  int width(const PlotPoint& from, const PlotPoint& to) const {
    if (dpiX_ == dpiY_) return width_;
    const double dx = std::fabs(static_cast<double>(to.x) - from.x);
    const double dy = std::fabs(static_cast<double>(to.y) - from.y);
    return dy / dpiY_ >= dx / dpiX_ ? roundToDevice(factor_ * sx_) : roundToDevice(factor_ * sy_);
  }

 private:
  double sx_, sy_, dpiX_, dpiY_;
  double factor_ = 2.0;
  int width_ = roundToDevice(2.0 * sx_);
};

void drawTraces(DiagramPicture& picture, const DiagramInput& input, const DeviceInfo& device,
                const Page& page) {
  if (!input.store) return;
  const TraceStore& store = *input.store;
  const TracePen pen(page);
  // Dark colours where bright ones would fade: on the clipboard picture and without colour.
  const int colourShift = device.metafile || page.planes == 1 ? 8 : 0;
  const DiagramFrame& f = page.frame;
  const SampleMapping mapping(input.scale,
                              PlotBox{f.left, f.top, f.plotWidth, f.plotHeight, page.yOff});
  PlotPoint last;  // the last drawn point, carried from channel to channel
  for (int channel = 0; channel < TraceStore::Channels; ++channel) {
    const std::uint32_t colour =
        input.coloured
            ? paletteRgb(ValueLists::ChannelColors[static_cast<std::size_t>(channel)] - colourShift)
            : Black;
    bool firstPoint = true;
    ColumnThinning thinning(input.style);
    const int count = std::clamp(store.count(channel), 0, TraceStore::LastSlot);
    for (int i = 1; i <= count; ++i) {
      const float value = store.value(channel, i);
      if (value == InvalidValue) continue;
      const PlotPoint p =
          mapping(static_cast<double>(store.time(channel, i)), static_cast<double>(value));
      if (!thinning.draws(p.x)) continue;
      const PlotPoint& from = firstPoint ? p : last;
      picture.drawLine(from.x, from.y, p.x, p.y, pen.width(last, p), colour);
      firstPoint = false;
      last = p;
    }
  }
}

}  // namespace

DiagramFrame printerFrame(int width, int height, int dpiX, int dpiY) {
  const double w = static_cast<double>(width);
  const double h = static_cast<double>(height);
  DiagramFrame frame;
  if (h / static_cast<double>(dpiY) > w / static_cast<double>(dpiX)) {
    frame.plotHeight = rounded(h / 2.0 * 0.7 - 1.0);
    frame.top = rounded(h / 2.0 * 0.15);
    frame.plotWidth = rounded(w * 0.8);
    frame.left = rounded(w * 0.15);
  } else {
    frame.left = rounded(w * 0.1);
    frame.plotWidth = rounded(w * 0.85 - 1.0);
    frame.plotHeight = rounded(h * 0.8);
    frame.top = rounded(h * 0.1);
  }
  return frame;
}

DiagramFrame metafileFrame() {
  const double w = static_cast<double>(MetafileWidth);
  const double h = static_cast<double>(MetafileHeight);
  DiagramFrame frame;
  frame.left = rounded(w * 0.045);
  frame.plotWidth = rounded(w * 0.94 - 1.0);
  frame.plotHeight = rounded(h * 0.9);
  frame.top = rounded(h * 0.02);
  return frame;
}

DiagramPicture layoutDiagram(const DiagramInput& input, const DeviceInfo& device) {
  DiagramPicture picture;
  // Nothing to lay out on: no width (the printer gave no page) or no resolution.
  if (!device.metafile && (device.area.width <= 0 || device.dpiX <= 0 || device.dpiY <= 0)) {
    picture.setFailure(PrintImpossible);
    return picture;
  }
  const Page page = pageFor(input, device);
  picture.selectFont(DiagramFontFace, halfUp(page.sy * page.baseFontSize), 0);
  drawFrame(picture, page);
  drawGrid(picture, page);
  const int half = drawYLabels(picture, input, device, page);
  drawTimeLabels(picture, input, device, page, half);
  drawTraces(picture, input, device, page);
  picture.selectFont("", 0, 0);
  return picture;
}

}  // namespace kelvor
