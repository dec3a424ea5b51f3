// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "core/plot/AxisCaptions.h"
#include "core/plot/PlotGeometry.h"
#include "core/plot/ScaleParams.h"
#include "core/printing/DiagramPicture.h"
#include "core/recording/TraceStore.h"

namespace kelvor {

// What the diagram shows: the samples, the screen's scale and axis labels, and the colours.
struct DiagramInput {
  const TraceStore* store = nullptr;  // no store: frame, grid and labels only
  ScaleParams scale;                  // the screen's scale
  DrawStyle style = DrawStyle::EveryReading;
  std::vector<AxisCaption> timeLabels;   // time labels, index 0 upwards (at most 0 to 100 are used)
  std::vector<AxisCaption> valueLabels;  // Y labels from the lowest grid line up (likewise)
  AxisCaption timeUnitLabel;
  int plotWidth = 0;  // size of the screen's plot in points, the unit of the scale
  int plotHeight = 0;
  bool coloured = false;  // channels in their colours; otherwise everything black
};

// Measures a text's cell in the device's units for the given font.
using TextMeasure = std::function<TextExtent(const std::string& text, const PictureFont& font)>;

// The target device. For the clipboard picture (metafile true) the page is fixed at
// MetafileWidth x MetafileHeight units and only measureText is read.
struct DeviceInfo {
  int dpiX = 0;
  int dpiY = 0;
  PrintableArea area;    // device units; the drawing's origin is the area's top-left corner
  int colourPlanes = 3;  // 1: a device without colour
  bool metafile = false;
  TextMeasure measureText;  // without one, texts count as half as wide as high per character
};

inline constexpr int MetafileWidth = 1440;
inline constexpr int MetafileHeight = 847;
inline constexpr const char* DiagramFontFace = "Arial";
inline constexpr const char* PrintImpossible = "Drucken geht nicht";

// Where the diagram lies on the page, in device units.
struct DiagramFrame {
  int left = 0;
  int top = 0;
  int plotWidth = 0;
  int plotHeight = 0;
};

// Lays the diagram out on the device: frame, grid, axis labels and the six channels, in
// the device's units. A device without printable width (or without a resolution) gives a
// failed picture ("Drucken geht nicht") with nothing in it.
DiagramPicture layoutDiagram(const DiagramInput& input, const DeviceInfo& device);

// The diagram's place for a printable area: landscape when the area is at least as wide as
// it is tall (in inches), otherwise portrait in the upper half of the page.
DiagramFrame printerFrame(int width, int height, int dpiX, int dpiY);
// The fixed place on the clipboard picture's page.
DiagramFrame metafileFrame();

}  // namespace kelvor
