// SPDX-License-Identifier: GPL-3.0-or-later
// Every visible control of the main window and the dialogs has the room that the style's own
// rendering of its text and indicator needs at the actual font, and none covers another. The
// suite runs once per scale factor and language (tests/CMakeLists.txt sets the environment).
#include <gtest/gtest.h>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QStyleOptionGroupBox>
#include <QWindow>
#include <optional>

#include "core/publish/Publishing.h"
#include "support/StartedMainWindow.h"
#include "ui/dialogs/AboutDialog.h"
#include "ui/dialogs/ChannelsDialog.h"
#include "ui/dialogs/PortDialog.h"
#include "ui/dialogs/PrinterDialog.h"
#include "ui/dialogs/PublishDialog.h"
#include "ui/dialogs/ScheduleDialog.h"
#include "ui/mainwindow/ChannelValuesRow.h"
#include "ui/mainwindow/ReadingLabels.h"
#include "ui/plot/ScopeWidget.h"
#include "ui/printing/PrinterChoice.h"

namespace kelvor {
namespace {

QString plain(QString text) {
  return text.remove(QRegularExpression(QStringLiteral("&(?!&)")));
}

// What a control paints of itself, in its parent's coordinates; nothing for widgets that
// are no control (colour bars, containers) and for hidden ones.
std::optional<QRect> contents(const QWidget* w) {
  if (!w->isVisible()) return std::nullopt;
  if (qobject_cast<const QCheckBox*>(w) || qobject_cast<const QRadioButton*>(w)) {
    // Indicator and text from the left edge, as tall as the taller of the two, centred.
    const int indicator = w->style()->pixelMetric(qobject_cast<const QCheckBox*>(w)
                                                      ? QStyle::PM_IndicatorHeight
                                                      : QStyle::PM_ExclusiveIndicatorHeight,
                                                  nullptr, w);
    const int h = std::min(std::max(indicator, w->fontMetrics().height()), w->height());
    return QRect(w->x(), w->y() + (w->height() - h) / 2, w->sizeHint().width(), h);
  }
  if (auto* label = qobject_cast<const QLabel*>(w)) {
    if (!label->pixmap().isNull() || label->wordWrap()) return w->geometry();
    if (label->text().isEmpty()) return std::nullopt;
    const QRect inside = label->contentsRect().translated(w->pos());
    const QRect text =
        label->fontMetrics().boundingRect(inside, int(label->alignment()), plain(label->text()));
    return text.intersected(QRect(inside.topLeft(), QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX)));
  }
  if (qobject_cast<const QAbstractButton*>(w) || qobject_cast<const QComboBox*>(w) ||
      qobject_cast<const QLineEdit*>(w) || qobject_cast<const QGroupBox*>(w))
    return w->geometry();
  return std::nullopt;
}

// The width and height the control's text and indicator need.
QSize needed(const QWidget* w) {
  const QFontMetrics fm = w->fontMetrics();
  const QStyle* style = w->style();
  if (auto* button = qobject_cast<const QPushButton*>(w)) {
    // Without the style's minimum width for buttons with text.
    const int margin = style->pixelMetric(QStyle::PM_ButtonMargin, nullptr, w) +
                       2 * style->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, w);
    return {fm.horizontalAdvance(plain(button->text())) + margin, w->sizeHint().height()};
  }
  if (auto* combo = qobject_cast<const QComboBox*>(w)) {
    QStyleOptionComboBox option;
    option.initFrom(combo);
    const QSize text(fm.horizontalAdvance(combo->currentText()), fm.height());
    return {style->sizeFromContents(QStyle::CT_ComboBox, &option, text, w).width(),
            w->sizeHint().height()};
  }
  if (auto* edit = qobject_cast<const QLineEdit*>(w)) {
    const QMargins m = edit->textMargins();
    const int frame = 2 * style->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, w) + 4;
    return {fm.horizontalAdvance(edit->text()) + m.left() + m.right() + frame,
            w->sizeHint().height()};
  }
  if (auto* frame = qobject_cast<const QGroupBox*>(w))
    return {frame->title().isEmpty() ? 0 : fm.horizontalAdvance(plain(frame->title())) + 8, 0};
  if (auto* label = qobject_cast<const QLabel*>(w); label && label->wordWrap())
    return {0, label->heightForWidth(label->width())};
  return w->sizeHint();
}

// Where the children of `parent` may paint: inside a frame's border.
QRect room(const QWidget* parent) {
  auto* frame = qobject_cast<const QGroupBox*>(parent);
  if (!frame) return parent->rect();
  QStyleOptionGroupBox option;
  option.initFrom(frame);
  option.text = frame->title();
  option.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
  const QRect border =
      frame->style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxFrame, frame);
  return border.adjusted(1, 1, -1, -1);
}

QString nameOf(const QWidget* w) {
  return w->objectName().isEmpty() ? QString::fromLatin1(w->metaObject()->className())
                                   : w->objectName();
}

