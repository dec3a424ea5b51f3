// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/plot/Raster.h"

#include <algorithm>
#include <cstddef>
#include <utility>

namespace kelvor {
namespace {

constexpr std::uint32_t Opaque = 0xFF000000u;

// Clipping a line whose ends lie anywhere in the int range multiplies two differences of up
// to 2^32 each, which needs more than 64 bits.
__extension__ typedef __int128 Wide;

Wide floorDiv(Wide a, Wide b) {  // b > 0
  const Wide q = a / b;
  return (a % b != 0 && a < 0) ? q - 1 : q;
}

Wide ceilDiv(Wide a, Wide b) {
  return -floorDiv(-a, b);
}  // b > 0

std::int64_t abs64(std::int64_t v) {
  return v < 0 ? -v : v;
}

}  // namespace

Raster::Raster(int width, int height) {
  resize(width, height);
}

void Raster::resize(int width, int height) {
  width_ = std::max(width, 0);
  height_ = std::max(height, 0);
  pointWidth_ = width_;
  pointHeight_ = height_;
  lineWidth_ = 1;
  pixels_.assign(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_), Opaque);
  touchAll();
}

void Raster::showPoints(int width, int height, int lineWidth) {
  pointWidth_ = std::max(width, 0);
  pointHeight_ = std::max(height, 0);
  lineWidth_ = std::max(lineWidth, 1);
}

void Raster::clear(std::uint32_t rgb) {
  std::fill(pixels_.begin(), pixels_.end(), Opaque | rgb);
  touchAll();
}

void Raster::setPixel(int x, int y, std::uint32_t rgb) {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
  pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
          static_cast<std::size_t>(x)] = Opaque | rgb;
  touch(x, y);
}

std::uint32_t Raster::pixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return 0;
  return pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
                 static_cast<std::size_t>(x)] &
         0xFFFFFFu;
}

void Raster::line(int x1, int y1, int x2, int y2, std::uint32_t rgb) {
  if (recorded_) recorded_->push_back({x1, y1, x2, y2, rgb});
  const std::uint32_t colour = Opaque | rgb;
  if (lineWidth_ == 1) {  // the common case, without copies to place
    thinLine(x1, y1, x2, y2, colour);
    return;
  }
  // Across the minor axis; across x for a point too, like the vertical lines it may be part
  // of, so a column's points make the same pixels however they are split into lines.
  const std::int64_t run = std::int64_t{x2} - x1;
  const std::int64_t rise = std::int64_t{y2} - y1;
  const bool acrossX = run == 0 || abs64(run) < abs64(rise);
  for (std::int64_t offset = 0; offset < lineWidth_; ++offset) {
    const std::int64_t dx = acrossX ? offset : 0;
    const std::int64_t dy = acrossX ? 0 : offset;
    thinLine(x1 + dx, y1 + dy, x2 + dx, y2 + dy, colour);
  }
}

