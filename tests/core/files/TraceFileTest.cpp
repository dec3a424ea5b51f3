#include "core/files/TraceFile.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "core/acquisition/MeterFrame.h"
#include "core/scope/ValueLists.h"

namespace kelvor {
namespace {

void fill(TraceStore& store, int channel, const std::vector<TraceSample>& samples) {
  for (std::size_t i = 0; i < samples.size(); ++i)
    store.setSample(channel, static_cast<int>(i) + 1, samples[i].value, samples[i].time);
  store.setCount(channel, static_cast<int>(samples.size()));
}

// Two floats agree to seven significant digits.
void expectSevenDigits(float expected, float actual) {
  if (std::isnan(expected)) {
    EXPECT_TRUE(std::isnan(actual));
    return;
  }
  if (std::isinf(expected) || expected == 0.0f) {
    EXPECT_EQ(expected, actual);
    return;
  }
  const double e = static_cast<double>(expected);
  const double tolerance = std::fabs(e) * 5e-7 + static_cast<double>(FLT_TRUE_MIN);
  EXPECT_NEAR(static_cast<double>(actual), e, tolerance);
}

TEST(TraceFileWrite, ExactBytesUnderBothSeparators) {
  struct Case {
    char separator;
    std::vector<TraceSample> samples;
    std::string expected;
  };
  const std::vector<TraceSample> example = {{0.812f, 0}, {0.815f, 1}, {-3.5f, 2}};
  const std::vector<TraceSample> wide = {{InvalidValue, 3},   {12345678.0f, 1234.5f},
                                         {0.00001f, 0.0001f}, {-0.0f, 15997},
                                         {1e-33f, 86400},     {2.5e20f, 0.5f}};
  const std::vector<Case> cases = {
      {',', example, "0,812;0\r\n0,815;1\r\n-3,5;2\r\n\r\n\r\n"},
      {'.', example, "0.812;0\r\n0.815;1\r\n-3.5;2\r\n\r\n\r\n"},
      {',', {}, "\r\n\r\n"},
      {'.', {}, "\r\n\r\n"},
      {',', wide,
       "-1E+33;3\r\n1,234568E+07;1234,5\r\n1E-05;0,0001\r\n0;15997\r\n1E-33;86400\r\n"
       "2,5E+20;0,5\r\n\r\n\r\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string("separator ") + c.separator + ", samples " +
                 std::to_string(c.samples.size()));
    TraceStore store;
    fill(store, 4, c.samples);
    EXPECT_EQ(writeTraceFile(store, 4, c.separator), c.expected);
  }
}

TEST(TraceFileWrite, WritesOnlyUpToTheCount) {
  TraceStore store;
  fill(store, 2, {{1, 0}, {2, 1}, {3, 2}});
  store.setCount(2, 1);  // the stale slots 2 and 3 lie beyond the count
  EXPECT_EQ(writeTraceFile(store, 2, '.'), "1;0\r\n\r\n\r\n");
  EXPECT_EQ(writeTraceFile(store, 3, '.'), "\r\n\r\n");
}

TEST(TraceFileRead, EmptyChannelFileLoadsAsCountZero) {
  TraceStore store;
  fill(store, 1, {{5, 0}, {6, 1}});
  const TraceFileParse parse = readTraceFile(writeTraceFile(TraceStore{}, 0, ','), ',');
  ASSERT_TRUE(parse.ok());
  EXPECT_TRUE(parse.samples.empty());
  applyLoadedTrace(store, 1, parse.samples);
  EXPECT_EQ(store.count(1), 0);
}

TEST(TraceFileRead, RoundTripKeepsSevenDigitsAndGaps) {
  const std::vector<TraceSample> samples = {
      {0.812f, 0},
      {InvalidValue, 1},
      {-3.5f, 2},
      {1.2345678f, 3},
      {123456.78f, 4.25f},
      {InvalidValue, 5},
      {0.000123456f, 6},
      {-98765.43f, 1234567},
      {1e-20f, 12345678},
      {FLT_MAX, 0.001f},
      {-FLT_MAX, 86400.5f},
      {FLT_TRUE_MIN, 7},
      {FLT_MIN, -2},
      {3.0e38f, 3.0e-38f},
      {0.1f, 0.3f},
      {-0.0f, 0},
      {std::numeric_limits<float>::infinity(), 1},
      {-std::numeric_limits<float>::infinity(), 2},
      {std::numeric_limits<float>::quiet_NaN(), 3},
  };
  struct Case {
    char written;
    char read;
  };
  for (const Case& c : std::vector<Case>{{',', ','}, {'.', '.'}, {',', '.'}, {'.', ','}}) {
    SCOPED_TRACE(std::string("written with ") + c.written + ", read with " + c.read);
    TraceStore store;
    fill(store, 0, samples);
    const TraceFileParse parse = readTraceFile(writeTraceFile(store, 0, c.written), c.read);
    ASSERT_TRUE(parse.ok()) << "line " << parse.problem->line << " " << parse.problem->field;
    EXPECT_EQ(parse.separator, ";");
    ASSERT_EQ(parse.samples.size(), samples.size());
    applyLoadedTrace(store, 5, parse.samples);
    ASSERT_EQ(store.count(5), static_cast<int>(samples.size()));
    for (std::size_t i = 0; i < samples.size(); ++i) {
      SCOPED_TRACE("sample " + std::to_string(i + 1));
      const int slot = static_cast<int>(i) + 1;
      expectSevenDigits(samples[i].value, store.value(5, slot));
      expectSevenDigits(samples[i].time, store.time(5, slot));
    }
    // The plot recognises a gap by exact equality.
    EXPECT_EQ(store.value(5, 2), InvalidValue);
    EXPECT_EQ(store.value(5, 6), InvalidValue);
  }
}

TEST(TraceFileRead, EveryWrittenMagnitudeReadsBack) {
  // Powers of ten across the whole float range, with a mantissa that needs all 7 digits.
  TraceStore store;
  std::vector<TraceSample> samples;
  for (int exponent = -45; exponent <= 38; ++exponent) {
    for (const double mantissa : {1.0, 3.402823, -9.999999, 1.5}) {
      const double value = mantissa * std::pow(10.0, exponent);
      if (std::fabs(value) > static_cast<double>(FLT_MAX)) continue;
      samples.push_back({static_cast<float>(value), static_cast<float>(-value)});
    }
  }
  fill(store, 3, samples);
  for (const char separator : {',', '.'}) {
    SCOPED_TRACE(std::string("separator ") + separator);
    const TraceFileParse parse = readTraceFile(writeTraceFile(store, 3, separator), separator);
    ASSERT_TRUE(parse.ok()) << "line " << parse.problem->line << " " << parse.problem->field;
    ASSERT_EQ(parse.samples.size(), samples.size());
    for (std::size_t i = 0; i < samples.size(); ++i) {
      SCOPED_TRACE(samples[i].value);
      expectSevenDigits(samples[i].value, parse.samples[i].value);
      expectSevenDigits(samples[i].time, parse.samples[i].time);
    }
  }
}

struct LayoutCase {
  const char* name;
  std::string bytes;
  std::string separator;
  std::vector<TraceSample> expected;
};

void expectLayouts(const std::vector<LayoutCase>& cases) {
  for (const LayoutCase& c : cases) {
    SCOPED_TRACE(c.name);
    const TraceFileParse parse = readTraceFile(c.bytes, ',');
    ASSERT_TRUE(parse.ok()) << "line " << parse.problem->line;
    EXPECT_EQ(parse.separator, c.separator);
    EXPECT_EQ(parse.linesLeftOut, 0);
    ASSERT_EQ(parse.samples.size(), c.expected.size());
    for (std::size_t i = 0; i < c.expected.size(); ++i) {
      SCOPED_TRACE(i);
      EXPECT_EQ(parse.samples[i].value, c.expected[i].value);
      EXPECT_EQ(parse.samples[i].time, c.expected[i].time);
    }
  }
}

TEST(TraceFileRead, BarSeparatedFiles) {
  expectLayouts({
      {"bars", "0,5 || 1\r\n0,75 || 2\r\n", " || ", {{0.5f, 1}, {0.75f, 2}}},
      {"bars without line end at the end", "1 || 2", " || ", {{1, 2}}},
      {"every line split at bars", "1 || 2\r\n\r\n3 || 4\r\n\r\n\r\n", " || ", {{1, 2}, {3, 4}}},
      {"bars found on the first non-blank line",
       "\r\n  \r\n-1E+33 || 5\r\n",
       " || ",
       {{InvalidValue, 5}}},
      {"semicolons", "0,5;1\r\n0,75;2\r\n", ";", {{0.5f, 1}, {0.75f, 2}}},
      {"blanks around the fields", " 0,5 ;\t1 \r\n", ";", {{0.5f, 1}}},
  });
}

TEST(TraceFileRead, BlankLinesAreSkippedWhateverTheLineEnds) {
  expectLayouts({
      {"blank lines in the middle",
       "1;0\r\n\r\n\r\n2;1\r\n   \r\n3;2\r\n\r\n\r\n",
       ";",
       {{1, 0}, {2, 1}, {3, 2}}},
      {"blank lines first", "\r\n\r\n1;0\r\n", ";", {{1, 0}}},
      {"line feeds only", "1;0\n\n2;1\n", ";", {{1, 0}, {2, 1}}},
      {"carriage returns only", "1;0\r\r2;1\r", ";", {{1, 0}, {2, 1}}},
      {"only blank lines", "\r\n\r\n", ";", {}},
      {"byte order mark",
       "\xEF\xBB\xBF"
       "1;0\r\n",
       ";",
       {{1, 0}}},
  });
}

TEST(TraceFileRead, MalformedFilesNameTheLine) {
  using Kind = TraceFileProblem::Kind;
  struct Case {
    const char* name;
    std::string bytes;
    Kind kind;
    int line;
    std::string field;
  };
  const std::vector<Case> cases = {
      {"zero bytes", "", Kind::EmptyFile, 1, ""},
      {"line without separator", "1;0\r\n2\r\n3;2\r\n", Kind::MissingSeparator, 2, ""},
      {"blank lines count as lines", "1;0\r\n\r\n\r\n2 1\r\n", Kind::MissingSeparator, 4, ""},
      {"semicolon line in a bar file", "1 || 0\r\n2;1\r\n", Kind::MissingSeparator, 2, ""},
      {"bars in a semicolon file", "1;0\r\n2 || 1\r\n", Kind::MissingSeparator, 2, ""},
      {"value not a number", "1;0\r\n\r\nabc;1\r\n", Kind::NotANumber, 3, "abc"},
      {"time not a number", "1;0\r\n2;x\r\n", Kind::NotANumber, 2, "x"},
      {"empty value", ";0\r\n", Kind::NotANumber, 1, ""},
      {"empty time", "1;\r\n", Kind::NotANumber, 1, ""},
      {"third field", "1;0;5\r\n", Kind::NotANumber, 1, "0;5"},
      {"digit grouping", "1.234,5;0\r\n", Kind::NotANumber, 1, "1.234,5"},
      {"unit after the number", "1,5 V;0\r\n", Kind::NotANumber, 1, "1,5 V"},
      {"exponent without digits", "1E;0\r\n", Kind::NotANumber, 1, "1E"},
      {"blank inside the number", "1 000;0\r\n", Kind::NotANumber, 1, "1 000"},
      {"hexadecimal", "0x10;0\r\n", Kind::NotANumber, 1, "0x10"},
      {"value beyond a float", "1;0\r\n1E+39;1\r\n", Kind::OutOfRange, 2, "1E+39"},
      {"time beyond a double", "1;1e400\r\n", Kind::OutOfRange, 1, "1e400"},
      {"overlong field is cut", std::string(60, '9') + "x;0", Kind::NotANumber, 1,
       std::string(40, '9')},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const TraceFileParse parse = readTraceFile(c.bytes, ',');
    ASSERT_FALSE(parse.ok());
    EXPECT_EQ(parse.problem->kind, c.kind);
    EXPECT_EQ(parse.problem->line, c.line);
    EXPECT_EQ(parse.problem->field, c.field);
    EXPECT_TRUE(parse.samples.empty());
  }
}

TEST(TraceFileRead, NumbersUnderEitherSeparator) {
  struct Case {
    const char* text;
    float expected;
  };
  const std::vector<Case> accepted = {
      {"0,812", 0.812f},
      {"0.812", 0.812f},
      {" -3,5 ", -3.5f},
      {"+2", 2.0f},
      {",5", 0.5f},
      {"5.", 5.0f},
      {"1E+33", 1e33f},
      {"1e-5", 1e-5f},
      {"-1E+33", InvalidValue},
      {"1,5E3", 1500.0f},
      {"007", 7.0f},
      {"1e-50", 0.0f},
      {"-0", -0.0f},
      {"INF", std::numeric_limits<float>::infinity()},
      {"-INF", -std::numeric_limits<float>::infinity()},
  };
  for (const char separator : {',', '.'}) {
    for (const Case& c : accepted) {
      SCOPED_TRACE(std::string(c.text) + " under " + separator);
      const std::optional<float> read = readTraceNumber(c.text, separator);
      ASSERT_TRUE(read.has_value());
      EXPECT_EQ(*read, c.expected);
    }
    EXPECT_TRUE(std::isnan(readTraceNumber("NAN", separator).value_or(0.0f)));
    for (const char* text : {"", " ", "-", ".", ",", "E5", "1E", "1E+", "1.2.3", "1,2,3", "1.234,5",
                             "abc", "1 000", "--1", "1-", "INFINITY", "1;2"}) {
      SCOPED_TRACE(std::string("\"") + text + "\" under " + separator);
      bool outOfRange = true;
      EXPECT_FALSE(readTraceNumber(text, separator, &outOfRange).has_value());
      EXPECT_FALSE(outOfRange);
    }
  }
}

std::string numberedLines(int count) {
  std::string bytes;
  for (int i = 1; i <= count; ++i)
    bytes += std::to_string(i) + ";" + std::to_string(i - 1) + "\r\n";
  return bytes + "\r\n\r\n";
}

TEST(TraceFileRead, MoreLinesThanTheChannelHoldsLoadsTheFirstOnes) {
  const TraceFileParse parse = readTraceFile(numberedLines(TraceStore::LastSlot + 1), ',');
  ASSERT_TRUE(parse.ok());
  ASSERT_EQ(parse.samples.size(), static_cast<std::size_t>(TraceStore::LastSlot));
  EXPECT_EQ(parse.linesLeftOut, 1);
  EXPECT_EQ(parse.samples.back().value, 16000.0f);

  TraceStore store;
  fill(store, 1, {{-7, 0}});
  applyLoadedTrace(store, 0, parse.samples);
  EXPECT_EQ(store.count(0), TraceStore::LastSlot);
  EXPECT_EQ(store.value(0, TraceStore::LastSlot), 16000.0f);
  EXPECT_EQ(store.time(0, TraceStore::LastSlot), 15999.0f);
  // The next channel's first slot lies right behind the last one: untouched.
  EXPECT_EQ(store.value(1, 1), -7.0f);

  const TraceFileParse exact = readTraceFile(numberedLines(TraceStore::LastSlot), ',');
  EXPECT_EQ(exact.linesLeftOut, 0);
  EXPECT_EQ(readTraceFile(numberedLines(TraceStore::LastSlot + 250), ',').linesLeftOut, 250);
}

TEST(TraceFileRead, LinesBeyondTheCapacityAreStillChecked) {
  const std::string bytes = numberedLines(TraceStore::LastSlot) + "1;0\r\nbad;1\r\n";
  const TraceFileParse parse = readTraceFile(bytes, ',');
  ASSERT_FALSE(parse.ok());
  EXPECT_EQ(parse.problem->line, TraceStore::LastSlot + 2 + 2);
}

TEST(TraceFileLoad, FillsTheChannelAndKeepsEverythingElse) {
  TraceStore store;
  fill(store, 2, {{1, 0}, {2, 1}, {3, 2}, {4, 3}});
  fill(store, 3, {{9, 0}});
  applyLoadedTrace(store, 2, {{7, 10}, {8, 20}});
  EXPECT_EQ(store.count(2), 2);
  EXPECT_EQ(store.value(2, 1), 7.0f);
  EXPECT_EQ(store.time(2, 2), 20.0f);
  EXPECT_EQ(store.value(2, 3), 3.0f);  // beyond the count, kept
  EXPECT_EQ(store.count(3), 1);
  EXPECT_EQ(store.value(3, 1), 9.0f);
}

TEST(TraceFileLoad, EndsTheRecordingOnlyForTheActiveChannel) {
  struct Case {
    bool activeChecked;
    int activeChannel;
    int target;
    bool ends;
  };
  const std::vector<Case> cases = {
      {true, 0, 0, true},  {true, 3, 3, true},   {true, 5, 5, true},   {true, 0, 1, false},
      {true, 4, 2, false}, {false, 2, 2, false}, {false, 0, 1, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("active " + std::to_string(c.activeChannel) + " target " +
                 std::to_string(c.target) + (c.activeChecked ? " drawing" : " idle"));
    RecordingState state;
    state.ActiveChannel = c.activeChannel;
    state.ActiveColor = ValueLists::ChannelColors[static_cast<std::size_t>(c.activeChannel)];
    EXPECT_EQ(loadEndsRecording(state, c.activeChecked, c.target), c.ends);
  }
}

}  // namespace
}  // namespace kelvor
