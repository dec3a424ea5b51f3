// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/session/RecordingGate.h"

#include <utility>

namespace kelvor {

RecordingGate::RecordingGate(MeterGroup& group, std::vector<MeterReader*> meters,
                             const RecordingRules& rules, int preTriggerS, int watched)
    : group_(group),
      meters_(std::move(meters)),
      rules_(rules),
      held_(preTriggerS),
      watched_(watched) {
  group_.setRecording(false);
  for (MeterReader* meter : meters_)
    meter->holdRows(
        [this](std::int64_t steadyMs, JournalRow row) { held_.add(steadyMs, std::move(row)); });
}

RecordingGate::~RecordingGate() {
  for (MeterReader* meter : meters_) meter->holdRows({});
}

void RecordingGate::tickDone(const Moment& tick, const TickReadings& readings) {
  std::optional<float> watched;
  if (watched_ >= 0 && static_cast<std::size_t>(watched_) < readings.size() &&
      readings[static_cast<std::size_t>(watched_)])
    watched = static_cast<float>(readings[static_cast<std::size_t>(watched_)]->value);
  const RecordingRules::Verdict verdict = rules_.feed(tick, watched);
  if (verdict == RecordingRules::Verdict::Keep) return;
  if (verdict != RecordingRules::Verdict::Stop) {
    for (MeterReader* meter : meters_) {
      meter->holdRows({});
      meter->recordHeld(held_.take(meter->channel() + 1, tick.steadyMs), tick);
    }
    group_.setRecording(true);
    tell(Change::Started);
  }
  if (verdict != RecordingRules::Verdict::Start) {
    group_.setRecording(false);
    tell(Change::Stopped);
  }
}

}  // namespace kelvor
