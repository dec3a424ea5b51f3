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

// One meter of the command line, with what tells about it and what it read this tick.
struct RecordProgram::Meter : ReadingListener {
  Meter(RecordProgram& owner, const RecordMeter& meterLine, int channelNumber,
        const ConsoleReporter::Style& style)
      : program(owner),
        line(meterLine),
        channel(channelNumber),
        reporter(style, owner.watch_, owner.clock_),
        connection(line.port, owner.clock_, reporter, {}, style.decimalSeparator) {}
  void readingRecorded(const JournalRow& row, bool) override {
    program.readingRecorded(*this, row);
  }

  RecordProgram& program;
  RecordMeter line;
  int channel;  // from 1
  ConsoleReporter reporter;
  MeterConnection connection;
  MqttPublisher publisher;
  std::optional<ChannelReading> reading;  // of the tick that went out last
  bool answered = false;
  bool open = false;
  bool openFailureTold = false;
};

RecordProgram::RecordProgram(const RecordOptions& options, char decimalSeparator,
                             const Clock& clock)
    : options_(options),
      clock_(clock),
      watch_(options.durationS, options.count, clock.steadyMs()),
      signals_([this](int) { stop(0); }) {
  std::vector<ChannelPlan> plan;
  for (std::size_t i = 0; i < options_.channels.size(); ++i) {
    const RecordChannel& channel = options_.channels[i];
    plan.push_back({true, channel.calculation});
    if (!channel.calculation)
      addMeter(channel.meter, static_cast<int>(i) + 1, decimalSeparator, meters_.empty());
  }
  if (meters_.empty())  // without channels: the options' one meter
    addMeter({options_.port, options_.devicePath, options_.baud}, 1, decimalSeparator, true);
  if (meters_.size() < plan.size()) {
    calculator_.emplace(plan);
    calculatedJournal_.emplace(decimalSeparator,
                               [this](const JournalFault& fault) { journalFault(fault); });
  }
  // As precise as a meter's own poll timer: a coarse one may come early and cut a slow answer.
  ticks_.setTimerType(Qt::PreciseTimer);
  ticks_.setInterval(static_cast<int>(RecordWatch::PollMs));
  QObject::connect(&ticks_, &QTimer::timeout, [this] { tick(); });
  waiting_.setInterval(static_cast<int>(RecordWatch::PollMs));
  QObject::connect(&waiting_, &QTimer::timeout, [this] {
    if (openPorts()) started();
  });
}

RecordProgram::~RecordProgram() = default;

void RecordProgram::addMeter(const RecordMeter& line, int channel, char decimalSeparator,
                             bool first) {
  const bool terminal = ::isatty(STDERR_FILENO) == 1;
  // One progress line: the first meter's, which rewrites itself.
  meters_.push_back(std::make_unique<Meter>(
      *this, line, channel,
      ConsoleReporter::Style{decimalSeparator, first && !options_.quiet && terminal, terminal,
                             line.port.ComPort}));
  Meter& meter = *meters_.back();
  MeterConnection& connection = meter.connection;
  // Every meter is polled on the program's common tick, so the readings of a tick belong
  // together.
  connection.timMessung().setEnabled(false);
  connection.useJournal(chooseJournal(meter));
  if (!line.devicePath.empty()) connection.useDevice(QString::fromStdString(line.devicePath));
  MeterSession& session = connection.session();
  session.chooseChannel(channel - 1);  // its journal's channel column: its place on the line
  session.addListener(&meter.reporter);
  session.addListener(&meter);
  session.meterState().addListener(&meter.reporter);
  session.journal().setEnabled(true);
  // The journal is the record: a full trace store starts over while the journal goes on.
  session.recorder().startOverWhenFull(true);
  session.journal().setFaultHandler([this](const JournalFault& fault) { journalFault(fault); });
  if (options_.alarm.valid) {
    session.alarm().apply(options_.alarm);
    session.alarm().setArmed(true);
  }
  if (options_.publish.enabled) startPublishing(meter);
}

void RecordProgram::journalFault(const JournalFault& fault) {
  meters_.front()->reporter.line("kelvor-record: " + fault.path + ": " +
                                 std::strerror(fault.error));
  status_ = 1;  // also when it comes with the end
  QTimer::singleShot(0, &ticks_, [this] { stop(1); });
}

void RecordProgram::startPublishing(Meter& meter) {
  meter.connection.session().addListener(&meter.publisher);
  QObject::connect(&meter.publisher, &MqttPublisher::faultOccurred,
                   [this, &meter](PublishFault fault, const QString& detail) {
                     const Message why =
                         publishFaultReason(fault, options_.publish, detail.toStdString());
                     meter.reporter.line("kelvor-record: MQTT: " + messageText(why));
                   });
  const PublishSettings& settings = options_.publish;
  meter.publisher.configure(settings,
                            settings.topicFor(MqttPublisher::hostName(), meter.line.port.ComPort));
}

