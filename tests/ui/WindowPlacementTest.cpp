// Start-up and exit with a settings file of their own: the options, the window placement
// and the value font, as the main window reads and writes them.
#include "ui/WindowPlacement.h"

#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFont>
#include <QGuiApplication>
#include <QLabel>
#include <QMainWindow>
#include <QScreen>
#include <QSettings>
#include <QTemporaryDir>
#include <map>
#include <memory>
#include <set>
#include <vector>

#include "core/settings/AppGlobals.h"
#include "platform/SettingsStore.h"
#include "ui/Units.h"
#include "ui/ValueFont.h"

namespace kelvor {
namespace {

// One run of the program as far as the settings go.
struct ProgramRun {
  StoredSettings saved;
  AppGlobals globals;
  std::unique_ptr<QMainWindow> window;
};

class WindowPlacementTest : public ::testing::Test {
 protected:
  QString path() const { return dir.filePath(QStringLiteral("Kelvor/Kelvor.conf")); }
  SettingsStore store() const { return SettingsStore(path()); }

  ProgramRun start() const {
    ProgramRun run;
    const SettingsStore settings = store();
    run.saved = StoredSettings::read(settings.lookup(), '.');
    run.saved.applyTo(run.globals);
    run.window = std::make_unique<QMainWindow>();
    run.window->resize(620, 400);  // the design size
    WindowPlacement::restore(run.window.get(), run.saved);
    run.window->show();
    return run;
  }
  void exit(ProgramRun& run) const {
    run.saved.takeFrom(run.globals);
    WindowPlacement::capture(run.window.get(), run.saved);
    run.window->hide();
    ASSERT_TRUE(store().write(run.saved.texts()));
  }
  void writeSettings(const std::map<QString, QString>& values) const {
    QSettings settings(path(), QSettings::IniFormat);
    settings.beginGroup(QStringLiteral("Settings"));
    for (const auto& [key, value] : values) settings.setValue(key, value);
  }
  QString stored(const char* key) const {
    return QSettings(path(), QSettings::IniFormat)
        .value(QStringLiteral("Settings/") + QLatin1String(key))
        .toString();
  }
  static QRect screen() { return QGuiApplication::primaryScreen()->geometry(); }
  static bool centred(const QWidget& window) {
    const QPoint offset = window.frameGeometry().center() - screen().center();
    return std::abs(offset.x()) <= 1 && std::abs(offset.y()) <= 1;
  }
  static QString twips(int pixels) { return QString::number(Units::pixelsToTwips(pixels)); }

