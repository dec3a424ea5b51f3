// SPDX-License-Identifier: GPL-3.0-or-later
// The window with several meters and calculated channels: one tick for all, a journal each,
// the calculated channels in their own; a meter unplugged leaves the others recording.
// Stored bindings that the channel dialog would refuse are left out.
#include <QDir>
#include <memory>

#include "e2e/E2eSupport.h"

namespace kelvor::e2e {
namespace {

TEST(ChannelsE2e, TwoMetersShareTheTickAndAnUnpluggedOneLeavesTheOtherRecording) {
  TestHome home;
  // Channel 5 as a settings file edited by hand may have it: COM1 again.
  home.writeSettingsText(
      "Channel1=meter Port1=1 Channel2=meter Port2=2 Channel3=calc Calc3=W=1*2 Channel4=calc "
      "Calc4=Ah=int(2) Channel5=meter Port5=1 Channel6=calc Calc6=W=6*1");
  MeterSim voltage(home, {"--port", "1", "--values", "const:12"});
  auto current = std::make_unique<MeterSim>(
      home, QStringList{"--port", "2", "--values", "ramp:1,1", "--unit", " A"});
  KelvorApp app(home, QStringLiteral("en_US.UTF-8"));
  // What the channel dialog would refuse is left out and told: COM1 is not opened twice.
  const QString told = app.awaitModal();
  EXPECT_TRUE(told.startsWith("Kelvor|These stored channels stay unbound:\nChannel 5: this meter "
                              "feeds channel 1 already") &&
              told.endsWith("\nChannel 6: W=6*1: the calculation depends on itself."))
      << told.toStdString();
  ASSERT_TRUE(app.dismiss());
  ASSERT_TRUE(app.ok(QStringLiteral("click chkActive")));
  // The large display and the alarm follow the channel chosen: the charge, always below 0.8.
  ASSERT_TRUE(app.ok(QStringLiteral("click optColor(3)")));
  EXPECT_TRUE(waitUntil([&] { return app.text("lblACDC") == "mAh"; }, 5s));
  ASSERT_TRUE(app.ok(QStringLiteral("click chkAlarm")));
  EXPECT_TRUE(waitUntil([&] { return app.text("frmMain") == "Kelvor – COM1, COM2: Alarm"; }, 5s))
      << app.text("frmMain").toStdString();
  pause(8s);
  current.reset();  // unplugged
  pause(4s);
  EXPECT_EQ(app.text("frmMain lblChannelValue1 lblChannelValue3"),
            "Kelvor – COM1, COM2 (disconnected): Alarm\t12.00 V\t–")
      << app.text("frmMain lblChannelValue1 lblChannelValue3").toStdString();
  EXPECT_TRUE(app.text("lblChannelValue2").endsWith("disconnected"));  // under its last value
  const QString power = home.file(QStringLiteral("power.kvr"));
  ASSERT_TRUE(app.choose(QStringLiteral("mnuFileSave(2)"), power));
  // Bound anew to COM1 alone, the window goes on as a one-meter window.
  ASSERT_TRUE(app.ok(QStringLiteral("click mnuChannels")) && !app.awaitModal().isEmpty());
  for (const QString list : {"cboSource2", "cboSource3", "cboSource4"})
    ASSERT_TRUE(app.ok("select " + list + " nothing"));
  ASSERT_TRUE(app.ok(QStringLiteral("click cmdOK")));
  EXPECT_TRUE(waitUntil([&] { return app.text("frmMain") == "Kelvor – COM1: Alarm"; }, 5s))
      << app.text("frmMain").toStdString();
  ASSERT_TRUE(app.quit());

  EXPECT_EQ(home.stored("Calc4"), "Ah=int(2)");  // the bindings are kept
  // The plot's power channel holds the products too, one every store interval (2 s here).
  const std::vector<TraceLine> plotted = recordLines(contentsOf(power), '.');
  EXPECT_GE(plotted.size(), 4u) << contentsOf(power).toStdString();
  for (const TraceLine& line : plotted) EXPECT_EQ(line.value, 12 * (line.time + 1)) << line.time;

  // The journals: a row of each calculated channel for every tick COM2 answered and COM1 on
  // after it was gone, the last power 12 W times the ramp's last value, the charge the exact
  // integral of the ramp within 0.5 %. (The ticks' rules and the journals' names: MeterGroupTest.)
  const QDir folder(home.file(QStringLiteral("data/Kelvor/recordings")));
  const QStringList names = folder.entryList({"*.csv"}, QDir::Files);
  EXPECT_EQ(names.size(), 3);
  const auto rows = [&](const QString& ending) {
    return journalRows(contentsOf(folder.filePath(names.filter(ending).value(0))));
  };
  const auto volts = rows("_COM1.csv"), amps = rows("_COM2.csv"), calculated = rows("_calc.csv");
  ASSERT_TRUE(amps.size() >= 9 && volts.size() >= amps.size() + 3 &&
              calculated.size() == 2 * amps.size())
      << volts.size() << " " << amps.size() << " " << calculated.size();
  EXPECT_EQ(QStringList({volts[0][3], amps[0][3], amps[0][4]}), QStringList({"1", "2", "1"}));
  double charge = 0.0;  // the exact integral of the ramp between its readings, in Ah
  for (std::size_t i = 1; i < amps.size(); ++i)
    charge += (i + 0.5) * (amps[i][2].toDouble() - amps[i - 1][2].toDouble()) / 3600;
  EXPECT_EQ(calculated[calculated.size() - 2].mid(3, 4),
            QStringList({"3", QString::number(12 * amps.size()), "W", "W=1*2"}));
  EXPECT_EQ(calculated.back().mid(5, 2), QStringList({"Ah", "Ah=int(2)"}));
  EXPECT_NEAR(calculated.back()[4].toDouble(), charge, charge * 0.005);
}

}  // namespace
}  // namespace kelvor::e2e
