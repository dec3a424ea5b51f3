// SPDX-License-Identifier: GPL-3.0-or-later
// kelvor-record through a USB-HID meter cable that the simulator makes with the kernel's uhid.
#include <fcntl.h>
#include <unistd.h>

#include <QDir>
#include <cerrno>
#include <cstring>

#include "e2e/E2eSupport.h"

namespace kelvor::e2e {
namespace {

// Whether sysfs lists a hidraw node of a device with these ids ("000010C4:0000EA80").
bool hidrawNodeOf(const QByteArray& ids) {
  const QDir nodes(QStringLiteral("/sys/class/hidraw"));
  for (const QString& name : nodes.entryList(QDir::Dirs | QDir::NoDotAndDotDot))
    if (contentsOf(nodes.filePath(name + "/device/uevent")).contains("HID_ID=0003:" + ids))
      return true;
  return false;
}

// A virtual CP2110 cable with a streaming FS9922 meter behind it: the recorder finds it by
// its USB ids, sets its line up and records what the meter shows.
TEST(HidCableE2e, RecordsFromAVirtualCp2110Cable) {
  const int uhid = ::open("/dev/uhid", O_RDWR | O_CLOEXEC);
  if (uhid < 0)
    GTEST_SKIP() << "/dev/uhid cannot be opened (" << std::strerror(errno)
                 << "), so no virtual cable can be made";
  ::close(uhid);
  if (hidrawNodeOf("000010C4:0000EA80")) GTEST_SKIP() << "a CP2110 cable is plugged in already";
  TestHome home;
  MeterSim sim(home, {"--hid", "cp2110", "--meter", "fs9922", "--values", "const:1.5"});
  ASSERT_TRUE(sim.ready());
  ASSERT_TRUE(waitUntil([] { return hidrawNodeOf("000010C4:0000EA80"); }, std::chrono::seconds(5)));
  RecordProcess recorder(
      home, {"--port", "hid:10c4:ea80", "--meter", "fs9922", "--count", "3", "--output", "-"});
  EXPECT_EQ(recorder.status(), 0) << recorder.process.readAllStandardError().toStdString();
  EXPECT_EQ(journalValues(recorder.process.readAllStandardOutput()),
            (std::vector<double>{1.5, 1.5, 1.5}));
}

}  // namespace
}  // namespace kelvor::e2e
