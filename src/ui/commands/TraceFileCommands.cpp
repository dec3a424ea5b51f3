// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/commands/TraceFileCommands.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "core/files/TraceFileMessages.h"
#include "core/journal/JournalStream.h"
#include "platform/AtomicFile.h"
#include "platform/MessageTexts.h"
#include "platform/SystemLocale.h"
#include "ui/common/BusyPointer.h"
#include "ui/common/WindowTools.h"
#include "ui/dialogs/FileDialogs.h"
#include "ui/dialogs/MessageBox.h"

namespace kelvor {

namespace {

bool isChannel(int channel) {
  return channel >= 0 && channel < TraceStore::Channels;
}

std::string shown(const QString& path) {
  return QDir::toNativeSeparators(path).toStdString();
}

}  // namespace

TraceFileCommands::TraceFileCommands(TraceStore& store, const RecordingState& state,
                                     Recorder& recorder, ScopeController& scope,
                                     const ProgramContext& context, QWidget* parent,
                                     MessageSink messages)
    : store_(store),
      state_(state),
      recorder_(recorder),
      scope_(scope),
      context_(context),
      parent_(parent),
      messages_(messages ? std::move(messages) : MessageSink(&MessageBox::warning)) {}

QString TraceFileCommands::initialDirectory() const {
  return FileDialogs::initialDirectory(lastFolder_);
}

QString TraceFileCommands::fileFilter() const {
  return QString::fromStdString(messageText(Message(MessageId::FileFilter)));
}

void TraceFileCommands::tell(const Message& message) const {
  messages_(parent_, QString::fromStdString(messageText(message)));
}

void TraceFileCommands::onSaveClicked(int channel) {
  if (!isChannel(channel)) return;
  const QString path = FileDialogs::FileSaveDialog(
      parent_, QCoreApplication::translate("kelvor::TraceFileCommands", SaveTitle),
      initialDirectory(), QString(), fileFilter(), QString::fromLatin1(SaveExtension));
  if (path.trimmed().isEmpty()) return;  // cancelled
  lastFolder_ = QFileInfo(path).absolutePath();
  saveTo(channel, path);
}

void TraceFileCommands::onLoadClicked(int channel) {
  if (!isChannel(channel)) return;
  const QString path = FileDialogs::FileOpenDialog(parent_, QString(), initialDirectory(),
                                                   QString(), fileFilter(), QString());
  if (path.trimmed().isEmpty()) return;  // cancelled
  lastFolder_ = QFileInfo(path).absolutePath();
  loadFrom(channel, path);
}

bool TraceFileCommands::saveTo(int channel, const QString& path) {
  if (!isChannel(channel)) return false;
  BusyPointer busy;
  // Written with the samples the channel holds now, also while it is being recorded.
  const std::string bytes = writeTraceFile(store_, channel, SystemLocale::decimalSeparator());
  const std::optional<QString> failure = AtomicFile::write(path, QByteArray::fromStdString(bytes));
  if (!failure) return true;
  busy.done();
  tell(Message(MessageId::SaveFailed, {shown(path), failure->toStdString()}));
  return false;
}

bool TraceFileCommands::loadFrom(int channel, const QString& path) {
  if (!isChannel(channel)) return false;
  BusyPointer busy;
  QFile file(path);
  const auto failed = [&] {
    busy.done();
    tell(Message(MessageId::OpenFailed, {shown(path), file.errorString().toStdString()}));
    return false;
  };
  if (!file.open(QIODevice::ReadOnly)) return failed();
  QByteArray bytes = file.read(ReadPiece);
  if (file.error() != QFileDevice::NoError) return failed();
  if (looksLikeJournal(bytes.toStdString())) {
    // A journal is read as a stream to its end, whatever its length; malformed rows are left
    // out and named, a journal without a readable row loads nothing.
    JournalStream stream;
    stream.skipBadRows();
    for (; !bytes.isEmpty(); bytes = file.read(ReadPiece))
      stream.feed(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    if (file.error() != QFileDevice::NoError) return failed();
    const ParsedJournal journal = stream.finish(false);
    busy.done();
    if (journal.badLine == 0) replayJournal(journal.rows, channel);
    if (journal.badLine != 0)
      tell(TraceFileMessages::journalNotLoaded(shown(path), journal));
    else if (journal.leftOut > 0)
      tell(TraceFileMessages::journalRowsLeftOut(shown(path), journal));
    return journal.badLine == 0;
  }
  // Read with a bound, so that a device or an endless file cannot exhaust the memory.
  bytes += file.read(MaxFileBytes + 1 - bytes.size());
  if (file.error() != QFileDevice::NoError) return failed();
  file.close();
  if (bytes.size() > MaxFileBytes) {
    busy.done();
    tell(TraceFileMessages::tooLarge(shown(path), MaxFileBytes));
    return false;
  }
  return loadTrace(channel, path, bytes, busy);
}

bool TraceFileCommands::loadTrace(int channel, const QString& path, const QByteArray& bytes,
                                  BusyPointer& busy) {
  const TraceFileParse parse =
      readTraceFile(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())),
                    SystemLocale::decimalSeparator());
  if (!parse.ok()) {
    busy.done();
    tell(TraceFileMessages::notLoaded(shown(path), parse.separator, *parse.problem));
    return false;
  }

  // No new reading may land in the trace that is being replaced.
  if (loadEndsRecording(state_, channel)) {
    recorder_.stop();
  }
  applyLoadedTrace(store_, channel, parse.samples);
  // The whole picture is rebuilt, so the channel's earlier trace disappears with it; the
  // automatic ranges then follow the loaded samples.
  scope_.redrawAll(Rescale::Fit);
  busy.done();
  if (parse.linesLeftOut > 0) {
    tell(TraceFileMessages::linesLeftOut(shown(path), static_cast<int>(parse.samples.size()),
                                         parse.linesLeftOut));
  }
  return true;
}

void TraceFileCommands::replayJournal(const std::vector<JournalRow>& rows, int channel) {
  if (!isChannel(channel) || !replay_) return;
  if (loadEndsRecording(state_, channel)) recorder_.stop();
  replay_(rows, channel);
  scope_.redrawAll(Rescale::Fit);
}

}  // namespace kelvor
