#include "platform/basSerial.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <thread>
#include <vector>

#include "platform/PortNaming.h"
#include "support/PseudoTerminal.h"

namespace kelvor {
namespace {

using testing::PseudoTerminal;

// Reads until `count` bytes have come or a second has passed; reads never block.
std::string readAtLeast(basSerial& port, std::size_t count) {
  std::string got;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(1);
  while (got.size() < count && std::chrono::steady_clock::now() < deadline) {
    got += port.ReadPort();
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return got;
}

TEST(basSerial, LineSettingsForTheMeter) {
  termios start{};
  ::cfmakeraw(&start);
  start.c_cflag |= PARENB | CRTSCTS;
  start.c_iflag |= IXON | IXOFF;
  ::cfsetospeed(&start, B38400);
  const std::vector<std::pair<int, speed_t>> rates = {{600, B600},   {1200, B1200}, {2400, B2400},
                                                      {4800, B4800}, {9600, B9600}, {4711, B38400}};
  for (const auto& [baud, speed] : rates) {
    SCOPED_TRACE(baud);
    const termios tio = basSerial::meterLineSettings(start, baud);
    EXPECT_EQ(tio.c_cflag & CSIZE, static_cast<tcflag_t>(CS7));
    EXPECT_TRUE(tio.c_cflag & CSTOPB);
    EXPECT_FALSE(tio.c_cflag & (PARENB | CRTSCTS));
    EXPECT_TRUE(tio.c_cflag & CLOCAL);
    EXPECT_TRUE(tio.c_cflag & CREAD);
    EXPECT_FALSE(tio.c_iflag & (IXON | IXOFF));
    EXPECT_FALSE(tio.c_lflag & (ICANON | ECHO));
    EXPECT_EQ(tio.c_cc[VMIN], 0);
    EXPECT_EQ(tio.c_cc[VTIME], 0);
    EXPECT_EQ(::cfgetospeed(&tio), speed);
  }
}

TEST(basSerial, ExchangesBytesWithTheMeter) {
  PseudoTerminal meter;
  basSerial port;
  const basSerial::OpenResult opened = port.openDevice(meter.slavePath(), 1200);
  ASSERT_TRUE(opened.ok) << opened.errorText.toStdString();
  EXPECT_TRUE(port.isOpen());

  EXPECT_TRUE(port.WritePort("D"));
  EXPECT_EQ(meter.receive(), "D");

  meter.send("DC  1.234 V  \r");
  EXPECT_EQ(readAtLeast(port, 14), "DC  1.234 V  \r");
  EXPECT_EQ(port.ReadPort(), "");
}

TEST(basSerial, ReadsAtMostThirtyTwoBytesAtATime) {
  PseudoTerminal meter;
  basSerial port;
  ASSERT_TRUE(port.openDevice(meter.slavePath(), 9600).ok);
  meter.send(std::string(40, 'x'));
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  EXPECT_EQ(port.ReadPort().size(), 32u);
  EXPECT_EQ(readAtLeast(port, 8), std::string(8, 'x'));
}

TEST(basSerial, DiscardDropsWhatWaits) {
  PseudoTerminal meter;
  basSerial port;
  ASSERT_TRUE(port.openDevice(meter.slavePath(), 1200).ok);
  meter.send("V  \r");
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  port.discardInput();
  EXPECT_EQ(port.ReadPort(), "");
  meter.send("AC");
  EXPECT_EQ(readAtLeast(port, 2), "AC");
}

TEST(basSerial, OpenFailuresCarryTheSystemErrorNumber) {
  PseudoTerminal meter;
  basSerial holder;
  ASSERT_TRUE(holder.openDevice(meter.slavePath(), 1200).ok);

  struct Case {
    const char* name;
    QString path;
    int error;
  };
  const std::vector<Case> cases = {
      {"no such device", QStringLiteral("/dev/kelvor-no-such-port"), ENOENT},
      {"held by another opener", meter.slavePath(), EBUSY},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    basSerial port;
    const basSerial::OpenResult result = port.openDevice(c.path, 1200);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.errorCode, c.error);
    EXPECT_FALSE(result.errorText.isEmpty());
    EXPECT_EQ(port.PortHandle, -1);
  }
}

// Anything that is not a terminal is refused before a byte could reach it: a file stays as it
// was, to its time stamp.
TEST(basSerial, RefusesWhatIsNotATerminal) {
  QTemporaryDir dir;
  const QString file = dir.filePath(QStringLiteral("notes.txt"));
  {
    QFile notes(file);
    ASSERT_TRUE(notes.open(QIODevice::WriteOnly) && notes.write("important notes") == 15);
  }
  ASSERT_EQ(::mkfifo(QFile::encodeName(dir.filePath(QStringLiteral("fifo"))).constData(), 0600), 0);
  const QDateTime modified = QFileInfo(file).lastModified();
  for (const QString& path :
       {file, dir.path(), QStringLiteral("/dev/null"), dir.filePath(QStringLiteral("fifo"))}) {
    SCOPED_TRACE(path.toStdString());
    basSerial port;
    const basSerial::OpenResult result = port.openDevice(path, 1200);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.errorCode, ENOTTY);
    EXPECT_FALSE(port.isOpen());
    EXPECT_FALSE(port.WritePort("D"));
  }
  EXPECT_EQ(QFileInfo(file).lastModified(), modified);
  QFile notes(file);
  ASSERT_TRUE(notes.open(QIODevice::ReadOnly));
  EXPECT_EQ(notes.readAll(), QByteArray("important notes"));
}

TEST(basSerial, ClosedOrVanishedPortFailsQuietly) {
  basSerial closed;
  EXPECT_EQ(closed.ReadPort(), "");
  EXPECT_FALSE(closed.WritePort("D"));
  closed.discardInput();
  closed.ClosePort();
  EXPECT_EQ(closed.PortHandle, -1);

  PseudoTerminal meter;
  basSerial port;
  ASSERT_TRUE(port.openDevice(meter.slavePath(), 1200).ok);
  EXPECT_FALSE(port.failed());
  meter.close();  // the adapter is pulled out
  EXPECT_EQ(port.ReadPort(), "");
  EXPECT_TRUE(port.failed());
  EXPECT_FALSE(port.WritePort("D"));
}

TEST(basSerial, ReopensThePortNumberOnItsNewDevice) {
  QTemporaryDir home;
  qputenv("XDG_CONFIG_HOME", home.path().toLocal8Bit());
  ASSERT_TRUE(QDir(home.path()).mkpath(QStringLiteral("Kelvor/ports")));
  const QString link = home.path() + QStringLiteral("/Kelvor/ports/COM7");

  auto first = std::make_unique<PseudoTerminal>();
  ASSERT_TRUE(QFile::link(first->slavePath(), link));
  basSerial port;
  ASSERT_TRUE(port.OpenPort(7, 1200).ok);
  EXPECT_FALSE(port.failed());
  EXPECT_EQ(port.ReadPort(), "");  // nothing arrived is no failure
  EXPECT_FALSE(port.failed());

  first.reset();  // the device goes away ...
  EXPECT_EQ(port.ReadPort(), "");
  EXPECT_TRUE(port.failed());
  port.ClosePort();
  EXPECT_FALSE(port.reopen());

  PseudoTerminal second;  // ... and comes back under the same number
  ASSERT_TRUE(QFile::remove(link));
  ASSERT_TRUE(QFile::link(second.slavePath(), link));
  EXPECT_TRUE(port.reopen());
  EXPECT_TRUE(port.WritePort("D"));
  EXPECT_EQ(second.receive(), "D");

  // Relinked by mistake to a folder: refused, and not tried again until opened by choice.
  ASSERT_TRUE(QFile::remove(link));
  ASSERT_TRUE(QFile::link(home.path(), link));
  EXPECT_FALSE(port.reopen());
  ASSERT_TRUE(QFile::remove(link));
  ASSERT_TRUE(QFile::link(second.slavePath(), link));
  EXPECT_FALSE(port.reopen());
  EXPECT_TRUE(port.OpenPort(7, 1200).ok);
  qunsetenv("XDG_CONFIG_HOME");
}

TEST(PortNaming, LinksComeBeforeTheFixedTable) {
  QTemporaryDir home;
  const bool hadHome = qEnvironmentVariableIsSet("XDG_CONFIG_HOME");
  const QByteArray oldHome = qgetenv("XDG_CONFIG_HOME");
  qputenv("XDG_CONFIG_HOME", home.path().toLocal8Bit());
  ASSERT_TRUE(QDir(home.path()).mkpath(QStringLiteral("Kelvor/ports")));
  const QString ports = home.path() + QStringLiteral("/Kelvor/ports/");
  ASSERT_TRUE(QFile::link(QStringLiteral("/dev/null"), ports + QStringLiteral("COM2")));
  ASSERT_TRUE(QFile::link(QStringLiteral("/nowhere"), ports + QStringLiteral("COM3")));

  const std::vector<std::pair<int, QString>> cases = {
      {1, QStringLiteral("/dev/ttyS0")},       {2, ports + QStringLiteral("COM2")},
      {3, ports + QStringLiteral("COM3")},     {33, QStringLiteral("/dev/ttyUSB0")},
      {250, ports + QStringLiteral("COM250")},
  };
  for (const auto& [port, device] : cases) {
    SCOPED_TRACE(port);
    EXPECT_EQ(PortNaming::devicePath(port), device);
  }
  if (hadHome) {
    qputenv("XDG_CONFIG_HOME", oldHome);
  } else {
    qunsetenv("XDG_CONFIG_HOME");
  }
}

}  // namespace
}  // namespace kelvor
