// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/dialogs/frmSettings.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <algorithm>

#include "core/calc/ChannelBindingCheck.h"
#include "core/network/NetworkAddress.h"
#include "platform/MessageTexts.h"
#include "ui/common/Allgemein.h"
#include "ui/common/ObjectNames.h"
#include "ui/dialogs/ConfirmButtons.h"
#include "ui/dialogs/MeterChoices.h"
#include "ui/dialogs/frmChannels.h"

namespace kelvor {

using ObjectNames::indexedName;

namespace {

QRadioButton* makeOption(QGroupBox* frame, const QString& name, const QString& caption) {
  auto* option = new QRadioButton(caption, frame);
  option->setObjectName(name);
  frame->layout()->addWidget(option);
  return option;
}

QGroupBox* makeFrame(QWidget* parent, const char* name, const QString& caption) {
  auto* frame = new QGroupBox(caption, parent);
  frame->setObjectName(QLatin1String(name));
  new QVBoxLayout(frame);
  return frame;
}

}  // namespace

frmSettings::frmSettings(PortConfig& config, const std::vector<PresentPort>& ports,
                         QWidget* reference)
    : QDialog(reference), config_(config) {
  setObjectName(QLatin1String(ObjectNames::frmSettings));
  setWindowTitle(tr("COM-Port"));
  buildControls();
  Form_Load(ports, reference);
}

void frmSettings::buildControls() {
  fraPort = makeFrame(this, ObjectNames::fraPort, tr("&Port"));
  cboPorts = new QComboBox(fraPort);
  cboPorts->setObjectName(QLatin1String(ObjectNames::cboPorts));
  cboPorts->setEditable(false);
  cboPorts->setSizeAdjustPolicy(QComboBox::AdjustToContents);
  fraPort->layout()->addWidget(cboPorts);
  lblNoPorts = new QLabel(fraPort);
  lblNoPorts->setObjectName(QLatin1String(ObjectNames::lblNoPorts));
  lblNoPorts->hide();
  fraPort->layout()->addWidget(lblNoPorts);
  buildNetworkField();

  Frame2 = makeFrame(this, ObjectNames::Frame2, QString());
  const char* const rateCaptions[] = {QT_TR_NOOP("&600 bps"), QT_TR_NOOP("120&0 bps"),
                                      QT_TR_NOOP("2400 &bps"), QT_TR_NOOP("4&800 bps"),
                                      QT_TR_NOOP("&9600 bps")};
  for (std::size_t i = 0; i < optBPS.size(); ++i)
    optBPS[i] = makeOption(Frame2, indexedName(ObjectNames::optBPS, i), tr(rateCaptions[i]));

  Frame3 = makeFrame(this, ObjectNames::Frame3, QString());
  optDevice[0] =
      makeOption(Frame3, indexedName(ObjectNames::optDevice, 0), tr("&Default DMM (one frame)"));
  optDevice[1] =
      makeOption(Frame3, indexedName(ObjectNames::optDevice, 1), tr("M3&8xx (4 frames)"));
  static_cast<QVBoxLayout*>(Frame3->layout())->addStretch();

  const ConfirmButtons confirm = ConfirmButtons::build(this, tr("OK"), tr("Abbrechen"));
  lblProblem = confirm.problem;
  cmdOK = confirm.ok;
  cmdCancel = confirm.cancel;
  connect(cmdOK, &QPushButton::clicked, this, &frmSettings::cmdOK_Click);
  connect(cmdCancel, &QPushButton::clicked, this, &frmSettings::cmdCancel_Click);

  auto* options = new QHBoxLayout;
  options->addWidget(Frame2);
  options->addWidget(Frame3);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(fraPort);
  layout->addLayout(options);
  layout->addWidget(buildMeterChoice());
  layout->addWidget(lblProblem);
  layout->addLayout(confirm.row);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

void frmSettings::buildNetworkField() {
  txtNetwork = new QLineEdit(fraPort);
  txtNetwork->setObjectName(QLatin1String(ObjectNames::txtNetwork));
  txtNetwork->setPlaceholderText(QStringLiteral("rfc2217://HOST:PORT, tcp://HOST:PORT"));
  txtNetwork->setMinimumWidth(txtNetwork->fontMetrics().horizontalAdvance(
      QStringLiteral("rfc2217://bench-computer:20001")));
  auto* caption = new QLabel(tr("&Netzwerk:"), fraPort);
  caption->setBuddy(txtNetwork);
  auto* row = new QHBoxLayout;
  row->addWidget(caption);
  row->addWidget(txtNetwork, 1);
  static_cast<QVBoxLayout*>(fraPort->layout())->addLayout(row);
  lblNetworkError =
      new QLabel(tr("Keine Netzwerkadresse: rfc2217://HOST:PORT oder tcp://HOST:PORT"), fraPort);
  lblNetworkError->setObjectName(QLatin1String(ObjectNames::lblNetworkError));
  lblNetworkError->hide();
  fraPort->layout()->addWidget(lblNetworkError);
}

void frmSettings::Form_Load(const std::vector<PresentPort>& ports, QWidget* reference) {
  DialogResult = Result::Loaded;
  for (const PresentPort& port : ports) {
    cboPorts->addItem(port.itemText(), port.number);
    if (port.number == config_.ComPort) cboPorts->setCurrentIndex(cboPorts->count() - 1);
  }
  // The list selects its first item by itself; a port that is not present selects none.
  if (cboPorts->findData(config_.ComPort) < 0) cboPorts->setCurrentIndex(-1);
  if (ports.empty()) {
    lblNoPorts->setText(QString::fromStdString(messageText(Message(MessageId::NoSerialPort))));
    lblNoPorts->show();
  }

  txtNetwork->setText(QString::fromStdString(config_.Address));

  for (std::size_t i = 0; i < Rates.size(); ++i)
    if (config_.ComBaud == Rates[i]) optBPS[i]->setChecked(true);
  for (std::size_t i = 0; i < Meters.size(); ++i)
    if (config_.MeterType == Meters[i]) optDevice[i]->setChecked(true);

  adjustSize();
  Allgemein::CentreForm(this, reference);
}

void frmSettings::setChannels(const std::vector<ChannelBinding>& bindings, int ownChannel) {
  channels_ = bindings;
  ownChannel_ = ownChannel;
}

void frmSettings::cmdOK_Click() {
  const std::string address = txtNetwork->text().trimmed().toStdString();
  const auto network = parseNetworkAddress(address);
  if (!address.empty() && !network) {
    lblNetworkError->show();
    txtNetwork->setFocus();
    return;
  }
  PortConfig chosen = config_;
  chosen.Address = network ? network->text() : std::string();
  if (cboPorts->currentIndex() >= 0) chosen.ComPort = cboPorts->currentData().toInt();
  for (std::size_t i = 0; i < Rates.size(); ++i) {
    if (optBPS[i]->isChecked()) {
      chosen.ComBaud = Rates[i];
      break;
    }
  }
  for (std::size_t i = 0; i < optDevice.size(); ++i) {
    if (optDevice[i]->isChecked()) {
      chosen.MeterType = Meters[i];
      break;
    }
  }
  takeMeterChoice(chosen);
  if (const BindingProblem problem = checkMeterPort(channels_, ownChannel_, chosen);
      problem.channel != 0) {
    lblProblem->setText(frmChannels::problemText(problem));
    lblProblem->show();
    if (chosen.Address.empty())
      cboPorts->setFocus();
    else
      txtNetwork->setFocus();
    return;
  }
  config_ = chosen;
  DialogResult = Result::OK;
  accept();
}

QGroupBox* frmSettings::buildMeterChoice() {
  fraMeter = makeFrame(this, ObjectNames::fraMeter, tr("&Messgerät"));
  cboMeter = new QComboBox(fraMeter);
  cboMeter->setObjectName(QLatin1String(ObjectNames::cboMeter));
  cboMeter->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  cboMeter->setMinimumContentsLength(28);
  fraMeter->layout()->addWidget(cboMeter);
  cboMeter->addItem(QString(), QString());
  MeterChoices::addMeters(cboMeter);
  cboMeter->setCurrentIndex(std::max(0, cboMeter->findData(QString::fromStdString(config_.Meter))));
  return fraMeter;
}

void frmSettings::takeMeterChoice(PortConfig& chosen) const {
  // What is typed counts when it names an item; anything else leaves the kind to optDevice.
  chosen.Meter = MeterChoices::chosenMeter(cboMeter);
  chosen.ComBaud = MeterChoices::rateFor(chosen.Meter, chosen.ComBaud);
}

void frmSettings::cmdCancel_Click() {
  reject();
}

}  // namespace kelvor