// Every problem of the visible controls below `top`, one line each.
QStringList problems(const QWidget* top) {
  QStringList found;
  QList<const QWidget*> parents = top->findChildren<const QWidget*>();
  parents << top;
  for (const QWidget* parent : parents) {
    std::vector<std::pair<const QWidget*, QRect>> placed;
    for (const QObject* child : parent->children()) {
      auto* w = qobject_cast<const QWidget*>(child);
      if (!w || w->isWindow()) continue;
      const std::optional<QRect> painted = contents(w);
      if (!painted) continue;
      const QSize need = needed(w);
      if (need.width() > w->width() || need.height() > w->height())
        found << QString::asprintf("%s is %dx%d, needs %dx%d", qPrintable(nameOf(w)), w->width(),
                                   w->height(), need.width(), need.height());
      if (!room(parent).contains(*painted))
        found << QStringLiteral("%1 runs into the border of %2").arg(nameOf(w), nameOf(parent));
      for (const auto& [other, rect] : placed)
        if (rect.intersects(*painted))
          found << QStringLiteral("%1 overlaps %2").arg(nameOf(w), nameOf(other));
      placed.emplace_back(w, *painted);
    }
  }
  return found;
}

class FitAndOverlap : public testing::StartedMainWindow {
 protected:
  ::testing::AssertionResult fits(QWidget* top) {
    top->show();
    const QStringList found = problems(top);
    if (found.isEmpty()) return ::testing::AssertionSuccess();
    const QWindow* handle = window.windowHandle();
    return ::testing::AssertionFailure()
           << "scale " << (handle ? handle->devicePixelRatio() : 0) << ", language "
           << context.LangCode << ", " << nameOf(top).toStdString() << ":\n  "
           << found.join(QStringLiteral("\n  ")).toStdString();
  }
};

TEST_F(FitAndOverlap, MainWindowAndDialogs) {
  EXPECT_TRUE(fits(&window));
  // The dialogs' own Qt texts (their standard buttons) are in the interface language too.
  EXPECT_EQ(QCoreApplication::translate("QFileDialog", "Open") == "Öffnen", context.LangCode == 0);
  // A streaming meter's value with its unit and its mode with the annunciators stay whole.
  const MainControls& controls = window.controls();
  ReadingLabels labels(controls.reading, controls.time, controls.range);
  const double full = controls.reading.modeLabel->font().pointSizeF();
  labels.showValue("-2.5000 kΩ"), labels.showMode("capacitance HOLD REL AUTO BAT");
  EXPECT_TRUE(fits(&window) && controls.reading.modeLabel->font().pointSizeF() < full);
  labels.showMode("DC");  // a short mode takes the full size again
  EXPECT_EQ(controls.reading.modeLabel->font().pointSizeF(), full);
  // Six channels in the row under the plot, each meter condition among them, at the design
  // size and at the smallest; a silent meter keeps its last value, dimmed.
  const QSize design = window.size();
  const int plotHeight = controls.scopeWidget->height();
  const auto& cells = controls.values.valueCells;
  ChannelValuesRow row(controls.values);
  EXPECT_TRUE(row.setBound(std::vector<bool>(6, true)));
  for (int channel = 0; channel < 6; ++channel)
    row.showMeter(channel, ChannelReading{-0.0123456, "Ah"}, MeterCondition(channel % 4));
  row.showMeter(1, std::nullopt, MeterCondition::NoAnswer);
  EXPECT_TRUE(cells[1]->text().startsWith(cells[0]->text() + '\n') && !cells[1]->isEnabled());
  for (const QSize& size : {design, window.minimumSize()}) {
    window.resize(size);
    window.scope().redrawAll(Rescale::Keep);
    EXPECT_TRUE(fits(&window)) << size.width() << "x" << size.height();
  }
  // With one channel bound the row goes, and the plot has its room back.
  EXPECT_TRUE(row.setBound({true}));
  window.resize(design);
  window.scope().redrawAll(Rescale::Keep);
  EXPECT_TRUE(cells[0]->isHidden() && window.controls().scopeWidget->height() == plotHeight);
  PortConfig config;
  PortDialog noPorts(config, {}, &window),
      onePort(config, {{1, "/dev/ttyUSB0", "USB UART"}}, &window);
  PrinterChoice printers;
  PrinterDialog printerDialog(window.printOptions(), printers, &window);
  AboutDialog about(&window);
  PublishSettings publishing;
  PublishDialog publish(publishing, QStringLiteral("kelvor/COM1"), &window);
  std::vector<ChannelBinding> bindings(6);
  bindings[0].source = ChannelBinding::Source::Meter;
  ChannelsDialog channels(bindings, {{1, "/dev/ttyUSB0", "USB UART"}}, &window);
  RecordingSchedule schedule;
  ScheduleDialog scheduleDialog(schedule, &window);
  for (QWidget* dialog : std::initializer_list<QWidget*>{&noPorts, &onePort, &printerDialog, &about,
                                                         &publish, &channels, &scheduleDialog})
    EXPECT_TRUE(fits(dialog));
}

}  // namespace
}  // namespace kelvor
