// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/mainwindow/ReadingLabels.h"

#include <QSignalBlocker>

#include <QCheckBox>
#include <QLabel>
#include <QStringDecoder>

#include "ui/mainwindow/RangeControls.h"
#include "ui/mainwindow/ReadingControls.h"
#include "ui/mainwindow/TimeControls.h"

namespace kelvor {

namespace {
// The families' decoders write units such as "kΩ" and "µA" in UTF-8; the polled meters'
// frames are single bytes, shown as Latin-1 unless they happen to be valid UTF-8.
QString fromMeter(const std::string& text) {
  QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
  const QString decoded = utf8(QByteArrayView(text.data(), static_cast<qsizetype>(text.size())));
  if (!utf8.hasError()) return decoded;
  return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}
}  // namespace

void ReadingLabels::showValue(const std::string& text) {
  reading_.valueLabel->setText(fromMeter(text));
}
void ReadingLabels::showMode(const std::string& text) {
  reading_.modeLabel->setText(fromMeter(text));
}
void ReadingLabels::showCurrentTime(const std::string& text) {
  time_.currentTimeLabel->setText(fromMeter(text));
}
void ReadingLabels::showStartTime(const std::string& text) {
  time_.startLabel->setText(fromMeter(text));
}
void ReadingLabels::showRunTime(const std::string& text) {
  time_.runTimeLabel->setText(fromMeter(text));
}
void ReadingLabels::showAutoScale(bool on) {
  const QSignalBlocker quiet(range_.autoScaleBox);
  range_.autoScaleBox->setChecked(on);
}

}  // namespace kelvor
