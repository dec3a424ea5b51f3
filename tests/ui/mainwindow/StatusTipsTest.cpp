// SPDX-License-Identifier: GPL-3.0-or-later
// What the main window tells about the meter and the channels without changing its layout.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QTime>
#include <QTimer>

#include "core/InvalidValue.h"
#include "platform/ProgramCatalogue.h"
#include "platform/SystemLocale.h"
#include "support/StartedMainWindow.h"
#include "ui/plot/ScopeWidget.h"

namespace kelvor {
namespace {

using StatusTips = testing::StartedMainWindow;

// The tooltip as hovering brings it up.
QString hover(QWidget* widget) {
  QHelpEvent event(QEvent::ToolTip, widget->rect().center(), widget->rect().center());
  QCoreApplication::sendEvent(widget, &event);
  return widget->toolTip();
}

TEST_F(StatusTips, TitleDimmingTooltipsAndReadoutFollowTheMeterAndTheChannels) {
  QLabel* value = window.controls().reading.valueLabel;
  const QString separator(QChar::fromLatin1(SystemLocale::decimalSeparator()));
  MeterState& state = window.meter().reader().meterState();
  context.LangCode = 1, ProgramCatalogue::install(1);
  EXPECT_EQ(window.windowTitle(), QStringLiteral("Kelvor – COM1"));
  EXPECT_TRUE(value->isEnabled());
  EXPECT_EQ(hover(value), QStringLiteral("Device: %1\nBaud rate: 1200\nMeter: one display\n"
                                         "Last answer: -- : -- : --")
                              .arg(home.filePath("Kelvor/ports/COM1")));
  state.portLost();
  EXPECT_EQ(window.windowTitle(), QStringLiteral("Kelvor – COM1: disconnected, retrying"));
  EXPECT_FALSE(value->isEnabled() || window.controls().reading.modeLabel->isEnabled());
  EXPECT_EQ(value->palette().color(QPalette::Disabled, QPalette::WindowText).name(), "#007f00");
  window.recorder().chooseChannel(2);  // a new channel colour is dimmed as well
  EXPECT_EQ(value->palette().color(QPalette::Disabled, QPalette::WindowText),
            value->palette().color(QPalette::Active, QPalette::WindowText).darker(200));
  state.answered();
  for (int poll = 0; poll <= MeterState::MissedPollLimit; ++poll) state.pollSent();
  EXPECT_EQ(window.windowTitle(), QStringLiteral("Kelvor – COM1: no answer"));
  EXPECT_FALSE(value->isEnabled());
  clock.advance(5);
  state.answered();
  EXPECT_TRUE(value->isEnabled());
  EXPECT_TRUE(hover(value).endsWith("Last answer: 09:00:05")) << hover(value).toStdString();

  QRadioButton* channel = window.controls().colours.channelButtons[2];
  EXPECT_EQ(hover(channel), "No samples") << "emptied by choosing it";
  testing::fillChannel(window.traces(), 2, {{0.5f, 6}, {InvalidValue, 7}, {1.5f, 9}});
  context.LangCode = 0, ProgramCatalogue::install(0);
  EXPECT_EQ(hover(channel), QStringLiteral("Messwerte: 2 (Lücken: 1)\nMinimum: 0,5\nMaximum: 1,5"
                                           "\nMittelwert: 1\nZeit: 6 s bis 9 s")
                                .replace(QLatin1Char(','), separator));

  // The mouse over the column of each sample of channel 3: the gap's column shows the nearer
  // sample, channel 5 with its one sample only its own column.
  ScopeWidget* plot = window.controls().scopeWidget;
  const ScaleParams& scale = window.scope().scale();
  const float across = scale.SecondsAcross;
  window.traces().clearAll();
  testing::fillChannel(window.traces(), 3,
                       {{1.5f, 0}, {InvalidValue, across / 3}, {-2.25f, across / 2}});
  testing::fillChannel(window.traces(), 5, {{7.0f, across / 3}});  // reaches no other column
  window.scope().redrawAll(Rescale::Keep);
  window.traces().setUnit(3, "mA");  // each channel in its own unit, whatever the meter reads
  window.traces().setUnit(5, "V");
  window.liveRecording().recording().takeReading(0.0f, "A");
  const QImage picture = plot->picture().copy(), shown = plot->grab().toImage();
  const double secondsPerColumn = across / plot->picture().width();
  for (const auto& [time, texts] : {std::pair{0.0f, "1,500 mA"},
                                    {across / 3, "-2,250 mA|7,000 V"},
                                    {across / 2, "-2,250 mA"}}) {
    const int column = mapSample(static_cast<double>(time), 0, window.scope().raster(), scale).x;
    const QPointF at(plot->contentsRect().left() + column, plot->contentsRect().center().y());
    QMouseEvent move(QEvent::MouseMove, at, plot->mapToGlobal(at), Qt::NoButton, {}, {});
    QCoreApplication::sendEvent(plot, &move);
    ASSERT_FALSE(plot->readoutShown().empty());
    QStringList values;
    for (std::size_t i = 1; i < plot->readoutShown().size(); ++i)
      values << QString::fromStdString(plot->readoutShown()[i].text);
    EXPECT_EQ(values.join('|'), QString(texts).replace(QLatin1Char(','), separator));
    const QTime shownTime = QTime::fromString(
        QString::fromStdString(plot->readoutShown()[0].text.substr(0, 8)), "hh:mm:ss");
    EXPECT_NEAR(shownTime.msecsSinceStartOfDay() / 1000.0, static_cast<double>(time),
                secondsPerColumn / 2 + 0.5);
    EXPECT_NE(plot->grab().toImage(), shown) << "the cursor is painted";
  }
  QEvent leave(QEvent::Leave);
  QCoreApplication::sendEvent(plot, &leave);
  EXPECT_TRUE(plot->readoutShown().empty() && plot->picture() == picture &&
              plot->grab().toImage() == shown);

  // A meter on COM2 for channel 2 and a calculation for channel 3: the reading's tooltip tells
  // of what the large display shows.
  testing::PseudoTerminal meter2;
  ASSERT_TRUE(home.link(2, meter2));
  QTimer::singleShot(0, [] {
    QWidget* dialog = QApplication::activeModalWidget();
    const auto list = [dialog](const QString& name) { return dialog->findChild<QComboBox*>(name); };
    list("cboSource2")->setCurrentIndex(static_cast<int>(ChannelBinding::Source::Meter));
    list("cboPort2")->setCurrentIndex(list("cboPort2")->findData(2));
    list("cboSource3")->setCurrentIndex(static_cast<int>(ChannelBinding::Source::Calculation));
    dialog->findChild<QLineEdit*>("txtCalc3")->setText("W=1*2");
    dialog->findChild<QPushButton*>("cmdOK")->click();
  });
  window.controls().menus.channelsItem->trigger();
  for (const auto& [watched, tip] : {std::pair{1, "Gerät: " + home.filePath("Kelvor/ports/COM2")},
                                     {2, QStringLiteral("Berechnung: W=1*2")},
                                     {0, "Gerät: " + home.filePath("Kelvor/ports/COM1")}}) {
    window.controls().colours.channelButtons[static_cast<std::size_t>(watched)]->click();
    EXPECT_EQ(hover(value).section('\n', 0, 0).toStdString(), tip.toStdString());
  }
}

}  // namespace
}  // namespace kelvor
