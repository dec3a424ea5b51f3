#include "ui/commands/TraceFileCommands.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QSignalBlocker>

#include "core/files/TraceFileMessages.h"
#include "platform/AtomicFile.h"
#include "platform/SystemLocale.h"
#include "ui/common/Allgemein.h"
#include "ui/dialogs/MessageBox.h"
#include "ui/dialogs/StdDialoge.h"
#include "ui/mainwindow/MainControls.h"

namespace kelvor {

namespace {

bool isChannel(int channel) {
  return channel >= 0 && channel < TraceStore::Channels;
}

// The hourglass for the duration of a command, gone again on every way out.
class BusyPointer {
 public:
  BusyPointer() { Allgemein::SetMousePointer(Allgemein::Hourglass); }
  ~BusyPointer() { done(); }
  BusyPointer(const BusyPointer&) = delete;
  BusyPointer& operator=(const BusyPointer&) = delete;
  void done() {
    if (!shown_) return;
    shown_ = false;
    Allgemein::SetMousePointer(Allgemein::DefaultPointer);
  }

 private:
  bool shown_ = true;
};

std::string shown(const QString& path) {
  return QDir::toNativeSeparators(path).toStdString();
}

}  // namespace

TraceFileCommands::TraceFileCommands(TraceStore& store, RecordingState& state, Recorder& recorder,
                                     ScopeController& scope, const MainControls& controls,
                                     const AppGlobals& globals, QWidget* parent,
                                     MessageSink messages)
    : store_(store),
      state_(state),
      recorder_(recorder),
      scope_(scope),
      controls_(controls),
      globals_(globals),
      parent_(parent),
      messages_(messages ? std::move(messages) : MessageSink(&MessageBox::warning)) {}

QString TraceFileCommands::initialDirectory() const {
  return StdDialoge::initialDirectory(QString::fromStdString(globals_.AppDir));
}

void TraceFileCommands::tell(const std::string& text) const {
  messages_(parent_, QString::fromStdString(text));
}

void TraceFileCommands::mnuFileSave_Click(int channel) {
  if (!isChannel(channel)) return;
  const QString path = StdDialoge::FileSaveDialog(
      parent_, QString::fromUtf8(SaveTitle), initialDirectory(), QString(),
      QString::fromStdString(globals_.FileFilter), QString::fromLatin1(SaveExtension));
  if (path.trimmed().isEmpty()) return;  // cancelled
  saveTo(channel, path);
}

void TraceFileCommands::mnuFileLoad_Click(int channel) {
  if (!isChannel(channel)) return;
  const QString path =
      StdDialoge::FileOpenDialog(parent_, QString(), initialDirectory(), QString(),
                                 QString::fromStdString(globals_.FileFilter), QString());
  if (path.trimmed().isEmpty()) return;  // cancelled
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
  tell(TraceFileMessages::saveFailed(globals_.LangCode, shown(path), failure->toStdString()));
  return false;
}

bool TraceFileCommands::loadFrom(int channel, const QString& path) {
  if (!isChannel(channel)) return false;
  BusyPointer busy;
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    busy.done();
    tell(TraceFileMessages::openFailed(globals_.LangCode, shown(path),
                                       file.errorString().toStdString()));
    return false;
  }
  // Read with a bound, so that a device or an endless file cannot exhaust the memory.
  const QByteArray bytes = file.read(MaxFileBytes + 1);
  if (file.error() != QFileDevice::NoError) {
    busy.done();
    tell(TraceFileMessages::openFailed(globals_.LangCode, shown(path),
                                       file.errorString().toStdString()));
    return false;
  }
  file.close();
  if (bytes.size() > MaxFileBytes) {
    busy.done();
    tell(TraceFileMessages::tooLarge(globals_.LangCode, shown(path), MaxFileBytes));
    return false;
  }

  const TraceFileParse parse =
      readTraceFile(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())),
                    SystemLocale::decimalSeparator());
  if (!parse.ok()) {
    busy.done();
    tell(TraceFileMessages::notLoaded(globals_.LangCode, shown(path), parse.separator,
                                      *parse.problem));
    return false;
  }

  // No new reading may land in the trace that is being replaced.
  if (loadEndsRecording(state_, controls_.chkActive->isChecked(), channel)) {
    {
      const QSignalBlocker quiet(controls_.chkActive);  // the handler runs once, here
      controls_.chkActive->setChecked(false);
    }
    recorder_.chkActive_Click();
  }
  applyLoadedTrace(store_, channel, parse.samples);
  // The whole picture is rebuilt, so the channel's earlier trace disappears with it; the
  // automatic ranges then follow the loaded samples.
  scope_.FullReDraw(Rescale::Fit);
  busy.done();
  if (parse.linesLeftOut > 0) {
    tell(TraceFileMessages::linesLeftOut(globals_.LangCode, shown(path),
                                         static_cast<int>(parse.samples.size()),
                                         parse.linesLeftOut));
  }
  return true;
}

}  // namespace kelvor
