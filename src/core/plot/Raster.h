// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <vector>

namespace kelvor {

// A rectangle of raster units; empty when width or height is 0.
struct RasterRect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  bool empty() const { return width <= 0 || height <= 0; }
};

// A line as it was asked of the raster: ends in pixels, colour 0xRRGGBB.
struct RasterLine {
  int x1 = 0;
  int y1 = 0;
  int x2 = 0;
  int y2 = 0;
  std::uint32_t rgb = 0;
};

// The plot's picture in device pixels, colours as 0xFFRRGGBB (the layout of a 32-bit RGB
// image, so a window can show it without copying). Drawing outside is cut off. It knows the
// size in points of the plot it shows and how wide in pixels a line one point wide is.
class Raster {
 public:
  Raster() = default;
  Raster(int width, int height);

  // New size, all black; one pixel per point and lines one pixel wide until told otherwise.
  void resize(int width, int height);
  int width() const { return width_; }
  int height() const { return height_; }
  // The plot's size in points and the width in pixels of a line one point wide.
  void showPoints(int width, int height, int lineWidth);
  int pointWidth() const { return pointWidth_; }
  int pointHeight() const { return pointHeight_; }
  int lineWidth() const { return lineWidth_; }
  double pixelsPerPointX() const { return perPoint(width_, pointWidth_); }
  double pixelsPerPointY() const { return perPoint(height_, pointHeight_); }

  // Fills everything with one colour (0xRRGGBB).
  void clear(std::uint32_t rgb = 0);
  void setPixel(int x, int y, std::uint32_t rgb);
  // A Bresenham line from (x1, y1) to (x2, y2), both ends included, the same pixels in either
  // direction. Any ints are fine: ends far outside cost no more than ends inside. A wider line
  // repeats it lineWidth() times, one pixel further right or down each time, across its minor
  // axis (across x for a single point).
  void line(int x1, int y1, int x2, int y2, std::uint32_t rgb);
  // While `lines` is set, every line is also kept there as asked for, so that the same
  // picture can be drawn again as vectors.
  void recordLines(std::vector<RasterLine>* lines) { recorded_ = lines; }
  // The first point of a line: a single point lineWidth() wide.
  void dot(int x, int y, std::uint32_t rgb) { line(x, y, x, y, rgb); }

  std::uint32_t pixel(int x, int y) const;  // 0xRRGGBB; 0 outside
  const std::uint32_t* data() const { return pixels_.data(); }

  // The area changed since the last call (for repainting only that), then forgets it.
  RasterRect takeChanged();

 private:
  static double perPoint(int pixels, int points) {
    return points > 0 ? static_cast<double>(pixels) / points : 1.0;
  }
  void thinLine(std::int64_t x1, std::int64_t y1, std::int64_t x2, std::int64_t y2,
                std::uint32_t colour);
  void touch(int x, int y);
  void touchRect(int left, int top, int right, int bottom);  // inclusive, inside the raster
  void touchAll();

  int width_ = 0;
  int height_ = 0;
  int pointWidth_ = 0;
  int pointHeight_ = 0;
  int lineWidth_ = 1;
  std::vector<std::uint32_t> pixels_;
  std::vector<RasterLine>* recorded_ = nullptr;
  int changedLeft_ = 0, changedTop_ = 0, changedRight_ = -1, changedBottom_ = -1;
};

}  // namespace kelvor
