// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/mainwindow/AxisLabels.h"

#include "ui/common/ObjectNames.h"

#include <QLabel>
#include <QString>

namespace kelvor {

using ObjectNames::indexedName;

namespace {

// The last member index of the axis label arrays.
constexpr int LastAxisLabel = 100;

QLabel* copyLabel(const QLabel* original, const QString& name, bool visible) {
  auto* label = new QLabel(original->text(), original->parentWidget());
  label->setObjectName(name);
  label->setAlignment(original->alignment());
  label->setFont(original->font());
  label->setGeometry(original->geometry());
  label->setVisible(visible);
  return label;
}

}  // namespace

void AxisLabels::createCopies() {
  if (timeLabels.empty() || valueLabels.empty()) return;
  // Growing only up to the last index keeps a second call from adding duplicates.
  for (int i = static_cast<int>(timeLabels.size()); i <= LastAxisLabel; ++i) {
    timeLabels.push_back(copyLabel(timeLabels.front(), indexedName(ObjectNames::lblX, i), true));
  }
  for (int i = static_cast<int>(valueLabels.size()); i <= LastAxisLabel; ++i) {
    valueLabels.push_back(copyLabel(valueLabels.front(), indexedName(ObjectNames::lblY, i), false));
  }
}

}  // namespace kelvor
