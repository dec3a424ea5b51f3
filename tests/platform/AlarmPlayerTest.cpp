// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/AlarmPlayer.h"

#include <gtest/gtest.h>

#include <QAudioDevice>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QMediaDevices>
#include <QTemporaryDir>

namespace kelvor {
namespace {

// Lets the background loader finish, for at most ten seconds.
QSoundEffect::Status settledStatus(const AlarmPlayer& player) {
  QDeadlineTimer deadline(10000);
  while (player.status() == QSoundEffect::Loading && !deadline.hasExpired())
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
  return player.status();
}

// The build places alarm.wav beside every program, this test program included. A damaged file
// is refused at once (the sound library would wait forever for the rest of a file cut short,
// and the program could then not quit). Without an output, or without a usable sound, every
// beep falls back to the desktop beep.
TEST(AlarmPlayer, PlaysTheShippedSoundAndFallsBackForADamagedOne) {
  QFile shipped(AlarmPlayer::defaultSoundFile());
  ASSERT_TRUE(shipped.open(QIODevice::ReadOnly));
  QTemporaryDir dir;
  const QString cut = dir.filePath(QStringLiteral("cut.wav"));
  QFile file(cut);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(shipped.read(1000)) == 1000);
  file.close();
  const QString missing = dir.filePath(QStringLiteral("missing.wav"));
  for (const auto& [path, status] : {std::pair{shipped.fileName(), QSoundEffect::Ready},
                                     {cut, QSoundEffect::Error},
                                     {missing, QSoundEffect::Error}}) {
    SCOPED_TRACE(path.toStdString());
    for (const QAudioDevice& output : {QAudioDevice(), QMediaDevices::defaultAudioOutput()}) {
      int fallbacks = 0;
      AlarmPlayer player(path, output, [&] { ++fallbacks; });
      EXPECT_EQ(settledStatus(player), status);
      player.beeps(1);
      EXPECT_EQ(fallbacks, status == QSoundEffect::Ready && player.hasOutput() ? 0 : 1);
    }
  }
}

}  // namespace
}  // namespace kelvor
