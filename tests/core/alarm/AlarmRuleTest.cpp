#include "core/alarm/AlarmRule.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/acquisition/MeterFrame.h"
#include "core/scope/Recorder.h"
#include "support/FakeClock.h"

namespace kelvor {
namespace {

constexpr LocalSeconds Day = 86400;
// 2026-12-06 14:03:09 local time.
constexpr LocalSeconds Afternoon = 20793 * Day + 14 * 3600 + 3 * 60 + 9;

class CountingSound : public AlarmSound {
 public:
  void beeps(int n) override {
    ++calls;
    lastArgument = n;
  }
  int calls = 0;
  int lastArgument = 0;
};

TEST(AlarmRule, ComparesStrictlyAndIgnoresZero) {
  struct Case {
    const char* condition;
    float value;
    bool alarm;
  };
  const std::vector<Case> cases = {
      {"< 0,8", 0.79f, true},
      {"< 0,8", 0.8f, false},
      {"< 0,8", 0.0f, false},
      {"< 0,8", -0.0f, false},
      {"< 0,8", 0.81f, false},
      {"< 0,8", -3.0f, true},
      {"<= 0,8", 0.8f, false},
      {"<= 0,8", 0.79f, true},
      {"> 0,8", 0.81f, true},
      {"> 0,8", 0.8f, false},
      {"> 0,8", 0.0f, false},
      {"> 0,8", -5.0f, false},
      {">= 5", 5.0f, false},
      {">= 5", 5.001f, true},
      {"> 5", 5.001f, true},
      {"< 0", -0.5f, true},
      {"< 0", 0.0f, false},
      {"> 0", 1e-6f, true},
      {"> 0", 0.0f, false},
      {"< 1", 1e-30f, true},
      {"> 1000", 1234.5f, true},
      // The marker of a reading without a number is no reading far below the threshold.
      {"< 0,8", InvalidValue, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.condition) + " with " + std::to_string(c.value));
    const AlarmCondition condition = GetAlarm(c.condition);
    ASSERT_TRUE(condition.valid);
    const AlarmOutcome outcome = alarmOutcome(condition.AlarmAbove, condition.AlarmLevel, true,
                                              c.value, Afternoon, 0, Recorder::NoTime);
    EXPECT_EQ(outcome.beep, c.alarm);
    EXPECT_EQ(outcome.alarmTime, c.alarm ? "14:03:09" : Recorder::NoTime);
  }
}

TEST(AlarmRule, SwitchedOffNeverAlarms) {
  for (float value : {0.1f, 0.79f, -3.0f}) {
    SCOPED_TRACE(value);
    const AlarmOutcome outcome =
        alarmOutcome(false, 0.8f, false, value, Afternoon, 0, Recorder::NoTime);
    EXPECT_FALSE(outcome.beep);
    EXPECT_EQ(outcome.alarmTime, Recorder::NoTime);
  }
}

TEST(AlarmRule, ShowsTheFirstAlarmTime) {
  struct Case {
    const char* what;
    LocalSeconds start;
    LocalSeconds now;
    std::string shown;
    std::string expected;
  };
  const std::vector<Case> cases = {
      {"recording: running time", Afternoon, Afternoon + 5 * 60 + 17, Recorder::NoTime, "00:05:17"},
      {"recording longer than a day", Afternoon, Afternoon + Day + 3600, Recorder::NoTime,
       "01:00:00"},
      {"no start set: time of day", 0, Afternoon, Recorder::NoTime, "14:03:09"},
      {"an earlier alarm stays", Afternoon, Afternoon + 600, "00:05:17", "00:05:17"},
      {"any text but the empty marker stays", 0, Afternoon, "22:22:22", "22:22:22"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const AlarmOutcome outcome = alarmOutcome(false, 0.8f, true, 0.5f, c.now, c.start, c.shown);
    EXPECT_TRUE(outcome.beep);
    EXPECT_EQ(outcome.alarmTime, c.expected);
  }
}

TEST(AlarmRule, InvalidConditionKeepsTheLastThreshold) {
  CountingSound sound;
  AlarmRule rule(sound);
  EXPECT_EQ(rule.AlarmLevel(), 0.0f);
  EXPECT_FALSE(rule.AlarmAbove());

  EXPECT_TRUE(rule.apply(GetAlarm("> 2,5")));
  EXPECT_TRUE(rule.AlarmAbove());
  EXPECT_FLOAT_EQ(rule.AlarmLevel(), 2.5f);

  for (const char* text : {"", "abc", "< -1", "> 1e300", "0,8"}) {
    SCOPED_TRACE(text);
    EXPECT_FALSE(rule.apply(GetAlarm(text)));
    EXPECT_TRUE(rule.AlarmAbove());
    EXPECT_FLOAT_EQ(rule.AlarmLevel(), 2.5f);
  }

  EXPECT_TRUE(rule.apply(GetAlarm("< 0,9")));
  EXPECT_FALSE(rule.AlarmAbove());
  EXPECT_FLOAT_EQ(rule.AlarmLevel(), 0.9f);
}

// A recording with the alarm on: every alarm reading sounds, the first one sets the time.
TEST(AlarmRule, BeepsForEveryAlarmReadingAndKeepsTheFirstTime) {
  struct Step {
    float value;
    int beepsSoFar;
    std::string shown;
  };
  CountingSound sound;
  AlarmRule rule(sound);
  ASSERT_TRUE(rule.apply(GetAlarm("< 0,8")));
  testing::FakeClock clock(Afternoon);
  const LocalSeconds start = clock.now();
  std::string shown = Recorder::NoTime;

  const std::vector<Step> steps = {
      {0.9f, 0, Recorder::NoTime}, {0.8f, 0, Recorder::NoTime}, {0.0f, 0, Recorder::NoTime},
      {0.5f, 1, "00:05:17"},       {0.4f, 2, "00:05:17"},       {0.9f, 2, "00:05:17"},
      {0.7f, 3, "00:05:17"},
  };
  clock.advance(5 * 60 + 14);
  for (std::size_t i = 0; i < steps.size(); ++i) {
    SCOPED_TRACE("reading " + std::to_string(i));
    shown = rule.testAlarm(true, steps[i].value, clock.now(), start, shown);
    EXPECT_EQ(sound.calls, steps[i].beepsSoFar);
    EXPECT_EQ(shown, steps[i].shown);
    clock.advance(1);
  }
  EXPECT_EQ(sound.lastArgument, 1);

  // Switched off: nothing sounds.
  shown = rule.testAlarm(false, 0.5f, clock.now(), start, shown);
  EXPECT_EQ(sound.calls, 3);
  EXPECT_EQ(shown, "00:05:17");
}

}  // namespace
}  // namespace kelvor
