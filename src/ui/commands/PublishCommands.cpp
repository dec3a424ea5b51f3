// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/commands/PublishCommands.h"

#include <QTimer>

#include "core/acquisition/PortTable.h"
#include "platform/MessageTexts.h"
#include "platform/SettingsStore.h"
#include "ui/dialogs/MessageBox.h"
#include "ui/dialogs/PublishDialog.h"

namespace kelvor {

PublishCommands::PublishCommands(MeterStation& station, std::function<int()> ownChannel,
                                 QWidget* window)
    : station_(station), ownChannel_(std::move(ownChannel)), window_(window) {
  connect(&station_, &MeterStation::publishFault, this,
          [this](PublishFault fault, const QString& detail) {
            const QString message =
                text(Message(MessageId::PublishFailed, {}, {reason(fault, detail.toStdString())}));
            // Told after the reading that ran into it; the recording goes on meanwhile.
            QTimer::singleShot(0, window_,
                               [this, message] { MessageBox::warning(window_, message); });
          });
}

void PublishCommands::start(const StoredSettings::Lookup& lookup) {
  settings_ = PublishSettings::read(lookup);
  restart();
}

void PublishCommands::restart() {
  station_.publish(settings_);
}

void PublishCommands::onPublishClicked() {
  PublishSettings edited = settings_;
  const QString defaultTopic =
      QString::fromStdString(station_.topicOn(ownChannel_(), PublishSettings{}));
  PublishDialog dialog(edited, defaultTopic, window_);
  dialog.showState(stateText());
  const auto live = connect(&station_, &MeterStation::publishStatusChanged, &dialog,
                            [this, &dialog] { dialog.showState(stateText()); });
  const bool accepted = dialog.exec() == QDialog::Accepted;
  disconnect(live);
  if (!accepted) return;
  settings_ = edited;
  const SettingsStore store;
  if (!store.write(settings_.texts()))
    qWarning("Kelvor: cannot write the settings to %s", qPrintable(store.filePath()));
  restart();
}

QString PublishCommands::stateText() const {
  const PublishStatus status = station_.publishStatus();
  switch (status.state) {
    case PublishStatus::State::Connecting:
      return text(Message(MessageId::PublishConnecting, {broker()}));
    case PublishStatus::State::Connected:
      return text(Message(MessageId::PublishConnected, {broker()}));
    case PublishStatus::State::Waiting:
      return text(Message(MessageId::PublishWaiting, {std::to_string(status.retrySeconds)},
                          {reason(status.fault, status.detail)}));
    case PublishStatus::State::Off:
      break;
  }
  return text(Message(MessageId::PublishOff));
}

QString PublishCommands::text(const Message& message) const {
  return QString::fromStdString(messageText(message));
}

Message PublishCommands::reason(PublishFault fault, const std::string& detail) const {
  return publishFaultReason(fault, settings_, detail);
}

std::string PublishCommands::broker() const {
  return brokerText(settings_);
}

}  // namespace kelvor
