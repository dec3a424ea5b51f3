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

#include "core/InvalidValue.h"
#include "core/acquisition/MeterFrame.h"
#include "fuzz/FuzzCheck.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  std::string withComma = input, withPoint = input;
  const kelvor::DecodedFrame comma = kelvor::decodeFrame(withComma, ',');
  const kelvor::DecodedFrame point = kelvor::decodeFrame(withPoint, '.');

  KELVOR_FUZZ_CHECK(comma.value == kelvor::InvalidValue ||
                    (std::isfinite(comma.value) && std::fabs(comma.value) <= FLT_MAX));
  KELVOR_FUZZ_CHECK(std::memcmp(&comma.value, &point.value, sizeof(float)) == 0 &&
                    !comma.valueText.empty() && comma.modeText == point.modeText &&
                    withComma == withPoint);
  // A whole frame leaves the caller's text without its carriage returns.
  const auto returns = static_cast<std::size_t>(std::count(input.begin(), input.end(), '\r'));
  KELVOR_FUZZ_CHECK(
      size != kelvor::MeterFrameLength ||
      (withComma.find('\r') == std::string::npos && withComma.size() == size - returns));
  (void)kelvor::displayPatternFor(comma.value);
  return 0;
}
