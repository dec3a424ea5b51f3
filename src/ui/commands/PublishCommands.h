// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <string>

#include "core/acquisition/PortConfig.h"
#include "core/publish/Publishing.h"
#include "core/settings/StoredSettings.h"
#include "core/text/Message.h"
#include "platform/MeterStation.h"

class QWidget;

namespace kelvor {

// The window's side of publishing every source of its station: starts it with the stored
// settings, runs the dialog ("Datei → Veröffentlichen…"), stores what it changed, and tells a
// fault once in a message box while publishing goes on trying.
class PublishCommands : public QObject {
  Q_OBJECT

 public:
  // `ownChannel` tells the channel of the window's own meter, whose topic the dialog offers.
  PublishCommands(MeterStation& station, std::function<int()> ownChannel, QWidget* window);

  // Reads the settings and starts publishing when it is switched on.
  void start(const StoredSettings::Lookup& lookup);
  void onPublishClicked();
  // After a change of port or of the channels: each topic names its source anew.
  void followPort() { station_.refreshTopics(); }
  // The connection state as the dialog's state line shows it.
  QString stateText() const;

 private:
  void restart();
  QString text(const Message& message) const;
  Message reason(PublishFault fault, const std::string& detail) const;
  std::string broker() const;

  MeterStation& station_;
  std::function<int()> ownChannel_;
  QWidget* window_;
  PublishSettings settings_;
};

}  // namespace kelvor
