#include "core/journal/JournalFormat.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>
#include <string>
#include <tuple>

namespace kelvor {
namespace {

// 2026-12-06 13:03:07.120 UTC, 14:03:07.120 local (UTC+1).
constexpr WallTime Start{1796562187120, 3600};

std::string sample(const std::string& name) {
  std::ifstream file(std::string(KELVOR_TEST_DATA) + "/" + name, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

// The same readings under both interface languages: answer, decoded value, time after start.
const std::tuple<std::string, float, std::int64_t> Readings[] = {
    {"DC  1.234 V  \r", 1.234f, 0},
    {"DC -0.001 kV \r", -0.001f, 999},
    {"OH 123456 Ohm\r", 123456.f, 1000},
    {"AC  O.L  V,  \r", InvalidValue, 61001},        // "," in a field: quoted in English
    {"gar\x01\"bage\\\r", InvalidValue, 86400000}};  // quotes doubled, bytes escaped

TEST(JournalFormat, GermanAndEnglishRowsAreWrittenAndReadBack) {
  std::string journals[2] = {journalHeader(journalStyleFor(',')),
                             journalHeader(journalStyleFor('.'))};
  for (const auto& [answer, value, afterMs] : Readings) {
    DecodedFrame decoded;
    decoded.value = value;
    JournalRow row = journalRowOf(answer, decoded);
    row.time = {Start.utcMs + afterMs, Start.offsetSeconds};
    row.elapsedMs = afterMs;
    row.channel = 2;
    journals[0] += journalLine(row, journalStyleFor(','));
    journals[1] += journalLine(row, journalStyleFor('.'));
  }
  EXPECT_EQ(journalFileName(Start, 12), "2026-12-06_14-03-07_COM12.csv");
  // In full, byte for byte: the samples that the spreadsheet test opens.
  EXPECT_EQ(journals[0], sample("journal-german.csv"));
  EXPECT_EQ(journals[1], sample("journal-english.csv"));

  for (const std::string& journal : journals) {
    const ParsedJournal parsed = parseJournal(journal);
    ASSERT_EQ(parsed.badLine, 0);
    ASSERT_EQ(parsed.rows.size(), std::size(Readings));
    for (std::size_t i = 0; i < parsed.rows.size(); ++i) {
      const JournalRow& row = parsed.rows[i];
      EXPECT_EQ(std::tuple(row.elapsedMs, row.channel, row.value),
                std::tuple(std::get<2>(Readings[i]), 2, std::get<1>(Readings[i])));
    }
    EXPECT_EQ(std::tuple(parsed.rows[3].status, parsed.rows[3].unit, parsed.rows[4].status),
              std::tuple(ReadingStatus::Overload, "V,", ReadingStatus::Invalid));
  }
}

// Whatever bytes a frame holds, its row is one line of printable text that reads back equal.
TEST(JournalFormat, AnyFrameIsOneLineOfPrintableTextAndReadsBackEqual) {
  using namespace std::string_literals;
  for (const std::string& answer :
       {"DC  3.000 V\n \r"s, "DC  3.000 \xB5V \r"s, "\0C  1.000 V\0 \r"s, "\\x  1.000 \\x41\r"s,
        "AC  2.000 \"V\";\r"s, " \r V \r \r \r  \r\r"s}) {
    SCOPED_TRACE(answer);
    std::string decoded = answer;
    const JournalRow row = journalRowOf(answer, decodeFrame(decoded, '.'));
    for (const char separator : {',', '.'}) {
      const std::string line = journalLine(row, journalStyleFor(separator));
      EXPECT_EQ(line.find_first_of("\r\n"), line.size() - 2);
      EXPECT_TRUE(
          std::all_of(line.begin(), line.end() - 2, [](char c) { return c >= ' ' && c <= '~'; }));
      const ParsedJournal parsed = parseJournal(journalHeader(journalStyleFor(separator)) + line);
      ASSERT_EQ(parsed.rows.size(), 1u);
      const JournalRow& back = parsed.rows[0];
      EXPECT_EQ(std::tie(back.value, back.unit, back.mode, back.status, back.raw),
                std::tie(row.value, row.unit, row.mode, row.status, row.raw));
    }
  }
}

TEST(JournalFormat, AMalformedJournalNamesItsFirstWrongLine) {
  const std::string header = "time,utc,elapsed_s,channel,value,unit,mode,status,raw\r\n";
  const std::string row = "t,u,1.000,1,2.5,V,DC,ok,\"DC  2.500 V  \"\r\n";
  const std::pair<std::string, int> cases[] = {
      {"", 1},
      {"time;utc\r\n", 1},
      {header + row + "t,u,1,000,1,2.5,V,DC,ok,r\r\n", 3},     // German decimal under English
      {header + row + "t,u,1.000,7,2.5,V,DC,ok,r\r\n", 3},     // no such channel
      {header + row + "t,u,1.000,1,x,V,DC,invalid,r\r\n", 3},  // a value that is no number
      {header + "t,u,1.000,1,2.5,V,DC,invalid,r\r\n", 2},      // a value with a bad status
      {header + "t,u,1.000,1,,V,DC,ok,r\r\n", 2},              // ok without a value
      {header + "t,u,1.000,1,,V,DC,fine,r\r\n", 2},
      {header + "t,u,1.000,1,,V,DC,invalid,\"r\r\n", 2},  // an open quote
      {header + "t,u,1.000,1,,V,DC,invalid,\"r\"x\r\n", 2},
      {header + row + row + "t,u\n", 4},
  };
  for (const auto& [text, line] : cases) {
    SCOPED_TRACE(text);
    const ParsedJournal parsed = parseJournal(text);
    EXPECT_EQ(parsed.badLine, line);
    EXPECT_TRUE(parsed.rows.empty());
  }
  EXPECT_EQ(parseJournal(header + row + row).rows.size(), 2u);
  // Milliseconds in "time" (earlier versions) and a wall clock set back load and recover:
  // the durations are in elapsed_s.
  const std::string earlier =
      header + "2026-12-06 14:03:07.120,2026-12-06T13:03:07.120Z,0.000,1,2.5,V,DC,ok,r\r\n" +
      "2026-12-06 14:02:38.121,2026-12-06T13:02:38.121Z,1.001,1,2.5,V,DC,ok,r\r\n";
  const ParsedJournal recovered = parseUnfinishedJournal(earlier + "2026-12-06 14:02:39");
  ASSERT_EQ(recovered.rows.size(), 2u);
  EXPECT_EQ(recovered.rows[1].elapsedMs, 1001);
}

}  // namespace
}  // namespace kelvor
