// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/AlarmPlayer.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QMediaDevices>
#include <QStandardPaths>
#include <QUrl>
#include <string_view>
#include <utility>

#include "core/alarm/WaveFile.h"
#include "platform/ProgramData.h"

namespace kelvor {

namespace {

// Off unless asked for (QT_LOGGING_RULES="kelvor.sound.info=true"): which file is the alarm.
Q_LOGGING_CATEGORY(soundLog, "kelvor.sound", QtWarningMsg)

// Far more than any alarm sound needs; the sound library would hold it all in memory.
constexpr qint64 MaxSoundFileBytes = 64 * 1024 * 1024;

// The sound library's loader waits forever for the rest of a file cut short, and while it
// waits every sound effect that goes away blocks (so the program could not even quit).
// Only complete PCM wave files are handed to it.
bool isPlayableWave(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly) || file.size() > MaxSoundFileBytes) return false;
  const QByteArray bytes = file.readAll();
  return readPcmWave(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())))
      .has_value();
}

}  // namespace

AlarmPlayer::AlarmPlayer(Fallback fallback)
    : AlarmPlayer(defaultSoundFile(), QMediaDevices::defaultAudioOutput(), std::move(fallback)) {}

AlarmPlayer::AlarmPlayer(const QString& soundFile, const QAudioDevice& output, Fallback fallback)
    : output_(output), fallback_(std::move(fallback)) {
  const bool playable = isPlayableWave(soundFile);
  qCInfo(soundLog, "alarm sound %s%s", qPrintable(soundFile), playable ? "" : " (not playable)");
  if (!playable) return;
  // Loaded even without an output, so the file's state is known either way.
  effect_ = std::make_unique<QSoundEffect>(output_);
  effect_->setSource(QUrl::fromLocalFile(soundFile));
}

AlarmPlayer::~AlarmPlayer() {
  // Should loading hang after all (the file changed after the check), destroying the effect
  // would wait for it forever; leaving it to the end of the process costs nothing.
  if (effect_ && effect_->status() == QSoundEffect::Loading) (void)effect_.release();
}

QString AlarmPlayer::defaultSoundFile() {
  return programDataFile(QStringLiteral("alarm.wav"));
}

QSoundEffect::Status AlarmPlayer::status() const {
  return effect_ ? effect_->status() : QSoundEffect::Error;
}

void AlarmPlayer::beeps(int /*n*/) {
  const QSoundEffect::Status state = status();
  if (hasOutput() && (state == QSoundEffect::Ready || state == QSoundEffect::Loading)) {
    // Each alarm reading starts the sound from the beginning. While still loading, the
    // effect plays as soon as the file is ready.
    effect_->stop();
    effect_->play();
    return;
  }
  if (fallback_) fallback_();
}

}  // namespace kelvor
