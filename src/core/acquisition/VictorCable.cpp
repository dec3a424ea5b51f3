// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/acquisition/VictorCable.h"

#include <array>
#include <cstdint>

namespace kelvor {

namespace {

// Added to the report's bytes by their place in the report.
constexpr std::string_view Key = "jodenxunickxia";
// Where the byte at each place of the report belongs, counting the frame from its end.
constexpr std::array<std::size_t, VictorFrameBytes> PlaceFromEnd{6, 13, 5,  11, 2, 7, 9,
                                                                 8, 3,  10, 12, 0, 4, 1};

std::uint8_t reversedBits(std::uint8_t byte) {
  std::uint8_t reversed = 0;
  for (int bit = 0; bit < 8; ++bit)
    reversed = static_cast<std::uint8_t>(reversed << 1 | (byte >> bit & 1));
  return reversed;
}

std::uint8_t at(std::string_view text, std::size_t i) {
  return static_cast<std::uint8_t>(text[i]);
}

}  // namespace

std::optional<std::string> victorFrameOfReport(std::string_view report) {
  if (report.size() < VictorFrameBytes) return std::nullopt;
  std::string frame(VictorFrameBytes, '\0');
  for (std::size_t i = 0; i < VictorFrameBytes; ++i) {
    const auto plain = static_cast<std::uint8_t>(at(report, i) - at(Key, i));
    frame[VictorFrameBytes - 1 - PlaceFromEnd[i]] = static_cast<char>(reversedBits(plain));
  }
  return frame;
}

std::string victorReportOfFrame(std::string_view frame) {
  std::string whole(frame.substr(0, VictorFrameBytes));
  whole.resize(VictorFrameBytes, '\0');
  std::string report(VictorFrameBytes, '\0');
  for (std::size_t i = 0; i < VictorFrameBytes; ++i) {
    const std::uint8_t plain = reversedBits(at(whole, VictorFrameBytes - 1 - PlaceFromEnd[i]));
    report[i] = static_cast<char>(plain + at(Key, i));
  }
  return report;
}

}  // namespace kelvor
