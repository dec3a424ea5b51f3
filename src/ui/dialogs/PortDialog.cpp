// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/dialogs/PortDialog.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <algorithm>

#include "core/acquisition/HidCables.h"
#include "core/acquisition/MeterModels.h"
#include "core/calc/ChannelBindingCheck.h"
#include "core/network/NetworkAddress.h"
#include "platform/MessageTexts.h"
#include "ui/common/ObjectNames.h"
#include "ui/common/WindowTools.h"
#include "ui/dialogs/ChannelsDialog.h"
#include "ui/dialogs/ConfirmButtons.h"
#include "ui/dialogs/MeterChoices.h"

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

PortDialog::PortDialog(PortConfig& config, const std::vector<PresentPort>& ports,
                       QWidget* reference, const std::vector<HidrawNode>& cables)
    : QDialog(reference), config_(config) {
  setObjectName(QLatin1String(ObjectNames::frmSettings));
  setWindowTitle(tr("COM-Port"));
  buildControls();
  fillIn(ports, cables, reference);
}

void PortDialog::buildControls() {
  portFrame = makeFrame(this, ObjectNames::fraPort, tr("&Port"));
  portList = new QComboBox(portFrame);
  portList->setObjectName(QLatin1String(ObjectNames::cboPorts));
  portList->setEditable(false);
  portList->setSizeAdjustPolicy(QComboBox::AdjustToContents);
  portFrame->layout()->addWidget(portList);
  noPortsLabel = new QLabel(portFrame);
  noPortsLabel->setObjectName(QLatin1String(ObjectNames::lblNoPorts));
  noPortsLabel->hide();
  portFrame->layout()->addWidget(noPortsLabel);
  buildNetworkField();

  rateFrame = makeFrame(this, ObjectNames::Frame2, QString());
  const char* const rateCaptions[] = {QT_TR_NOOP("&600 bps"), QT_TR_NOOP("120&0 bps"),
                                      QT_TR_NOOP("2400 &bps"), QT_TR_NOOP("4&800 bps"),
                                      QT_TR_NOOP("&9600 bps")};
  for (std::size_t i = 0; i < rateButtons.size(); ++i)
    rateButtons[i] =
        makeOption(rateFrame, indexedName(ObjectNames::optBPS, i), tr(rateCaptions[i]));

  deviceFrame = makeFrame(this, ObjectNames::Frame3, QString());
  deviceButtons[0] = makeOption(deviceFrame, indexedName(ObjectNames::optDevice, 0),
                                tr("&Default DMM (one frame)"));
  deviceButtons[1] =
      makeOption(deviceFrame, indexedName(ObjectNames::optDevice, 1), tr("M3&8xx (4 frames)"));
  static_cast<QVBoxLayout*>(deviceFrame->layout())->addStretch();

  const ConfirmButtons confirm = ConfirmButtons::build(this, tr("OK"), tr("Abbrechen"));
  problemLabel = confirm.problem;
  okButton = confirm.ok;
  cancelButton = confirm.cancel;
  connect(okButton, &QPushButton::clicked, this, &PortDialog::onOkClicked);
  connect(cancelButton, &QPushButton::clicked, this, &PortDialog::onCancelClicked);

  auto* options = new QHBoxLayout;
  options->addWidget(rateFrame);
  options->addWidget(deviceFrame);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(portFrame);
  layout->addLayout(options);
  layout->addWidget(buildMeterChoice());
  layout->addWidget(problemLabel);
  layout->addLayout(confirm.row);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

void PortDialog::buildNetworkField() {
  networkField = new QLineEdit(portFrame);
  networkField->setObjectName(QLatin1String(ObjectNames::txtNetwork));
  networkField->setPlaceholderText(QStringLiteral("rfc2217://HOST:PORT, tcp://HOST:PORT"));
  networkField->setMinimumWidth(networkField->fontMetrics().horizontalAdvance(
      QStringLiteral("rfc2217://bench-computer:20001")));
  auto* caption = new QLabel(tr("&Netzwerk:"), portFrame);
  caption->setBuddy(networkField);
  auto* row = new QHBoxLayout;
  row->addWidget(caption);
  row->addWidget(networkField, 1);
  static_cast<QVBoxLayout*>(portFrame->layout())->addLayout(row);
  networkErrorLabel =
      new QLabel(tr("Keine Netzwerkadresse: rfc2217://HOST:PORT oder tcp://HOST:PORT"), portFrame);
  networkErrorLabel->setObjectName(QLatin1String(ObjectNames::lblNetworkError));
  networkErrorLabel->hide();
  portFrame->layout()->addWidget(networkErrorLabel);
}

void PortDialog::fillIn(const std::vector<PresentPort>& ports,
                        const std::vector<HidrawNode>& cables, QWidget* reference) {
  DialogResult = Result::Loaded;
  for (const PresentPort& port : ports) portList->addItem(port.itemText(), port.number);
  // A cable's item holds its address as text, a serial port's its number.
  for (const HidrawNode& node : cables) {
    const HidCable* cable = hidCableWithIds(node.address.vendorId, node.address.productId);
    if (!cable) continue;
    portList->addItem(QString::fromStdString(hidCableLabel(*cable)) + QString::fromUtf8(" – ") +
                          QString::fromStdString(node.devicePath),
                      QString::fromStdString(node.address.text()));
  }
  // A stored cable address that is plugged in is shown as the list's item, not as text.
  const int cableItem = portList->findData(QString::fromStdString(config_.Address));
  // A port that is not present selects none.
  portList->setCurrentIndex(cableItem >= 0 ? cableItem : portList->findData(config_.ComPort));
  if (ports.empty() && cables.empty()) {
    noPortsLabel->setText(QString::fromStdString(messageText(Message(MessageId::NoSerialPort))));
    noPortsLabel->show();
  }

  if (cableItem < 0) networkField->setText(QString::fromStdString(config_.Address));

  for (std::size_t i = 0; i < Rates.size(); ++i)
    if (config_.ComBaud == Rates[i]) rateButtons[i]->setChecked(true);
  for (std::size_t i = 0; i < Meters.size(); ++i)
    if (config_.MeterType == Meters[i]) deviceButtons[i]->setChecked(true);

  adjustSize();
  WindowTools::centreWindow(this, reference);
}

void PortDialog::setChannels(const std::vector<ChannelBinding>& bindings, int ownChannel) {
  channels_ = bindings;
  ownChannel_ = ownChannel;
}

void PortDialog::onOkClicked() {
  const std::string address = networkField->text().trimmed().toStdString();
  const auto network = parseNetworkAddress(address);
  const auto cable = network ? std::nullopt : parseHidAddress(address);  // a USB-HID cable
  if (!address.empty() && !network && !cable) {
    networkErrorLabel->show();
    networkField->setFocus();
    return;
  }
  PortConfig chosen = config_;
  chosen.Address = network ? network->text() : cable ? cable->text() : std::string();
  const QVariant item = portList->currentData();
  if (item.typeId() == QMetaType::QString) {
    if (address.empty()) chosen.Address = item.toString().toStdString();
  } else if (portList->currentIndex() >= 0) {
    chosen.ComPort = item.toInt();
  }
  for (std::size_t i = 0; i < Rates.size(); ++i) {
    if (rateButtons[i]->isChecked()) {
      chosen.ComBaud = Rates[i];
      break;
    }
  }
  for (std::size_t i = 0; i < deviceButtons.size(); ++i) {
    if (deviceButtons[i]->isChecked()) {
      chosen.MeterType = Meters[i];
      break;
    }
  }
  takeMeterChoice(chosen);
  if (const BindingProblem problem = checkMeterPort(channels_, ownChannel_, chosen);
      problem.channel != 0) {
    problemLabel->setText(ChannelsDialog::problemText(problem));
    problemLabel->show();
    if (chosen.Address.empty())
      portList->setFocus();
    else
      networkField->setFocus();
    return;
  }
  config_ = chosen;
  DialogResult = Result::OK;
  accept();
}

QGroupBox* PortDialog::buildMeterChoice() {
  meterFrame = makeFrame(this, ObjectNames::fraMeter, tr("&Messgerät"));
  meterChoice = new QComboBox(meterFrame);
  meterChoice->setObjectName(QLatin1String(ObjectNames::cboMeter));
  meterChoice->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  meterChoice->setMinimumContentsLength(28);
  meterFrame->layout()->addWidget(meterChoice);
  meterChoice->addItem(QString(), QString());
  MeterChoices::addMeters(meterChoice);
  meterChoice->setCurrentIndex(
      std::max(0, meterChoice->findData(QString::fromStdString(config_.Meter))));
  return meterFrame;
}

void PortDialog::takeMeterChoice(PortConfig& chosen) const {
  // What is typed counts when it names an item; anything else leaves the kind to optDevice.
  chosen.Meter = MeterChoices::chosenMeter(meterChoice);
  chosen.ComBaud = MeterChoices::rateFor(chosen.Meter, chosen.ComBaud);
  // A meter that comes with a cable of its own is read through it unless told otherwise.
  const MeterModel* model = modelNamed(chosen.Meter);
  if (model && model->cable && chosen.Address.empty()) chosen.Address = model->cable;
}

void PortDialog::onCancelClicked() {
  reject();
}

}  // namespace kelvor
