// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QImage>

#include "core/printing/DiagramLayout.h"

class QMimeData;

namespace kelvor {

// The diagram as a clipboard picture: a page of 1440 x 847 units at 96 units per inch
// (381 mm x 224.12 mm), as SVG for programs that take vector pictures and as a bitmap of
// the same picture for those that take images only.
class ClipboardPicture {
 public:
  static constexpr int Width = MetafileWidth;
  static constexpr int Height = MetafileHeight;
  static constexpr int UnitsPerInch = 96;
  // The picture's size in hundredths of a millimetre: 15 inches by 15 / 1.7 inches.
  static constexpr int WidthHundredthsMm = 38100;
  static constexpr int HeightHundredthsMm = 22412;
  static constexpr const char* SvgMimeType = "image/svg+xml";

  // The diagram laid out on the clipboard page, texts measured as the picture shows them.
  static DiagramPicture layout(const DiagramInput& input);

  static QByteArray svg(const DiagramPicture& picture);
  // White page, Width x Height pixels at 96 per inch.
  static QImage image(const DiagramPicture& picture);
  // Both forms in one clipboard entry; the caller owns it.
  static QMimeData* mimeData(const DiagramPicture& picture);

  // Lays the diagram out and puts it on the clipboard, replacing whatever was there.
  static void copy(const DiagramInput& input);
};

}  // namespace kelvor
