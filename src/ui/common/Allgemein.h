#pragma once

class QWidget;

namespace kelvor {

// Small shared window procedures.
class Allgemein {
 public:
  // Centres `window` over `reference` (its frame geometry), or over the screen when no
  // reference is given. The window keeps its size and is not clipped to the screen.
  static void CentreForm(QWidget* window, const QWidget* reference = nullptr);

  // The mouse pointer for the whole program: 11 shows the hourglass, 0 restores the
  // default. Override cursors never pile up: 11 twice and 0 once leaves the default.
  static void SetMousePointer(int pointer);

  static constexpr int DefaultPointer = 0;
  static constexpr int Hourglass = 11;
};

}  // namespace kelvor
