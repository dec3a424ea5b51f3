// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/record/RuleOptions.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "core/record/CommandLineChannels.h"
#include "core/record/RecordOptions.h"
#include "core/session/PreTriggerBuffer.h"

namespace kelvor {

namespace {

std::string wrong(const char* option, const std::string& text, const std::string& what) {
  return std::string(option) + " " + text + ": " + what;
}

// Seconds after midnight of "H:MM", "HH:MM" or "HH:MM:SS", or what is wrong with the text.
std::optional<int> timeOfDay(const std::string& text, std::string& error) {
  std::vector<std::string> fields(1);
  for (const char c : text) {
    if (c == ':')
      fields.emplace_back();
    else
      fields.back() += c;
  }
  int values[3] = {0, 0, 0};
  bool wellFormed = fields.size() == 2 || fields.size() == 3;
  for (std::size_t i = 0; wellFormed && i < fields.size(); ++i) {
    const std::string& field = fields[i];
    wellFormed =
        (field.size() == 2 || (i == 0 && field.size() == 1)) &&
        std::all_of(field.begin(), field.end(), [](char c) { return c >= '0' && c <= '9'; });
    if (wellFormed) values[i] = std::stoi(field);
  }
  if (!wellFormed)
    error = "expected a time of day HH:MM or HH:MM:SS";
  else if (values[0] > 23)
    error = "the hour must be 0 to 23";
  else if (values[1] > 59 || values[2] > 59)
    error = "minutes and seconds must be 00 to 59";
  else
    return values[0] * 3600 + values[1] * 60 + values[2];
  return std::nullopt;
}

constexpr const char* NotACondition = "expected a condition such as \"< 0,8\" or \"> 1.5\"";

}  // namespace

ParsedStart parseStartAt(const std::string& text) {
  ParsedStart parsed;
  std::string what;
  if (const auto at = timeOfDay(text, what)) {
    parsed.rule.kind = StartRule::Kind::AtTime;
    parsed.rule.timeOfDayS = *at;
  } else {
    parsed.error = wrong("--start-at", text, what);
  }
  return parsed;
}

ParsedStart parseStartWhen(const std::string& text) {
  ParsedStart parsed;
  parsed.rule.kind = StartRule::Kind::When;
  parsed.rule.condition = parseAlarmCondition(text);
  parsed.rule.conditionText = text;
  if (!parsed.rule.condition.valid) parsed.error = wrong("--start-when", text, NotACondition);
  return parsed;
}

ParsedPreTrigger parsePreTrigger(const std::string& text) {
  ParsedPreTrigger parsed;
  const auto n = wholeNumber(text);
  if (!n)
    parsed.error = wrong("--pre-trigger", text, "expected a whole number of seconds");
  else if (*n > PreTriggerBuffer::MaxSeconds)
    parsed.error = wrong("--pre-trigger", text, "at most 600 seconds");
  else
    parsed.seconds = static_cast<int>(*n);
  return parsed;
}

ParsedStop parseStopAfter(const std::string& text) {
  ParsedStop parsed;
  const auto plain = wholeNumber(text);
  const auto seconds = plain ? plain : parseDuration(text);
  if (!seconds || *seconds == 0) {
    parsed.error =
        wrong("--stop-after", text, "expected a duration from 1 second, e.g. 90, 10s, 5m, 8h");
  } else {
    parsed.rule.kind = StopRule::Kind::After;
    parsed.rule.afterMs = *seconds * 1000;
  }
  return parsed;
}

ParsedStop parseStopAt(const std::string& text) {
  ParsedStop parsed;
  std::string what;
  if (const auto at = timeOfDay(text, what)) {
    parsed.rule.kind = StopRule::Kind::AtTime;
    parsed.rule.timeOfDayS = *at;
  } else {
    parsed.error = wrong("--stop-at", text, what);
  }
  return parsed;
}

ParsedStop parseStopWhen(const std::string& text) {
  ParsedStop parsed;
  parsed.rule.kind = StopRule::Kind::When;
  parsed.rule.condition = parseAlarmCondition(text);
  if (!parsed.rule.condition.valid) parsed.error = wrong("--stop-when", text, NotACondition);
  return parsed;
}

}  // namespace kelvor
