#include "ui/mainwindow/ReadingLabels.h"

#include <QCheckBox>
#include <QLabel>

#include "ui/mainwindow/MainControls.h"

namespace kelvor {

namespace {
QString fromMeter(const std::string& text) {
  return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}
}  // namespace

void ReadingLabels::showValue(const std::string& text) {
  controls_.lblVal->setText(fromMeter(text));
}
void ReadingLabels::showMode(const std::string& text) {
  controls_.lblACDC->setText(fromMeter(text));
}
void ReadingLabels::showCurrentTime(const std::string& text) {
  controls_.lblAkt->setText(fromMeter(text));
}
void ReadingLabels::showStartTime(const std::string& text) {
  controls_.lblStart->setText(fromMeter(text));
}
void ReadingLabels::showRunTime(const std::string& text) {
  controls_.lblLauf->setText(fromMeter(text));
}
bool ReadingLabels::autoScaleChecked() const {
  return controls_.chkAutoScale->isChecked();
}

}  // namespace kelvor
