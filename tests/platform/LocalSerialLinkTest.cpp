// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/LocalSerialLink.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <QFile>
#include <QTemporaryDir>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <memory>
#include <thread>
#include <tuple>
#include <vector>

#include "platform/PortNaming.h"
#include "support/ConfigHome.h"
#include "support/PseudoTerminal.h"

namespace kelvor {
namespace {

using testing::ConfigHome;
using testing::PseudoTerminal;

// Reads until `count` bytes have come or a second has passed; reads never block.
std::string readAtLeast(LocalSerialLink& port, std::size_t count) {
  std::string got;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(1);
  while (got.size() < count && std::chrono::steady_clock::now() < deadline) {
    got += port.readPort();
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return got;
}

TEST(LocalSerialLink, LineSettingsForTheMeter) {
  termios start{};
  ::cfmakeraw(&start);
  start.c_cflag |= PARENB | CRTSCTS;
  start.c_iflag |= IXON | IXOFF;
  ::cfsetospeed(&start, B38400);
  // An unknown rate keeps the device's own.
  for (const auto& [baud, speed] : {std::pair{600, B600}, {9600, B9600}, {4711, B38400}}) {
    SCOPED_TRACE(baud);
    const termios tio = LocalSerialLink::meterLineSettings(start, baud);
    EXPECT_EQ(std::tuple(tio.c_cflag & (CSIZE | CSTOPB | PARENB | CRTSCTS | CLOCAL | CREAD),
                         tio.c_iflag & (IXON | IXOFF), tio.c_lflag & (ICANON | ECHO),
                         tio.c_cc[VMIN] + tio.c_cc[VTIME], ::cfgetospeed(&tio)),
              std::tuple(tcflag_t{CS7 | CSTOPB | CLOCAL | CREAD}, tcflag_t{0}, tcflag_t{0}, 0,
                         static_cast<speed_t>(speed)));
  }
  // Other families' character formats.
  for (const auto& [line, flags] :
       {std::pair{LineSettings{19200, 7, Parity::Odd, 1}, CS7 | PARENB | PARODD},
        {LineSettings{2400, 8, Parity::None, 1}, CS8},
        {LineSettings{2400, 8, Parity::Even, 2}, CS8 | PARENB | CSTOPB}}) {
    const termios tio = LocalSerialLink::meterLineSettings(start, line);
    EXPECT_EQ(tio.c_cflag & (CSIZE | CSTOPB | PARENB | PARODD | CRTSCTS),
              static_cast<tcflag_t>(flags))
        << line.baud;
  }
}

TEST(LocalSerialLink, ExchangesBytesThirtyTwoAtATimeAndDiscardsWhatWaits) {
  PseudoTerminal meter;
  LocalSerialLink port;
  ASSERT_TRUE(port.openDevice(meter.slavePath(), 1200).ok);

  meter.send(std::string(40, 'x'));
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  EXPECT_TRUE(port.readPort().size() == 32u && readAtLeast(port, 8) == std::string(8, 'x'));

  meter.send("V  \r");
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  port.discardInput();
  EXPECT_EQ(port.readPort(), "");
  meter.send("DC  1.234 V  \r");
  EXPECT_EQ(readAtLeast(port, 14), "DC  1.234 V  \r");
}

// Failures carry the system's error number. Anything that is not a terminal is refused
// before a byte could reach it.
TEST(LocalSerialLink, OpenFailuresAndWhatIsNotATerminal) {
  PseudoTerminal meter;
  LocalSerialLink holder;
  ASSERT_TRUE(holder.openDevice(meter.slavePath(), 1200).ok);
  QTemporaryDir dir;
  const QString notes = dir.filePath(QStringLiteral("notes.txt"));
  QFile file(notes);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write("important notes") == 15);
  file.close();
  PseudoTerminal spare;
  for (const auto& [path, baud, error] : std::vector<std::tuple<QString, int, int>>{
           {QStringLiteral("/dev/kelvor-no-such-port"), 1200, ENOENT},
           {meter.slavePath(), 1200, EBUSY},
           {notes, 1200, ENOTTY},
           {dir.path(), 1200, ENOTTY},
           {QStringLiteral("/dev/null"), 1200, ENOTTY},
           {spare.slavePath(), 4711, EINVAL}}) {
    SCOPED_TRACE(path.toStdString());
    LocalSerialLink port;
    const LocalSerialLink::OpenResult result = port.openDevice(path, baud);
    // In the system's own words alone: refused before any line setting was tried.
    const bool told = baud == 4711
                          ? result.errorText.contains("4711")
                          : result.errorText == QString::fromLocal8Bit(std::strerror(error));
    EXPECT_EQ(std::tuple(result.ok, result.errorCode, told, port.PortHandle, port.writePort("D")),
              std::tuple(false, error, true, -1, false))
        << result.errorText.toStdString();
  }
  // A terminal whose meter side has gone refuses its line.
  auto gone = std::make_unique<PseudoTerminal>();
  const int goneFd = ::open(QFile::encodeName(gone->slavePath()).constData(), O_RDWR | O_NOCTTY);
  gone.reset();
  EXPECT_EQ(LocalSerialLink::applyLine(goneFd, LineSettings{}), EIO);
  ::close(goneFd);
  // Closed, the port is free again: exclusive mode (which stops all but root) is cleared.
  holder.closePort();
  const int fd = ::open(QFile::encodeName(meter.slavePath()).constData(), O_RDWR | O_NOCTTY);
  int exclusive = -1;
  EXPECT_TRUE(::ioctl(fd, TIOCGEXCL, &exclusive) == 0 && exclusive == 0);
  ::close(fd);
}

TEST(LocalSerialLink, ReopensThePortNumberOnItsNewDeviceButNoOtherThing) {
  const ConfigHome home;
  const QString link = home.filePath(QStringLiteral("Kelvor/ports/COM7"));
  auto first = std::make_unique<PseudoTerminal>();
  ASSERT_TRUE(home.link(7, *first));
  LocalSerialLink port;
  EXPECT_EQ(std::pair(port.readPort(), port.writePort("D")), std::pair(std::string(), false));
  ASSERT_TRUE(port.openPort(7, 1200).ok);
  EXPECT_TRUE(port.readPort().empty() && !port.failed());  // nothing arrived is no failure
  first.reset();                                           // the device goes away ...
  EXPECT_TRUE(port.readPort().empty() && port.failed() && !port.writePort("D"));
  port.closePort();
  EXPECT_FALSE(port.reopen());

  PseudoTerminal second;  // ... and comes back under the same number
  ASSERT_TRUE(QFile::remove(link) && home.link(7, second));
  EXPECT_TRUE(port.reopen() && port.writePort("D") && second.receive() == "D");

  // Relinked by mistake to a folder: refused, and not tried again until opened by choice.
  ASSERT_TRUE(QFile::remove(link) && QFile::link(home.filePath("Kelvor"), link));
  EXPECT_FALSE(port.reopen());
  ASSERT_TRUE(QFile::remove(link) && home.link(7, second));
  EXPECT_TRUE(!port.reopen() && port.openPort(7, 1200).ok);
}

TEST(PortNaming, LinksComeBeforeTheFixedTable) {
  const ConfigHome home;
  const QString ports = home.filePath(QStringLiteral("Kelvor/ports/"));
  ASSERT_TRUE(QFile::link("/dev/null", ports + "COM2") && QFile::link("/nowhere", ports + "COM3"));
  using Row = std::pair<int, QString>;
  for (const auto& [port, device] :
       {Row{1, "/dev/ttyS0"}, Row{2, ports + "COM2"}, Row{3, ports + "COM3"},
        Row{33, "/dev/ttyUSB0"}, Row{250, ports + "COM250"}})
    EXPECT_EQ(PortNaming::devicePath(port), device) << port;
}

}  // namespace
}  // namespace kelvor
