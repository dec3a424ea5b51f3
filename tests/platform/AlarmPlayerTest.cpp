#include "platform/AlarmPlayer.h"

#include <gtest/gtest.h>
#include <QAudioDevice>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QMediaDevices>
#include <QTemporaryDir>
#include <vector>

namespace kelvor {
namespace {

// Lets the background loader finish: processes events until the sound has left the
// Loading state or ten seconds have passed.
QSoundEffect::Status settledStatus(const AlarmPlayer& player) {
  QDeadlineTimer deadline(10000);
  while (player.status() == QSoundEffect::Loading && !deadline.hasExpired())
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
  return player.status();
}

TEST(AlarmPlayer, LooksForTheSoundBesideTheProgram) {
  EXPECT_EQ(AlarmPlayer::defaultSoundFile(),
            QCoreApplication::applicationDirPath() + QStringLiteral("/alarm.wav"));
}

// The build places alarm.wav beside every program, this test program included.
TEST(AlarmPlayer, LoadsTheShippedSound) {
  ASSERT_TRUE(QFile::exists(AlarmPlayer::defaultSoundFile()));
  AlarmPlayer player(AlarmPlayer::defaultSoundFile(), QAudioDevice(), nullptr);
  EXPECT_EQ(settledStatus(player), QSoundEffect::Ready);
  EXPECT_TRUE(player.soundLoaded());
}

TEST(AlarmPlayer, FallsBackWithoutAnAudioOutput) {
  int fallbacks = 0;
  AlarmPlayer player(AlarmPlayer::defaultSoundFile(), QAudioDevice(), [&] { ++fallbacks; });
  EXPECT_FALSE(player.hasOutput());
  // Before and after the file has loaded.
  player.beeps(1);
  settledStatus(player);
  player.beeps(1);
  player.beeps(1);
  EXPECT_EQ(fallbacks, 3);
}

QByteArray shippedSound() {
  QFile file(AlarmPlayer::defaultSoundFile());
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Damaged files are refused at once: the sound library would wait forever for the rest of
// a file cut short, and the program could then not even quit.
TEST(AlarmPlayer, FallsBackWhenTheFileCannotBeLoaded) {
  const QByteArray sound = shippedSound();
  ASSERT_GT(sound.size(), 1000);
  QByteArray floatFormat = sound;
  floatFormat[20] = 3;
  struct Case {
    const char* name;
    QByteArray bytes;
  };
  const std::vector<Case> cases = {
      {"empty", {}},
      {"header cut short", sound.left(5)},
      {"header only", sound.left(44)},
      {"samples cut short", sound.left(1000)},
      {"not a sound", QByteArray(5000, 'x')},
      {"float samples", floatFormat},
  };
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  std::vector<QString> files = {dir.filePath(QStringLiteral("missing.wav"))};
  for (const Case& c : cases) {
    QFile file(dir.filePath(QString::fromLatin1(c.name) + QStringLiteral(".wav")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(c.bytes);
    files.push_back(file.fileName());
  }

  for (const QString& file : files) {
    SCOPED_TRACE(file.toStdString());
    int fallbacks = 0;
    {
      // The machine's own output, if it has one: the fallback must not depend on it.
      AlarmPlayer player(file, QMediaDevices::defaultAudioOutput(), [&] { ++fallbacks; });
      EXPECT_EQ(player.status(), QSoundEffect::Error);
      EXPECT_FALSE(player.soundLoaded());
      player.beeps(1);
      player.beeps(1);
    }
    EXPECT_EQ(fallbacks, 2);
  }
}

// The program's own set-up on whatever this machine has: sound or not, beeping returns
// and neither hangs nor crashes, also with no fallback at all.
TEST(AlarmPlayer, BeepsOnTheDefaultOutput) {
  int fallbacks = 0;
  AlarmPlayer player([&] { ++fallbacks; });
  player.beeps(1);
  const QSoundEffect::Status status = settledStatus(player);
  EXPECT_EQ(status, QSoundEffect::Ready);
  for (int i = 0; i < 5; ++i) player.beeps(1);
  QCoreApplication::processEvents();
  // Without an output every beep falls back; with one, none does.
  EXPECT_EQ(fallbacks, player.hasOutput() ? 0 : 6);

  AlarmPlayer silent(nullptr);
  silent.beeps(1);
}

}  // namespace
}  // namespace kelvor
