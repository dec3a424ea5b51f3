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
  return QCoreApplication::translate("kelvor::frmSettings", caption).remove(QLatin1Char('&'));
}

}  // namespace

ChannelRow::ChannelRow(int channel, const ChannelBinding& binding,
                       const std::vector<PresentPort>& ports, QGridLayout* grid, QWidget* parent)
    : QObject(parent), loaded_(binding) {
  buildControls(channel, parent);
  QWidget* const cells[] = {lblChannel, cboSource, cboPort, cboMeter, cboBaud, txtCalc};
  for (int column = 0; column < ColumnCount; ++column)
    grid->addWidget(cells[column], channel, column);

  cboSource->setCurrentIndex(cboSource->findData(static_cast<int>(binding.source)));
  showPorts(ports);
  showMeter();
  txtCalc->setText(QString::fromStdString(binding.calculation));
  enableFields();
  // The style's hint leaves the longest item no pixel to spare; a character's width more.
  for (QComboBox* list : {cboPort, cboBaud})
    list->setMinimumWidth(list->sizeHint().width() + list->fontMetrics().averageCharWidth());
  connect(cboSource, &QComboBox::currentIndexChanged, this, &ChannelRow::enableFields);
  connect(cboMeter, &QComboBox::currentIndexChanged, this, &ChannelRow::meterChosen);
}

void ChannelRow::buildControls(int channel, QWidget* parent) {
  const int index = channel - 1;
  lblChannel = make(new QLabel(QString::number(channel), parent), ObjectNames::lblChannel, channel);
  lblChannel->setAlignment(Qt::AlignCenter);
  lblChannel->setMinimumWidth(lblChannel->fontMetrics().horizontalAdvance(QStringLiteral("0000")));
  lblChannel->setAutoFillBackground(true);
  QPalette colours = lblChannel->palette();
  const auto rgb = paletteRgb(ValueLists::ChannelColors[static_cast<std::size_t>(index)]);
  colours.setColor(QPalette::Window, QColor::fromRgb(rgb));
  colours.setColor(QPalette::WindowText,
                   qGray(static_cast<QRgb>(rgb)) < 100 ? Qt::white : Qt::black);
  lblChannel->setPalette(colours);
  lblChannel->setToolTip(QString::fromStdString(messageText(
      Message(static_cast<MessageId>(static_cast<int>(MessageId::ChannelGreen) + index)))));

  cboSource = make(new QComboBox(parent), ObjectNames::cboSource, channel);
  cboSource->addItem(tr("nichts"), static_cast<int>(Source::None));
  cboSource->addItem(tr("Messgerät"), static_cast<int>(Source::Meter));
  cboSource->addItem(tr("Berechnung"), static_cast<int>(Source::Calculation));
  cboPort = make(new QComboBox(parent), ObjectNames::cboPort, channel);
  cboPort->setSizeAdjustPolicy(QComboBox::AdjustToContents);
  cboMeter = make(new QComboBox(parent), ObjectNames::cboMeter, channel);
  cboMeter->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  cboMeter->setMinimumContentsLength(24);
  cboBaud = make(new QComboBox(parent), ObjectNames::cboBaud, channel);
  txtCalc = make(new QLineEdit(parent), ObjectNames::txtCalc, channel);
  txtCalc->setMinimumWidth(txtCalc->fontMetrics().horizontalAdvance(QStringLiteral("Ah=int(2)__")));
}

void ChannelRow::showPorts(const std::vector<PresentPort>& ports) {
  const PortConfig& stored = loaded_.port;
  for (const PresentPort& present : ports) cboPort->addItem(present.itemText(), present.number);
  if (loaded_.source == Source::Meter && !stored.Address.empty()) {
    cboPort->addItem(QString::fromStdString(stored.Address),
                     QString::fromStdString(stored.Address));
  } else if (loaded_.source == Source::Meter && cboPort->findData(stored.ComPort) < 0) {
    cboPort->addItem(tr("COM%1 (nicht vorhanden)").arg(stored.ComPort), stored.ComPort);
  }
  const int shown = stored.Address.empty()
                        ? cboPort->findData(stored.ComPort)
                        : cboPort->findData(QString::fromStdString(stored.Address));
  if (shown >= 0 || loaded_.source == Source::Meter) cboPort->setCurrentIndex(shown);
}

