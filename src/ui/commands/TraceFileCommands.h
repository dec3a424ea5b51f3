// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <functional>

#include "core/files/TraceFile.h"
#include "core/journal/JournalFormat.h"
#include "core/plot/ScopeController.h"
#include "core/recording/Recorder.h"
#include "core/recording/RecordingState.h"
#include "core/recording/TraceStore.h"
#include "core/settings/ProgramContext.h"
#include "core/text/Message.h"

class QWidget;

namespace kelvor {

class BusyPointer;

// The File menu's "Speichern" and "Laden" entries: a channel to a trace file and back.
// A save writes beside the target and replaces it only after a complete write, so a failed
// save never damages an existing file. A load reads and checks the whole file before it
// touches the channel, so a bad file changes nothing. Failures are reported in a message
// naming the file (and for a bad file the line) in the interface language.
class TraceFileCommands {
 public:
  // Shows a message to the user; a message box unless a test captures the texts.
  using MessageSink = std::function<void(QWidget* parent, const QString& text)>;

  static constexpr const char* SaveTitle =
      QT_TRANSLATE_NOOP("kelvor::TraceFileCommands", "Datei speichern");
  static constexpr const char* SaveExtension = "txt";
  // A trace holds at most 16000 short lines; anything this big is no trace file. A journal
  // has no such bound: it is read a piece at a time.
  static constexpr qint64 MaxFileBytes = 64LL * 1024 * 1024;
  static constexpr qint64 ReadPiece = 1 << 20;

  TraceFileCommands(TraceStore& store, const RecordingState& state, Recorder& recorder,
                    ScopeController& scope, const ProgramContext& context, QWidget* parent,
                    MessageSink messages = {});

  // Menu handlers: the index of the clicked entry is the channel (0 to 5).
  void onSaveClicked(int channel);
  void onLoadClicked(int channel);

  // The commands after the dialog, on a full path; true when the file was saved or loaded.
  bool saveTo(int channel, const QString& path);
  bool loadFrom(int channel, const QString& path);
  // Replays a journal's readings into the channel (see LiveRecording::replay) and redraws.
  using Replay = std::function<void(const std::vector<JournalRow>& rows, int channel)>;
  void setReplay(Replay replay) { replay_ = std::move(replay); }
  void replayJournal(const std::vector<JournalRow>& rows, int channel);

 private:
  bool loadTrace(int channel, const QString& path, const QByteArray& bytes, BusyPointer& busy);
  QString initialDirectory() const;
  QString fileFilter() const;
  void tell(const Message& message) const;

  TraceStore& store_;
  const RecordingState& state_;
  Recorder& recorder_;
  ScopeController& scope_;
  const ProgramContext& context_;
  QWidget* parent_;
  MessageSink messages_;
  Replay replay_;
  QString lastFolder_;  // of the last file chosen in a dialog
};

}  // namespace kelvor
