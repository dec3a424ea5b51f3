// SPDX-License-Identifier: GPL-3.0-or-later
// The window title and the reading display tell the reading and an alarm; kelvor-record's
// console a silent meter. A port that is not open: PortDialogE2e; a silent or lost meter in the
// window: StatusTipsTest and ChannelsE2e; a server away: NetworkE2e.
#include <QRegularExpression>

#include "e2e/E2eSupport.h"

namespace kelvor::e2e {
namespace {

// Without a sound the alarm is seen: red digits and the title, for as long as it holds.
TEST(MeterStateE2e, AnArmedAlarmTurnsTheDisplayRedAndNamesItInTheTitle) {
  TestHome home;
  home.writeSettings({{"Device", "1"}});  // four frames, more than one read takes: the first shown
  MeterSim sim(home, {"--port", "1", "--meter", "four", "--values", "const:1,1,1,0.5,0.5,0.5"});
  KelvorApp app(home);
  ASSERT_TRUE(waitUntil([&] { return app.text("lblVal lblACDC") == "1,000 V\tDC"; }, 10s));
  EXPECT_TRUE(QRegularExpression("^\\d\\d:\\d\\d:\\d\\d$").match(app.text("lblAkt")).hasMatch());
  ASSERT_TRUE(app.ok(QStringLiteral("click chkAlarm")));  // "< 0,8"
  // The title and the value, then the value's colour, for the alarm and after it.
  for (const auto& [shown, colour] : {std::pair("Kelvor – COM1: Alarm\t0,500 V", "#ff0000"),
                                      std::pair("Kelvor – COM1\t1,000 V", "#00ff00")}) {
    EXPECT_TRUE(waitUntil([&] { return app.text("frmMain lblVal") == shown; }, 8s))
        << app.text("frmMain lblVal").toStdString();
    EXPECT_EQ(app.value("colour lblVal"), colour);
  }
}

// kelvor-record tells a meter that falls silent, and its return, a line each. (After how many
// polls: MeterStateTest; each line's text: TranslationTest.)
TEST(MeterStateE2e, KelvorRecordTellsASilentMeterAndItsReturn) {
  TestHome home;
  const QByteArray script =
      "DC  1.000 V  \n" + QByteArray("silent\n").repeated(6) + "DC  2.000 V  \n";
  MeterSim sim(home, {"--port", "1", "--script", home.writeFile("fading.txt", script)});
  RecordProcess recorder(home, {"--port", "COM1", "--count", "2", "--output", "-"});
  ASSERT_EQ(recorder.status(), 0);
  EXPECT_EQ(QString::fromUtf8(recorder.process.readAllStandardError()),
            "COM1: no answer\nCOM1: answering again\n");
}

}  // namespace
}  // namespace kelvor::e2e
