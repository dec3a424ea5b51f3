// SPDX-License-Identifier: GPL-3.0-or-later
// Any byte stream, cut anywhere, goes through every family's frame finder and decoder without
// a fault; a frame found decodes, has the family's length, carries no 8th bit on a 7-bit line,
// and its reading is a finite float or none at all, never a number on overload.
#include <cfloat>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>

#include "core/InvalidValue.h"
#include "core/acquisition/MeterFamily.h"
#include "core/acquisition/StreamFramer.h"
#include "fuzz/FuzzCheck.h"

namespace {

void checkReading(const kelvor::DecodedFrame& reading) {
  KELVOR_FUZZ_CHECK(reading.value == kelvor::InvalidValue ||
                    (std::isfinite(reading.value) && std::fabs(reading.value) <= FLT_MAX));
  KELVOR_FUZZ_CHECK(!reading.flags.overload || reading.value == kelvor::InvalidValue);
  KELVOR_FUZZ_CHECK(!reading.valueText.empty());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  for (const kelvor::MeterFamily* family : kelvor::meterFamilies()) {
    std::string whole = input;
    if (const auto decoded = family->decode(whole, ',')) checkReading(*decoded);
    // A polled answer is never longer than what has arrived.
    KELVOR_FUZZ_CHECK(family->completeAnswer(input) <= input.size());
    if (!family->streaming()) continue;

    // The first byte says where the stream is cut between two arrivals.
    kelvor::StreamFramer framer(*family);
    const std::size_t cut = size == 0 ? 0 : data[0] % size;
    framer.add(input.substr(0, cut));
    for (int arrival = 0; arrival < 2; ++arrival) {
      if (const auto frame = framer.takeNewest()) {
        KELVOR_FUZZ_CHECK(frame->size() == family->answerLength());
        for (const char c : *frame) KELVOR_FUZZ_CHECK(!family->sevenBit() || (c & 0x80) == 0);
        std::string copy = *frame;
        const auto decoded = family->decode(copy, '.');
        KELVOR_FUZZ_CHECK(decoded.has_value());
        checkReading(*decoded);
      }
      framer.add(input.substr(cut));
    }
  }
  return 0;
}
