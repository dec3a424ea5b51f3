// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>
#include <string>

#include "core/acquisition/PortConfig.h"
#include "core/publish/Publishing.h"
#include "core/settings/StoredSettings.h"
#include "core/text/Message.h"
#include "platform/MqttPublisher.h"

class QWidget;

namespace kelvor {

// The window's side of publishing: starts it with the stored settings, runs the dialog
// ("Datei → Veröffentlichen…"), stores what it changed, and tells a fault once in a message
// box while publishing goes on trying.
class PublishCommands : public QObject {
  Q_OBJECT

 public:
  PublishCommands(const PortConfig& port, QWidget* window);

  // Reads the settings and starts publishing when it is switched on.
  void start(const StoredSettings::Lookup& lookup);
  void mnuPublish_Click();
  // After a change of port: the default topic names the new one.
  void followPort();
  // The connection state as the dialog's state line shows it.
  QString stateText() const;
  MqttPublisher& publisher() { return publisher_; }

 private:
  void restart();
  QString text(const Message& message) const;
  Message reason(PublishFault fault, const std::string& detail) const;
  std::string broker() const;

  const PortConfig& port_;
  QWidget* window_;
  PublishSettings settings_;
  std::string topicPrefix_;
  MqttPublisher publisher_;
};

}  // namespace kelvor
