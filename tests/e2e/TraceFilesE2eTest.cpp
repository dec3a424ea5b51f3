// Trace files through the real window: record from the meter simulator, save a channel
// through the File menu and the file dialog, load it into other channels, save again.
#include <gtest/gtest.h>

#include <QFile>
#include <QRegularExpression>
#include <vector>

#include "e2e/E2eSupport.h"

namespace kelvor::e2e {
namespace {

using namespace std::chrono_literals;

TEST(TraceFilesE2e, RecordedChannelSurvivesSaveAndLoadThroughTheMenus) {
  struct Case {
    const char* language;
    QChar separator;
  };
  for (const Case& c : {Case{"de_DE.UTF-8", QLatin1Char(',')}, Case{"en_US.UTF-8", '.'}}) {
    SCOPED_TRACE(c.language);
    TestHome home;
    MeterSim sim(home, {"--port", "1", "--values", "ramp:1,0.25"});
    ASSERT_TRUE(sim.ready());
    KelvorApp app(home, QString::fromLatin1(c.language));
    ASSERT_TRUE(app.connected());

    // Record a few readings into the green channel (the active one after start-up).
    ASSERT_EQ(app.request(QStringLiteral("click chkActive")), QLatin1String("ok "));
    QStringList readings;
    waitUntil(
        [&] {
          const QString now = app.text(QStringLiteral("lblVal"));
          if (readings.isEmpty() || readings.back() != now) readings << now;
          return readings.size() >= 9;
        },
        20s);
    ASSERT_GE(readings.size(), 9) << readings.join(" | ").toStdString();

    const QString saved = home.file(QStringLiteral("green.kvr"));
    ASSERT_TRUE(chooseThroughMenu(app, QStringLiteral("mnuFileSave(0)"), saved));
    const QByteArray bytes = contentsOf(saved);
    const std::vector<TraceLine> lines = recordLines(bytes, c.separator);
    ASSERT_GE(lines.size(), 3u) << bytes.toStdString();
    for (std::size_t i = 0; i < lines.size(); ++i) {
      SCOPED_TRACE(i);
      // The simulator's ramp: 1, 1.25, 1.5, ... one step per reading.
      const double steps = (lines[i].value - 1.0) / 0.25;
      EXPECT_NEAR(steps, std::round(steps), 1e-9);
      if (i > 0) {
        EXPECT_GT(lines[i].value, lines[i - 1].value);
        EXPECT_GT(lines[i].time, lines[i - 1].time);
      }
    }
    EXPECT_TRUE(QString::fromLatin1(bytes).contains(c.separator)) << bytes.toStdString();

    // Loading into another channel leaves the recording running.
    ASSERT_TRUE(chooseThroughMenu(app, QStringLiteral("mnuFileLoad(1)"), saved));
    EXPECT_EQ(app.request(QStringLiteral("checked chkActive")), QLatin1String("ok 1"));

    // The red channel now holds the file: saved again it gives the same bytes.
    const QString again = home.file(QStringLiteral("red.kvr"));
    ASSERT_TRUE(chooseThroughMenu(app, QStringLiteral("mnuFileSave(1)"), again));
    EXPECT_EQ(contentsOf(again), bytes);

    // Loading into the channel being recorded switches drawing off.
    ASSERT_TRUE(chooseThroughMenu(app, QStringLiteral("mnuFileLoad(0)"), again));
    EXPECT_EQ(app.request(QStringLiteral("checked chkActive")), QLatin1String("ok 0"));
    const QString third = home.file(QStringLiteral("green-again.kvr"));
    ASSERT_TRUE(chooseThroughMenu(app, QStringLiteral("mnuFileSave(0)"), third));
    EXPECT_EQ(contentsOf(third), bytes);
    EXPECT_TRUE(app.modal().isEmpty());
  }
}

TEST(TraceFilesE2e, BadFileIsReportedAndTheChannelStays) {
  TestHome home;
  KelvorApp app(home);  // German
  ASSERT_TRUE(app.connected());
  // No meter: the port message comes first.
  if (waitUntil([&] { return !app.modal().isEmpty(); }, 5s)) {
    ASSERT_TRUE(app.request(QStringLiteral("dismiss")).startsWith(QLatin1String("ok")));
    ASSERT_TRUE(waitUntil([&] { return app.modal().isEmpty(); }, 5s));
  }
  // The good file mixes both decimal separators: either reads as a decimal point.
  const QString good = home.file(QStringLiteral("good.kvr"));
  const QString bad = home.file(QStringLiteral("bad.kvr"));
  for (const auto& [path, bytes] : {std::pair{good, QByteArray("1,5;0\r\n2.5;1\r\n\r\n\r\n")},
                                    std::pair{bad, QByteArray("1;0\r\n\r\n2;x\r\n")}}) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
  }
  ASSERT_TRUE(chooseThroughMenu(app, QStringLiteral("mnuFileLoad(2)"), good));

  ASSERT_EQ(app.request(QStringLiteral("click mnuFileLoad(2)")), QLatin1String("ok "));
  ASSERT_TRUE(waitUntil(
      [&] { return app.request("choose-file " + bad).startsWith(QLatin1String("ok")); }, 5s));
  ASSERT_TRUE(waitUntil([&] { return app.modal().startsWith(QLatin1String("Kelvor|")); }, 5s));
  const QString message = app.modal();
  EXPECT_TRUE(message.contains(bad)) << message.toStdString();
  EXPECT_TRUE(message.contains(QLatin1String("Zeile 3"))) << message.toStdString();
  ASSERT_TRUE(app.request(QStringLiteral("dismiss")).startsWith(QLatin1String("ok")));
  ASSERT_TRUE(waitUntil([&] { return app.modal().isEmpty(); }, 5s));

  const QString saved = home.file(QStringLiteral("magenta.kvr"));
  ASSERT_TRUE(chooseThroughMenu(app, QStringLiteral("mnuFileSave(2)"), saved));
  EXPECT_EQ(contentsOf(saved), QByteArray("1,5;0\r\n2,5;1\r\n\r\n\r\n"));
}

}  // namespace
}  // namespace kelvor::e2e
