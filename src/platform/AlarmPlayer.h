// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAudioDevice>
#include <QSoundEffect>
#include <QString>
#include <functional>
#include <memory>

#include "core/alarm/AlarmSound.h"

namespace kelvor {

// The alarm sound: a wave file played asynchronously through Qt Multimedia, loaded once and
// started again on every beep. Without an audio output, or when the file is missing or is
// not a complete PCM wave file, each beep calls the fallback instead (the desktop's own
// beep, which lives in Qt Widgets and is handed in by the window). Never blocks: loading
// runs in the background, and a beep before loading has finished plays once it is ready.
class AlarmPlayer : public AlarmSound {
 public:
  using Fallback = std::function<void()>;

  // alarm.wav from the program directory, on the system's default audio output.
  explicit AlarmPlayer(Fallback fallback);
  // `soundFile` on `output`; a null output means the machine has no audio output.
  AlarmPlayer(const QString& soundFile, const QAudioDevice& output, Fallback fallback);
  ~AlarmPlayer() override;

  AlarmPlayer(const AlarmPlayer&) = delete;
  AlarmPlayer& operator=(const AlarmPlayer&) = delete;

  // alarm.wav beside the program, else in ../share/kelvor/ relative to it, else in the
  // system's data folders (kelvor/alarm.wav); the first of them when there is none.
  static QString defaultSoundFile();

  void beeps(int n) override;

  // Loading, Ready or Error. A file that is missing or not a complete PCM wave file is an
  // Error at once; a good one is loaded in the background after construction.
  QSoundEffect::Status status() const;
  bool soundLoaded() const { return status() == QSoundEffect::Ready; }
  bool hasOutput() const { return !output_.isNull(); }

 private:
  QAudioDevice output_;
  std::unique_ptr<QSoundEffect> effect_;  // null when the file was refused
  Fallback fallback_;
};

}  // namespace kelvor
