#include "ui/frmSettings.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>
#include <memory>
#include <ostream>
#include <vector>

#include "platform/PortNaming.h"
#include "support/PseudoTerminal.h"
#include "ui/MeterPort.h"
#include "ui/PortExchange.h"

// Readable failure messages for Qt texts.
static void PrintTo(const QString& text, std::ostream* out) {
  *out << '"' << text.toStdString() << '"';
}

namespace kelvor {
namespace {

using testing::PseudoTerminal;

// Three meters linked as COM2, COM7 and COM12 in a configuration folder of their own; the
// fixed device table looks into an empty folder, so no real port of the machine shows.
class PortDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(home.isValid());
    hadHome = qEnvironmentVariableIsSet("XDG_CONFIG_HOME");
    oldHome = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", home.path().toLocal8Bit());
    ASSERT_TRUE(QDir().mkpath(PortNaming::portsFolder()));
    ASSERT_TRUE(QDir().mkpath(home.filePath(QStringLiteral("root"))));
    // Linked out of order: the list is in port order all the same.
    link(12, meter12);
    link(2, meter2);
    link(7, meter7);
  }
  void TearDown() override {
    if (hadHome) {
      qputenv("XDG_CONFIG_HOME", oldHome);
    } else {
      qunsetenv("XDG_CONFIG_HOME");
    }
  }
  void link(int port, const PseudoTerminal& meter) const {
    ASSERT_TRUE(QFile::link(meter.slavePath(), PortNaming::linkPath(port)));
  }
  PortScanner scanner() const {
    return PortScanner(PortNaming::portsFolder(), home.filePath(QStringLiteral("root")));
  }
  std::unique_ptr<frmSettings> dialog() {
    return std::make_unique<frmSettings>(globals, scanner().presentPorts());
  }
  static QStringList items(const frmSettings& d) {
    QStringList texts;
    for (int i = 0; i < d.cboPorts->count(); ++i) texts << d.cboPorts->itemText(i);
    return texts;
  }
  static int checkedRate(const frmSettings& d) {
    for (std::size_t i = 0; i < d.optBPS.size(); ++i)
      if (d.optBPS[i]->isChecked()) return static_cast<int>(i);
    return -1;
  }
  // Runs `action` on the settings dialog once it is up (modal, inside its own loop).
  static void whenDialogOpens(std::function<void(frmSettings&)> action, int attempts = 50) {
    QTimer::singleShot(0, qApp, [action, attempts] {
      for (QWidget* top : QApplication::topLevelWidgets()) {
        auto* d = qobject_cast<frmSettings*>(top);
        if (d && d->isVisible()) return action(*d);
      }
      if (attempts > 0) {
        whenDialogOpens(action, attempts - 1);
      } else {
        ADD_FAILURE() << "the settings dialog did not open";
      }
    });
  }

  QTemporaryDir home;
  bool hadHome = false;
  QByteArray oldHome;
  PseudoTerminal meter2;
  PseudoTerminal meter7;
  PseudoTerminal meter12;
  AppGlobals globals;
};

TEST_F(PortDialogTest, ControlsAndCaptions) {
  const auto d = dialog();
  EXPECT_EQ(d->objectName(), QLatin1String("frmSettings"));
  EXPECT_EQ(d->windowTitle(), QLatin1String("COM-Port"));
  EXPECT_EQ(d->DialogResult, 2);
  const std::vector<std::pair<const char*, const char*>> captions = {
      {"optDevice(0)", "&Default DMM (one frame)"},
      {"optDevice(1)", "M3&8xx (4 frames)"},
      {"optBPS(0)", "&600 bps"},
      {"optBPS(1)", "120&0 bps"},
      {"optBPS(2)", "2400 &bps"},
      {"optBPS(3)", "4&800 bps"},
      {"optBPS(4)", "&9600 bps"},
      {"cmdOK", "OK"},
      {"cmdCancel", "Abbrechen"},
  };
  for (const auto& [name, caption] : captions) {
    SCOPED_TRACE(name);
    auto* control = d->findChild<QAbstractButton*>(QLatin1String(name));
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(control->text(), QString::fromUtf8(caption));
  }
  const std::vector<std::pair<const char*, const char*>> frames = {
      {"Frame3", ""}, {"Frame2", ""}, {"fraPort", "&Port"}};
  for (const auto& [name, caption] : frames) {
    SCOPED_TRACE(name);
    auto* frame = d->findChild<QGroupBox*>(QLatin1String(name));
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->title(), QLatin1String(caption));
  }
  EXPECT_EQ(d->optDevice[1]->parent(), d->Frame3);
  EXPECT_EQ(d->optBPS[4]->parent(), d->Frame2);
  EXPECT_EQ(d->cboPorts->parent(), d->fraPort);
}

