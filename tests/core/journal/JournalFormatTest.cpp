// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/InvalidValue.h"
#include "core/journal/JournalFormat.h"
#include "core/journal/JournalStream.h"
#include "core/journal/JournalTraces.h"
#include "core/journal/ShownRows.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "support/TraceStoreFill.h"

namespace kelvor {
namespace {

// 2026-12-06 13:03:07.120 UTC, 14:03:07.120 local (UTC+1).
constexpr WallTime Start{1796562187120, 3600};

const std::string SemicolonHeader = "time;utc;elapsed_s;channel;value;unit;mode;status;raw\r\n";

// The rows with "t;u;" or "t,u," for their times, at Start.
std::string timed(std::string text) {
  for (const char* field : {";", ","}) {
    const std::string times =
        std::string("2026-12-06 14:03:07") + field + "2026-12-06T13:03:07.120Z";
    for (std::size_t at;
         (at = text.find(std::string("t") + field + "u" + field)) != std::string::npos;)
      text.replace(at, 3, times);
  }
  return text;
}

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
    std::string frame = answer;
    const DecodedFrame decoded = decodeFrame(frame, '.');
    EXPECT_EQ(decoded.value, value) << answer;
    JournalRow row = journalRowOf(answer, decoded);
    row.time = {Start.utcMs + afterMs, Start.offsetSeconds};
    row.elapsedMs = afterMs;
    row.channel = 2;
    journals[0] += journalLine(row, journalStyleFor(','));
    journals[1] += journalLine(row, journalStyleFor('.'));
  }
  EXPECT_EQ(journalFileName(Start, "COM12"), "2026-12-06_14-03-07_COM12.csv");
  // In full, byte for byte: the samples that the spreadsheet test opens.
  EXPECT_EQ(journals[0], sample("journal-german.csv"));
  EXPECT_EQ(journals[1], sample("journal-english.csv"));

  for (const std::string& journal : journals) {
    EXPECT_TRUE(looksLikeJournal(journal));
    const ParsedJournal parsed = parseJournal(journal);
    ASSERT_TRUE(parsed.badLine == 0 && parsed.rows.size() == std::size(Readings));
    // Written again as the review saves what it shows: the same bytes, times included.
    ShownRows again(0, 1e9);
    for (const JournalRow& row : parsed.rows) again.take(row);
    EXPECT_EQ(again.text(journalStyleFor(journal[4] == ';' ? ',' : '.')), journal);
    for (std::size_t i = 0; i < parsed.rows.size(); ++i) {
      const JournalRow& row = parsed.rows[i];
      EXPECT_EQ(std::tuple(row.elapsedMs, row.channel, row.value),
                std::tuple(std::get<2>(Readings[i]), 2, std::get<1>(Readings[i])));
    }
    EXPECT_EQ(std::tuple(parsed.rows[3].status, parsed.rows[3].unit, parsed.rows[4].status),
              std::tuple(ReadingStatus::Overload, "V,", ReadingStatus::Invalid));
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
      {header + "2026-12-06 14:03:07,2026-12-06T13:03:07.120,1.000,1,,V,DC,invalid,r\r\n", 2},
      {header + "2026-04-31 14:03:07,2026-04-31T13:03:07.120Z,1.000,1,,V,DC,invalid,r\r\n", 2},
      {header + "2026-12-06 14:03,2026-12-06T13:03:07.120Z,1.000,1,,V,DC,invalid,r\r\n", 2},
      {header + "2026-12-06 14:03:07,2026-12-08T13:03:07.120Z,1.000,1,,V,DC,invalid,r\r\n", 2}};
  for (const auto& [text, line] : cases) {
    SCOPED_TRACE(text);
    const ParsedJournal parsed = parseJournal(timed(text));
    EXPECT_EQ(std::pair(parsed.badLine, parsed.rows.size()), std::pair(line, std::size_t{0}));
  }
  EXPECT_EQ(parseJournal(timed(header + row + row)).rows.size(), 2u);
  // Milliseconds in "time" (earlier versions), a reading before a start trigger (negative) and
  // a wall clock set back load and recover: the durations are in elapsed_s.
  const std::string earlier =
      header + "2026-12-06 14:03:07.120,2026-12-06T13:03:07.120Z,-0.500,1,2.5,V,DC,ok,r\r\n" +
      "2026-12-06 14:02:38.121,2026-12-06T13:02:38.121Z,1.001,1,2.5,V,DC,ok,r\r\n";
  const ParsedJournal recovered = parseUnfinishedJournal(earlier + "2026-12-06 14:02:39");
  EXPECT_TRUE(recovered.rows.size() == 2u && recovered.rows[0].elapsedMs == -500 &&
              recovered.rows[1].elapsedMs == 1001);
}

