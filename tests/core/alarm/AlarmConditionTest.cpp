#include "core/alarm/AlarmCondition.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kelvor {
namespace {

TEST(GetAlarm, ReadsOperatorAndThreshold) {
  struct Case {
    std::string text;
    bool above;
    float level;
  };
  const std::vector<Case> cases = {
      {"< 0,8", false, 0.8f},
      {"< 0.8", false, 0.8f},
      {"<0,8", false, 0.8f},
      {"< 0,8 V", false, 0.8f},
      // "<=" and ">=" are accepted but compare strictly like "<" and ">".
      {"<= 0,8", false, 0.8f},
      {">= 5", true, 5.0f},
      {"> 5", true, 5.0f},
      {"  >  1.5 V  ", true, 1.5f},
      {"> 1,2,3", true, 1.2f},
      {"> 007", true, 7.0f},
      {"< 0", false, 0.0f},
      {"> 2E3", true, 2000.0f},
      {"> 5e", true, 5.0f},
      {"> 1.5 E3", true, 1.5f},
      // Within the float range, however close to its end.
      {"> 3.4e38", true, 3.4e38f},
      // Too small for a float: the threshold becomes 0.
      {"> 1e-50", true, 0.0f},
      // The number is read from its first 255 characters: "2." and 250 zeros and "e-1"
      // fit, with 252 zeros the exponent is cut off.
      {"> 2." + std::string(250, '0') + "e-1", true, 0.2f},
      {"> 2." + std::string(252, '0') + "e-1", true, 2.0f},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE('"' + c.text + '"');
    const AlarmCondition condition = GetAlarm(c.text);
    EXPECT_TRUE(condition.valid);
    EXPECT_EQ(condition.AlarmAbove, c.above);
    EXPECT_FLOAT_EQ(condition.AlarmLevel, c.level);
  }
}

TEST(GetAlarm, RejectsUnusableConditions) {
  const std::vector<std::string> texts = {
      "",
      "   ",
      "abc",
      "<",
      "> V",
      "0,8",   // no operator
      "8 <",   // operator after the number
      "=< 1",  // not an operator we know
      "=> 1",
      "<> 1",
      "< < 1",
      "= 1",
      "> x 1",
      "< -5",  // thresholds are never negative: the sign is operator text
      "> +5",
      "< ,5",  // the number must start with a digit
      "< .5",
      "\xE2\x89\xA4 5",  // a typographic less-or-equal sign
      "> 1e300",         // does not fit a float
      "> 3.5e38",
      "> 1e400",  // does not even fit a double
      "> 9" + std::string(400, '9'),
  };
  for (const std::string& text : texts) {
    SCOPED_TRACE('"' + text.substr(0, 40) + '"');
    EXPECT_FALSE(GetAlarm(text).valid);
  }
}

}  // namespace
}  // namespace kelvor
