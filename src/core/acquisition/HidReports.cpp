// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/acquisition/HidReports.h"

#include <algorithm>
#include <cstddef>
#include <initializer_list>
#include <utility>

#include "core/acquisition/VictorCable.h"

namespace kelvor {

namespace {

// Where a chip's input report keeps its count and its data, and how many data bytes one
// report carries at most.
struct ReportLayout {
  std::size_t countAt;     // index of the count byte
  std::size_t maxData;     // data bytes per report at most
  std::size_t outputSize;  // bytes of a written output report, padding included; 0: unpadded
  bool numberedOutput;     // the count is the report number (no extra leading 0)
};

ReportLayout layoutOf(HidCableChip chip) {
  switch (chip) {
    case HidCableChip::Ch9325:  // 8-byte reports, no report numbers
      return {0, 7, 1 + 8, false};
    case HidCableChip::Cp2110:  // the report number is the count
      return {0, 63, 0, true};
    case HidCableChip::Ch9329:  // 64-byte reports after a leading 0
      return {1, 63, 65, false};
    case HidCableChip::VictorScrambled:  // a frame a report, nothing sent to the meter
      return {0, 0, 0, false};
  }
  return {0, 0, 0, false};
}

// The count of data bytes that a well-formed input report announces, or -1.
int announcedCount(HidCableChip chip, std::string_view report) {
  const ReportLayout layout = layoutOf(chip);
  if (report.size() <= layout.countAt) return -1;
  const auto count = static_cast<unsigned char>(report[layout.countAt]);
  switch (chip) {
    case HidCableChip::Ch9325:  // 0xF0 | count
      return (count & 0xF0) == 0xF0 && (count & 0x0F) <= 7 ? count & 0x0F : -1;
    case HidCableChip::Cp2110:  // report numbers above 63 are the chip's own, not data
      return count >= 1 && count <= 63 ? count : -1;
    case HidCableChip::Ch9329:
      return report[0] == 0 && count <= 63 ? count : -1;
    case HidCableChip::VictorScrambled:
      return -1;
  }
  return -1;
}

std::string byteText(std::initializer_list<unsigned> values) {
  std::string text;
  for (const unsigned value : values) text += static_cast<char>(value & 0xFF);
  return text;
}

}  // namespace

void HidInputStream::addReport(std::string_view report) {
  if (chip_ == HidCableChip::VictorScrambled) {
    const std::optional<std::string> frame = victorFrameOfReport(report);
    if (frame)
      bytes_ += *frame;
    else
      ++malformed_;
    return;
  }
  const int count = announcedCount(chip_, report);
  const std::size_t dataAt = layoutOf(chip_).countAt + 1;
  if (count < 0 || dataAt + static_cast<std::size_t>(count) > report.size()) {
    ++malformed_;
    return;
  }
  bytes_.append(report.substr(dataAt, static_cast<std::size_t>(count)));
}

std::string HidInputStream::takeBytes() {
  return std::exchange(bytes_, {});
}

std::vector<std::string> hidOutputReports(HidCableChip chip, std::string_view bytes) {
  const ReportLayout layout = layoutOf(chip);
  std::vector<std::string> reports;
  if (layout.maxData == 0) return reports;
  for (std::size_t at = 0; at < bytes.size(); at += layout.maxData) {
    const std::string_view data = bytes.substr(at, layout.maxData);
    std::string report = layout.numberedOutput ? "" : std::string(1, '\0');
    report += static_cast<char>(data.size());
    report += data;
    report.resize(std::max(report.size(), layout.outputSize), '\0');
    reports.push_back(std::move(report));
  }
  return reports;
}

std::vector<std::string> hidLineSetup(HidCableChip chip, const LineSettings& line) {
  const auto baud = static_cast<unsigned>(line.baud);
  const unsigned dataBits = static_cast<unsigned>(std::clamp(line.dataBits, 5, 8) - 5);
  switch (chip) {
    case HidCableChip::Ch9325:
      // The rate little-endian, then two bytes whose meaning is not published (parity and
      // stop bits, presumably; the cable's own software sends 0), then the data bits.
      // The chip knows 2400, 4800, 9600 and 19200 baud and falls back to 2400 otherwise.
      return {byteText({0, baud, baud >> 8, 0, 0, dataBits})};
    case HidCableChip::Cp2110: {
      const unsigned parity = line.parity == Parity::None ? 0 : line.parity == Parity::Odd ? 1 : 2;
      const unsigned longStop = line.stopBits > 1 ? 1 : 0;
      return {
          byteText(
              {0x41, 0x01}),  // UART on
                              // Rate big-endian, parity, no flow control, data bits, stop bits.
          byteText({0x50, baud >> 24, baud >> 16, baud >> 8, baud, parity, 0, dataBits, longStop}),
          byteText({0x43, 0x03})};  // empty both FIFOs of what came at the old settings
    }
    case HidCableChip::Ch9329:
    case HidCableChip::VictorScrambled:
      return {};
  }
  return {};
}

}  // namespace kelvor
