// SPDX-License-Identifier: GPL-3.0-or-later
// kelvor-record's live page in headless chromium: the readings of two meters and a calculated
// channel as the journals hold them, updated in place, the plot loaded, at a laptop's and a
// phone's width; a screenshot of each as a test artifact.
#include <signal.h>

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>
#include <iostream>
#include <tuple>

#include "e2e/E2eSupport.h"
#include "e2e/WebDriver.h"

namespace kelvor::e2e {
namespace {

// The readings on the page by channel, as shown.
constexpr const char* ShownReadings = R"js(
const shown = {};
document.querySelectorAll("#channels tr").forEach(row => {
  shown[row.dataset.channel] = row.querySelector(".value").textContent;
});
return shown;)js";

// The last two readings of each channel in the journals, as a German page shows them.
QJsonObject journalReadings(const TestHome& home) {
  const QDir folder(home.file(QStringLiteral("data/Kelvor/recordings")));
  std::map<QString, QStringList> readings;
  for (const QString& name : folder.entryList({"*.csv.part"}, QDir::Files)) {
    for (const QStringList& row : journalRows(contentsOf(folder.filePath(name)), ';')) {
      QStringList& last = readings[row.value(3)];
      last.append(row.value(4) + " " + row.value(5));
      if (last.size() > 2) last.removeFirst();
    }
  }
  QJsonObject last;
  for (const auto& [channel, texts] : readings) last[channel] = QJsonArray::fromStringList(texts);
  return last;
}

TEST(LivePageBrowserE2e, ShowsTheJournalsReadingsAsTheyComeAndThePlot) {
  TestHome home;
  WebDriver browser(home.file(QStringLiteral("browser")), QStringLiteral("de-DE"));
  if (!browser.problem().isEmpty()) GTEST_SKIP() << browser.problem().toStdString();
  MeterSim volts(home, {"--port", "1", "--values", "ramp:12,0.25"});
  MeterSim amps(home, {"--port", "2", "--values", "ramp:1.5,0.5", "--unit", " A"});
  ASSERT_TRUE(volts.ready() && amps.ready());
  const quint16 port = freePort();
  RecordProcess recorder(
      home,
      {"--port", "COM1", "--port", "COM2", "--calc", "W=1*2", "--http", QString::number(port)}, {},
      QStringLiteral("de_DE.UTF-8"));
  ASSERT_TRUE(waitUntil([&] { return journalReadings(home).size() == 3; }, 15s));
  ASSERT_TRUE(browser.open("http://127.0.0.1:" + QString::number(port) + "/"));
  ASSERT_TRUE(browser.run(QStringLiteral("window.stayed = true; return true;")).toBool());

  // The page may be a tick ahead of the journals or behind them: any of the last two rows.
  QJsonObject shown, journals;
  const auto showsJournals = [&] {
    shown = browser.run(ShownReadings).toObject();
    journals = journalReadings(home);
    const QStringList channels = journals.keys();
    return shown.size() == 3 && std::all_of(channels.begin(), channels.end(), [&](auto& c) {
             return journals[c].toArray().contains(shown[c]);
           });
  };
  const auto seen = [&] {
    return QJsonDocument(QJsonObject{{"shown", shown}, {"journals", journals}})
        .toJson()
        .toStdString();
  };
  ASSERT_TRUE(waitUntil(showsJournals, 10s)) << seen();
  const QJsonObject first = shown;
  const QStringList channels = first.keys();
  EXPECT_TRUE(waitUntil(
      [&] {
        return showsJournals() && std::none_of(channels.begin(), channels.end(),
                                               [&](auto& c) { return shown[c] == first[c]; });
      },
      10s))
      << seen();
  EXPECT_TRUE(browser.run(QStringLiteral("return window.stayed === true;")).toBool());

  const QString fits = QStringLiteral(
      "const plot = document.getElementById('plot');"
      "return plot.complete && plot.naturalWidth > 0 && plot.getBoundingClientRect().right <= "
      "innerWidth && document.documentElement.scrollWidth <= innerWidth;");
  QDir().mkpath(QStringLiteral(KELVOR_ARTIFACT_DIR));
  for (const auto& [name, width, height] :
       {std::tuple{"live-page.png", 1280, 800}, std::tuple{"live-page-phone.png", 390, 844}}) {
    ASSERT_TRUE(browser.resize(width, height));
    // Loaded, in the window's width and nothing wider, after the plot's next reload.
    pause(1500ms);
    EXPECT_TRUE(waitUntil([&] { return browser.run(fits).toBool(); }, 10s)) << name;
    const QByteArray png = browser.screenshot();
    EXPECT_TRUE(png.startsWith("\x89PNG\r\n\x1a\n")) << name;
    QFile file(QStringLiteral(KELVOR_ARTIFACT_DIR "/") + name);
    file.remove();  // another user's screenshot of an earlier run is replaced, not written into
    EXPECT_TRUE(file.open(QIODevice::WriteOnly) && file.write(png) == png.size())
        << file.fileName().toStdString() << " cannot be written";
    std::cout << "screenshot: " << file.fileName().toStdString() << "\n";
  }
  ::kill(static_cast<pid_t>(recorder.process.processId()), SIGTERM);
  EXPECT_EQ(recorder.status(), 0);
}

}  // namespace
}  // namespace kelvor::e2e