  QTemporaryDir dir;
};

TEST_F(WindowPlacementTest, FirstRunWithAnEmptyStore) {
  const ProgramRun run = start();
  EXPECT_FALSE(run.globals.PrintColored);
  EXPECT_TRUE(run.saved.AutoScale);
  EXPECT_EQ(run.globals.ComPort, 1);
  EXPECT_EQ(run.globals.ComBaud, 1200);
  EXPECT_EQ(run.globals.MeterType, 0);
  EXPECT_EQ(run.globals.FrameLength, 14);
  EXPECT_TRUE(centred(*run.window));
  EXPECT_EQ(run.window->size(), QSize(620, 400));
  EXPECT_EQ(WindowPlacement::stateOf(run.window.get()), 0);
}

TEST_F(WindowPlacementTest, NormalExitStoresTheOuterPlacementAndTheNextStartRestoresIt) {
  ProgramRun first = start();
  first.window->setGeometry(40, 30, 700, 480);
  const QRect outer = first.window->frameGeometry();  // frame included
  first.globals.ComPort = 7;
  first.globals.MeterType = 1;
  exit(first);
  EXPECT_EQ(stored("wState"), QLatin1String("0"));
  EXPECT_EQ(stored("wLeft"), twips(outer.x()));
  EXPECT_EQ(stored("wTop"), twips(outer.y()));
  EXPECT_EQ(stored("wWidht"), twips(outer.width()));
  EXPECT_EQ(stored("wHeight"), twips(outer.height()));

  // Run after run the window comes back where it was, without growing by its frame.
  for (int run = 2; run <= 4; ++run) {
    SCOPED_TRACE(run);
    ProgramRun next = start();
    EXPECT_EQ(next.window->frameGeometry(), outer);
    EXPECT_EQ(next.window->geometry(), QRect(40, 30, 700, 480));
    EXPECT_EQ(next.globals.ComPort, 7);
    EXPECT_EQ(next.globals.FrameLength, 56);
    exit(next);
  }
}

TEST_F(WindowPlacementTest, MaximisedExitKeepsTheNormalPlacement) {
  ProgramRun first = start();
  first.window->setGeometry(40, 30, 700, 480);
  const QRect outer = first.window->frameGeometry();
  exit(first);
  first.window.reset();

  ProgramRun second = start();
  second.window->showMaximized();
  exit(second);
  EXPECT_EQ(stored("wState"), QLatin1String("2"));
  EXPECT_EQ(stored("wLeft"), twips(outer.x()));
  EXPECT_EQ(stored("wTop"), twips(outer.y()));
  EXPECT_EQ(stored("wWidht"), twips(outer.width()));
  EXPECT_EQ(stored("wHeight"), twips(outer.height()));
  second.window.reset();

  ProgramRun third = start();
  EXPECT_TRUE(third.window->isMaximized());
  third.window->showNormal();
  QCoreApplication::processEvents();
  EXPECT_EQ(third.window->geometry(), QRect(40, 30, 700, 480));
}

TEST_F(WindowPlacementTest, MinimisedExitStartsMinimised) {
  ProgramRun first = start();
  first.window->showMinimized();
  exit(first);
  EXPECT_EQ(stored("wState"), QLatin1String("1"));
  EXPECT_FALSE(QSettings(path(), QSettings::IniFormat).contains("Settings/wLeft"));

  const ProgramRun second = start();
  EXPECT_TRUE(second.window->isMinimized());
}

TEST_F(WindowPlacementTest, PlacementThatIsTooSmallOrOffTheScreenIsCentred) {
  const QString screenWidth = twips(screen().width());
  const QString screenHeight = twips(screen().height());
  struct Case {
    const char* what;
    QString left, top, width, height;
    bool restored;
  };
  const std::vector<Case> cases = {
      {"fits", "600", "450", "9401", "6001", true},
      {"width exactly 9400", "600", "450", "9400", "7000", false},
      {"height exactly 6000", "600", "450", "10000", "6000", false},
      {"left edge at the screen's right edge", screenWidth, "450", "10000", "7000", false},
      {"top edge at the screen's bottom edge", "600", screenHeight, "10000", "7000", false},
      {"wholly left of the screen", "-10000", "450", "10000", "7000", false},
      {"negative width read as its size", "600", "450", "-10500", "7200", true},
      {"no number", "left", "top", "wide", "high", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    QTemporaryDir caseDir;  // QSettings caches a file by its name: one name per case
    const QString casePath = caseDir.filePath(QStringLiteral("Kelvor.conf"));
    {
      QSettings settings(casePath, QSettings::IniFormat);
      settings.setValue(QStringLiteral("Settings/wLeft"), c.left);
      settings.setValue(QStringLiteral("Settings/wTop"), c.top);
      settings.setValue(QStringLiteral("Settings/wWidht"), c.width);
      settings.setValue(QStringLiteral("Settings/wHeight"), c.height);
    }
    const StoredSettings saved = StoredSettings::read(SettingsStore(casePath).lookup(), '.');
    QMainWindow window;
    window.resize(620, 400);
    WindowPlacement::restore(&window, saved);
    if (c.restored) {
      EXPECT_EQ(window.frameGeometry(), QRect(Units::twipsToPixels(600), Units::twipsToPixels(450),
                                              Units::twipsToPixels(std::abs(c.width.toInt())),
                                              Units::twipsToPixels(std::abs(c.height.toInt()))));
    } else {
      EXPECT_TRUE(centred(window));
      EXPECT_EQ(window.size(), QSize(620, 400));
    }
  }
}

TEST_F(WindowPlacementTest, UnknownStoredStateLeavesTheWindowNormal) {
  writeSettings({{"wState", "7"}});
  const ProgramRun run = start();
  EXPECT_EQ(WindowPlacement::stateOf(run.window.get()), 0);
}

// The value font, with a stand-in for the system's font matching.
TEST(ValueFont, SegmentFaceWhenInstalledElseTheSubstitute) {
  struct Case {
    std::set<QString> installed;  // faces the system has, as they read back
    QString family;               // the family the labels ask for
    double pointSize;
  };
  const std::vector<Case> cases = {
      {{"LCD"}, "LCD", 24},   {{"LCD", "LCDD"}, "LCD", 24},
      {{"LCDD"}, "LCDD", 28}, {{"lcdd"}, "LCDD", 28},
      {{}, "LCDD", 24},       {{"lcd"}, "LCDD", 24},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.family.toStdString() + " " + std::to_string(c.installed.size()));
    const auto faceUsed = [&c](const QFont& font) {
      for (const QString& face : c.installed)
        if (face.compare(font.family(), Qt::CaseInsensitive) == 0) return face;
      return QStringLiteral("Substitute Sans");
    };
    QLabel value;
    QLabel acdc;
    QFont design(QStringLiteral("Arial"));
    design.setPointSizeF(24);
    value.setFont(design);
    acdc.setFont(design);
    ValueFont::choose(&value, &acdc, faceUsed);
    EXPECT_EQ(value.font().family(), c.family);
    EXPECT_EQ(value.font().pointSizeF(), c.pointSize);
    EXPECT_EQ(acdc.font(), value.font());
  }
}

}  // namespace
}  // namespace kelvor