// Bresenham: the pixels follow the major axis one by one, the minor coordinate is the exact
// line rounded to the nearest whole number, halves towards the end with the smaller major
// coordinate. The ends are put in that order first, so a line and its reverse are the same.
// The part inside the raster is found arithmetically, so far-away ends cost nothing extra and
// the visible pixels are exactly those of the whole line.
void Raster::thinLine(std::int64_t x1, std::int64_t y1, std::int64_t x2, std::int64_t y2,
                      std::uint32_t colour) {
  if ((x1 < 0 && x2 < 0) || (y1 < 0 && y2 < 0) || (x1 >= width_ && x2 >= width_) ||
      (y1 >= height_ && y2 >= height_)) {
    return;  // entirely on one side (this also covers an empty raster)
  }
  std::uint32_t* const base = pixels_.data();
  const std::ptrdiff_t stride = width_;

  if (y1 == y2) {
    const int left = static_cast<int>(std::max<std::int64_t>(std::min(x1, x2), 0));
    const int right = static_cast<int>(std::min<std::int64_t>(std::max(x1, x2), width_ - 1));
    std::uint32_t* const row = base + y1 * stride;
    std::fill(row + left, row + right + 1, colour);
    touchRect(left, static_cast<int>(y1), right, static_cast<int>(y1));
    return;
  }
  if (x1 == x2) {
    const int top = static_cast<int>(std::max<std::int64_t>(std::min(y1, y2), 0));
    const int bottom = static_cast<int>(std::min<std::int64_t>(std::max(y1, y2), height_ - 1));
    std::uint32_t* p = base + top * stride + x1;
    for (int y = top; y <= bottom; ++y, p += stride) *p = colour;
    touchRect(static_cast<int>(x1), top, static_cast<int>(x1), bottom);
    return;
  }

  // Walk along the major axis u from u1 to u2 (u1 < u2); v is the minor coordinate.
  std::int64_t dx = x2 - x1;
  std::int64_t dy = y2 - y1;
  const bool xMajor = abs64(dx) >= abs64(dy);
  if (xMajor ? dx < 0 : dy < 0) {
    std::swap(x1, x2);
    std::swap(y1, y2);
    dx = -dx;
    dy = -dy;
  }
  const std::int64_t u1 = xMajor ? x1 : y1;
  const std::int64_t v1 = xMajor ? y1 : x1;
  const std::int64_t du = xMajor ? dx : dy;  // > 0
  const std::int64_t dv = xMajor ? dy : dx;
  const std::int64_t adv = abs64(dv);  // 1 .. du
  const int sv = dv < 0 ? -1 : 1;
  const std::int64_t uLimit = xMajor ? width_ : height_;
  const std::int64_t vLimit = xMajor ? height_ : width_;
  const std::ptrdiff_t uStep = xMajor ? 1 : stride;
  const std::ptrdiff_t vStep = xMajor ? stride : 1;

  // Step i (0 .. du) has v = v1 + sv * k(i), k(i) = floor((2 adv i + du - 1) / (2 du)).
  std::int64_t iFirst = std::max<std::int64_t>(0, -u1);
  std::int64_t iLast = std::min(du, uLimit - 1 - u1);
  // The range of k that keeps v inside 0 .. vLimit - 1.
  const std::int64_t kLow = sv > 0 ? -v1 : v1 - (vLimit - 1);
  const std::int64_t kHigh = sv > 0 ? vLimit - 1 - v1 : v1;
  if (kHigh < 0) return;
  if (kLow > 0) {
    // The first i with k(i) >= kLow.
    const Wide first = ceilDiv(Wide{2} * du * kLow - du + 1, Wide{2} * adv);
    if (first > iLast) return;
    iFirst = std::max(iFirst, static_cast<std::int64_t>(first));
  }
  if (kHigh < adv) {
    // The last i with k(i) <= kHigh.
    const Wide last = floorDiv(Wide{du} * (2 * kHigh + 1), Wide{2} * adv);
    if (last < iFirst) return;
    iLast = std::min(iLast, static_cast<std::int64_t>(last));
  }
  if (iFirst > iLast) return;

  const std::int64_t twoDu = 2 * du;
  const std::int64_t twoAdv = 2 * adv;
  std::int64_t k = 0;
  std::int64_t rest = du - 1;  // the remainder of k's division
  if (iFirst > 0) {
    const Wide numerator = Wide{twoAdv} * iFirst + du - 1;
    k = static_cast<std::int64_t>(numerator / twoDu);
    rest = static_cast<std::int64_t>(numerator % twoDu);
  }
  const std::int64_t uStart = u1 + iFirst;
  const std::int64_t vStart = v1 + sv * k;
  // An index rather than a pointer: the step after the last pixel may lead outside.
  std::ptrdiff_t at = xMajor ? vStart * stride + uStart : uStart * stride + vStart;
  const std::ptrdiff_t vMove = sv * vStep;
  std::int64_t v = vStart;
  for (std::int64_t i = iFirst; i <= iLast; ++i) {
    base[at] = colour;
    at += uStep;
    rest += twoAdv;
    if (rest >= twoDu) {
      rest -= twoDu;
      at += vMove;
      v += sv;
    }
  }
  const std::int64_t vEnd = v - (rest < twoAdv ? sv : 0);  // v of step iLast
  const int uA = static_cast<int>(uStart);
  const int uB = static_cast<int>(u1 + iLast);
  const int vA = static_cast<int>(std::min(vStart, vEnd));
  const int vB = static_cast<int>(std::max(vStart, vEnd));
  if (xMajor) {
    touchRect(uA, vA, uB, vB);
  } else {
    touchRect(vA, uA, vB, uB);
  }
}

RasterRect Raster::takeChanged() {
  RasterRect changed;
  if (changedRight_ >= changedLeft_ && changedBottom_ >= changedTop_) {
    changed = {changedLeft_, changedTop_, changedRight_ - changedLeft_ + 1,
               changedBottom_ - changedTop_ + 1};
  }
  changedLeft_ = changedTop_ = 0;
  changedRight_ = changedBottom_ = -1;
  return changed;
}

void Raster::touch(int x, int y) {
  touchRect(x, y, x, y);
}

void Raster::touchRect(int left, int top, int right, int bottom) {
  if (changedRight_ < changedLeft_) {
    changedLeft_ = left;
    changedTop_ = top;
    changedRight_ = right;
    changedBottom_ = bottom;
    return;
  }
  changedLeft_ = std::min(changedLeft_, left);
  changedTop_ = std::min(changedTop_, top);
  changedRight_ = std::max(changedRight_, right);
  changedBottom_ = std::max(changedBottom_, bottom);
}

void Raster::touchAll() {
  if (width_ == 0 || height_ == 0) return;
  touchRect(0, 0, width_ - 1, height_ - 1);
}

}  // namespace kelvor
