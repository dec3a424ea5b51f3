// SPDX-License-Identifier: GPL-3.0-or-later
#include "record/RecordProgram.h"

#include <unistd.h>

#include <QCoreApplication>
#include <cstring>

#include "core/acquisition/PortTable.h"
#include "core/record/RecordTexts.h"
#include "platform/MessageTexts.h"
#include "platform/NamedJournal.h"
#include "platform/StreamJournal.h"

namespace kelvor {

RecordProgram::RecordProgram(const RecordOptions& options, char decimalSeparator,
                             const Clock& clock)
    : options_(options),
      watch_(options.durationS, options.count, clock.steadyMs()),
      reporter_({decimalSeparator, !options.quiet && ::isatty(STDERR_FILENO) == 1,
                 ::isatty(STDERR_FILENO) == 1, options.port.ComPort},
                watch_, clock),
      meter_(options_.port, clock, reporter_, {}, decimalSeparator),
      signals_([this](int) { stop(0); }) {
  meter_.useJournal(chooseJournal());
  if (!options_.devicePath.empty()) meter_.useDevice(QString::fromStdString(options_.devicePath));
  MeterSession& session = meter_.session();
  session.addListener(&reporter_);
  session.addListener(this);
  session.meterState().addListener(&reporter_);
  session.journal().setEnabled(true);
  // The journal is the record: a full trace store starts over while the journal goes on.
  session.recorder().startOverWhenFull(true);
  session.journal().setFaultHandler([this](const JournalFault& fault) {
    reporter_.line("kelvor-record: " + fault.path + ": " + std::strerror(fault.error));
    status_ = 1;  // also when it comes with the end
    QTimer::singleShot(0, &ticks_, [this] { stop(1); });
  });
  if (options_.alarm.valid) {
    session.alarm().apply(options_.alarm);
    session.alarm().setArmed(true);
  }
  if (options_.publish.enabled) startPublishing();
  ticks_.setInterval(static_cast<int>(RecordWatch::PollMs));
  QObject::connect(&ticks_, &QTimer::timeout, [this] {
    reporter_.polled();
    if (watch_.done()) stop(0);
  });
  waiting_.setInterval(static_cast<int>(RecordWatch::PollMs));
  QObject::connect(&waiting_, &QTimer::timeout, [this] {
    if (openPort()) started();
  });
}

void RecordProgram::startPublishing() {
  meter_.session().addListener(&publisher_);
  QObject::connect(&publisher_, &MqttPublisher::faultOccurred,
                   [this](PublishFault fault, const QString& detail) {
                     const Message why =
                         publishFaultReason(fault, options_.publish, detail.toStdString());
                     reporter_.line("kelvor-record: MQTT: " + messageText(why));
                   });
  const PublishSettings& settings = options_.publish;
  publisher_.configure(settings,
                       settings.topicFor(MqttPublisher::hostName(), options_.port.ComPort));
}

std::unique_ptr<JournalSink> RecordProgram::chooseJournal() {
  if (options_.output == "-") {
    reporter_.setJournal([] { return std::string("-"); });
    return std::make_unique<StreamJournal>(STDOUT_FILENO);
  }
  if (StreamJournal::isStream(options_.output)) {
    reporter_.setJournal([this] { return options_.output; });
    return std::make_unique<StreamJournal>(options_.output);
  }
  if (!options_.output.empty()) {
    auto file = std::make_unique<NamedJournal>(options_.output);
    reporter_.setJournal([this] { return meter_.journalPath(); });
    // Found by the journal's thread, said in this one.
    file->setOtherNameHandler([this](const std::string& path) {
      const std::string line =
          "kelvor-record: " + messageText(RecordTexts::otherNameLine(options_.output, path));
      QMetaObject::invokeMethod(
          &ticks_, [this, line] { reporter_.line(line); }, Qt::QueuedConnection);
    });
    return file;
  }
  reporter_.setJournal([this] { return meter_.journalPath(); });
  return std::make_unique<JournalFile>();
}

bool RecordProgram::openPort() {
  const basSerial::OpenResult result = meter_.open();
  if (result.ok && !result.note.isEmpty())
    reporter_.line("kelvor-record: " + result.devicePath.toStdString() + ": " +
                   result.note.toStdString());
  if (result.ok || openFailureTold_) return result.ok;
  openFailureTold_ = true;
  const QString device = result.devicePath + QStringLiteral(": ") + result.errorText;
  reporter_.line(openErrorText(result.errorCode, portLabel(options_.port)) + ": " +
                 device.toStdString());
  return false;
}

void RecordProgram::readingRecorded(const JournalRow&, bool) {
  // Stopped once the reading is handled, between two events.
  if (watch_.done()) QTimer::singleShot(0, &ticks_, [this] { stop(0); });
}

void RecordProgram::started() {
  waiting_.stop();
  ticks_.start();
}

int RecordProgram::run() {
  meter_.session().recorder().setActive(true);
  if (openPort()) {
    started();
  } else if (options_.wait) {
    waiting_.start();
  } else {
    stop(1);
    return status_;
  }
  QCoreApplication::exec();
  return status_;
}

void RecordProgram::stop(int status) {
  if (stopped_) return;
  stopped_ = true;
  status_ = status;
  ticks_.stop();
  waiting_.stop();
  // Ends the journal: synced, closed and renamed, unless its disk has stalled.
  const bool journalClosed = meter_.stopPolling();
  QCoreApplication::sendPostedEvents(&ticks_);  // what the journal's thread had to say
  meter_.close();
  if (!journalClosed) {
    reporter_.line("kelvor-record: " + messageText(meter_.journalLeftOpen()));
    status_ = 1;
  }
  reporter_.finish();
  exitWhenPublished();
}

void RecordProgram::exitWhenPublished() {
  constexpr int DrainMs = 5000;
  constexpr int StepMs = 20;
  auto* drain = new QTimer(&ticks_);
  QObject::connect(drain, &QTimer::timeout, [this, drain, waited = 0]() mutable {
    waited += StepMs;
    const bool connected = publisher_.status().state == PublishStatus::State::Connected;
    if (publisher_.waiting() > 0 && connected && waited < DrainMs) return;
    drain->stop();
    QCoreApplication::exit(status_);
  });
  drain->start(publisher_.active() ? StepMs : 0);
}

}  // namespace kelvor
