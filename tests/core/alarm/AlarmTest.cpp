// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/alarm/AlarmRule.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "core/InvalidValue.h"
#include "core/alarm/AlarmCondition.h"
#include "core/alarm/WaveFile.h"
#include "core/recording/Recorder.h"
#include "support/FakeClock.h"

namespace kelvor {
namespace {

constexpr LocalSeconds Day = 86400;
constexpr LocalSeconds Afternoon = 20793 * Day + 14 * 3600 + 3 * 60 + 9;  // 14:03:09
const std::string None = NoTime;

// An alarm beeps while armed; the first one sets the alarm time, which a later one keeps. How
// the rule times and beeps in a recording: LiveRecordingTest; keeps its threshold: AlarmPanelTest.
TEST(AlarmRule, ComparesStrictlyAndIgnoresZeroAndGaps) {
  const std::vector<std::tuple<const char*, float, bool>> cases{
      {"< 0,8", 0.79f, true},        {"< 0,8", 0.8f, false},  {"< 0,8", -0.0f, false},
      {"> 0,8", 0.8f, false},        {"> 0,8", -5.0f, false}, {"< 0", -0.5f, true},
      {"< 0,8", InvalidValue, false}};  // no reading
  const std::optional<LocalSeconds> firstAlarms[] = {std::nullopt, Afternoon - 60};
  for (const auto& [text, value, alarm] : cases) {
    const AlarmCondition condition = parseAlarmCondition(text);
    ASSERT_TRUE(condition.valid);
    for (const bool on : {true, false})
      for (const std::optional<LocalSeconds> first : firstAlarms) {
        const AlarmOutcome outcome =
            alarmOutcome(condition.alarmAbove, condition.alarmLevel, on, value, Afternoon, first);
        const std::string time = outcome.firstAlarm ? timeOfDayText(*outcome.firstAlarm) : None;
        const bool beeps = on && alarm;
        const std::string expected = first ? "14:02:09" : beeps ? "14:03:09" : None;
        EXPECT_EQ(time + (outcome.beep ? " beep" : ""), expected + (beeps ? " beep" : ""))
            << text << value;
      }
  }
}

// In a recording the first alarm's running time stays through the later ones; only setting it
// is a change.
TEST(AlarmRule, TheFirstAlarmOfARecordingStays) {
  struct : AlarmSound {
    void beeps(int) override {}
  } silence;
  AlarmRule rule(silence);
  ASSERT_TRUE(rule.apply(parseAlarmCondition("< 0,8")));
  testing::FakeClock clock(Afternoon);
  Recording recording;
  recording.setActive(true, clock.moment());
  rule.setArmed(true);
  std::string changed;
  for (const float value : {0.9f, 0.5f, 0.4f})
    clock.advance(60), changed += rule.testAlarm(value, clock, recording) ? 'C' : '.';
  EXPECT_EQ(changed + " " + recording.state().alarmTimeText(), ".C. 00:02:00");
}

// A little-endian 32-bit number as four bytes.
std::string le32(std::uint32_t n) {
  return {static_cast<char>(n), static_cast<char>(n >> 8), static_cast<char>(n >> 16),
          static_cast<char>(n >> 24)};
}

// A wave file: mono, 8 bits, 8000 Hz, with the given chunks before its four bytes of data.
std::string wave(const std::string& chunksBefore) {
  const std::string format = "fmt " + le32(16) + std::string("\1\0\1\0", 4) + le32(8000) +
                             le32(8000) + std::string("\1\0\x08\0", 4);
  const std::string body = "WAVE" + format + chunksBefore + "data" + le32(4) + "abcd";
  return "RIFF" + le32(static_cast<std::uint32_t>(body.size())) + body;
}

TEST(WaveFile, ReadsThePcmFormatPastOtherChunks) {
  // Chunks of odd length are padded to an even one (a user's sound with metadata).
  using Row = std::pair<std::string, bool>;
  for (const auto& [chunks, readable] : {Row{"", true}, Row{"LIST" + le32(3) + "abc" + '\0', true},
                                         Row{"LIST" + le32(3) + "abc", false}}) {
    const WaveFormat f = readPcmWave(wave(chunks)).value_or(WaveFormat{});
    EXPECT_EQ(std::tuple(f.channels, f.sampleRate, f.bitsPerSample, f.dataBytes),
              readable ? std::tuple(1, 8000u, 8, 4u) : std::tuple(0, 0u, 0, 0u))
        << chunks.size();
  }
}

TEST(AlarmConditionText, ReadsOperatorAndThresholdOrRejects) {
  // Below a float's range reads as 0.
  const std::vector<std::tuple<std::string, bool, float>> accepted{
      {"<0.8 V", false, 0.8f}, {"<= 0,8", false, 0.8f},  {"  >=  1.5 V  ", true, 1.5f},
      {"> 1,2,3", true, 1.2f}, {"> 2E3", true, 2000.0f}, {"> 3.4e38", true, 3.4e38f},
      {"> 1e-50", true, 0.0f}};
  for (const auto& [text, above, level] : accepted) {
    const AlarmCondition condition = parseAlarmCondition(text);
    EXPECT_TRUE(condition.valid && condition.alarmAbove == above) << text.substr(0, 20);
    EXPECT_FLOAT_EQ(condition.alarmLevel, level) << text.substr(0, 20);
  }
  for (const std::string& text : std::vector<std::string>{
           "", "> V", "0,8", "8 <", "=< 1", "<> 1", "< < 1", "= 1", "< -5", "> +5", "< ,5",
           "> 3.5e38", "> 1e400", "> 9" + std::string(400, '9')})
    EXPECT_FALSE(parseAlarmCondition(text).valid) << text.substr(0, 20);
}

}  // namespace
}  // namespace kelvor
