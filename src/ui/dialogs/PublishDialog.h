// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

#include "core/publish/Publishing.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace kelvor {

// The publishing dialog ("Datei → Veröffentlichen…"): the broker, the login, TLS and the
// topic prefix, publishing on or off, and a line with the connection state. OK takes the
// fields into the settings; the caller stores them and restarts publishing.
class PublishDialog : public QDialog {
  Q_OBJECT

 public:
  // `defaultTopic` shows in the empty topic field.
  PublishDialog(PublishSettings& settings, const QString& defaultTopic, QWidget* parent = nullptr);

  void showState(const QString& text);

  QCheckBox* publishBox = nullptr;
  QLineEdit* hostField = nullptr;
  QLineEdit* portField = nullptr;
  QLineEdit* userField = nullptr;
  QLineEdit* passwordField = nullptr;
  QCheckBox* tlsBox = nullptr;
  QLineEdit* caFileField = nullptr;
  QLineEdit* topicField = nullptr;
  QLabel* publishStateLabel = nullptr;
  QPushButton* okButton = nullptr;
  QPushButton* cancelButton = nullptr;

  // OK: takes every field (a port that is no number 1 to 65535 is the usual one) and accepts;
  // a topic with a wildcard is refused with a message and the dialog stays.
  void onOkClicked();

 private:
  PublishSettings& settings_;
};

}  // namespace kelvor
