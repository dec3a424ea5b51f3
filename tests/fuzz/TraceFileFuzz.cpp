// SPDX-License-Identifier: GPL-3.0-or-later
// Any file offered to the trace reader loads or is refused without a fault; the result is
// the same under either decimal separator, and what loads can be written and loads back
// with the same samples (to the seven digits the file keeps).
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <tuple>

#include "core/files/TraceFile.h"
#include "fuzz/FuzzCheck.h"

namespace {

using kelvor::TraceFileParse;
using kelvor::TraceSample;
using kelvor::TraceStore;

bool sameBits(float a, float b) {
  return std::memcmp(&a, &b, sizeof(float)) == 0;
}

void checkWellFormed(const TraceFileParse& parse) {
  const auto slots = static_cast<std::size_t>(TraceStore::LastSlot);
  KELVOR_FUZZ_CHECK((parse.separator == ";" || parse.separator == " || ") &&
                    parse.linesLeftOut >= 0 && parse.samples.size() <= slots);
  if (parse.ok())
    KELVOR_FUZZ_CHECK(parse.linesLeftOut == 0 || parse.samples.size() == slots);
  else  // a refused file leaves nothing half-read behind
    KELVOR_FUZZ_CHECK(parse.samples.empty() && parse.problem->line >= 1 &&
                      parse.problem->field.size() <= 40);
}

void checkSameResult(const TraceFileParse& a, const TraceFileParse& b) {
  KELVOR_FUZZ_CHECK(a.ok() == b.ok() && a.separator == b.separator &&
                    a.linesLeftOut == b.linesLeftOut && a.samples.size() == b.samples.size());
  for (std::size_t i = 0; i < a.samples.size(); ++i)
    KELVOR_FUZZ_CHECK(sameBits(a.samples[i].value, b.samples[i].value) &&
                      sameBits(a.samples[i].time, b.samples[i].time));
  KELVOR_FUZZ_CHECK(a.ok() || std::tie(a.problem->kind, a.problem->line, a.problem->field) ==
                                  std::tie(b.problem->kind, b.problem->line, b.problem->field));
}

// Seven significant digits: the value read back is the written one to within rounding.
bool closeEnough(float written, float read) {
  if (std::isnan(written)) return std::isnan(read);
  if (std::isinf(written)) return read == written;
  const double difference = std::fabs(static_cast<double>(written) - static_cast<double>(read));
  return difference <= 1.5e-6 * std::fabs(static_cast<double>(written)) + 1e-44;
}

void checkRoundTrip(const TraceFileParse& parse, char decimalSeparator) {
  // One store for all inputs: it is large and allocated once, as in the program.
  static const std::unique_ptr<TraceStore> store = std::make_unique<TraceStore>();
  constexpr std::size_t MaxRoundTrip = 256;  // keeps each run short
  if (!parse.ok() || parse.samples.size() > MaxRoundTrip) return;

  kelvor::applyLoadedTrace(*store, 2, parse.samples);
  KELVOR_FUZZ_CHECK(store->count(2) == static_cast<int>(parse.samples.size()));
  const std::string bytes = kelvor::writeTraceFile(*store, 2, decimalSeparator);
  const TraceFileParse again = kelvor::readTraceFile(bytes, decimalSeparator);
  KELVOR_FUZZ_CHECK(again.ok() && again.separator == ";" &&
                    again.samples.size() == parse.samples.size());
  for (std::size_t i = 0; i < again.samples.size(); ++i)
    KELVOR_FUZZ_CHECK(closeEnough(parse.samples[i].value, again.samples[i].value) &&
                      closeEnough(parse.samples[i].time, again.samples[i].time));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const TraceFileParse comma = kelvor::readTraceFile(bytes, ',');
  const TraceFileParse point = kelvor::readTraceFile(bytes, '.');
  checkWellFormed(comma);
  checkSameResult(comma, point);
  for (const char decimalSeparator : {',', '.'}) checkRoundTrip(comma, decimalSeparator);
  return 0;
}
