#include "core/printing/Druck.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

#include "core/acquisition/MeterFrame.h"
#include "core/scope/ValueLists.h"

namespace kelvor {

namespace {

// Coordinates stay within this, so lines between any two of them are safe to draw.
constexpr double CoordinateLimit = 1e9;
// lblX and lblY have the members 0 to 100.
constexpr std::size_t LastLabel = 100;
constexpr std::uint32_t Black = 0x000000;

double limited(double r) {
  return std::clamp(r, -CoordinateLimit, CoordinateLimit);
}

// Nearest whole number, halves to even; not-a-number gives 0.
int rounded(double r) {
  if (std::isnan(r)) return 0;
  return static_cast<int>(std::nearbyint(limited(r)));
}

// Rounded down; not-a-number gives 0.
int wholePart(double r) {
  if (std::isnan(r)) return 0;
  return static_cast<int>(std::floor(limited(r)));
}

// A screen distance (points) carried over to the page: round(screen * page / screenSize).
// A screen of no size gives 0.
int scaled(int screen, int page, int screenSize) {
  if (screenSize <= 0) return 0;
  return rounded(static_cast<double>(screen) * static_cast<double>(page) /
                 static_cast<double>(screenSize));
}

TextExtent measure(const DeviceInfo& device, const std::string& text, const GdiTextFont& font) {
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

// Where a sample lands on the page.
class SamplePlacer {
 public:
  SamplePlacer(const ScaleParams& scale, const DiagramFrame& frame, int yOff)
      : across_(static_cast<double>(scale.SecondsAcross)),
        base_(static_cast<double>(scale.YBase)),
        span_(static_cast<double>(scale.YSpan)),
        left_(static_cast<double>(frame.left)),
        width_(static_cast<double>(frame.plotWidth)),
        height_(static_cast<double>(frame.plotHeight)),
        bottomLine_(static_cast<double>(frame.plotHeight) - static_cast<double>(yOff) +
                    static_cast<double>(frame.top)) {}

  // Without a time scale every sample stands on the left edge.
  int x(float t) const {
    if (!(across_ > 0.0) || !std::isfinite(across_)) return rounded(left_);
    return rounded(static_cast<double>(t) / across_ * width_ + left_);
  }
  // Without a value span every sample stands on the lowest grid line.
  int y(float v) const {
    if (span_ == 0.0) return rounded(bottomLine_);
    return rounded(bottomLine_ - (static_cast<double>(v) - base_) * height_ / span_);
  }

 private:
  double across_;
  double base_;
  double span_;
  double left_;
  double width_;
  double height_;
  double bottomLine_;
};

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

DiagramPicture Druck(const DiagramInput& input, const DeviceInfo& device) {
  DiagramPicture picture;

  int planes = 15;
  double dpiX = 200.0;
  double dpiY = 200.0;
  int baseFontSize = 12;
  DiagramFrame frame = metafileFrame();
  if (!device.metafile) {
    // Nothing to lay out on: no width (the printer gave no page) or no resolution.
    if (device.area.width <= 0 || device.dpiX <= 0 || device.dpiY <= 0) {
      picture.setFailure(PrintImpossible);
      return picture;
    }
    planes = device.colourPlanes;
    dpiX = static_cast<double>(device.dpiX);
    dpiY = static_cast<double>(device.dpiY);
    baseFontSize = 14;
    frame =
        printerFrame(device.area.width, std::max(device.area.height, 0), device.dpiX, device.dpiY);
  }
  const double sx = dpiX / 300.0;
  const double sy = dpiY / 300.0;
  const int left = frame.left;
  const int top = frame.top;
  const int plotWidth = frame.plotWidth;
  const int plotHeight = frame.plotHeight;

  picture.GdiFont(DiagramFontFace, wholePart(sy * baseFontSize + 0.5), 0);

  // The screen's grid carried over to the page. A step below one unit would give no grid
  // at all (and no end to the walks below), so it is one unit at least.
  const ScaleParams& scale = input.scale;
  const int xStep = std::max(1, scaled(scale.XDivPixels, plotWidth, input.plotWidth));
  const int yStep = std::max(1, scaled(scale.YDivPixels, plotHeight, input.plotHeight));
  const int yOff = std::max(0, scaled(scale.YOffsetPixels, plotHeight, input.plotHeight));

  // Frame.
  const int frameWidth = wholePart(2.0 * sy + 0.5);
  const int right = left + plotWidth - 1;
  const int bottom = top + plotHeight;
  picture.GdiLine(left, top, right, top, frameWidth, Black);
  picture.GdiLine(right, top, right, bottom, frameWidth, Black);
  picture.GdiLine(right, bottom, left, bottom, frameWidth, Black);
  picture.GdiLine(left, bottom, left, top, frameWidth, Black);

  // Vertical grid lines at every half division.
  const int verticalPen = GdiRound(sx);
  const long long halfDivisions = 2LL * plotWidth / xStep;
  for (long long i = 1; i <= halfDivisions; ++i) {
    const auto x = static_cast<int>(static_cast<long long>(xStep) * i / 2 + left);
    picture.GdiLine(x, top, x, bottom, verticalPen, Black);
  }

  // Horizontal grid lines from the lowest one up.
  const int horizontalPen = GdiRound(sy);
  for (long long g = yOff; g <= plotHeight; g += yStep) {
    const auto y = static_cast<int>(plotHeight - g + top);
    picture.GdiLine(left, y, left + plotWidth, y, horizontalPen, Black);
  }

  // Y labels right-aligned left of the frame, centred on their grid lines.
  const GdiTextFont& font = picture.font();
  int half = 0;
  std::size_t k = 0;
  for (long long g = yOff; g <= plotHeight && k <= LastLabel; g += yStep, ++k) {
    const AxisCaption* label = captionAt(input.lblY, k);
    if (!label || !label->visible) continue;
    const TextExtent extent = measure(device, label->text, font);
    half = extent.cy / 2;
    const int x = rounded(left - extent.cx - 10.0 * sx);
    const auto y = static_cast<int>(plotHeight - half - g + top);
    picture.GdiText(x, y, label->text);
  }

  // Time labels below the frame, centred on the full divisions, as far as they end inside
  // the frame's right edge.
  const int labelTop = rounded(wholePart(sy * 5.0 + 0.5) + plotHeight + top);
  for (std::size_t j = 0; j <= LastLabel; ++j) {
    const AxisCaption* label = captionAt(input.lblX, j);
    if (!label) break;
    const TextExtent extent =
        label->visible ? measure(device, label->text, font) : TextExtent{0, 0};
    const int x = rounded(left - extent.cx / 2.0 + static_cast<double>(j) * xStep);
    if (j > 0 && static_cast<long long>(x) + extent.cx > static_cast<long long>(left) + plotWidth)
      break;
    if (label->visible) picture.GdiText(x, labelTop, label->text);
  }

  if (input.lblZeitEinheit.visible) {
    picture.GdiText(rounded(plotWidth / 2.0 + left), rounded(half * 2.2 + plotHeight + top),
                    input.lblZeitEinheit.text);
  }

  // Trace pen: about two dots at 300 dpi; on a coarse device one unit.
  double factor = 2.0;
  int traceWidth = GdiRound(2.0 * sx);
  if (sx < 0.5 || sy < 0.5) {
    factor = sx < sy ? 1.0 / sx : 1.0 / sy;
    traceWidth = 1;
  }
  const bool anisotropic = dpiX != dpiY;
  // Dark colours where bright ones would fade: on the clipboard picture and without colour.
  const int colourShift = device.metafile || planes == 1 ? 8 : 0;

  const SamplePlacer placer(scale, frame, yOff);
  int px = 0;  // the last drawn point, carried from channel to channel
  int py = 0;
  for (int channel = 0; channel < TraceStore::Channels && input.store; ++channel) {
    const TraceStore& store = *input.store;
    const std::uint32_t colour =
        input.coloured
            ? paletteRgb(ValueLists::ChannelColors[static_cast<std::size_t>(channel)] - colourShift)
            : Black;
    bool firstPoint = true;
    int lastX = 0;
    const int count = std::clamp(store.count(channel), 0, TraceStore::LastSlot);
    for (int i = 1; i <= count; ++i) {
      const float value = store.value(channel, i);
      if (value == InvalidValue) continue;
      const int x = placer.x(store.time(channel, i));
      const int y = placer.y(value);
      if (anisotropic) {
        // The pen's thickness lies across the segment: steep segments take the width
        // across, flat ones the height.
        const double dx = std::fabs(static_cast<double>(x) - px);
        const double dy = std::fabs(static_cast<double>(y) - py);
        traceWidth = dy / dpiY >= dx / dpiX ? GdiRound(factor * sx) : GdiRound(factor * sy);
      }
      if (x > lastX || input.style == DrawStyle::EveryReading) {
        if (firstPoint) {
          picture.GdiLine(x, y, x, y, traceWidth, colour);
          firstPoint = false;
        } else {
          picture.GdiLine(px, py, x, y, traceWidth, colour);
        }
        px = x;
        py = y;
      }
      lastX = x;
    }
  }

  picture.GdiFont("", 0, 0);
  return picture;
}

}  // namespace kelvor
