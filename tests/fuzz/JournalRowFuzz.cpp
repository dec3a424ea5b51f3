// SPDX-License-Identifier: GPL-3.0-or-later
// Any meter answer becomes a journal row that is one line of printable text under either
// style and reads back equal, and a published reading that is printable ASCII (valid UTF-8).
// Input: the channel byte, then the answer.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

#include "core/journal/JournalFormat.h"
#include "core/publish/Publishing.h"
#include "fuzz/FuzzCheck.h"

namespace {

bool printable(const std::string& text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return c >= ' ' && c <= '~'; });
}

void checkReadsBack(const kelvor::JournalRow& row, kelvor::JournalStyle style) {
  const std::string line = kelvor::journalLine(row, style);
  KELVOR_FUZZ_CHECK(line.size() >= 2 && line.compare(line.size() - 2, 2, "\r\n") == 0);
  KELVOR_FUZZ_CHECK(printable(line.substr(0, line.size() - 2)));
  const kelvor::ParsedJournal parsed = kelvor::parseJournal(kelvor::journalHeader(style) + line);
  KELVOR_FUZZ_CHECK(parsed.badLine == 0 && parsed.rows.size() == 1);
  const kelvor::JournalRow& back = parsed.rows[0];
  KELVOR_FUZZ_CHECK(back.value == row.value);  // -0 may come back as 0
  KELVOR_FUZZ_CHECK(back.elapsedMs == row.elapsedMs && back.channel == row.channel);
  KELVOR_FUZZ_CHECK(back.unit == row.unit && back.mode == row.mode);
  KELVOR_FUZZ_CHECK(back.status == row.status && back.raw == row.raw);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::string answer(reinterpret_cast<const char*>(data) + 1, size - 1);
  for (const char decimal : {',', '.'}) {
    std::string frame = answer;
    const kelvor::DecodedFrame decoded = kelvor::decodeFrame(frame, decimal);
    kelvor::JournalRow row = kelvor::journalRowOf(answer, decoded);
    row.time = {1796562187120, 3600};
    row.elapsedMs = 1234;
    row.channel = 1 + data[0] % 6;
    checkReadsBack(row, kelvor::journalStyleFor(decimal));
    KELVOR_FUZZ_CHECK(printable(kelvor::readingJson(row)));
  }
  return 0;
}
