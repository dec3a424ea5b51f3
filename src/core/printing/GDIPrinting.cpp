// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/printing/GDIPrinting.h"

#include <algorithm>
#include <utility>

#include "core/plot/WholeNumbers.h"

namespace kelvor {

int GdiRound(double v) {
  return v > 0.5 ? toInt(wholePart(v + 0.5)) : 1;
}

PrintableArea GdiPrintableArea(int paperWidth, int paperHeight, int paintLeft, int paintTop,
                               int paintWidth, int paintHeight) {
  PrintableArea area;
  area.offsetX = std::clamp(paintLeft, 0, std::max(paperWidth, 0));
  area.offsetY = std::clamp(paintTop, 0, std::max(paperHeight, 0));
  area.width = std::clamp(paintWidth, 0, std::max(paperWidth - area.offsetX, 0));
  area.height = std::clamp(paintHeight, 0, std::max(paperHeight - area.offsetY, 0));
  return area;
}

void DiagramPicture::GdiLine(int x1, int y1, int x2, int y2, int width, std::uint32_t colour) {
  if (y1 > y2) {
    std::swap(x1, x2);
    std::swap(y1, y2);
  }
  lines_.push_back(GdiLineEntry{x1, y1, x2, y2, width, colour});
}

void DiagramPicture::GdiText(int x, int y, const std::string& text) {
  if (text.empty()) return;
  texts_.push_back(GdiTextEntry{x, y, text, font_});
}

void DiagramPicture::GdiFont(const std::string& face, int size, int angle) {
  font_ = GdiTextFont{};
  if (face.empty()) return;
  font_.face = face;
  font_.height = GdiRound(2.0 * static_cast<double>(size));
  font_.escapement = angle * 10;
}

void DiagramPicture::clear() {
  lines_.clear();
  texts_.clear();
}

}  // namespace kelvor
