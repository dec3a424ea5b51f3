// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>

#include "core/printing/DiagramLayout.h"
#include "core/printing/DiagramPicture.h"

class QPainter;
class QPaintDevice;

namespace kelvor {

// Puts a laid-out diagram onto a painter in device units: all lines first, then all texts.
// Lines are drawn without antialiasing, so that their dots land where the layout put them;
// the pen changes only where colour or width change. Texts stand with the top-left corner
// of their cell at their position, in black.
void paintDiagram(QPainter& painter, const DiagramPicture& picture);

// The Qt font for a layout font: the face, the height as pixel size in device units.
QFont diagramFont(const PictureFont& font);

// Measures texts as the device will show them.
TextMeasure textMeasureFor(const QPaintDevice* device);

}  // namespace kelvor
