// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/mainwindow/MeterStateDisplay.h"

#include <QColor>
#include <QCoreApplication>
#include <QEvent>
#include <QLabel>

#include "core/acquisition/MeterChoice.h"
#include "core/acquisition/PortTable.h"
#include "platform/MessageTexts.h"
#include "platform/MeterConnection.h"
#include "platform/PortNaming.h"
#include "ui/mainwindow/ChannelSources.h"
#include "ui/mainwindow/ChannelValuesRow.h"
#include "ui/mainwindow/ReadingControls.h"

namespace kelvor {

MeterStateDisplay::MeterStateDisplay(QWidget& window, const ReadingControls& reading,
                                     ChannelSources& sources)
    : window_(window), reading_(reading), sources_(sources) {
  sources_.addListener(this);
  reading_.valueLabel->installEventFilter(this);
}

MeterStateDisplay::~MeterStateDisplay() {
  for (int channel = 0; channel < ChannelValuesRow::Channels; ++channel)
    if (MeterConnection* meter = sources_.meterOn(channel))
      meter->reader().meterState().removeListener(this);
}

namespace {
// The reading display's own colour, kept while an alarm shows in red.
constexpr char ReadingColour[] = "readingColour";
constexpr char AlarmShown[] = "alarmShown";

void paintReading(QLabel* label) {
  const QColor colour = label->property(AlarmShown).toBool()
                            ? QColor(Qt::red)
                            : label->property(ReadingColour).value<QColor>();
  QPalette palette = label->palette();
  palette.setColor(QPalette::WindowText, colour);
  palette.setColor(QPalette::Disabled, QPalette::WindowText, colour.darker(200));
  label->setPalette(palette);
}
// The meter as the title names it.
MeterOnPort meterOnPort(MeterConnection& meter) {
  return {meterName(meter.config()), meter.reader().meterState().condition(),
          std::string(familyFor(meter.config()).name())};
}

}  // namespace

void MeterStateDisplay::follow() {
  for (int channel = 0; channel < ChannelValuesRow::Channels; ++channel) {
    if (MeterConnection* meter = sources_.meterOn(channel)) {
      meter->reader().meterState().removeListener(this);  // a meter kept from before
      meter->reader().meterState().addListener(this);
    }
  }
  refresh();
}

void MeterStateDisplay::meterStateChanged(MeterCondition) {
  const bool alarm = sources_.recording().alarmed();
  std::vector<MeterOnPort> meters;
  for (int channel = 0; channel < ChannelValuesRow::Channels; ++channel)
    if (MeterConnection* meter = sources_.meterOn(channel)) meters.push_back(meterOnPort(*meter));
  MeterConnection* own = sources_.ownMeter();
  if (!own) return;
  const Message title =
      sources_.several() ? meterTitle(meters, alarm) : meterTitle(meterOnPort(*own), alarm);
  std::string caption = messageText(title);
  if (const auto waiting = sources_.recording().waitingText())
    caption += " – " + messageText(*waiting);
  window_.setWindowTitle(QString::fromStdString(caption));
  // The display dims with the meter it shows; a calculated channel's with its value.
  MeterConnection* shown = sources_.meterOn(sources_.watched());
  const MeterCondition condition =
      shown ? shown->reader().meterState().condition() : MeterCondition::Answering;
  // A disabled label is drawn in the palette's dimmed colour.
  for (QLabel* label : {reading_.valueLabel, reading_.modeLabel}) {
    label->setEnabled(condition == MeterCondition::Answering);
    label->setProperty(AlarmShown, alarm);
    paintReading(label);
  }
}

void MeterStateDisplay::setReadingColour(QLabel* label, const QColor& colour) {
  label->setProperty(ReadingColour, colour);
  paintReading(label);
}

bool MeterStateDisplay::eventFilter(QObject* watched, QEvent* event) {
  // Filled in when it is about to be shown, so that the time of the last answer is current.
  if (watched == reading_.valueLabel && event->type() == QEvent::ToolTip)
    reading_.valueLabel->setToolTip(shownSourceTip());
  return QObject::eventFilter(watched, event);
}

QString MeterStateDisplay::shownSourceTip() {
  const int channel = sources_.watched();
  if (MeterConnection* meter = sources_.meterOn(channel)) {
    const PortConfig& config = meter->config();
    return QString::fromStdString(messageText(
        meterDetails(config,
                     config.Address.empty() ? PortNaming::devicePath(config.ComPort).toStdString()
                                            : config.Address,
                     meter->reader().meterState().lastAnswer())));
  }
  const std::vector<ChannelBinding>& bindings = sources_.bindings();
  const auto index = static_cast<std::size_t>(channel);
  if (index < bindings.size() && bindings[index].source == ChannelBinding::Source::Calculation)
    return QCoreApplication::translate("kelvor::MeterStateDisplay", "Berechnung: %1")
        .arg(QString::fromStdString(bindings[index].calculation));
  return QString();
}

}  // namespace kelvor
