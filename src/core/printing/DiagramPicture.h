// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace kelvor {

// The font a text is written in: the face, the character height in device units (without
// internal leading) and the angle of the text line in tenths of a degree.
struct PictureFont {
  std::string face;
  int height = 0;
  int escapement = 0;

  bool operator==(const PictureFont& other) const {
    return face == other.face && height == other.height && escapement == other.escapement;
  }
  bool operator!=(const PictureFont& other) const { return !(*this == other); }
};

// A queued line in device units; stored running downwards or level (y1 <= y2).
struct PictureLine {
  int x1 = 0;
  int y1 = 0;
  int x2 = 0;
  int y2 = 0;
  int width = 1;             // pen width in device units; 0 is the thinnest the device has
  std::uint32_t colour = 0;  // 0xRRGGBB
};

// A queued text; (x, y) is the top-left corner of its cell.
struct PictureText {
  int x = 0;
  int y = 0;
  std::string text;
  PictureFont font;
};

// Width and height of a text's cell in device units.
struct TextExtent {
  int cx = 0;
  int cy = 0;
};

// The printable part of a page in device units: its offset from the paper's top-left corner
// and its size.
struct PrintableArea {
  int offsetX = 0;
  int offsetY = 0;
  int width = 0;
  int height = 0;
};

// v rounded half up, but never below 1: pen widths and font heights pass through it.
int roundToDevice(double v);

// The printable area of a page of paperWidth x paperHeight whose paint rectangle starts at
// (paintLeft, paintTop) with the given size. The rectangle is cut to the paper, and a
// negative size counts as 0, so a printer reporting nonsense gives an empty area.
PrintableArea printableArea(int paperWidth, int paperHeight, int paintLeft, int paintTop,
                            int paintWidth, int paintHeight);

// A diagram as lines and texts in device units, collected first and put onto the device in
// one pass (lines first, texts last). The lists grow as far as the diagram needs.
class DiagramPicture {
 public:
  // Queues a line; its ends are swapped if needed so that it runs downwards or level.
  void drawLine(int x1, int y1, int x2, int y2, int width, std::uint32_t colour);
  // Queues a text in the current font at (x, y); an empty text is left out.
  void drawText(int x, int y, const std::string& text);
  // Makes a font of the face current: height roundToDevice(2 * size), angle * 10 tenths of a
  // degree. An empty face only drops the current font (texts then go without one).
  void selectFont(const std::string& face, int size, int angle);
  // Empties both lists.
  void clear();

  const std::vector<PictureLine>& lines() const { return lines_; }
  const std::vector<PictureText>& texts() const { return texts_; }
  const PictureFont& font() const { return font_; }

  // Why nothing can be drawn; empty when the picture is good.
  const std::string& failure() const { return failure_; }
  bool failed() const { return !failure_.empty(); }
  void setFailure(const std::string& text) { failure_ = text; }

 private:
  std::vector<PictureLine> lines_;
  std::vector<PictureText> texts_;
  PictureFont font_;
  std::string failure_;
};

}  // namespace kelvor
