// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/SystemLocale.h"

#include <QLocale>

namespace kelvor {

char SystemLocale::decimalSeparator() {
  const QString separator = QLocale::system().decimalPoint();
  return separator == QStringLiteral(",") ? ',' : '.';
}

}  // namespace kelvor