void ChannelRow::showMeter() {
  cboMeter->addItem(withoutAccessKey("&Default DMM (one frame)"), QString());
  cboMeter->setItemData(0, static_cast<int>(MeterKind::OneFrame), KindRole);
  cboMeter->addItem(withoutAccessKey("M3&8xx (4 frames)"), QString());
  cboMeter->setItemData(1, static_cast<int>(MeterKind::FourFrames), KindRole);
  MeterChoices::addMeters(cboMeter);
  const int meter = cboMeter->findData(QString::fromStdString(loaded_.port.Meter));
  const bool fourFrames = loaded_.port.MeterType == MeterKind::FourFrames;
  cboMeter->setCurrentIndex(!loaded_.port.Meter.empty() && meter >= 0 ? meter : fourFrames ? 1 : 0);
  for (const int rate : meterRates()) cboBaud->addItem(QString::number(rate), rate);
  showRate(MeterChoices::rateFor(loaded_.port.Meter, loaded_.port.ComBaud));
}

// Selects `baud` in the rate list, adding it where it is none of the usual rates.
void ChannelRow::showRate(int baud) {
  if (cboBaud->findData(baud) < 0) cboBaud->addItem(QString::number(baud), baud);
  cboBaud->setCurrentIndex(cboBaud->findData(baud));
}

// A model or family brings its usual rate.
void ChannelRow::meterChosen() {
  const std::string id = MeterChoices::chosenMeter(cboMeter);
  if (const MeterModel* model = modelNamed(id)) showRate(model->line.baud);
  if (const MeterFamily* family = familyNamed(id)) showRate(family->line().baud);
}

void ChannelRow::enableFields() {
  const auto source = static_cast<Source>(cboSource->currentData().toInt());
  for (QWidget* field : std::initializer_list<QWidget*>{cboPort, cboMeter, cboBaud})
    field->setEnabled(source == Source::Meter);
  txtCalc->setEnabled(source == Source::Calculation);
  txtCalc->setPlaceholderText(txtCalc->isEnabled() ? QStringLiteral("W=1*2") : QString());
}

void ChannelRow::focusSource() {
  const auto source = static_cast<Source>(cboSource->currentData().toInt());
  (source == Source::Meter ? static_cast<QWidget*>(cboPort) : txtCalc)->setFocus();
}

PortConfig ChannelRow::port() const {
  PortConfig config = loaded_.port;
  const QVariant port = cboPort->currentData();
  if (port.typeId() == QMetaType::QString) {
    config.Address = port.toString().toStdString();
  } else if (port.isValid()) {
    config.ComPort = port.toInt();
    config.Address.clear();
  }
  // What is typed counts when it names an item; anything else keeps the meter as it was.
  const int typed = cboMeter->findText(cboMeter->currentText(), Qt::MatchFixedString);
  if (typed >= 0) {
    config.Meter = cboMeter->itemData(typed).toString().toStdString();
    const QVariant kind = cboMeter->itemData(typed, KindRole);
    if (kind.isValid()) config.MeterType = static_cast<MeterKind>(kind.toInt());
  }
  config.ComBaud = MeterChoices::rateFor(config.Meter, cboBaud->currentData().toInt());
  return config;
}

ChannelBinding ChannelRow::binding() const {
  ChannelBinding result = loaded_;
  result.source = static_cast<Source>(cboSource->currentData().toInt());
  if (result.source == Source::Meter) result.port = port();
  if (result.source == Source::Calculation)
    result.calculation = txtCalc->text().trimmed().toStdString();
  return result;
}

}  // namespace kelvor
