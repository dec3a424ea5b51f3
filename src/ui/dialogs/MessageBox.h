// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QString;
class QWidget;

namespace kelvor {

// Messages to the user: a modal box with the program's title.
class MessageBox {
 public:
  static constexpr const char* Title = "Kelvor";
  // Exclamation icon and an OK button.
  static void warning(QWidget* parent, const QString& text);
};

}  // namespace kelvor
