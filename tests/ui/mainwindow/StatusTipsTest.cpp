// What the main window tells about the meter and the channels without changing its layout.
#include <gtest/gtest.h>

#include <QHelpEvent>
#include <QLabel>
#include <QRadioButton>

#include "platform/SystemLocale.h"
#include "support/StartedMainWindow.h"

namespace kelvor {
namespace {

using StatusTips = testing::StartedMainWindow;

// The tooltip as hovering brings it up.
QString hover(QWidget* widget) {
  QHelpEvent event(QEvent::ToolTip, widget->rect().center(), widget->rect().center());
  QCoreApplication::sendEvent(widget, &event);
  return widget->toolTip();
}

TEST_F(StatusTips, TitleDimmingAndTooltipsFollowTheMeterAndTheChannels) {
  QLabel* value = window.controls().lblVal;
  const QString separator(QChar::fromLatin1(SystemLocale::decimalSeparator()));
  MeterState& state = window.meter().session().meterState();
  context.LangCode = 1;
  EXPECT_EQ(window.windowTitle(), QStringLiteral("Kelvor – COM1"));
  EXPECT_TRUE(value->isEnabled());
  EXPECT_EQ(hover(value), QStringLiteral("Device: %1\nBaud rate: 1200\nMeter: one display\n"
                                         "Last answer: -- : -- : --")
                              .arg(home.filePath("Kelvor/ports/COM1")));
  state.portLost();
  EXPECT_EQ(window.windowTitle(), QStringLiteral("Kelvor – COM1: disconnected, retrying"));
  EXPECT_FALSE(value->isEnabled() || window.controls().lblACDC->isEnabled());
  EXPECT_EQ(value->palette().color(QPalette::Disabled, QPalette::WindowText).name(), "#007f00");
  window.recorder().chooseChannel(2);  // a new channel colour is dimmed as well
  EXPECT_EQ(value->palette().color(QPalette::Disabled, QPalette::WindowText),
            value->palette().color(QPalette::Active, QPalette::WindowText).darker(200));
  clock.advance(5);
  state.answered();
  EXPECT_TRUE(value->isEnabled());
  EXPECT_TRUE(hover(value).endsWith("Last answer: 09:00:05")) << hover(value).toStdString();

  QRadioButton* channel = window.controls().optColor[2];
  EXPECT_EQ(hover(channel), "No samples") << "emptied by choosing it";
  testing::fillChannel(window.traces(), 2, {{0.5f, 6}, {InvalidValue, 7}, {1.5f, 9}});
  context.LangCode = 0;
  EXPECT_EQ(hover(channel), QStringLiteral("Messwerte: 2 (Lücken: 1)\nMinimum: 0,5\nMaximum: 1,5"
                                           "\nMittelwert: 1\nZeit: 6 s bis 9 s")
                                .replace(QLatin1Char(','), separator));
}

}  // namespace
}  // namespace kelvor
