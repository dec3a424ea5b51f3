// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/MeterStation.h"

#include <algorithm>

#include "core/acquisition/PortTable.h"
#include "core/calc/Calculation.h"

namespace kelvor {

// A meter of the station, bound to a channel, with its publisher and the journal rows it
// took since the last tick was done.
struct MeterStation::Meter : ReadingListener {
  Meter(const PortConfig& port, const Clock& clock, char decimalSeparator)
      : config(port), connection(config, clock, decimalSeparator) {
    connection.reader().addListener(this);
  }
  ~Meter() override { connection.reader().removeListener(this); }
  void readingRecorded(const JournalRow& row) override {
    if (publisher.active()) pending.push_back(row);
  }

  PortConfig config;
  int channel = 0;  // from 0
  MeterConnection connection;
  MqttPublisher publisher;
  std::string topic;  // the publisher's prefix
  std::vector<JournalRow> pending;
};

namespace {
std::vector<ChannelPlan> planOf(const std::vector<ChannelBinding>& bindings) {
  std::vector<ChannelPlan> plan;
  for (const ChannelBinding& binding : bindings) {
    ChannelPlan entry{binding.source != ChannelBinding::Source::None, std::nullopt};
    if (binding.source == ChannelBinding::Source::Calculation)
      entry.calculation = parseCalculation(binding.calculation).calculation;
    plan.push_back(entry);
  }
  return plan;
}
}  // namespace

MeterStation::MeterStation(const Clock& clock, char decimalSeparator)
    : clock_(clock), decimalSeparator_(decimalSeparator) {
  makeGroup();
}

MeterStation::~MeterStation() {
  listeners_.clear();
  stop();
}

void MeterStation::makeGroup() {
  const std::vector<ChannelPlan> plan = planOf(bindings_);
  group_.reset();  // before a meter it polled joins the next
  calculations_ = std::make_unique<CalculationPublishers>(plan);
  connect(calculations_.get(), &CalculationPublishers::faultOccurred, this,
          &MeterStation::publishFault);
  calculations_->tellFaultsWith(faultReports_);
  group_ = std::make_unique<MeterGroupConnection>(plan, decimalSeparator_, clock_);
  for (auto& meter : meters_) group_->addMeter(meter->connection, meter->channel + 1);
  MeterGroup& group = group_->group();
  group.setJournalEnabled(journal_);
  group.setFaultHandler(onFault_);
  group.addListener(this);
}

void MeterStation::bind(const std::vector<ChannelBinding>& bindings) {
  group().stop();
  group_->endJournal();
  std::vector<std::unique_ptr<Meter>> before = std::move(meters_);
  meters_.clear();
  bindings_ = bindings;
  for (std::size_t i = 0; i < bindings_.size(); ++i) {
    if (bindings_[i].source != ChannelBinding::Source::Meter) continue;
    const PortConfig& port = bindings_[i].port;
    const auto kept = std::find_if(before.begin(), before.end(), [&](const auto& meter) {
      return meter && sameLine(meter->config, port);
    });
    if (kept != before.end()) {
      meters_.push_back(std::move(*kept));
      meters_.back()->config = port;  // a new name or address for the same line
    } else {
      meters_.push_back(std::make_unique<Meter>(port, clock_, decimalSeparator_));
      JournalKeeper& journal = meters_.back()->connection.reader().journal();
      journal.setEnabled(journal_);
      journal.setFaultHandler(onFault_);
      connect(&meters_.back()->publisher, &MqttPublisher::faultOccurred, this,
              &MeterStation::publishFault);
      connect(&meters_.back()->publisher, &MqttPublisher::statusChanged, this,
              &MeterStation::publishStatusChanged);
      meters_.back()->publisher.tellFaultsWith(faultReports_);
    }
    meters_.back()->channel = static_cast<int>(i);
  }
  group_.reset();  // before the meters it polled go
  for (auto& meter : before) {
    if (!meter) continue;
    meter->connection.stopPolling();
    meter->connection.close();
  }
  before.clear();
  makeGroup();
  configurePublishers();
  if (polling_) group().start();
}

std::vector<ChannelBinding> MeterStation::bindings() const {
  std::vector<ChannelBinding> bindings = bindings_;
  for (const auto& meter : meters_)
    bindings[static_cast<std::size_t>(meter->channel)].port = meter->config;
  return bindings;
}

std::vector<int> MeterStation::boundChannels() const {
  std::vector<int> channels;
  for (std::size_t i = 0; i < bindings_.size(); ++i)
    if (bindings_[i].source != ChannelBinding::Source::None)
      channels.push_back(static_cast<int>(i));
  return channels;
}

MeterConnection* MeterStation::meterOn(int channel) {
  for (auto& meter : meters_)
    if (meter->channel == channel) return &meter->connection;
  return nullptr;
}

const MeterConnection* MeterStation::meterOn(int channel) const {
  for (const auto& meter : meters_)
    if (meter->channel == channel) return &meter->connection;
  return nullptr;
}

PortConfig* MeterStation::portOn(int channel) {
  for (auto& meter : meters_)
    if (meter->channel == channel) return &meter->config;
  return nullptr;
}

void MeterStation::moveLoneMeter(int channel) {
  const auto to = static_cast<std::size_t>(channel);
  if (meters_.size() != 1 || boundChannels().size() != 1 || to >= bindings_.size()) return;
  Meter& meter = *meters_.front();
  std::swap(bindings_[static_cast<std::size_t>(meter.channel)], bindings_[to]);
  meter.channel = channel;
  group().moveMeter(channel + 1);
}

void MeterStation::removeListener(MeterGroup::TickListener* listener) {
  listeners_.erase(std::remove(listeners_.begin(), listeners_.end(), listener), listeners_.end());
}

void MeterStation::setJournalEnabled(bool on) {
  journal_ = on;
  for (auto& meter : meters_) meter->connection.reader().journal().setEnabled(on);
  group().setJournalEnabled(on);
}

void MeterStation::setFaultHandler(JournalWriter::FaultHandler handler) {
  onFault_ = std::move(handler);
  for (auto& meter : meters_) meter->connection.reader().journal().setFaultHandler(onFault_);
  group().setFaultHandler(onFault_);
}

void MeterStation::setPolling(bool on) {
  polling_ = on;
  if (on)
    group().start();
  else
    group().stop();
}

void MeterStation::publish(const PublishSettings& settings) {
  publishSettings_ = settings;
  for (auto& meter : meters_) meter->topic.clear();  // every publisher takes the settings
  configurePublishers();
}

std::string MeterStation::topicOn(int channel) const {
  return topicOn(channel, publishSettings_);
}

std::string MeterStation::topicOn(int channel, const PublishSettings& settings) const {
  const auto index = static_cast<std::size_t>(channel);
  if (index >= bindings_.size()) return {};
  const bool several = boundChannels().size() > 1;
  const std::string host = MqttPublisher::hostName();
  if (const MeterConnection* meter = meterOn(channel))
    return settings.topicFor(host, meterName(meter->config()), several);
  if (bindings_[index].source == ChannelBinding::Source::Calculation)
    return settings.topicFor(host, calculationSource(channel + 1), true);
  return {};
}

// A publisher whose topic is unchanged goes on as it is (its connection and its queue).
void MeterStation::configurePublishers() {
  for (auto& meter : meters_) {
    const std::string topic = topicOn(meter->channel);
    if (topic == meter->topic) continue;
    meter->topic = topic;
    meter->publisher.configure(publishSettings_, topic);
  }
  calculations_->configure(publishSettings_, MqttPublisher::hostName());
}

PublishStatus MeterStation::publishStatus() const {
  return meters_.empty() ? PublishStatus{} : meters_.front()->publisher.status();
}

void MeterStation::publishRecordingStatus(const std::string& state) {
  for (auto& meter : meters_) meter->publisher.recordingStatus(state);
}

bool MeterStation::publishing() const {
  return calculations_->active() ||
         std::any_of(meters_.begin(), meters_.end(),
                     [](const auto& meter) { return meter->publisher.active(); });
}

bool MeterStation::delivering() const {
  return calculations_->delivering() ||
         std::any_of(meters_.begin(), meters_.end(),
                     [](const auto& meter) { return meter->publisher.delivering(); });
}

void MeterStation::tickStarted(const Moment& tick) {
  for (MeterGroup::TickListener* listener : listeners_) listener->tickStarted(tick);
}

// The listeners first: the window's alarm tests the tick before its readings are published.
void MeterStation::tickDone(const Moment& tick, const TickReadings& readings) {
  for (MeterGroup::TickListener* listener : listeners_) listener->tickDone(tick, readings);
  for (auto& meter : meters_) {
    const bool alarm = alarmTest_ && alarmTest_(meter->channel);
    for (const JournalRow& row : meter->pending) meter->publisher.readingRecorded(row, alarm);
    meter->pending.clear();
  }
}

void MeterStation::calculationsRecorded(const std::vector<JournalRow>& rows) {
  calculations_->calculationsRecorded(rows);
  for (MeterGroup::TickListener* listener : listeners_) listener->calculationsRecorded(rows);
}

std::vector<Message> MeterStation::stop() {
  std::vector<Message> open;
  group().stop();
  if (!group_->endJournal()) {
    const auto waited = std::to_string(JournalWriter::CloseLimit.count() / 1000);
    open.emplace_back(MessageId::JournalStillOpen,
                      std::vector<std::string>{group_->journalPath(), waited});
  }
  for (auto& meter : meters_) {
    if (!meter->connection.stopPolling()) open.push_back(meter->connection.journalLeftOpen());
    meter->connection.close();
  }
  return open;
}

}  // namespace kelvor