TEST_F(PortDialogTest, ListsThePresentPortsWithTheirTargets) {
  const auto d = dialog();
  EXPECT_EQ(items(*d),
            (QStringList{"COM2 (" + meter2.slavePath() + ")", "COM7 (" + meter7.slavePath() + ")",
                         "COM12 (" + meter12.slavePath() + ")"}));
}

TEST_F(PortDialogTest, SelectedItemFollowsThePortAndOkKeepsAllItsDigits) {
  struct Case {
    int comPort;
    int selected;
    int afterOk;
  };
  const std::vector<Case> cases = {{2, 0, 2}, {7, 1, 7}, {12, 2, 12}, {5, -1, 5}, {1, -1, 1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.comPort);
    globals.ComPort = c.comPort;
    const auto d = dialog();
    EXPECT_EQ(d->cboPorts->currentIndex(), c.selected);
    d->cmdOK->click();
    EXPECT_EQ(globals.ComPort, c.afterOk);
    EXPECT_EQ(d->DialogResult, 1);
  }
}

TEST_F(PortDialogTest, OkTakesTheChosenItem) {
  globals.ComPort = 2;
  const auto d = dialog();
  d->cboPorts->setCurrentIndex(2);
  d->cmdOK->click();
  EXPECT_EQ(globals.ComPort, 12);
}

TEST_F(PortDialogTest, OkWithoutAnyPresentPortKeepsThePort) {
  globals.ComPort = 7;
  frmSettings d(globals, {});
  EXPECT_EQ(d.cboPorts->count(), 0);
  d.cmdOK->click();
  EXPECT_EQ(globals.ComPort, 7);
}

TEST_F(PortDialogTest, RateOptionFollowsTheRateAndOkKeepsAnUnknownRate) {
  struct Case {
    int baud;
    int checked;
  };
  const std::vector<Case> cases = {{600, 0},  {1200, 1},  {2400, 2}, {4800, 3},
                                   {9600, 4}, {4711, -1}, {0, -1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.baud);
    globals.ComBaud = c.baud;
    const auto d = dialog();
    EXPECT_EQ(checkedRate(*d), c.checked);
    d->cmdOK->click();
    EXPECT_EQ(globals.ComBaud, c.baud);
  }
  for (std::size_t i = 0; i < frmSettings::Rates.size(); ++i) {
    SCOPED_TRACE(i);
    globals.ComBaud = 4711;
    const auto d = dialog();
    d->optBPS[i]->click();
    d->cmdOK->click();
    EXPECT_EQ(globals.ComBaud, 600 << i);
  }
}

TEST_F(PortDialogTest, MeterOptionFollowsTheMeterTypeAndOkKeepsAnUnknownOne) {
  struct Case {
    int meterType;
    bool first;
    bool second;
    int click;  // option clicked before OK, -1 none
    int afterOk;
  };
  const std::vector<Case> cases = {{0, true, false, -1, 0},
                                   {1, false, true, -1, 1},
                                   {3, false, false, -1, 3},
                                   {3, false, false, 0, 0},
                                   {0, true, false, 1, 1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.meterType);
    globals.MeterType = c.meterType;
    const auto d = dialog();
    EXPECT_EQ(d->optDevice[0]->isChecked(), c.first);
    EXPECT_EQ(d->optDevice[1]->isChecked(), c.second);
    if (c.click >= 0) d->optDevice[static_cast<std::size_t>(c.click)]->click();
    d->cmdOK->click();
    EXPECT_EQ(globals.MeterType, c.afterOk);
  }
}

