// SPDX-License-Identifier: GPL-3.0-or-later
// Where the probe may listen: what it finds at its socket path decides.
#include "ui/automation/ProbeServer.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QTemporaryDir>

namespace kelvor {
namespace {

// A stale socket: the probe replaces it and listens, for this user alone. A file, a link or
// a running instance's socket: it stays as it was and listening fails, saying why.
TEST(ProbeServer, ListensOnlyWhereNothingLiveOrForeignIs) {
  enum Found { Stale, File, Link, Live };
  const QString notSocket = " exists and is not a socket";
  const std::pair<Found, QString> cases[] = {
      {Stale, ""}, {File, notSocket}, {Link, notSocket}, {Live, " is in use by a running program"}};
  for (const auto& [found, refusal] : cases) {
    SCOPED_TRACE(found);
    QTemporaryDir dir;
    const QString path = dir.filePath("probe.sock");
    QFile file(path);
    QLocalServer other;
    // A stale socket: a server removes only the name it listened on, not the one moved away.
    ASSERT_TRUE(found == File   ? file.open(QIODevice::WriteOnly) && file.write("keep me")
                : found == Link ? other.listen(path + "2") && QFile::link(path + "2", path)
                : found == Live ? other.listen(path)
                                : other.listen(path + "2") && QFile::rename(path + "2", path));
    if (found == Stale) other.close();
    file.close();

    ProbeServer probe;
    const bool listens = refusal.isEmpty();
    EXPECT_EQ(probe.listen(path), listens);
    EXPECT_EQ(probe.errorString().toStdString(), listens ? "" : (path + refusal).toStdString());
    struct stat made {};
    ::lstat(QFile::encodeName(path).constData(), &made);
    EXPECT_TRUE(!listens || !(made.st_mode & (S_IRWXG | S_IRWXO))) << std::oct << made.st_mode;
    EXPECT_EQ(file.open(QIODevice::ReadOnly) && file.readAll() == "keep me", found == File);
    EXPECT_EQ(QFileInfo(path).isSymLink(), found == Link);
    QLocalSocket client;
    client.connectToServer(path);
    EXPECT_EQ(client.waitForConnected(1000), found != File);  // the probe or the other server
  }
}

}  // namespace
}  // namespace kelvor
