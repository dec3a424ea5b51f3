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
  for (const QString family :
       {"fs9721", "fs9922", "es51922", "ut71x", "four", "mm38xr", "vc96", "rs9lcd", "bm25x",
        "dtm0660", "ms8250d", "ms2115b", "m2110", "asycii", "es51978", "es51986", "vc870"}) {
    SCOPED_TRACE(family.toStdString());
    TestHome home;
    const bool four = family == "four";
    const QStringList baud = four ? QStringList{"--baud", "600"} : QStringList{};
    QStringList faults{"--mid-frame", "--garbage", "--corrupt", "2"};
    const QStringList sevenBit{"es51922", "ut71x", "es51978", "es51986"};
    if (sevenBit.contains(family)) faults << "--high-bit";
    MeterSim sim(home, QStringList{"--port", "1", "--meter", family, "--values", "ramp:1,1",
                                   "--unit", "mV"} +
                           (four ? baud : faults));
    RecordProcess recorder(
        home,
        QStringList{"--port", "COM1", "--meter", family, "--count", "4", "--output", "-"} + baud);
    ASSERT_EQ(recorder.status(), 0);
    const std::vector<QStringList> rows = journalRows(recorder.process.readAllStandardOutput());
    ASSERT_EQ(rows.size(), 4u);
    double last = 0;
    for (std::size_t i = 0; i < rows.size(); ++i) {
      const double value = rows[i].value(4).toDouble();
      // The M2110 sends no unit.
      EXPECT_EQ(std::tuple(rows[i].value(5), rows[i].value(7)),
                std::tuple(family == "m2110" ? "" : "mV", "ok"))
          << i;
      // The four-frame meter's first frame only, each reading once.
      EXPECT_TRUE(value == std::floor(value) && value >= last && value <= 8 &&
                  (!four || value == static_cast<double>(i + 1)))
          << value;
      EXPECT_NEAR(rows[i].value(2).toDouble(), static_cast<double>(i), 0.2);
      last = value;
    }
    const QStringList at9600{"mm38xr", "bm25x", "vc870"}, at1200{"vc96", "ms2115b", "m2110"};
    const char* line = four                                         ? " 600 baud"
                       : family == "es51922" || family == "es51986" ? " 19200 baud"
                       : at9600.contains(family)                    ? " 9600 baud"
                       : at1200.contains(family)                    ? " 1200 baud"
                       : family == "rs9lcd"                         ? " 4800 baud"
                                                                    : " 2400 baud";
    EXPECT_TRUE(sim.lineSettings().contains(line)) << sim.lineSettings().toStdString();
  }
}

// The meters with a request of their own are sent nothing else and give, one reading a second,
// the value as shown with its unit; a reply with a wrong checksum or a broken line is none.
TEST(MeterFamiliesE2e, KelvorRecordPollsTheRequestAnswerFamilies) {
  for (const auto& [family, request, line] :
       {std::tuple("ut61eplus", QByteArray("\xAB\xCD\x03\x5E\x01\xD9"), " 9600 baud"),
        std::tuple("fluke28x", QByteArray("QM\r"), " 115200 baud")}) {
    SCOPED_TRACE(family);
    TestHome home;
    MeterSim sim(home, {"--port", "1", "--meter", family, "--values", "ramp:1,1", "--unit", "mV",
                        "--corrupt", "3"});
    RecordProcess recorder(home,
                           {"--port", "COM1", "--meter", family, "--count", "4", "--output", "-"});
    ASSERT_EQ(recorder.status(), 0);
    const std::vector<QStringList> rows = journalRows(recorder.process.readAllStandardOutput());
    ASSERT_EQ(rows.size(), 4u);
    // The third answer was damaged: values 1, 2, 4, 5 at 0, 1, 3 and 4 seconds.
    const double values[] = {1, 2, 4, 5};
    for (std::size_t i = 0; i < rows.size(); ++i) {
      EXPECT_EQ(std::tuple(rows[i].value(4).toDouble(), rows[i].value(5), rows[i].value(7)),
                std::tuple(values[i], "mV", "ok"))
          << i;
      EXPECT_NEAR(rows[i].value(2).toDouble(), values[i] - 1, 0.2) << i;
    }
    QByteArray sent;
    for (const LoggedByte& byte : sim.polls()) sent += static_cast<char>(byte.byte);
    EXPECT_TRUE(sent.size() >= 5 * request.size() &&
                sent.count(request) * request.size() == sent.size())
        << sent.toHex().toStdString();
    EXPECT_TRUE(sim.lineSettings().contains(line)) << sim.lineSettings().toStdString();
  }
}

// Another family's stream is told apart from silence, and a run that recorded nothing fails.
TEST(MeterFamiliesE2e, AnotherFamilysStreamIsToldAndTheRunWithoutReadingsFails) {
  TestHome home;
  MeterSim sim(home, {"--port", "1", "--meter", "fs9721"});
  RecordProcess recorder(home, {"--port", "COM1", "--meter", "fs9922", "--duration", "6s"});
  EXPECT_EQ(recorder.status(), 1);
  EXPECT_EQ(QString::fromUtf8(recorder.process.readAllStandardError()),
            "COM1: data arrives, but no valid fs9922 frame: another meter or rate?\n"
            "kelvor-record: Nothing recorded: no meter gave a reading\n");
  EXPECT_TRUE(QDir(home.file("data/Kelvor/recordings")).entryList(QDir::Files).isEmpty());
}

}  // namespace
}  // namespace kelvor::e2e
