// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/printing/DiagramPicture.h"

#include <algorithm>
#include <utility>

#include "core/plot/WholeNumbers.h"

namespace kelvor {

int roundToDevice(double v) {
  return v > 0.5 ? toInt(wholePart(v + 0.5)) : 1;
}

PrintableArea printableArea(int paperWidth, int paperHeight, int paintLeft, int paintTop,
                            int paintWidth, int paintHeight) {
  PrintableArea area;
  area.offsetX = std::clamp(paintLeft, 0, std::max(paperWidth, 0));
  area.offsetY = std::clamp(paintTop, 0, std::max(paperHeight, 0));
  area.width = std::clamp(paintWidth, 0, std::max(paperWidth - area.offsetX, 0));
  area.height = std::clamp(paintHeight, 0, std::max(paperHeight - area.offsetY, 0));
  return area;
}

void DiagramPicture::drawLine(int x1, int y1, int x2, int y2, int width, std::uint32_t colour) {
  if (y1 > y2) {
    std::swap(x1, x2);
    std::swap(y1, y2);
  }
  lines_.push_back(PictureLine{x1, y1, x2, y2, width, colour});
}

void DiagramPicture::drawText(int x, int y, const std::string& text) {
  if (text.empty()) return;
  texts_.push_back(PictureText{x, y, text, font_});
}

void DiagramPicture::selectFont(const std::string& face, int size, int angle) {
  font_ = PictureFont{};
  if (face.empty()) return;
  font_.face = face;
  font_.height = roundToDevice(2.0 * static_cast<double>(size));
  font_.escapement = angle * 10;
}

void DiagramPicture::clear() {
  lines_.clear();
  texts_.clear();
}

}  // namespace kelvor
