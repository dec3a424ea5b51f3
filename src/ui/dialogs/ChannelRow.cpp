// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/dialogs/ChannelRow.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

#include "core/acquisition/MeterChoice.h"
#include "core/acquisition/MeterFamily.h"
#include "core/acquisition/MeterModels.h"
#include "core/recording/ValueLists.h"
#include "platform/MessageTexts.h"
#include "ui/common/ObjectNames.h"
#include "ui/dialogs/MeterChoices.h"

namespace kelvor {

using ObjectNames::numberedName;
using Source = ChannelBinding::Source;

namespace {

// The meter kinds of the port dialog's options head the meter list; they carry the kind here.
constexpr int KindRole = Qt::UserRole + 1;

template <typename Widget>
Widget* make(Widget* widget, const char* name, int channel) {
  widget->setObjectName(numberedName(name, channel));
  return widget;
}

QString withoutAccessKey(const char* caption) {
  return QCoreApplication::translate("kelvor::PortDialog", caption).remove(QLatin1Char('&'));
}

}  // namespace

ChannelRow::ChannelRow(int channel, const ChannelBinding& binding,
                       const std::vector<PresentPort>& ports, QGridLayout* grid, QWidget* parent)
    : QObject(parent), loaded_(binding) {
  buildControls(channel, parent);
  QWidget* const cells[] = {channelLabel, sourceList, portChoice, meterChoice, rateList, calcField};
  for (int column = 0; column < ColumnCount; ++column)
    grid->addWidget(cells[column], channel, column);

  sourceList->setCurrentIndex(sourceList->findData(static_cast<int>(binding.source)));
  showPorts(ports);
  showMeter();
  calcField->setText(QString::fromStdString(binding.calculation));
  enableFields();
  // The style's hint leaves the longest item no pixel to spare; a character's width more.
  for (QComboBox* list : {portChoice, rateList})
    list->setMinimumWidth(list->sizeHint().width() + list->fontMetrics().averageCharWidth());
  connect(sourceList, &QComboBox::currentIndexChanged, this, &ChannelRow::enableFields);
  connect(meterChoice, &QComboBox::currentIndexChanged, this, &ChannelRow::meterChosen);
}

void ChannelRow::buildControls(int channel, QWidget* parent) {
  const int index = channel - 1;
  channelLabel =
      make(new QLabel(QString::number(channel), parent), ObjectNames::lblChannel, channel);
  channelLabel->setAlignment(Qt::AlignCenter);
  channelLabel->setMinimumWidth(
      channelLabel->fontMetrics().horizontalAdvance(QStringLiteral("0000")));
  channelLabel->setAutoFillBackground(true);
  QPalette colours = channelLabel->palette();
  const auto rgb = paletteRgb(ValueLists::ChannelColors[static_cast<std::size_t>(index)]);
  colours.setColor(QPalette::Window, QColor::fromRgb(rgb));
  colours.setColor(QPalette::WindowText,
                   qGray(static_cast<QRgb>(rgb)) < 100 ? Qt::white : Qt::black);
  channelLabel->setPalette(colours);
  channelLabel->setToolTip(QString::fromStdString(messageText(
      Message(static_cast<MessageId>(static_cast<int>(MessageId::ChannelGreen) + index)))));

  sourceList = make(new QComboBox(parent), ObjectNames::cboSource, channel);
  sourceList->addItem(tr("nichts"), static_cast<int>(Source::None));
  sourceList->addItem(tr("Messgerät"), static_cast<int>(Source::Meter));
  sourceList->addItem(tr("Berechnung"), static_cast<int>(Source::Calculation));
  portChoice = make(new QComboBox(parent), ObjectNames::cboPort, channel);
  portChoice->setSizeAdjustPolicy(QComboBox::AdjustToContents);
  meterChoice = make(new QComboBox(parent), ObjectNames::cboMeter, channel);
  meterChoice->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  meterChoice->setMinimumContentsLength(24);
  rateList = make(new QComboBox(parent), ObjectNames::cboBaud, channel);
  calcField = make(new QLineEdit(parent), ObjectNames::txtCalc, channel);
  calcField->setMinimumWidth(
      calcField->fontMetrics().horizontalAdvance(QStringLiteral("Ah=int(2)__")));
}

void ChannelRow::showPorts(const std::vector<PresentPort>& ports) {
  const PortConfig& stored = loaded_.port;
  for (const PresentPort& present : ports) portChoice->addItem(present.itemText(), present.number);
  if (loaded_.source == Source::Meter && !stored.Address.empty()) {
    portChoice->addItem(QString::fromStdString(stored.Address),
                        QString::fromStdString(stored.Address));
  } else if (loaded_.source == Source::Meter && portChoice->findData(stored.ComPort) < 0) {
    portChoice->addItem(tr("COM%1 (nicht vorhanden)").arg(stored.ComPort), stored.ComPort);
  }
  const int shown = stored.Address.empty()
                        ? portChoice->findData(stored.ComPort)
                        : portChoice->findData(QString::fromStdString(stored.Address));
  if (shown >= 0 || loaded_.source == Source::Meter) portChoice->setCurrentIndex(shown);
}

void ChannelRow::showMeter() {
  meterChoice->addItem(withoutAccessKey("&Default DMM (one frame)"), QString());
  meterChoice->setItemData(0, static_cast<int>(MeterKind::OneFrame), KindRole);
  meterChoice->addItem(withoutAccessKey("M3&8xx (4 frames)"), QString());
  meterChoice->setItemData(1, static_cast<int>(MeterKind::FourFrames), KindRole);
  MeterChoices::addMeters(meterChoice);
  const int meter = meterChoice->findData(QString::fromStdString(loaded_.port.Meter));
  const bool fourFrames = loaded_.port.MeterType == MeterKind::FourFrames;
  meterChoice->setCurrentIndex(!loaded_.port.Meter.empty() && meter >= 0 ? meter
                               : fourFrames                              ? 1
                                                                         : 0);
  for (const int rate : meterRates()) rateList->addItem(QString::number(rate), rate);
  showRate(MeterChoices::rateFor(loaded_.port.Meter, loaded_.port.ComBaud));
}

// Selects `baud` in the rate list, adding it where it is none of the usual rates.
void ChannelRow::showRate(int baud) {
  if (rateList->findData(baud) < 0) rateList->addItem(QString::number(baud), baud);
  rateList->setCurrentIndex(rateList->findData(baud));
}

// A model or family brings its usual rate.
void ChannelRow::meterChosen() {
  const std::string id = MeterChoices::chosenMeter(meterChoice);
  if (const MeterModel* model = modelNamed(id)) showRate(model->line.baud);
  if (const MeterFamily* family = familyNamed(id)) showRate(family->line().baud);
}

void ChannelRow::enableFields() {
  const auto source = static_cast<Source>(sourceList->currentData().toInt());
  for (QWidget* field : std::initializer_list<QWidget*>{portChoice, meterChoice, rateList})
    field->setEnabled(source == Source::Meter);
  calcField->setEnabled(source == Source::Calculation);
  calcField->setPlaceholderText(calcField->isEnabled() ? QStringLiteral("W=1*2") : QString());
}

void ChannelRow::focusSource() {
  const auto source = static_cast<Source>(sourceList->currentData().toInt());
  (source == Source::Meter ? static_cast<QWidget*>(portChoice) : calcField)->setFocus();
}

PortConfig ChannelRow::port() const {
  PortConfig config = loaded_.port;
  const QVariant port = portChoice->currentData();
  if (port.typeId() == QMetaType::QString) {
    config.Address = port.toString().toStdString();
  } else if (port.isValid()) {
    config.ComPort = port.toInt();
    config.Address.clear();
  }
  // What is typed counts when it names an item; anything else keeps the meter as it was.
  const int typed = meterChoice->findText(meterChoice->currentText(), Qt::MatchFixedString);
  if (typed >= 0) {
    config.Meter = meterChoice->itemData(typed).toString().toStdString();
    const QVariant kind = meterChoice->itemData(typed, KindRole);
    if (kind.isValid()) config.MeterType = static_cast<MeterKind>(kind.toInt());
  }
  config.ComBaud = MeterChoices::rateFor(config.Meter, rateList->currentData().toInt());
  return config;
}

ChannelBinding ChannelRow::binding() const {
  ChannelBinding result = loaded_;
  result.source = static_cast<Source>(sourceList->currentData().toInt());
  if (result.source == Source::Meter) result.port = port();
  if (result.source == Source::Calculation)
    result.calculation = calcField->text().trimmed().toStdString();
  return result;
}

}  // namespace kelvor
