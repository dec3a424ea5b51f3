// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/files/TraceFile.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <string>
#include <tuple>
#include <vector>

#include "core/InvalidValue.h"
#include "core/recording/Recording.h"
#include "core/recording/ValueLists.h"
#include "support/TraceStoreFill.h"

namespace kelvor {
namespace {

using testing::fillChannel;
using Samples = std::vector<TraceSample>;
using Pairs = std::vector<std::pair<float, float>>;

TEST(TraceFile, WritesExactBytesUpToTheCount) {
  for (const auto& [separator, samples, expected] :
       std::vector<std::tuple<char, Samples, std::string>>{
           {'.', {{0.812f, 0}, {-3.5f, 2}}, "0.812;0\r\n-3.5;2\r\n\r\n\r\n"},
           {',', {}, "\r\n\r\n"},
           {',',
            {{InvalidValue, 3}, {12345678.0f, 1234.5f}, {0.00001f, 0.0001f}, {-0.0f, 15997}},
            "-1E+33;3\r\n1,234568E+07;1234,5\r\n1E-05;0,0001\r\n0;15997\r\n\r\n\r\n"}}) {
    TraceStore store;
    fillChannel(store, 4, samples);
    store.setSample(4, static_cast<int>(samples.size()) + 1, 9, 9);  // beyond the count
    EXPECT_EQ(writeTraceFile(store, 4, separator), expected);
  }
}

TEST(TraceFile, RoundTripKeepsSevenDigitsAndGapsUnderEitherSeparator) {
  Samples samples{{0.812f, 0},       {InvalidValue, 1}, {FLT_MAX, 0.001f}, {-FLT_MAX, 86400.5f},
                  {FLT_TRUE_MIN, 7}, {FLT_MIN, -2},     {-0.0f, 0}};
  // Powers of ten across the whole float range, with mantissas that need all 7 digits.
  for (int exponent = -45; exponent <= 38; ++exponent) {
    for (const double mantissa : {1.0, 3.402823, -9.999999}) {
      const double value = mantissa * std::pow(10.0, exponent);
      if (std::fabs(value) <= static_cast<double>(FLT_MAX))
        samples.push_back({static_cast<float>(value), static_cast<float>(-value)});
    }
  }
  // Agreement to seven significant digits.
  const auto near = [](float expected, float actual) {
    if (expected == 0.0f) return actual == expected;
    return std::fabs(static_cast<double>(actual) - static_cast<double>(expected)) <=
           std::fabs(static_cast<double>(expected)) * 5e-7 + static_cast<double>(FLT_TRUE_MIN);
  };
  for (const auto& [written, read] :
       std::vector<std::pair<char, char>>{{',', ','}, {'.', '.'}, {',', '.'}, {'.', ','}}) {
    TraceStore store;
    fillChannel(store, 0, samples);
    const TraceFileParse parse = readTraceFile(writeTraceFile(store, 0, written), read);
    ASSERT_TRUE(parse.ok()) << written << read << " line " << parse.problem->line;
    ASSERT_EQ(parse.samples.size(), samples.size());
    for (std::size_t i = 0; i < samples.size(); ++i)
      EXPECT_TRUE(near(samples[i].value, parse.samples[i].value) &&
                  near(samples[i].time, parse.samples[i].time))
          << written << read << " " << samples[i].value << " read as " << parse.samples[i].value;
    EXPECT_EQ(parse.samples[1].value, InvalidValue);  // the plot knows a gap by equality
  }
}

TEST(TraceFile, ReadsBothLayoutsAndSkipsBlankLines) {
  for (const auto& [bytes, separator, expected] :
       std::vector<std::tuple<std::string, std::string, Pairs>>{
           {"0,5 || 1\r\n0,75 || 2", " || ", {{0.5f, 1}, {0.75f, 2}}},
           {"\r\n  \r\n-1E+33 || 5\r\n\r\n", " || ", {{-1e33f, 5}}},
           {" 0,5 ;\t1 \r\n", ";", {{0.5f, 1}}},
           {"1;0\n\n2;1\n", ";", {{1, 0}, {2, 1}}},
           {"1;0\r\r2;1\r", ";", {{1, 0}, {2, 1}}},
           {std::string("\xEF\xBB\xBF") + "1;0\r\n", ";", {{1, 0}}}}) {
    const TraceFileParse parse = readTraceFile(bytes, ',');
    ASSERT_TRUE(parse.ok() && parse.separator == separator) << bytes;
    Pairs read;
    for (const TraceSample& s : parse.samples) read.emplace_back(s.value, s.time);
    EXPECT_EQ(read, expected) << bytes;
  }
}

TEST(TraceFile, MalformedFilesNameTheLineAndTheField) {
  using Kind = TraceFileProblem::Kind;  // then line and field
  for (const auto& [bytes, kind, where] : std::vector<std::tuple<std::string, Kind, std::string>>{
           {"", Kind::EmptyFile, "1 "},
           {"1;0\r\n\r\n\r\n2 1\r\n", Kind::MissingSeparator, "4 "},  // blank lines count
           {"1 || 0\r\n2;1\r\n", Kind::MissingSeparator, "2 "},
           {"1;0\r\n\r\nabc;1\r\n", Kind::NotANumber, "3 abc"},
           {"1,5 V;0\r\n", Kind::NotANumber, "1 1,5 V"},
           {"1;0\r\n1E+39;1\r\n", Kind::OutOfRange, "2 1E+39"},
           // Not finite: the plot's auto-scale and the writer know no such sample.
           {"nan;0\r\n", Kind::NotANumber, "1 nan"},
           {"1;0\r\n-INF;2\r\n", Kind::OutOfRange, "2 -INF"},
           {"1;inf\r\n", Kind::OutOfRange, "1 inf"}}) {
    const TraceFileParse parse = readTraceFile(bytes, ',');
    ASSERT_FALSE(parse.ok()) << bytes;
    EXPECT_TRUE(parse.problem->kind == kind && parse.samples.empty()) << bytes;
    EXPECT_EQ(std::to_string(parse.problem->line) + " " + parse.problem->field, where);
  }
}

TEST(TraceFile, LinesBeyondTheCapacityAreCountedAndChecked) {
  std::string bytes;
  for (int i = 1; i <= TraceStore::LastSlot; ++i)
    bytes += std::to_string(i) + ";" + std::to_string(i - 1) + "\r\n";
  for (const auto& [extra, left] : std::vector<std::pair<std::string, int>>{
           {"", 0}, {"1;0\r\n", 1}, {"1;0\r\n2;0\r\n\r\n", 2}}) {
    const TraceFileParse parse = readTraceFile(bytes + extra, ',');
    ASSERT_TRUE(parse.ok() &&
                parse.samples.size() == static_cast<std::size_t>(TraceStore::LastSlot));
    EXPECT_EQ(std::pair(parse.linesLeftOut, parse.samples.back().value), std::pair(left, 16000.0f));
  }
  const TraceFileParse bad = readTraceFile(bytes + "\r\n1;0\r\nbad;1\r\n", ',');
  EXPECT_TRUE(!bad.ok() && bad.problem->line == TraceStore::LastSlot + 3);
}

TEST(TraceFile, LoadFillsTheChannelKeepsTheRestAndEndsOnlyTheActiveRecording) {
  TraceStore store;
  fillChannel(store, 2, {{1, 0}, {2, 1}, {3, 2}});
  fillChannel(store, 3, {{9, 0}});
  store.setUnit(2, "V");
  applyLoadedTrace(store, 2, {{7, 10}, {8, 20}});
  EXPECT_EQ((std::vector<float>{static_cast<float>(store.count(2)), store.value(2, 1),
                                store.time(2, 2), store.value(2, 3)}),
            (std::vector<float>{2, 7, 20, 3}));  // beyond the count, kept
  EXPECT_EQ(store.unit(2), "") << "a trace file holds no unit";
  applyLoadedTrace(store, 2, Samples(TraceStore::LastSlot, {5, 5}));
  // Right behind the last slot: untouched.
  EXPECT_EQ((std::vector<int>{store.count(2), store.count(3), static_cast<int>(store.value(3, 1))}),
            (std::vector<int>{TraceStore::LastSlot, 1, 9}));
  Recording recording;  // only a load into the active channel ends the recording
  recording.switchChannel(5, {});
  EXPECT_FALSE(loadEndsRecording(recording.state(), 5));
  recording.setActive(true, {});
  EXPECT_TRUE(loadEndsRecording(recording.state(), 5) && !loadEndsRecording(recording.state(), 4));
}

}  // namespace
}  // namespace kelvor
