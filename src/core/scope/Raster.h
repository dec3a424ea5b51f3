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

// The plot's picture: one unit per point, colours as 0xFFRRGGBB (the layout of a 32-bit
// RGB image, so a window can show it without copying). Drawing outside is cut off.
class Raster {
 public:
  Raster() = default;
  Raster(int width, int height);

  // New size, all black.
  void resize(int width, int height);
  int width() const { return width_; }
  int height() const { return height_; }

  // Fills everything with one colour (0xRRGGBB).
  void clear(std::uint32_t rgb = 0);
  void setPixel(int x, int y, std::uint32_t rgb);
  // A one-unit Bresenham line from (x1, y1) to (x2, y2), both ends included, the same pixels
  // in either direction. Any ints are fine: ends far outside cost no more than ends inside.
  void line(int x1, int y1, int x2, int y2, std::uint32_t rgb);

  std::uint32_t pixel(int x, int y) const;  // 0xRRGGBB; 0 outside
  const std::uint32_t* data() const { return pixels_.data(); }

  // The area changed since the last call (for repainting only that), then forgets it.
  RasterRect takeChanged();

 private:
  void touch(int x, int y);
  void touchRect(int left, int top, int right, int bottom);  // inclusive, inside the raster
  void touchAll();

  int width_ = 0;
  int height_ = 0;
  std::vector<std::uint32_t> pixels_;
  int changedLeft_ = 0, changedTop_ = 0, changedRight_ = -1, changedBottom_ = -1;
};

}  // namespace kelvor
