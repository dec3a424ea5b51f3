// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <functional>

class QFont;
class QLabel;

namespace kelvor {

// The face of the reading display: the segment face "LCD" when installed, else "LCDD" at
// 28 points, else the face the system substitutes at the design size. The value and the
// mode label always share one font.
class ValueFont {
 public:
  // The face the system actually uses for a font.
  using FaceUsed = std::function<QString(const QFont&)>;
  static QString actualFace(const QFont& font);

  static constexpr double LcddPointSize = 28.0;

  static void choose(QLabel* value, QLabel* acdc, const FaceUsed& faceUsed = actualFace);
};

}  // namespace kelvor
