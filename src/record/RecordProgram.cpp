// SPDX-License-Identifier: GPL-3.0-or-later
#include "record/RecordProgram.h"

#include <unistd.h>

#include <QCoreApplication>
#include <algorithm>
#include <cstring>
#include <map>

#include "core/acquisition/MeterChoice.h"
#include "core/acquisition/PortTable.h"
#include "core/record/JournalAlarm.h"
#include "core/record/RecordTexts.h"
#include "platform/MessageTexts.h"
#include "platform/NamedJournal.h"
#include "platform/StreamJournal.h"

namespace kelvor {

// One meter of the command line, with what tells about it: each journalled reading is tested
// against the alarm, then told; the station publishes it with the verdict.
struct RecordProgram::Meter : ReadingListener {
  Meter(RecordProgram& program, const RecordMeter& meterLine, int meterChannel,
        const ConsoleReporter::Style& style)
      : owner(program),
        line(meterLine),
        channel(meterChannel),
        reporter(style, program.watch_, program.clock_),
        alarm(reporter),
        connection(*program.station_.meterOn(channel)) {}
  void readingRecorded(const JournalRow& row) override {
    const JournalAlarm::Verdict verdict = alarm.test(row);
    alarmed = verdict.alarm;
    connection.reader().meterState().alarmTested(verdict.alarm);
    reporter.readingRecorded(row, verdict.alarm);
    if (verdict.first) reporter.firstAlarm(row);
    // The recording's first alarm, of whichever meter.
    if (verdict.alarm && owner.firstAlarm_.empty())
      owner.firstAlarm_ = messageText(RecordTexts::alarmLine(row, owner.separator_));
    owner.showLive(row);
  }

