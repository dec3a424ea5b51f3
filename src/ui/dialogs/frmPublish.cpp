// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/dialogs/frmPublish.h"

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

namespace {

template <typename Control>
Control* named(Control* control, const char* name) {
  control->setObjectName(QLatin1String(name));
  return control;
}

QLineEdit* field(QWidget* parent, const char* name, const std::string& text) {
  return named(new QLineEdit(QString::fromStdString(text), parent), name);
}

}  // namespace

frmPublish::frmPublish(PublishSettings& settings, const QString& defaultTopic, QWidget* parent)
    : QDialog(parent), settings_(settings) {
  setObjectName(QLatin1String(ObjectNames::frmPublish));
  setWindowTitle(tr("Veröffentlichen"));
  chkPublish =
      named(new QCheckBox(tr("Messwerte &veröffentlichen (MQTT)"), this), ObjectNames::chkPublish);
  chkPublish->setChecked(settings.enabled);
  txtHost = field(this, ObjectNames::txtHost, settings.host);
  txtPort = field(this, ObjectNames::txtPort, settings.port ? std::to_string(settings.port) : "");
  txtPort->setPlaceholderText(QStringLiteral("1883 / TLS 8883"));
  txtUser = field(this, ObjectNames::txtUser, settings.user);
  txtPassword = field(this, ObjectNames::txtPassword, settings.password);
  txtPassword->setEchoMode(QLineEdit::Password);
  chkTls = named(new QCheckBox(tr("&Sichere Verbindung (TLS)"), this), ObjectNames::chkTls);
  chkTls->setChecked(settings.tls);
  txtCaFile = field(this, ObjectNames::txtCaFile, settings.caFile);
  txtTopic = field(this, ObjectNames::txtTopic, settings.topic);
  txtTopic->setPlaceholderText(defaultTopic);
  lblPublishState = named(new QLabel(this), ObjectNames::lblPublishState);
  lblPublishState->setWordWrap(true);
  cmdOK = named(new QPushButton(tr("OK"), this), ObjectNames::cmdOK);
  cmdOK->setDefault(true);
  cmdCancel = named(new QPushButton(tr("Abbrechen"), this), ObjectNames::cmdCancel);
  connect(cmdOK, &QPushButton::clicked, this, &frmPublish::cmdOK_Click);
  connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);

  auto* form = new QFormLayout;
  form->addRow(chkPublish);
  form->addRow(tr("&Broker:"), txtHost);
  form->addRow(tr("P&ort:"), txtPort);
  form->addRow(tr("Ben&utzer:"), txtUser);
  form->addRow(tr("Pass&wort:"), txtPassword);
  form->addRow(chkTls);
  form->addRow(tr("&CA-Datei:"), txtCaFile);
  form->addRow(tr("T&hema:"), txtTopic);
  form->addRow(tr("Zustand:"), lblPublishState);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(cmdOK);
  buttons->addWidget(cmdCancel);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addLayout(buttons);
  setMinimumWidth(420);
}

void frmPublish::showState(const QString& text) {
  lblPublishState->setText(text);
}

void frmPublish::cmdOK_Click() {
  const std::string topic = txtTopic->text().trimmed().toStdString();
  if (!isTopicPrefix(topic)) {
    const Message why(MessageId::PublishWildcard, {topic});
    MessageBox::warning(this, QString::fromStdString(messageText(why)));
    txtTopic->setFocus();
    return;
  }
  settings_.enabled = chkPublish->isChecked();
  settings_.host = txtHost->text().trimmed().toStdString();
  const auto address = parseBrokerAddress("x:" + txtPort->text().trimmed().toStdString());
  settings_.port = address ? address->port : 0;
  settings_.user = txtUser->text().toStdString();
  settings_.password = txtPassword->text().toStdString();
  settings_.tls = chkTls->isChecked();
  settings_.caFile = txtCaFile->text().trimmed().toStdString();
  settings_.topic = topic;
  accept();
}

}  // namespace kelvor
