// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/mainwindow/ValueFont.h"

#include <QFont>
#include <QFontInfo>
#include <QLabel>

namespace kelvor {

QString ValueFont::actualFace(const QFont& font) {
  return QFontInfo(font).family();
}

void ValueFont::choose(QLabel* value, QLabel* acdc, const FaceUsed& faceUsed) {
  QFont font = value->font();
  font.setFamily(QStringLiteral("LCD"));
  if (faceUsed(font) != QLatin1String("LCD")) {
    font.setFamily(QStringLiteral("LCDD"));
    if (faceUsed(font).compare(QLatin1String("LCDD"), Qt::CaseInsensitive) == 0)
      font.setPointSizeF(LcddPointSize);
  }
  value->setFont(font);
  acdc->setFont(font);
}

}  // namespace kelvor
