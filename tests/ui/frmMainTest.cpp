#include "ui/frmMain.h"

#include <gtest/gtest.h>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <memory>

#include "core/scope/ValueLists.h"
#include "platform/SystemLocale.h"
#include "support/StartedMainWindow.h"
#include "ui/ScopeWidget.h"
#include "ui/Units.h"

namespace kelvor {
namespace {

// The main window started on a pseudo-terminal as COM1, with its own settings folder.
class MainWindowTest : public testing::StartedMainWindow {
 protected:
  void SetUp() override { startWindow(); }
  void TearDown() override { closeWindow(); }

  template <typename T>
  T* find(const char* name) {
    return window->findChild<T*>(QLatin1String(name));
  }
  // Pixels of the plot's picture in one colour.
  int pixelsOf(std::uint32_t rgb) {
    const QImage picture = window->controls().picScope->picture();
    int count = 0;
    for (int y = 0; y < picture.height(); ++y)
      for (int x = 0; x < picture.width(); ++x)
        if ((picture.pixel(x, y) & 0xFFFFFF) == rgb) ++count;
    return count;
  }
  QString local(const char* number) {
    QString text = QString::fromLatin1(number);
    return text.replace(QLatin1Char('.'), QLatin1Char(SystemLocale::decimalSeparator()));
  }
};

TEST_F(MainWindowTest, StartsIdleWithTheDefaultRanges) {
  EXPECT_TRUE(globals.PortOpen);
  EXPECT_TRUE(window->isVisible());
  EXPECT_EQ(find<QComboBox>("cboMessDauer")->currentText(), QLatin1String("0:15"));
  EXPECT_EQ(find<QComboBox>("cboYMin")->currentText(), QLatin1String("0"));
  EXPECT_EQ(find<QComboBox>("cboYMax")->currentText(), local("1.5"));
  EXPECT_EQ(find<QComboBox>("cboMessDauer")->count(), 29);
  EXPECT_EQ(find<QComboBox>("cboYMin")->count(), 58);
  EXPECT_EQ(find<QLabel>("lblX(0)")->text(), QLatin1String("0:00"));
  EXPECT_EQ(find<QLabel>("lblZeitEinheit")->text(), QLatin1String("t in min -->"));
  EXPECT_TRUE(find<QLabel>("lblTpP")->text().endsWith(QLatin1String("s / Pixel")));
  EXPECT_EQ(find<QLabel>("lblStart")->text(), QLatin1String("-- : -- : --"));
  for (int ch = 0; ch < TraceStore::Channels; ++ch) EXPECT_EQ(window->traces().count(ch), 0);
  EXPECT_FALSE(find<QCheckBox>("chkActive")->isChecked());
  EXPECT_GT(pixelsOf(paletteRgb(GridColor)), 0);
}

TEST_F(MainWindowTest, EraseThenResizeBringsTheTracesBack) {
  TraceStore& store = window->traces();
  for (int i = 1; i <= 100; ++i) store.setSample(1, i, 0.75f, static_cast<float>(i * 5));
  store.setCount(1, 100);
  window->scope().FullReDraw(0);
  const std::uint32_t red = paletteRgb(ValueLists::ChannelColors[1]);
  ASSERT_GT(pixelsOf(red), 0);

  find<QPushButton>("cmdCLS")->click();
  EXPECT_EQ(pixelsOf(red), 0);
  EXPECT_GT(pixelsOf(paletteRgb(GridColor)), 0);
  EXPECT_EQ(store.count(1), 100);

  window->resize(window->width() + 40, window->height() + 30);
  EXPECT_GT(pixelsOf(red), 0);
}

TEST_F(MainWindowTest, WindowKeepsItsMinimumSize) {
  window->resize(50, 50);
  EXPECT_GE(window->frameGeometry().width(), Units::twipsToPixels(9600));
  EXPECT_GE(window->frameGeometry().height(), Units::twipsToPixels(6150));
}

TEST_F(MainWindowTest, PanelStaysCentredOverThePlot) {
  window->resize(window->width() + 200, window->height());
  const double inner = Units::pixelsToPoints(window->controls().central->width());
  const double panel = Units::pixelsToPoints(window->controls().picControls->width());
  EXPECT_NEAR(Units::pixelsToPoints(window->controls().picControls->x()),
              24 + (inner - 24 - panel) / 2, 1.0);
}

TEST_F(MainWindowTest, ControlsReachTheRecorderAndThePlot) {
  find<QRadioButton>("optColor(3)")->click();
  EXPECT_EQ(window->recording().ActiveChannel, 3);
  EXPECT_EQ(find<QLabel>("lblVal")->palette().color(QPalette::WindowText).rgb() & 0xFFFFFF,
            paletteRgb(9));

  find<QCheckBox>("chkActive")->click();
  EXPECT_TRUE(window->recording().StartPending);

  auto* duration = find<QComboBox>("cboMessDauer");
  duration->setCurrentIndex(18);
  emit duration->activated(18);
  EXPECT_EQ(window->scope().MessDauer(), 60.0f);
  EXPECT_EQ(find<QLabel>("lblZeitEinheit")->text(), QLatin1String("t in h -->"));

  auto* yMin = find<QComboBox>("cboYMin");
  yMin->setCurrentIndex(18);  // 5
  emit yMin->activated(18);
  EXPECT_EQ(find<QComboBox>("cboYMax")->currentText(), local("7.5"));

  find<QPushButton>("cmdReset")->click();
  EXPECT_FALSE(find<QCheckBox>("chkActive")->isChecked());
  EXPECT_FALSE(window->recording().Running);
}

}  // namespace
}  // namespace kelvor
