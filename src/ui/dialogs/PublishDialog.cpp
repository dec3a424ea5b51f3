// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/dialogs/PublishDialog.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/settings/InterfaceLanguage.h"
#include "platform/MessageTexts.h"
#include "ui/common/ObjectNames.h"
#include "ui/dialogs/MessageBox.h"

namespace kelvor {

using ObjectNames::named;

namespace {

QLineEdit* field(QWidget* parent, const char* name, const std::string& text) {
  return named(new QLineEdit(QString::fromStdString(text), parent), name);
}

}  // namespace

PublishDialog::PublishDialog(PublishSettings& settings, const QString& defaultTopic,
                             QWidget* parent)
    : QDialog(parent), settings_(settings) {
  setObjectName(QLatin1String(ObjectNames::frmPublish));
  setWindowTitle(tr("Veröffentlichen"));
  publishBox =
      named(new QCheckBox(tr("Messwerte &veröffentlichen (MQTT)"), this), ObjectNames::chkPublish);
  publishBox->setChecked(settings.enabled);
  hostField = field(this, ObjectNames::txtHost, settings.host);
  portField = field(this, ObjectNames::txtPort, settings.port ? std::to_string(settings.port) : "");
  portField->setPlaceholderText(QStringLiteral("1883 / TLS 8883"));
  userField = field(this, ObjectNames::txtUser, settings.user);
  passwordField = field(this, ObjectNames::txtPassword, settings.password);
  passwordField->setEchoMode(QLineEdit::Password);
  tlsBox = named(new QCheckBox(tr("&Sichere Verbindung (TLS)"), this), ObjectNames::chkTls);
  tlsBox->setChecked(settings.tls);
  caFileField = field(this, ObjectNames::txtCaFile, settings.caFile);
  topicField = field(this, ObjectNames::txtTopic, settings.topic);
  topicField->setPlaceholderText(defaultTopic);
  publishStateLabel = named(new QLabel(this), ObjectNames::lblPublishState);
  publishStateLabel->setWordWrap(true);
  okButton = named(new QPushButton(tr("OK"), this), ObjectNames::cmdOK);
  okButton->setDefault(true);
  cancelButton = named(new QPushButton(tr("Abbrechen"), this), ObjectNames::cmdCancel);
  connect(okButton, &QPushButton::clicked, this, &PublishDialog::onOkClicked);
  connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);

  auto* form = new QFormLayout;
  form->addRow(publishBox);
  form->addRow(tr("&Broker:"), hostField);
  form->addRow(tr("P&ort:"), portField);
  form->addRow(tr("Ben&utzer:"), userField);
  form->addRow(tr("Pass&wort:"), passwordField);
  form->addRow(tlsBox);
  form->addRow(tr("&CA-Datei:"), caFileField);
  form->addRow(tr("T&hema:"), topicField);
  form->addRow(tr("Zustand:"), publishStateLabel);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(okButton);
  buttons->addWidget(cancelButton);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addLayout(buttons);
  setMinimumWidth(420);
}

void PublishDialog::showState(const QString& text) {
  publishStateLabel->setText(text);
}

void PublishDialog::onOkClicked() {
  const std::string topic = topicField->text().trimmed().toStdString();
  if (!isTopicPrefix(topic)) {
    const Message why(MessageId::PublishWildcard, {topic});
    MessageBox::warning(this, QString::fromStdString(messageText(why)));
    topicField->setFocus();
    return;
  }
  settings_.enabled = publishBox->isChecked();
  settings_.host = hostField->text().trimmed().toStdString();
  const auto address = parseBrokerAddress("x:" + portField->text().trimmed().toStdString());
  settings_.port = address ? address->port : 0;
  settings_.user = userField->text().toStdString();
  settings_.password = passwordField->text().toStdString();
  settings_.tls = tlsBox->isChecked();
  settings_.caFile = caFileField->text().trimmed().toStdString();
  settings_.topic = topic;
  accept();
}

}  // namespace kelvor
