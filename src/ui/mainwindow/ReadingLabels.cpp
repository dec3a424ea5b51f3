// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/mainwindow/ReadingLabels.h"

#include <QSignalBlocker>

#include <QCheckBox>
#include <QFontMetricsF>
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

// Whether the text, with its line breaks, fits `room` in that font.
bool fitsIn(const QFont& font, const QRectF& room, const QString& text) {
  const QRectF needed = QFontMetricsF(font).boundingRect(room, Qt::AlignLeft, text);
  return needed.width() <= room.width() && needed.height() <= room.height();
}

// The text in the label's own font, made smaller until it fits the first `width` points of the
// label, so a value with its unit stays whole; a text that does not fit at the smallest size
// goes on two lines ("resistance HOLD REL" over "AUTO BAT"), as a meter's annunciators do.
void showFitted(QLabel* label, QString text, int width) {
  constexpr char FullSize[] = "fullPointSize";
  constexpr double SmallestSize = 6;
  if (!label->property(FullSize).isValid())
    label->setProperty(FullSize, label->font().pointSizeF());
  const QRectF room(0, 0, width, label->contentsRect().height());
  QFont font = label->font();
  const auto shrink = [&] {
    double size = label->property(FullSize).toDouble();
    font.setPointSizeF(size);
    while (size > SmallestSize && !fitsIn(font, room, text)) font.setPointSizeF(size -= 1);
  };
  shrink();
  const qsizetype middle = text.lastIndexOf(QLatin1Char(' '), text.size() / 2);
  if (!fitsIn(font, room, text) && middle > 0) {
    text[middle] = QLatin1Char('\n');
    shrink();
  }
  if (font != label->font()) label->setFont(font);
  label->setText(text);
}
}  // namespace

void ReadingLabels::showValue(const std::string& text) {
  // Up to the mode's place, which the value's box overlaps a little.
  showFitted(reading_.valueLabel, fromMeter(text),
             reading_.modeLabel->x() - reading_.valueLabel->x());
}
void ReadingLabels::showMode(const std::string& text) {
  showFitted(reading_.modeLabel, fromMeter(text), reading_.modeLabel->contentsRect().width());
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