// Read a piece at a time, split anywhere (also between CR and LF), a journal gives what
// reading it whole gives, with or without a torn end.
TEST(JournalFormat, AStreamReadsWhatTheWholeTextReads) {
  const std::string row = "t;u;1,500;2;-2,5;V;DC;ok;\"DC -2.500 V  \"\r\n";
  const std::string texts[] = {"",
                               SemicolonHeader,
                               SemicolonHeader + row + row + row,
                               SemicolonHeader + row + row + "t;u;2,0",  // torn
                               SemicolonHeader + row + "t;u;x\r\n" + row,
                               SemicolonHeader + row + row + "\n",
                               "time;utc",
                               sample("journal-english.csv")};
  const auto read = [](const ParsedJournal& parsed) {  // the bad line, each row's ms, value, raw
    std::vector<std::tuple<std::int64_t, float, std::string>> rows;
    for (const JournalRow& r : parsed.rows) rows.emplace_back(r.elapsedMs, r.value, r.raw);
    return std::pair(parsed.badLine, rows);
  };
  for (const std::string& untimed : texts) {
    const std::string text = timed(untimed);
    for (const std::size_t piece :
         {std::size_t{1}, std::size_t{2}, std::size_t{7}, text.size() + 1})
      for (const bool unfinished : {false, true}) {
        JournalStream stream;
        for (std::size_t at = 0; at < text.size(); at += piece)
          stream.feed(text.data() + at, std::min(piece, text.size() - at));
        EXPECT_EQ(read(stream.finish(unfinished)),
                  read(unfinished ? parseUnfinishedJournal(text) : parseJournal(text)))
            << text << " in pieces of " << piece << (unfinished ? ", unfinished" : "");
      }
  }
}

// For review every reading becomes a sample at its elapsed time (a reading without a value a
// gap), up to the store's room; malformed rows are left out and named, the others still shown.
TEST(JournalFormat, AJournalFillsAChannelAtFullResolution) {
  const std::string rows =
      "t;u;0,000;1;2,5;V;DC;ok;r\r\nt;u;1,250;1;;V;DC;overload;r\r\n"
      "t;u;2,000;1;-3;V;DC;ok;r\r\nt;u;3,0";  // torn: left out
  for (const auto& [room, bad, count, leftOut] : std::vector<std::tuple<int, bool, int, int>>{
           {10, false, 3, 0}, {2, false, 2, 1}, {10, true, 3, 0}}) {
    TraceStore store(room);
    testing::fillChannel(store, 4, {{9, 9}, {9, 9}});  // emptied first
    JournalTraces traces(store, 4);
    const std::string text = timed(SemicolonHeader + rows + (bad ? "\r\nt;u;x\r\n" : ""));
    for (std::size_t at = 0; at < text.size(); at += 5)
      traces.feed(text.data() + at, std::min<std::size_t>(5, text.size() - at));
    const ParsedJournal read = traces.finish();
    EXPECT_EQ(std::tuple(read.badLine, read.leftOut, read.leftOutLines),
              std::tuple(0, bad ? 2 : 0, bad ? std::vector{5, 6} : std::vector<int>{}));
    EXPECT_EQ(std::tuple(store.count(4), traces.leftOut()), std::tuple(count, leftOut));
    const std::vector<std::pair<float, float>> expected{{2.5f, 0}, {InvalidValue, 1.25f}, {-3, 2}};
    for (int slot = 1; slot <= store.count(4); ++slot)
      EXPECT_EQ(std::pair(store.value(4, slot), store.time(4, slot)),
                expected[static_cast<std::size_t>(slot - 1)]);
  }
  // Without one readable row a journal is bad: at its first left-out line, or after its header.
  for (const auto& [text, line] : std::vector<std::pair<std::string, int>>{
           {SemicolonHeader + "\r\nt;u;x\r\n", 2}, {SemicolonHeader, 2}}) {
    TraceStore store(10);
    JournalTraces traces(store, 0);
    traces.feed(text.data(), text.size());
    EXPECT_EQ(traces.finish().badLine, line) << text;
  }
}

// What is shown, exported as journal rows: the rows of each journal in the range, whole and in
// time order, read back by the journal's own reader.
TEST(JournalFormat, TheShownRangeIsWrittenAsTheJournalsRows) {
  ShownRows shown(0.5, 2);
  using Row = std::tuple<int, int, std::string>;  // elapsed ms, channel, unit
  for (const auto& [ms, ch, unit] : {Row{0, 1, "V"}, Row{1500, 1, "V"}, Row{2000, 1, "V"},
                                     Row{2001, 1, "V"}, Row{500, 4, "A"}, Row{1500, 4, "mA"}})
    shown.take({{Start.utcMs + ms, 3600}, ms, ch, 1, unit, "DC", ReadingStatus::Ok, "r" + unit});
  const std::string text = shown.text(journalStyleFor('.'));
  EXPECT_EQ(text.substr(text.find("\r\n") + 2, 45),
            "2026-12-06 14:03:07,2026-12-06T13:03:07.620Z,");
  const ParsedJournal parsed = parseJournal(text);
  ASSERT_EQ(parsed.badLine, 0);
  std::string rows;  // elapsed ms, channel, unit, raw
  for (const JournalRow& row : parsed.rows)
    rows += std::to_string(row.elapsedMs) + " " + std::to_string(row.channel) + " " + row.unit +
            " " + row.raw + "|";
  EXPECT_EQ(rows, "500 4 A rA|1500 1 V rV|1500 4 mA rmA|2000 1 V rV|");
}

}  // namespace
}  // namespace kelvor
