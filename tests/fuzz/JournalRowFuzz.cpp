// SPDX-License-Identifier: GPL-3.0-or-later
// Any meter answer becomes a journal row that is one line of printable text under either
// style and reads back equal, and a published reading that is printable, valid UTF-8.
// Input: the channel byte, then the answer.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <tuple>

#include "core/journal/JournalFormat.h"
#include "core/publish/Publishing.h"
#include "fuzz/FuzzCheck.h"

namespace {

// No control character, and every byte above ASCII part of a well-formed UTF-8 sequence.
bool printable(const std::string& text) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  for (std::size_t i = 0; i < text.size();) {
    const unsigned char lead = byte(i);
    if (lead >= 0x20 && lead < 0x7f) {
      ++i;
      continue;
    }
    const std::size_t length = lead >= 0xC2 && lead < 0xE0   ? 2
                               : lead >= 0xE0 && lead < 0xF0 ? 3
                               : lead >= 0xF0 && lead < 0xF5 ? 4
                                                             : 0;
    if (length == 0 || i + length > text.size()) return false;
    for (std::size_t k = 1; k < length; ++k)
      if ((byte(i + k) & 0xC0) != 0x80) return false;
    i += length;
  }
  return true;
}

void checkReadsBack(const kelvor::JournalRow& row, kelvor::JournalStyle style) {
  const std::string line = kelvor::journalLine(row, style);
  KELVOR_FUZZ_CHECK(line.size() >= 2 && line.compare(line.size() - 2, 2, "\r\n") == 0);
  KELVOR_FUZZ_CHECK(printable(line.substr(0, line.size() - 2)));
  const kelvor::ParsedJournal parsed = kelvor::parseJournal(kelvor::journalHeader(style) + line);
  KELVOR_FUZZ_CHECK(parsed.badLine == 0 && parsed.rows.size() == 1);
  const kelvor::JournalRow& back = parsed.rows[0];
  const auto fields = [](const kelvor::JournalRow& r) {
    return std::tie(r.value, r.elapsedMs, r.channel, r.unit, r.mode, r.status, r.raw);
  };
  KELVOR_FUZZ_CHECK(fields(back) == fields(row));  // -0 may come back as 0, which equals it
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