  RecordProgram& owner;
  RecordMeter line;
  int channel;  // from 0
  ConsoleReporter reporter;
  JournalAlarm alarm;
  MeterConnection& connection;  // the station's
  bool alarmed = false;         // the last reading met the alarm condition
  bool open = false;
  bool openFailureTold = false;
};

namespace {

// The command line's channels; without any, the options' one meter on channel 1.
std::vector<ChannelBinding> bindingsOf(const RecordOptions& options) {
  std::vector<ChannelBinding> bindings;
  for (const RecordChannel& channel : options.channels) {
    if (channel.calculation)
      bindings.push_back({ChannelBinding::Source::Calculation, {}, channel.calculation->text()});
    else
      bindings.push_back({ChannelBinding::Source::Meter, channel.meter.port, {}});
  }
  if (bindings.empty()) bindings.push_back({ChannelBinding::Source::Meter, options.port, {}});
  return bindings;
}

}  // namespace

RecordProgram::RecordProgram(const RecordOptions& options, char decimalSeparator,
                             const Clock& clock, bool german)
    : options_(options),
      separator_(decimalSeparator),
      clock_(clock),
      watch_(options.durationS, options.count, clock.steadyMs()),
      station_(clock, decimalSeparator),
      signals_([this](int) {
        bySignal_ = true;
        stop(0);
      }) {
  station_.setPolling(false);  // until the ports are open
  station_.setFaultHandler([this](const JournalFault& fault) { journalFault(fault); });
  station_.bind(bindingsOf(options_));
  for (std::size_t i = 0; i < options_.channels.size(); ++i) {
    const RecordChannel& channel = options_.channels[i];
    if (!channel.calculation)
      addMeter(channel.meter, static_cast<int>(i), decimalSeparator, meters_.empty());
  }
  if (meters_.empty())  // without channels: the options' one meter
    addMeter({options_.port, options_.devicePath, options_.baud}, 0, decimalSeparator, true);
  station_.addListener(this);
  station_.setAlarmTest([this](int channel) {
    for (const auto& meter : meters_)
      if (meter->channel == channel) return meter->alarmed;
    return false;
  });
  QObject::connect(
      &station_, &MeterStation::publishFault, [this](PublishFault fault, const QString& detail) {
        const Message why = publishFaultReason(fault, options_.publish, detail.toStdString());
        meters_.front()->reporter.line("kelvor-record: MQTT: " + messageText(why));
      });
  if (options_.publish.enabled) station_.publish(options_.publish);
  if (options_.http)
    server_ =
        std::make_unique<LiveServer>(*options_.http, options_.httpToken, german, decimalSeparator);
  waiting_.setInterval(static_cast<int>(RecordWatch::PollMs));
  QObject::connect(&waiting_, &QTimer::timeout, [this] {
    if (openPorts()) started();
  });
}

// The station outlives what tells of its meters: none of them hears of its end.
RecordProgram::~RecordProgram() {
  station_.removeListener(this);
  if (gate_) station_.removeListener(gate_.get());
  station_.setAlarmTest({});
  for (auto& meter : meters_) {
    meter->connection.reader().removeListener(meter.get());
    meter->connection.reader().meterState().removeListener(&meter->reporter);
  }
}

void RecordProgram::addMeter(const RecordMeter& line, int channel, char decimalSeparator,
                             bool first) {
  const bool terminal = ::isatty(STDERR_FILENO) == 1;
  // One progress line: the first meter's, which rewrites itself.
  meters_.push_back(std::make_unique<Meter>(
      *this, line, channel,
      ConsoleReporter::Style{decimalSeparator, first && !options_.quiet && terminal, terminal,
                             meterName(line.port), std::string(familyFor(line.port).name())}));
  Meter& meter = *meters_.back();
  MeterConnection& connection = meter.connection;
  connection.useJournal(chooseJournal(meter));
  if (!line.devicePath.empty()) connection.useDevice(QString::fromStdString(line.devicePath));
  MeterReader& reader = connection.reader();
  reader.addListener(&meter);
  reader.meterState().addListener(&meter.reporter);
  meter.alarm.arm(options_.alarm);
}

void RecordProgram::journalFault(const JournalFault& fault) {
  meters_.front()->reporter.line("kelvor-record: " + fault.path + ": " +
                                 std::strerror(fault.error));
  status_ = 1;  // also when it comes with the end
  QTimer::singleShot(0, &waiting_, [this] { stop(1); });
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
        &waiting_, [&reporter, line] { reporter.line(line); }, Qt::QueuedConnection);
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
  const LocalSerialLink::OpenResult result = meter.connection.open();
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

void RecordProgram::tickDone(const Moment&, const TickReadings&) {
  updateLive();
  watch_.tickDone();
  if (watch_.done()) stop(0);  // also when a meter of the tick stayed silent
}

void RecordProgram::tickStarted(const Moment&) {
  for (auto& meter : meters_) meter->reporter.polled();
  if (watch_.done()) stop(0);
}

void RecordProgram::calculationsRecorded(const std::vector<JournalRow>& rows) {
  for (const JournalRow& row : rows) showLive(row);
}

void RecordProgram::showLive(const JournalRow& row) {
  if (!server_) return;
  if (!start_) start_ = clock_.wallTimeAt(row.time.utcMs - row.elapsedMs);
  server_->feed().reading(row);
}

void RecordProgram::updateLive() {
  if (!server_) return;
  std::vector<std::string> states;
  std::map<std::string, std::string> journals;
  const auto addJournal = [&journals, this](const std::string& path) {
    const auto slash = path.rfind('/');
    if (slash != std::string::npos && options_.output != "-" &&
        !StreamJournal::isStream(options_.output))
      journals[path.substr(slash + 1)] = path;
  };
  addJournal(station_.calculationJournalPath());
  for (const auto& meter : meters_) {
    const std::string name = meterName(meter->line.port);
    const MeterCondition condition = meter->connection.reader().meterState().condition();
    if (condition == MeterCondition::Answering || condition == MeterCondition::NotOpen)
      states.push_back(name);
    else
      states.push_back(messageText(RecordTexts::meterLine(
          {name, condition, std::string(familyFor(meter->line.port).name())})));
    addJournal(meter->connection.journalPath());
  }
  server_->feed().setJournals(std::move(journals));
  const std::int64_t runMs = start_ ? clock_.utcMs() - start_->utcMs : 0;
  server_->feed().state(LiveFeed::stateJson(states, start_ ? localDateTimeText(*start_) : "",
                                            RecordTexts::durationText(runMs), firstAlarm_));
}

void RecordProgram::started() {
  waiting_.stop();
  station_.setPolling(true);
}

void RecordProgram::startRecording() {
  if (options_.start.kind == StartRule::Kind::AtOnce &&
      options_.stop.kind == StopRule::Kind::Never) {
    station_.group().setRecording(true);
    return;
  }
  gate_ = std::make_unique<RecordingGate>(
      station_.group(), RecordingRules(options_.start, options_.stop), options_.preTriggerS, 0);
  station_.addListener(gate_.get());
  gate_->onChange([this](RecordingGate::Change change) {
    const bool started = change == RecordingGate::Change::Started;
    meters_.front()->reporter.line("kelvor-record: " +
                                   messageText(Message(started ? MessageId::RecordRuleStarted
                                                               : MessageId::RecordRuleStopped)));
    station_.publishRecordingStatus(started ? "recording" : "stopped");
    if (!started) QTimer::singleShot(0, &waiting_, [this] { stop(0); });
  });
  if (const auto text = gate_->rules().waitingText()) {
    meters_.front()->reporter.line("kelvor-record: " + messageText(*text));
    station_.publishRecordingStatus("waiting");
  }
}

int RecordProgram::run() {
  if (std::string error; server_ && !server_->start(error)) {
    const HttpAddress& address = *options_.http;
    meters_.front()->reporter.line("kelvor-record: --http " + address.host + ":" +
                                   std::to_string(address.port) + ": " + error);
    return 1;
  }
  startRecording();
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
  // A journal fault told before the count's last tick has already failed the run.
  status_ = std::max(status_, status);
  waiting_.stop();
  // Ends the journals (synced, closed and renamed, unless their disk has stalled), and closes
  // the ports.
  std::vector<Message> failures = station_.stop();
  QCoreApplication::sendPostedEvents(&waiting_);  // what the journals' threads had to say
  // A run that ended by itself without a reading failed: a wrong meter or rate, a dead line.
  // Stopped by a signal (a service stopped while it waits for its meter), nothing failed.
  if (status_ == 0 && !bySignal_ && watch_.readings() == 0)
    failures.emplace_back(MessageId::RecordNothing);
  for (const Message& message : failures) {
    meters_.front()->reporter.line("kelvor-record: " + messageText(message));
    status_ = 1;
  }
  for (auto& meter : meters_) meter->reporter.finish();
  if (server_) server_->stop();
  exitWhenPublished();
}

void RecordProgram::exitWhenPublished() {
  constexpr int DrainMs = 5000;
  constexpr int StepMs = 20;
  const bool publishing = station_.publishing();
  auto* drain = new QTimer(&waiting_);
  QObject::connect(drain, &QTimer::timeout, [this, drain, waited = 0]() mutable {
    waited += StepMs;
    if (station_.delivering() && waited < DrainMs) return;
    drain->stop();
    QCoreApplication::exit(status_);
  });
  drain->start(publishing ? StepMs : 0);
}

}  // namespace kelvor
