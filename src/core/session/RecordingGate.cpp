// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/session/RecordingGate.h"

#include <algorithm>
#include <utility>

namespace kelvor {

RecordingGate::RecordingGate(MeterGroup& group, const RecordingRules& rules, int preTriggerS,
                             int watched)
    : group_(group), meters_(group.meters()), rules_(rules), held_(preTriggerS), watched_(watched) {
  group_.setRecording(false);
  for (MeterReader* meter : meters_)
    meter->holdRows(
        [this](std::int64_t steadyMs, JournalRow row) { held_.add(steadyMs, std::move(row)); });
  group_.holdCalculations(
      [this](std::int64_t steadyMs, JournalRow row) { held_.add(steadyMs, std::move(row)); });
}

RecordingGate::~RecordingGate() {
  for (MeterReader* meter : meters_) meter->holdRows({});
  group_.holdCalculations({});
}

void RecordingGate::tickDone(const Moment& tick, const TickReadings& readings) {
  std::optional<float> watched;
  if (watched_ >= 0 && static_cast<std::size_t>(watched_) < readings.size() &&
      readings[static_cast<std::size_t>(watched_)])
    watched = static_cast<float>(readings[static_cast<std::size_t>(watched_)]->value);
  const RecordingRules::Verdict verdict = rules_.feed(tick, watched);
  if (verdict == RecordingRules::Verdict::Keep) return;
  if (verdict != RecordingRules::Verdict::Stop) {
    group_.holdCalculations({});
    for (MeterReader* meter : meters_) {
      meter->holdRows({});
      const std::vector<JournalRow> rows = held_.take(meter->channel() + 1, tick.steadyMs);
      meter->recordHeld(rows, tick);
      startRows_.insert(startRows_.end(), rows.begin(), rows.end());
    }
    // What is left are the calculated channels': into their one journal in time order.
    std::vector<JournalRow> calculated;
    for (std::size_t channel = 1; channel <= readings.size(); ++channel)
      for (JournalRow& row : held_.take(static_cast<int>(channel), tick.steadyMs))
        calculated.push_back(std::move(row));
    std::stable_sort(
        calculated.begin(), calculated.end(),
        [](const JournalRow& a, const JournalRow& b) { return a.elapsedMs < b.elapsedMs; });
    group_.recordHeldCalculations(calculated);
    startRows_.insert(startRows_.end(), calculated.begin(), calculated.end());
    group_.setRecording(true);
    tell(Change::Started);
  }
  if (verdict != RecordingRules::Verdict::Start) {
    group_.setRecording(false);
    tell(Change::Stopped);
  }
}

}  // namespace kelvor
