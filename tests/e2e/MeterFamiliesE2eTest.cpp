// SPDX-License-Identifier: GPL-3.0-or-later
// Every protocol family against the simulator, through kelvor-record. What each family's frames
// show in the window, its mode with the annunciators, is MeterFamilyTest's.

#include <QDir>

#include "e2e/E2eSupport.h"

namespace kelvor::e2e {
namespace {

// A stream that starts mid-frame, carries stray bytes and damaged frames (and, on the 7-bit
// lines, the 8th bit set) gives only the meter's values, with their unit, one a second. So does
// the four-frame meter at 600 baud, whose 56 characters take 0.93 s of each second.
TEST(MeterFamiliesE2e, KelvorRecordTakesEveryFamilysValuesWithTheirUnitOneASecond) {
  for (const QString family : {"fs9721", "fs9922", "es51922", "ut71x", "four", "mm38xr", "vc96"}) {
    SCOPED_TRACE(family.toStdString());
    TestHome home;
    const bool four = family == "four";
    const QStringList baud = four ? QStringList{"--baud", "600"} : QStringList{};
    QStringList faults{"--mid-frame", "--garbage", "--corrupt", "2"};
    if (family == "es51922" || family == "ut71x") faults << "--high-bit";
    MeterSim sim(home, QStringList{"--port", "1", "--meter", family, "--values", "ramp:1,1",
                                   "--unit", "mV"} +
                           (four ? baud : faults));
    ASSERT_TRUE(sim.ready());
    RecordProcess recorder(
        home,
        QStringList{"--port", "COM1", "--meter", family, "--count", "4", "--output", "-"} + baud);
    ASSERT_EQ(recorder.status(), 0);
    const std::vector<QStringList> rows = journalRows(recorder.process.readAllStandardOutput());
    ASSERT_EQ(rows.size(), 4u);
    double last = 0;
    for (std::size_t i = 0; i < rows.size(); ++i) {
      const double value = rows[i].value(4).toDouble();
      EXPECT_EQ(std::tuple(rows[i].value(5), rows[i].value(7)), std::tuple("mV", "ok")) << i;
      // The four-frame meter's first frame only, each reading once.
      EXPECT_TRUE(value == std::floor(value) && value >= last && value <= 8 &&
                  (!four || value == static_cast<double>(i + 1)))
          << value;
      EXPECT_NEAR(rows[i].value(2).toDouble(), static_cast<double>(i), 0.2);
      last = value;
    }
    const char* line = four                  ? " 600 baud"
                       : family == "es51922" ? " 19200 baud"
                       : family == "mm38xr"  ? " 9600 baud"
                       : family == "vc96"    ? " 1200 baud"
                                             : " 2400 baud";
    EXPECT_TRUE(sim.lineSettings().contains(line)) << sim.lineSettings().toStdString();
  }
}

// Another family's stream is told apart from silence, and a run that recorded nothing fails.
TEST(MeterFamiliesE2e, AnotherFamilysStreamIsToldAndTheRunWithoutReadingsFails) {
  TestHome home;
  MeterSim sim(home, {"--port", "1", "--meter", "fs9721"});
  ASSERT_TRUE(sim.ready());
  RecordProcess recorder(home, {"--port", "COM1", "--meter", "fs9922", "--duration", "6s"});
  EXPECT_EQ(recorder.status(), 1);
  EXPECT_EQ(QString::fromUtf8(recorder.process.readAllStandardError()),
            "COM1: data arrives, but no valid fs9922 frame: another meter or rate?\n"
            "kelvor-record: Nothing recorded: no meter gave a reading\n");
  EXPECT_TRUE(QDir(home.file("data/Kelvor/recordings")).entryList(QDir::Files).isEmpty());
}

}  // namespace
}  // namespace kelvor::e2e
