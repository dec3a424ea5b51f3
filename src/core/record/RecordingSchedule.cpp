// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/record/RecordingSchedule.h"

#include <algorithm>
#include <array>

#include "core/record/RuleOptions.h"
#include "core/session/PreTriggerBuffer.h"

namespace kelvor {

namespace {

constexpr std::array<const char*, 3> StartNames{"now", "at", "when"};
constexpr std::array<const char*, 4> StopNames{"never", "after", "at", "when"};

template <std::size_t N>
int indexOf(const std::array<const char*, N>& names, const std::optional<std::string>& text) {
  for (std::size_t i = 0; i < N; ++i)
    if (text && *text == names[i]) return static_cast<int>(i);
  return 0;
}

}  // namespace

RecordingSchedule::Rules RecordingSchedule::rules() const {
  Rules result;
  if (start == Start::AtOnce && stop == Stop::Never) return result;
  ParsedStart parsedStart;
  if (start == Start::AtTime) parsedStart = parseStartAt(startValue);
  if (start == Start::When) parsedStart = parseStartWhen(startValue);
  if (!parsedStart.error.empty()) {
    result.error =
        Message(start == Start::AtTime ? MessageId::ScheduleNoTime : MessageId::ScheduleNoCondition,
                {startValue});
    return result;
  }
  ParsedStop parsedStop;
  if (stop == Stop::After) parsedStop = parseStopAfter(stopValue);
  if (stop == Stop::AtTime) parsedStop = parseStopAt(stopValue);
  if (stop == Stop::When) parsedStop = parseStopWhen(stopValue);
  if (!parsedStop.error.empty()) {
    const MessageId id = stop == Stop::After    ? MessageId::ScheduleNoDuration
                         : stop == Stop::AtTime ? MessageId::ScheduleNoTime
                                                : MessageId::ScheduleNoCondition;
    result.error = Message(id, {stopValue});
    return result;
  }
  result.rules = RecordingRules(parsedStart.rule, parsedStop.rule);
  return result;
}

RecordingSchedule RecordingSchedule::read(const StoredSettings::Lookup& lookup) {
  RecordingSchedule schedule;
  schedule.start = static_cast<Start>(indexOf(StartNames, lookup("StartRule")));
  schedule.startValue = lookup("StartValue").value_or("");
  const std::optional<int> seconds = textToInt32(lookup("PreTrigger").value_or(""), '.');
  schedule.preTriggerS = std::clamp(seconds.value_or(0), 0, PreTriggerBuffer::MaxSeconds);
  schedule.stop = static_cast<Stop>(indexOf(StopNames, lookup("StopRule")));
  schedule.stopValue = lookup("StopValue").value_or("");
  if (schedule.rules().error) return {};
  return schedule;
}

std::vector<StoredSettings::KeyText> RecordingSchedule::texts() const {
  return {{"StartRule", StartNames[static_cast<std::size_t>(start)]},
          {"StartValue", startValue},
          {"PreTrigger", std::to_string(preTriggerS)},
          {"StopRule", StopNames[static_cast<std::size_t>(stop)]},
          {"StopValue", stopValue}};
}

}  // namespace kelvor
