// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/PortScanner.h"

#include <sys/stat.h>
#include <sys/sysmacros.h>

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cerrno>
#include <cstring>
#include <vector>

#include "support/PseudoTerminal.h"

namespace kelvor {
namespace {

using testing::PseudoTerminal;

// A ports folder and a stand-in for / with its own /dev and /sys.
class PortScannerTest : public ::testing::Test {
 protected:
  QString underRoot(const QString& path) const { return root + path; }

  void SetUp() override { ASSERT_TRUE(QDir().mkpath(ports) && QDir().mkpath(root + "/dev")); }
  void link(int port, const QString& target) const {
    ASSERT_TRUE(QFile::link(target, ports + QStringLiteral("/COM%1").arg(port)));
  }
  void writeFile(const QString& path, const QByteArray& text) const {
    QFile file(path);
    ASSERT_TRUE(QDir().mkpath(path.section(QLatin1Char('/'), 0, -2)) &&
                file.open(QIODevice::WriteOnly) && file.write(text) == text.size());
  }
  // A device node stand-in, with the serial type the kernel files for it (none: unknown).
  void device(const QString& name, const QByteArray& type = {}) const {
    writeFile(underRoot("/dev/" + name), {});
    if (!type.isEmpty()) writeFile(underRoot("/sys/class/tty/" + name + "/type"), type);
  }
  // A USB adapter: the tty's device sits `depth` levels below the USB device, which carries
  // the manufacturer and product strings.
  void usbAdapter(const QString& name, int depth, const QByteArray& maker,
                  const QByteArray& product) const {
    const QString usb = underRoot(QStringLiteral("/sys/devices/pci0000:00/usb1/1-") + name);
    if (!maker.isEmpty()) writeFile(usb + "/manufacturer", maker + "\n");
    writeFile(usb + "/product", product + "\n");
    QString ttyDevice = usb;
    for (int level = 0; level < depth; ++level) ttyDevice += QStringLiteral("/sub%1").arg(level);
    ASSERT_TRUE(QDir().mkpath(ttyDevice) && QDir().mkpath(underRoot("/sys/class/tty/" + name)) &&
                QFile::link(ttyDevice, underRoot("/sys/class/tty/" + name + "/device")));
  }

  // The list's item texts, one a line.
  std::string items() const {
    std::string texts;
    for (const PresentPort& port : PortScanner(ports, root).presentPorts())
      texts += port.itemText().toStdString() + "\n";
    return texts;
  }

  QTemporaryDir dir;
  const QString ports = dir.filePath(QStringLiteral("ports")), root = dir.filePath("root");
};

// Links to terminals and present devices of the fixed table, in rising order. A link to
// nothing, or to what cannot be a terminal (a file, a folder, a device that the kernel
// files under another class than "tty"), makes its port absent.
TEST_F(PortScannerTest, LinksAndFixedDevicesInRisingOrder) {
  EXPECT_EQ(items(), "");
  PseudoTerminal meterA, meterB;
  link(200, meterB.slavePath());
  link(5, meterA.slavePath());
  device(QStringLiteral("ttyS0"), "4\n");
  device(QStringLiteral("ttyS1"), "0\n");  // no UART behind this slot
  device(QStringLiteral("ttyS2"));         // taken over by a link to nothing
  link(3, dir.filePath(QStringLiteral("unplugged")));
  device(QStringLiteral("ttyS3"));  // no kernel information at all: trusted
  device(QStringLiteral("ttyUSB0"));
  usbAdapter(QStringLiteral("ttyUSB0"), 3, "Acme", "USB Serial Adapter");
  device(QStringLiteral("ttyACM3"));
  usbAdapter(QStringLiteral("ttyACM3"), 2, "Kelvor Labs", "Kelvor Labs Meter Cable");
  writeFile(dir.filePath(QStringLiteral("notes.txt")), "notes");
  link(6, dir.filePath(QStringLiteral("notes.txt")));
  link(7, dir.path());
  link(8, QStringLiteral("/dev/null"));
  ASSERT_TRUE(QDir().mkpath(underRoot("/sys/dev/char/1:3")) &&
              QDir().mkpath(underRoot("/sys/class/mem")) &&
              QFile::link(underRoot("/sys/class/mem"), underRoot("/sys/dev/char/1:3/subsystem")));

  EXPECT_EQ(items(), "COM1 (/dev/ttyS0)\nCOM4 (/dev/ttyS3)\nCOM5 (" +
                         meterA.slavePath().toStdString() +
                         ")\nCOM33 (/dev/ttyUSB0, Acme USB Serial Adapter)\n"
                         "COM68 (/dev/ttyACM3, Kelvor Labs Meter Cable)\nCOM200 (" +
                         meterB.slavePath().toStdString() + ")\n");
}

TEST_F(PortScannerTest, LinkedAdapterIsDescribedByTheDeviceItLeadsTo) {
  // A link must lead to a character device: a real node here, of the USB serial major.
  const QString node = underRoot(QStringLiteral("/dev/ttyUSB1"));
  if (::mknod(QFile::encodeName(node).constData(), S_IFCHR | 0600, makedev(188, 1)) != 0)
    GTEST_SKIP() << "cannot make a device node here: " << std::strerror(errno);
  usbAdapter(QStringLiteral("ttyUSB1"), 1, "", "Bench Cable");
  // A stable name for the adapter, itself a link, as /dev/serial/by-id provides.
  const QString byId = dir.filePath(QStringLiteral("usb-bench-cable"));
  ASSERT_TRUE(QFile::link(underRoot(QStringLiteral("/dev/ttyUSB1")), byId));
  link(7, byId);

  // COM7 and, through the fixed table, COM34.
  EXPECT_EQ(items(),
            "COM7 (" + byId.toStdString() + ", Bench Cable)\nCOM34 (/dev/ttyUSB1, Bench Cable)\n");
}

}  // namespace
}  // namespace kelvor
