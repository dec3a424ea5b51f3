// How the simulator answers polls: frame bytes, value sources, four displays and faults.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <ostream>
#include <string>
#include <vector>

#include "MeterSimHarness.h"

namespace kelvor::metersim::test {
namespace {

using namespace std::chrono_literals;

// The number in a frame's value field, or NaN when it holds none.
double valueOf(const std::string& frame) {
  const std::string field = frame.substr(3, 6);
  char* end = nullptr;
  const double value = std::strtod(field.c_str(), &end);
  return end == field.c_str() ? std::nan("") : value;
}

struct FrameCase {
  const char* name;
  std::vector<std::string> arguments;
  std::string expected;
};

void PrintTo(const FrameCase& c, std::ostream* out) {
  *out << c.name;
}

class SingleFrame : public MeterSimTest, public ::testing::WithParamInterface<FrameCase> {};

TEST_P(SingleFrame, AnswersOnePollWithExactBytes) {
  ASSERT_NO_FATAL_FAILURE(start(GetParam().arguments));
  EXPECT_EQ(poll(14), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Frames, SingleFrame,
    ::testing::Values(
        FrameCase{"Defaults", {}, "DC  1.234 V  \r"},
        FrameCase{"Negative", {"--values", "const:-1.234"}, "DC -1.234 V  \r"},
        FrameCase{"ThousandsWithOneDecimal",
                  {"--values", "const:1234.5", "--mode", "AC"},
                  "AC 1234.5 V  \r"},
        FrameCase{"Zero", {"--values", "const:0"}, "DC  0.000 V  \r"},
        FrameCase{"TinyNegativeShowsNoSign", {"--values", "const:-0.0001"}, "DC  0.000 V  \r"},
        FrameCase{"TensWithTwoDecimals", {"--values", "const:12.5"}, "DC  12.50 V  \r"},
        FrameCase{"HundredsWithOneDecimal", {"--values", "const:-999.94"}, "DC -999.9 V  \r"},
        FrameCase{"RoundingIntoNextDecade", {"--values", "const:9.9996"}, "DC  10.00 V  \r"},
        FrameCase{
            "NegativeThousandsDropTheDecimal", {"--values", "const:-12345.6"}, "DC -12346 V  \r"},
        FrameCase{"SixDigits", {"--values", "const:123456"}, "DC 123456 V  \r"},
        FrameCase{"TooLargeIsOverload", {"--values", "const:1234567"}, "DC   OL   V  \r"},
        FrameCase{"OverloadOption", {"--overload", "  OL  "}, "DC   OL   V  \r"},
        FrameCase{"OverloadTextPadded", {"--overload", " O.L"}, "DC  O.L   V  \r"},
        FrameCase{"ModeAndFourLetterUnit",
                  {"--values", "const:12.5", "--mode", "OH", "--unit", "kOhm"},
                  "OH  12.50kOhm\r"},
        FrameCase{"TemperatureMode",
                  {"--values", "const:-40", "--mode", "TE", "--unit", " C"},
                  "TE -40.00 C  \r"},
        FrameCase{"LongUnitCut", {"--unit", "milliV"}, "DC  1.234mill\r"},
        FrameCase{"NoCarriageReturn", {"--no-cr"}, "DC  1.234 V   "}),
    CaseName());

struct SequenceCase {
  const char* name;
  std::vector<std::string> arguments;
  std::vector<std::string> valueFields;  // one per poll, in order
};

void PrintTo(const SequenceCase& c, std::ostream* out) {
  *out << c.name;
}

class ValueSequence : public MeterSimTest, public ::testing::WithParamInterface<SequenceCase> {};

TEST_P(ValueSequence, OneValuePerAnswer) {
  ASSERT_NO_FATAL_FAILURE(start(GetParam().arguments));
  for (const std::string& field : GetParam().valueFields) {
    EXPECT_EQ(poll(14), "DC " + field + " V  \r");
  }
}

INSTANTIATE_TEST_SUITE_P(Sources, ValueSequence,
                         ::testing::Values(SequenceCase{"ConstCycles",
                                                        {"--values", "const:1,2,3"},
                                                        {" 1.000", " 2.000", " 3.000", " 1.000"}},
                                           SequenceCase{"RampSteps",
                                                        {"--values", "ramp:-1,0.5"},
                                                        {"-1.000", "-0.500", " 0.000", " 0.500"}},
                                           SequenceCase{"RampCountsOnlyAnswers",
                                                        {"--values", "ramp:100,25"},
                                                        {" 100.0", " 125.0", " 150.0"}},
                                           SequenceCase{"NoiseWithoutSpreadIsTheMean",
                                                        {"--values", "noise:7,0,5"},
                                                        {" 7.000", " 7.000", " 7.000"}}),
                         CaseName());

// Collects `count` answers of a simulator started with `values`.
std::vector<std::string> answers(const std::string& values, int count) {
  TempDir dir;
  SimProcess sim({"--link", dir.file("COM1"), "--values", values});
  if (!sim.waitReady()) return {};
  ClientPort port(sim.linkPath());
  std::vector<std::string> frames;
  for (int i = 0; i < count; ++i) {
    port.send("D");
    frames.push_back(port.read(14));
  }
  return frames;
}

TEST(MeterSimNoise, SameSeedRepeatsAndValuesScatterAroundTheMean) {
  const std::vector<std::string> first = answers("noise:5,0.1,42", 20);
  ASSERT_EQ(first.size(), 20u);
  EXPECT_EQ(answers("noise:5,0.1,42", 20), first);
  EXPECT_NE(answers("noise:5,0.1,43", 20), first);

  std::vector<double> values;
  for (const std::string& frame : first) values.push_back(valueOf(frame));
  for (const double value : values) EXPECT_NEAR(value, 5.0, 0.6);
  const auto [lowest, highest] = std::minmax_element(values.begin(), values.end());
  EXPECT_GT(*highest - *lowest, 0.01) << "20 draws with sigma 0.1 should not all be equal";
}

TEST_F(MeterSimTest, SineFollowsTimeSinceStart) {
  // A quarter period is one second: the value climbs from the offset to offset + amplitude.
  ASSERT_NO_FATAL_FAILURE(start({"--values", "sine:2,1,4"}));
  std::vector<double> values;
  const Clock::time_point until = Clock::now() + 1200ms;
  while (Clock::now() < until) {
    const std::string frame = poll(14);
    ASSERT_EQ(frame.size(), 14u);
    values.push_back(valueOf(frame));
    port->readFor(100ms);
  }
  ASSERT_GE(values.size(), 5u);
  EXPECT_LT(values.front(), 2.4);
  EXPECT_GT(*std::max_element(values.begin(), values.end()), 2.95);
  for (const double value : values) {
    EXPECT_GE(value, 2.0);
    EXPECT_LE(value, 3.0);
  }
}

struct DisplaysCase {
  const char* name;
  std::vector<std::string> arguments;
  std::size_t size;
  std::string firstFrame;  // empty: random bytes expected
  char terminator;
};

void PrintTo(const DisplaysCase& c, std::ostream* out) {
  *out << c.name;
}

class Displays : public MeterSimTest, public ::testing::WithParamInterface<DisplaysCase> {};

TEST_P(Displays, AnswerHasTheFramesOfTheMeter) {
  const DisplaysCase& c = GetParam();
  ASSERT_NO_FATAL_FAILURE(start(c.arguments));
  const std::string answer = poll(c.size);
  ASSERT_EQ(answer.size(), c.size);
  EXPECT_EQ(port->readFor(150ms), "") << "more than one answer's worth of bytes";

  if (c.firstFrame.empty()) {
    EXPECT_EQ(answer.find('\r'), std::string::npos) << "random bytes must not end a frame";
    return;
  }
  EXPECT_EQ(answer.substr(0, 14), c.firstFrame);
  for (std::size_t at = 0; at < answer.size(); at += 14) {
    const std::string frame = answer.substr(at, 14);
    SCOPED_TRACE(frame);
    EXPECT_EQ(frame[2], ' ');
    EXPECT_EQ(frame[13], c.terminator);
    EXPECT_EQ(frame.find('\r'), c.terminator == '\r' ? 13u : std::string::npos);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Meters, Displays,
    ::testing::Values(DisplaysCase{"Four", {"--meter", "four"}, 56, "DC  1.234 V  \r", '\r'},
                      DisplaysCase{"FourOverload",
                                   {"--meter", "four", "--overload", " O.L", "--mode", "AC"},
                                   56,
                                   "AC  O.L   V  \r",
                                   '\r'},
                      DisplaysCase{"FourWithoutCarriageReturns",
                                   {"--meter", "four", "--no-cr"},
                                   56,
                                   "DC  1.234 V   ",
                                   ' '},
                      DisplaysCase{
                          "FourOnlyFirstFrame",
                          {"--meter", "four", "--only-first-frame", "--values", "const:-2.5"},
                          14,
                          "DC -2.500 V  \r",
                          '\r'},
                      DisplaysCase{"Garbage", {"--garbage"}, 14, "", '\r'},
                      DisplaysCase{"FourGarbage", {"--meter", "four", "--garbage"}, 56, "", '\r'}),
    CaseName());

TEST_F(MeterSimTest, AnswersOnlyThePollByte) {
  ASSERT_NO_FATAL_FAILURE(start({}));
  port->send("xyz\r\n");
  EXPECT_EQ(port->readFor(300ms), "");
  port->send("xDy");
  EXPECT_EQ(port->read(14), "DC  1.234 V  \r");
  EXPECT_EQ(port->readFor(100ms), "");
}

TEST_F(MeterSimTest, SplitAnswerArrivesInTwoPiecesWithAPause) {
  const std::string log = dir.file("log");
  ASSERT_NO_FATAL_FAILURE(start({"--split", "5:600", "--log", log}));
  port->send("D");
  const std::string first = port->read(5);
  const Clock::time_point firstAt = Clock::now();
  port->send("x");
  EXPECT_TRUE(
      waitUntil([&] { return readTextFile(log).find(" rx 0x78 'x'") != std::string::npos; }, 300ms))
      << "nothing was read during the pause";
  EXPECT_EQ(port->read(9, 200ms), "") << "the rest came without the pause";
  const std::string rest = first.size() == 5 ? port->read(9) : "";
  const auto gap = Clock::now() - firstAt;

  EXPECT_EQ(first + rest, "DC  1.234 V  \r");
  EXPECT_GE(gap, 550ms);
  EXPECT_LT(gap, 2000ms);
}

TEST_F(MeterSimTest, DelayedAnswersDoNotHoldUpLaterPolls) {
  const std::string log = dir.file("log");
  ASSERT_NO_FATAL_FAILURE(start({"--delay", "1000", "--values", "const:1,2", "--log", log}));
  auto polls = [&log] { return linesContaining(readTextFile(log), " rx 0x44 'D'").size(); };
  const Clock::time_point sentAt = Clock::now();
  port->send("D");
  ASSERT_TRUE(waitUntil([&] { return polls() == 1; }));
  port->send("D");
  EXPECT_TRUE(waitUntil([&] { return polls() == 2; }, 500ms))
      << "the second poll was not read while the first answer waited";

  EXPECT_EQ(port->read(14), "DC  1.000 V  \r");
  EXPECT_GE(Clock::now() - sentAt, 1000ms);
  EXPECT_EQ(port->read(14), "DC  2.000 V  \r");
}

TEST_F(MeterSimTest, SilentMeterStillLogsThePoll) {
  const std::string log = dir.file("log");
  ASSERT_NO_FATAL_FAILURE(start({"--silent", "--log", log}));
  port->send("D");
  EXPECT_EQ(port->readFor(500ms), "");
  EXPECT_TRUE(
      waitUntil([&] { return readTextFile(log).find(" rx 0x44 'D'") != std::string::npos; }));
}

TEST_F(MeterSimTest, PortCanBeClosedAndOpenedAgain) {
  ASSERT_NO_FATAL_FAILURE(start({"--values", "const:1,2"}));
  EXPECT_EQ(poll(14), "DC  1.000 V  \r");
  port.reset();
  port = std::make_unique<ClientPort>(sim->linkPath());
  ASSERT_TRUE(port->isOpen());
  EXPECT_EQ(poll(14), "DC  2.000 V  \r");
}

}  // namespace
}  // namespace kelvor::metersim::test
