// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/Clock.h"
#include "core/InvalidValue.h"
#include "core/Timer.h"
#include "core/acquisition/MeterState.h"
#include "core/acquisition/PollingCycle.h"
#include "core/acquisition/PortConfig.h"
#include "core/acquisition/SerialLink.h"
#include "core/journal/JournalKeeper.h"

namespace kelvor {

// One complete answer of a meter, as its display shows it.
struct MeterReading {
  float value = InvalidValue;  // InvalidValue: no usable number (an overload, a blank display)
  std::string unit;
  std::string valueText;  // the large display's digits
  std::string modeText;   // the mode or unit beside them
};

// Told of every answer of a meter, and of its journal row when the answer was journalled.
class ReadingListener {
 public:
  virtual ~ReadingListener() = default;
  virtual void readingTaken(const MeterReading&) {}
  // After readingTaken: the answer's row, as its journal took it.
  virtual void readingRecorded(const JournalRow&) {}
};

// One meter: polls it when told, decodes its answers, follows its condition and journals its
// readings while its recording runs. What the readings feed (a plot, an alarm, a broker) hears
// of them through the meter's group.
class MeterReader {
 public:
  // The port, the read timer of the polling cycle and the clock; the owner delivers the read
  // timer's ticks.
  struct Devices {
    SerialLink& link;
    Timer& readTimer;
    const Clock& clock;
  };

  MeterReader(const PortConfig& config, const ConnectionState& connection, const Devices& devices,
              char decimalSeparator);
  MeterReader(const MeterReader&) = delete;
  MeterReader& operator=(const MeterReader&) = delete;

  void onPollTick() { cycle_.onPollTick(); }
  void onReadTick() { cycle_.onReadTick(); }
  // One complete answer of the meter (what a read tick hands on); its carriage returns go.
  void takeAnswer(std::string& answer);
  void addListener(ReadingListener* listener) { listeners_.push_back(listener); }
  void removeListener(ReadingListener* listener);

  // The channel (from 0) the meter feeds: its journal's channel column.
  void setChannel(int channel) { channel_ = channel; }
  int channel() const { return channel_; }
  // Journals every answer while on.
  void setRecording(bool on) { recording_ = on; }
  // While not recording: each answer's row goes here, timed, with the steady time it came.
  using HeldRows = std::function<void(std::int64_t steadyMs, JournalRow row)>;
  void holdRows(HeldRows hold) { hold_ = std::move(hold); }
  // The recording starts at `start` with rows held before it: journalled and told.
  void recordHeld(const std::vector<JournalRow>& rows, const Moment& start);

  const PortConfig& config() const { return config_; }
  JournalKeeper& journal() { return journal_; }
  const JournalKeeper& journal() const { return journal_; }
  MeterState& meterState() { return meterState_; }
  const MeterState& meterState() const { return meterState_; }
  const PollingCycle& cycle() const { return cycle_; }
  // The last answer; none before the first.
  const std::optional<MeterReading>& last() const { return last_; }

 private:
  const PortConfig& config_;
  const Clock& clock_;
  char decimalSeparator_;
  JournalKeeper journal_;
  MeterState meterState_;
  PollingCycle cycle_;
  std::vector<ReadingListener*> listeners_;
  std::optional<MeterReading> last_;
  HeldRows hold_;
  int channel_ = 0;
  bool recording_ = false;
};

}  // namespace kelvor