TEST_F(PortDialogTest, CancelAndTheCloseBoxChangeNothing) {
  for (const bool closeBox : {false, true}) {
    SCOPED_TRACE(closeBox ? "close box" : "Cancel");
    globals.ComPort = 2;
    globals.ComBaud = 1200;
    globals.MeterType = 0;
    const auto d = dialog();
    d->show();
    d->cboPorts->setCurrentIndex(2);
    d->optBPS[4]->click();
    d->optDevice[1]->click();
    if (closeBox) {
      d->close();
    } else {
      d->cmdCancel->click();
    }
    EXPECT_FALSE(d->isVisible());
    EXPECT_EQ(d->DialogResult, 2);
    EXPECT_EQ(globals.ComPort, 2);
    EXPECT_EQ(globals.ComBaud, 1200);
    EXPECT_EQ(globals.MeterType, 0);
  }
}

// The exchange of the main window's menu item: the port is closed while the dialog is up
// and opened again afterwards.
class PortExchangeTest : public PortDialogTest {
 protected:
  void SetUp() override {
    PortDialogTest::SetUp();
    mainWindow.show();
    globals.ComPort = 2;
    globals.PortOpen = port.OpenPort(&mainWindow);
    ASSERT_TRUE(globals.PortOpen);
  }
  // True when a poll written to the port reaches this meter.
  bool polls(const PseudoTerminal& meter) {
    return port.serial().WritePort("D") && meter.receive() == "D";
  }

  QWidget mainWindow;
  MeterPort port{globals};
};

TEST_F(PortExchangeTest, OkOpensTheChosenPortWithTheNewValues) {
  bool closedMeanwhile = false;
  whenDialogOpens([&](frmSettings& d) {
    closedMeanwhile = !port.serial().isOpen() && !globals.PortOpen;
    d.cboPorts->setCurrentIndex(1);  // COM7
    d.optBPS[4]->click();
    d.optDevice[1]->click();
    d.cmdOK->click();
  });
  EXPECT_TRUE(runPortSettings(&mainWindow, globals, port, scanner()));
  EXPECT_TRUE(closedMeanwhile);
  EXPECT_TRUE(globals.PortOpen);
  EXPECT_EQ(globals.ComPort, 7);
  EXPECT_EQ(globals.ComBaud, 9600);
  EXPECT_EQ(globals.MeterType, 1);
  EXPECT_EQ(globals.FrameLength, 56);
  EXPECT_TRUE(polls(meter7));
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST_F(PortExchangeTest, CancelAndTheCloseBoxReopenThePortThatWasOpen) {
  for (const bool closeBox : {false, true}) {
    SCOPED_TRACE(closeBox ? "close box" : "Cancel");
    whenDialogOpens([closeBox](frmSettings& d) {
      d.cboPorts->setCurrentIndex(1);
      d.optDevice[1]->click();
      if (closeBox) {
        d.close();
      } else {
        d.cmdCancel->click();
      }
    });
    EXPECT_FALSE(runPortSettings(&mainWindow, globals, port, scanner()));
    EXPECT_TRUE(globals.PortOpen);
    EXPECT_EQ(globals.ComPort, 2);
    EXPECT_EQ(globals.MeterType, 0);
    EXPECT_EQ(globals.FrameLength, 14);
    EXPECT_TRUE(polls(meter2));
  }
}

TEST_F(PortExchangeTest, CancelLeavesAClosedPortClosed) {
  port.ClosePort();
  globals.PortOpen = false;
  whenDialogOpens([](frmSettings& d) { d.cmdCancel->click(); });
  EXPECT_FALSE(runPortSettings(&mainWindow, globals, port, scanner()));
  EXPECT_FALSE(globals.PortOpen);
  EXPECT_FALSE(port.serial().isOpen());
}

TEST_F(PortExchangeTest, MainWindowClosedMeanwhileLeavesThePortClosed) {
  whenDialogOpens([this](frmSettings& d) {
    mainWindow.hide();  // the main window hides itself first when it closes
    d.close();
  });
  runPortSettings(&mainWindow, globals, port, scanner());
  EXPECT_FALSE(globals.PortOpen);
  EXPECT_FALSE(port.serial().isOpen());
}

}  // namespace
}  // namespace kelvor