std::unique_ptr<JournalSink> RecordProgram::chooseJournal(Meter& meter) {
  ConsoleReporter& reporter = meter.reporter;
  if (options_.output == "-") {
    reporter.setJournal([] { return std::string("-"); });
    return std::make_unique<StreamJournal>(STDOUT_FILENO);
  }
  if (StreamJournal::isStream(options_.output)) {
    reporter.setJournal([this] { return options_.output; });
    return std::make_unique<StreamJournal>(options_.output);
  }
  reporter.setJournal([&meter] { return meter.connection.journalPath(); });
  if (options_.output.empty()) return std::make_unique<JournalFile>();
  auto file = std::make_unique<NamedJournal>(options_.output);
  // Found by the journal's thread, said in this one.
  file->setOtherNameHandler([this, &reporter](const std::string& path) {
    const std::string line =
        "kelvor-record: " + messageText(RecordTexts::otherNameLine(options_.output, path));
    QMetaObject::invokeMethod(
        &ticks_, [&reporter, line] { reporter.line(line); }, Qt::QueuedConnection);
  });
  return file;
}

bool RecordProgram::openPorts() {
  bool all = true;
  for (auto& meter : meters_)
    if (!meter->open) all = openPort(*meter) && all;
  return all;
}

bool RecordProgram::openPort(Meter& meter) {
  const basSerial::OpenResult result = meter.connection.open();
  meter.open = result.ok;
  if (result.ok && !result.note.isEmpty())
    meter.reporter.line("kelvor-record: " + result.devicePath.toStdString() + ": " +
                        result.note.toStdString());
  if (result.ok || meter.openFailureTold) return result.ok;
  meter.openFailureTold = true;
  const QString device = result.devicePath + QStringLiteral(": ") + result.errorText;
  meter.reporter.line(openErrorText(result.errorCode, portLabel(meter.line.port)) + ": " +
                      device.toStdString());
  return false;
}

void RecordProgram::tick() {
  calculate();          // the tick before, with the readings that came
  if (watch_.done()) {  // a meter of the tick before stayed silent
    stop(0);
    return;
  }
  tick_ = clock_.moment();
  calculated_ = !calculator_;
  for (auto& meter : meters_) {
    meter->reading.reset();
    meter->answered = false;
    meter->connection.session().onPollTick();
    meter->reporter.polled();
  }
  if (watch_.done()) stop(0);
}

void RecordProgram::readingRecorded(Meter& meter, const JournalRow& row) {
  meter.answered = true;
  if (row.value != InvalidValue) meter.reading = ChannelReading{row.value, row.unit};
  bool all = true;
  for (const auto& each : meters_) all = all && each->answered;
  if (!all) return;
  calculate();
  // Stopped once the tick's readings are handled, between two events.
  if (watch_.done()) QTimer::singleShot(0, &ticks_, [this] { stop(0); });
}

void RecordProgram::calculate() {
  if (calculated_) return;
  calculated_ = true;
  TickReadings readings(options_.channels.size());
  for (const auto& meter : meters_) readings[meter->channel - 1] = meter->reading;
  calculator_->onTick(tick_.steadyMs, readings);
  if (!firstTickMs_) firstTickMs_ = tick_.steadyMs;
  std::vector<JournalRow> rows;
  for (std::size_t i = 0; i < readings.size(); ++i) {
    const std::optional<Calculation>& calculation = options_.channels[i].calculation;
    if (!calculation || !readings[i]) continue;
    JournalRow row = journalRowOf(*calculation, *readings[i], static_cast<int>(i) + 1);
    row.time = tick_.wall;
    row.elapsedMs = tick_.steadyMs - *firstTickMs_;
    rows.push_back(std::move(row));
  }
  calculatedJournal_->write(rows, tick_.steadyMs);
}

void RecordProgram::started() {
  waiting_.stop();
  ticks_.start();
}

int RecordProgram::run() {
  for (auto& meter : meters_) meter->connection.session().recorder().setActive(true);
  if (openPorts()) {
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
  calculate();
  // Ends the journals: synced, closed and renamed, unless their disk has stalled.
  std::vector<Message> leftOpen;
  for (auto& meter : meters_)
    if (!meter->connection.stopPolling()) leftOpen.push_back(meter->connection.journalLeftOpen());
  if (calculatedJournal_ && !calculatedJournal_->end()) {
    const auto waited = std::to_string(JournalWriter::CloseLimit.count() / 1000);
    leftOpen.emplace_back(MessageId::JournalStillOpen,
                          std::vector<std::string>{calculatedJournal_->path(), waited});
  }
  QCoreApplication::sendPostedEvents(&ticks_);  // what the journals' threads had to say
  for (auto& meter : meters_) meter->connection.close();
  for (const Message& message : leftOpen) {
    meters_.front()->reporter.line("kelvor-record: " + messageText(message));
    status_ = 1;
  }
  for (auto& meter : meters_) meter->reporter.finish();
  exitWhenPublished();
}

void RecordProgram::exitWhenPublished() {
  constexpr int DrainMs = 5000;
  constexpr int StepMs = 20;
  bool publishing = false;
  for (const auto& meter : meters_) publishing = publishing || meter->publisher.active();
  auto* drain = new QTimer(&ticks_);
  QObject::connect(drain, &QTimer::timeout, [this, drain, waited = 0]() mutable {
    waited += StepMs;
    bool waiting = false;
    for (const auto& meter : meters_) {
      const bool connected = meter->publisher.status().state == PublishStatus::State::Connected;
      waiting = waiting || (meter->publisher.waiting() > 0 && connected);
    }
    if (waiting && waited < DrainMs) return;
    drain->stop();
    QCoreApplication::exit(status_);
  });
  drain->start(publishing ? StepMs : 0);
}

}  // namespace kelvor
