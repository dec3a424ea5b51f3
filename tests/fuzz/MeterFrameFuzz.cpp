// SPDX-License-Identifier: GPL-3.0-or-later
// Any answer of a meter, however broken, decodes without a fault, never yields a value that
// is not a finite float, and reads the same under either decimal separator.
#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "core/acquisition/MeterFrame.h"
#include "fuzz/FuzzCheck.h"

namespace {

void checkUsableOrInvalid(float value) {
  KELVOR_FUZZ_CHECK(value == kelvor::InvalidValue ||
                    (std::isfinite(value) && std::fabs(value) <= FLT_MAX));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  std::string withComma = input;
  std::string withPoint = input;
  const kelvor::DecodedFrame comma = kelvor::decodeFrame(withComma, ',');
  const kelvor::DecodedFrame point = kelvor::decodeFrame(withPoint, '.');

  checkUsableOrInvalid(comma.value);
  KELVOR_FUZZ_CHECK(std::memcmp(&comma.value, &point.value, sizeof(float)) == 0);
  KELVOR_FUZZ_CHECK(!comma.valueText.empty());
  KELVOR_FUZZ_CHECK(comma.modeText == point.modeText);
  KELVOR_FUZZ_CHECK(withComma == withPoint);
  if (size == kelvor::MeterFrameLength) {
    // A whole frame leaves the caller's text without its carriage returns.
    KELVOR_FUZZ_CHECK(withComma.find('\r') == std::string::npos);
    KELVOR_FUZZ_CHECK(withComma.size() == size - static_cast<std::size_t>(
                                                     std::count(input.begin(), input.end(), '\r')));
  }
  (void)kelvor::displayPatternFor(comma.value);
  return 0;
}
