// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/acquisition/MeterFrame.h"
#include "core/InvalidValue.h"

#include <cfloat>
#include <cmath>

#include "core/text/LeadingNumber.h"
#include "core/text/NumberFormat.h"

namespace kelvor {

namespace {

std::string trimmed(const std::string& text) {
  const auto first = text.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  const auto last = text.find_last_not_of(' ');
  return text.substr(first, last - first + 1);
}

std::string withPoint(std::string text) {
  replaceAll(text, ",", ".");
  return text;
}

// The value field as a number text, or empty when it holds no complete number.
// Characters 3 to 9 are tried first (separator and field), then the field alone, in case
// the separator position carries something else.
std::string numberTextOf(const std::string& frame) {
  const std::string wide = withPoint(frame.substr(2, 7));
  if (looksNumeric(wide, '.')) return wide;
  const std::string field = withPoint(frame.substr(3, 6));
  if (looksNumeric(field, '.')) return field;
  return {};
}

}  // namespace

const char* displayPatternFor(float value) {
  const float magnitude = std::fabs(value);
  if (magnitude < 10.0f) return "#0.000";
  if (magnitude < 100.0f) return "#00.00";
  if (magnitude < 1000.0f) return "#000.0";
  return "0000.0";
}

DecodedFrame decodeFrame(std::string& frame, char decimalSeparator) {
  DecodedFrame decoded;
  if (frame.size() != MeterFrameLength) {
    decoded.modeText = "--";
    decoded.valueText = "-----";
    return decoded;
  }

  std::string field = trimmed(frame.substr(3, 6));
  replaceAll(field, ".", "");
  decoded.flags.overload = field == "OL";
  const std::string numberText = numberTextOf(frame);
  const std::optional<double> number =
      numberText.empty() ? std::nullopt : readLeadingNumber(numberText);
  if (number && std::fabs(*number) <= static_cast<double>(FLT_MAX)) {
    decoded.value = static_cast<float>(*number);
    decoded.valueText = formatPattern(static_cast<double>(decoded.value),
                                      displayPatternFor(decoded.value), decimalSeparator);
  } else {
    decoded.value = InvalidValue;
    decoded.valueText = trimmed(frame.substr(3, 6));
    if (decoded.valueText.empty()) decoded.valueText = "-----";
  }

  replaceAll(frame, "\r", "");
  const std::string mode = frame.substr(0, 2);
  const std::string unit = frame.size() > 9 ? trimmed(frame.substr(9, 4)) : std::string();
  decoded.unit = unit;
  decoded.mode = trimmed(mode);
  if (mode == "AC" || mode == "DC" || mode == "TE") {
    decoded.modeText = mode;
    if (decoded.valueText.size() < 6) decoded.valueText += ' ';
    decoded.valueText += unit;
  } else {
    decoded.modeText = unit;
  }
  return decoded;
}

}  // namespace kelvor
