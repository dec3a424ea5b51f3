// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/session/RecordingRules.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "core/record/RuleOptions.h"
#include "core/session/PreTriggerBuffer.h"
#include "support/FakeClock.h"

namespace kelvor {
namespace {

// Rules from kelvor-record's option values: "" (at once, never), "at 22:00", "when > 5",
// "after 2s".
RecordingRules rulesOf(const std::string& start, const std::string& stop) {
  const auto value = [](const std::string& rule) { return rule.substr(rule.find(' ') + 1); };
  const ParsedStart parsedStart = start.empty()          ? ParsedStart{}
                                  : start.rfind("at", 0) ? parseStartWhen(value(start))
                                                         : parseStartAt(value(start));
  const ParsedStop parsedStop = stop.empty()               ? ParsedStop{}
                                : stop.rfind("at", 0) == 0 ? parseStopAt(value(stop))
                                : stop.rfind("after", 0)   ? parseStopWhen(value(stop))
                                                           : parseStopAfter(value(stop));
  EXPECT_EQ(parsedStart.error + parsedStop.error, "");
  return RecordingRules(parsedStart.rule, parsedStop.rule);
}

// One letter a tick: . keeps on, S starts, P stops, B starts and stops.
char letter(RecordingRules::Verdict verdict) {
  return ".SPB"[static_cast<int>(verdict)];
}

TEST(RecordingRules, StartAndStopByValueAndDuration) {
  struct Case {
    const char* start;
    const char* stop;
    const char* values;  // one a second; "-": no usable value
    const char* verdicts;
  };
  for (const Case& c : std::vector<Case>{
           {"", "", "1 1 1", "S.."},
           {"when > 5", "", "1 - 6 7", "..S."},
           {"when < 0,8", "", "0.5 0.9", "S."},  // holds at the very first reading
           {"when < 0,8", "", "0 0.5", ".S"},    // exactly 0 counts as no reading, as for the alarm
           {"when > 5", "", "5 5.01", ".S"},     // strictly beyond the level
           {"", "after 2s", "1 1 1 1", "S.P."},  // and nothing after the stop
           {"", "when < 1", "1 - 0.5 0.5", "S.P."},
           {"when > 5", "when < 1", "6 2 0.5 6", "S.P."},
           // The trigger reading meets the stop condition too: the recording is that reading.
           {"when > 5", "when > 3", "6 6", "B."}}) {
    RecordingRules rules = rulesOf(c.start, c.stop);
    testing::FakeClock clock(1796558400);
    std::istringstream values(c.values);
    std::string verdicts;
    for (std::string value; values >> value; clock.advance(1))
      verdicts += letter(rules.feed(clock.moment(),
                                    value == "-" ? std::nullopt : std::optional(std::stof(value))));
    EXPECT_EQ(verdicts, c.verdicts) << c.start << " / " << c.stop << " / " << c.values;
  }
  // A tick a millisecond early (the timer's jitter) still ends a duration.
  RecordingRules rules = rulesOf("", "after 2s");
  EXPECT_EQ(rules.feed({0, {0, 0}}, 1.f), RecordingRules::Verdict::Start);
  EXPECT_EQ(rules.feed({1999, {1999, 0}}, 1.f), RecordingRules::Verdict::Stop);
}

TEST(RecordingRules, TimesOfDayFollowTheLocalWallClock) {
  constexpr LocalSeconds Hour = 3600;
  constexpr LocalSeconds Mar29 = 20541 * 86400, Oct25 = 20751 * 86400, Dec7 = 20794 * 86400;
  struct Case {
    LocalSeconds utc;  // the first tick
    const char* start;
    const char* stop;
    LocalSeconds stepAt = 0;  // seconds after the first tick, when the wall clock steps back
    LocalSeconds ticks = 3 * Hour;
    const char* verdicts;  // each with the local day of month, time and offset
  };
  for (const Case& c : std::vector<Case>{
           // 02:30 does not exist: the first tick after the skip.
           {Mar29, "at 02:30", "", 0, 3 * Hour, "S 29 03:00:00+2"},
           // 02:30 comes twice: the first pass starts, the stop comes once.
           {Oct25 - Hour, "at 02:30", "at 02:40", 0, 3 * Hour, "S 25 02:30:00+2 P 25 02:40:00+2"},
           {Oct25 - Hour, "", "at 02:30", 0, 3 * Hour, "S 25 01:00:00+2 P 25 02:30:00+2"},
           // The wall clock set back an hour after the start starts nothing again; the duration
           // runs by the steady clock.
           {Dec7 + 21 * Hour - 5, "at 22:00", "after 60s", 10, 2 * Hour,
            "S 07 22:00:00+1 P 07 21:01:00+1"},
           {Dec7 + 21 * Hour - 5, "at 22:00", "at 22:01", 10, 2 * Hour,
            "S 07 22:00:00+1 P 07 22:01:00+1"},
           // Set back before the start: the start waits for the wall clock.
           {Dec7 + 21 * Hour - 60, "at 22:00", "", 30, 2 * Hour, "S 07 22:00:00+1"},
           // A time passed today is tomorrow's; the time of the first tick is now.
           {Dec7 + 21 * Hour + 1, "at 22:00", "", 0, 25 * Hour, "S 08 22:00:00+1"},
           {Dec7 + 21 * Hour, "at 22:00:00", "", 0, 10, "S 07 22:00:00+1"},
           // A stop at the time of the start is a day later.
           {Dec7 + 21 * Hour - 1, "at 22:00", "at 22:00", 0, 25 * Hour,
            "S 07 22:00:00+1 P 08 22:00:00+1"}}) {
    RecordingRules rules = rulesOf(c.start, c.stop);
    testing::FakeClock clock(c.utc);
    clock.setZone(testing::europeBerlinOffset);
    std::string verdicts;
    for (LocalSeconds tick = 0; tick < c.ticks; ++tick, clock.advance(1)) {
      if (c.stepAt && tick == c.stepAt) clock.stepWall(-Hour * 1000);
      const Moment now = clock.moment();
      const char verdict = letter(rules.feed(now, std::nullopt));
      if (verdict != '.')
        verdicts += std::string(verdicts.empty() ? "" : " ") + verdict + " " +
                    dateText(now.wall.local()).substr(8) + " " + timeOfDayText(now.wall.local()) +
                    "+" + std::to_string(now.wall.offsetSeconds / 3600);
    }
    EXPECT_EQ(verdicts, c.verdicts) << c.start << " / " << c.stop << " from " << c.utc;
  }
}

TEST(RecordingRules, SaysWhatTheStartWaitsFor) {
  testing::FakeClock clock(1796558400);  // 12:00
  for (const auto& [start, text] : std::vector<std::pair<std::string, std::string>>{
           {"at 22:00", "22:00"}, {"at 7:05:09", "07:05:09"}, {"when < 0,8", "< 0,8"}, {"", ""}}) {
    RecordingRules rules = rulesOf(start, "");
    const std::optional<Message> waiting = rules.waitingText();
    EXPECT_EQ(waiting ? waiting->args.at(0) : "", text);
    EXPECT_TRUE(!waiting || waiting->id == MessageId::WaitingFor);
    rules.feed(clock.moment(), 0.5f);
    EXPECT_EQ(rules.waitingText().has_value(), start.rfind("at", 0) == 0) << start;
  }
}

TEST(PreTriggerBuffer, HandsOverTheLastSecondsOfAChannelRelativeToTheTrigger) {
  struct Case {
    int seconds;
    const char* rows;  // steady ms:channel:value
    std::int64_t triggerMs;
    const char* taken;  // channel 1's rows: elapsed ms:value
  };
  for (const Case& c : std::vector<Case>{
           {3, "0:1:0 1000:1:1 2000:1:2 3000:1:3 4000:1:4 5000:1:5", 5000,
            "-3000:2 -2000:3 -1000:4 0:5"},
           {0, "4000:1:4 5000:1:5", 5000, "0:5"},
           {2, "1000:1:1 1000:2:9 2000:2:9 3000:1:3", 3000, "-2000:1 0:3"},
           // The trigger tick without a reading: what lies in the window before it.
           {2, "3000:1:3 4000:1:4 5000:1:5", 7000, "-2000:5"},
           // Readings come during their tick: the oldest, just inside the window, stays.
           {2, "1100:1:1 2001:1:2 3100:1:3 4100:1:4", 4000, "-1999:2 -900:3 100:4"},
           // More rows than one a second: only as many as the window has seconds, plus one.
           {2, "0:1:0 400:1:1 800:1:2 1200:1:3 1600:1:4 2000:1:5", 2000, "-800:3 -400:4 0:5"},
           {600, "", 1000, ""}}) {
    PreTriggerBuffer buffer(c.seconds);
    std::istringstream rows(c.rows);
    for (std::string row; rows >> row;) {
      JournalRow journalRow;
      char colon;
      std::int64_t ms;
      std::istringstream(row) >> ms >> colon >> journalRow.channel >> colon >> journalRow.value;
      buffer.add(ms, journalRow);
    }
    std::string taken;
    for (const JournalRow& row : buffer.take(1, c.triggerMs)) {
      taken += (taken.empty() ? "" : " ") + std::to_string(row.elapsedMs) + ":";
      taken += std::to_string(static_cast<int>(row.value));
    }
    EXPECT_EQ(taken, c.taken) << c.rows;
    EXPECT_TRUE(buffer.take(1, c.triggerMs).empty());
  }
}

}  // namespace
}  // namespace kelvor
