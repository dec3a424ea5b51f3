// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/acquisition/PortConfig.h"
#include "core/calc/Calculation.h"

namespace kelvor {

// The highest port number n of "COMn" the command line takes.
inline constexpr int HighestPort = 256;

// A whole number of at most nine digits, nothing else.
std::optional<std::int64_t> wholeNumber(const std::string& text);

// One meter of the command line: --port, and the --meter and --baud that follow it.
struct RecordMeter {
  PortConfig port;
  std::string devicePath;  // --port /dev/...: the device opened; its number names it
  int baud = 0;            // --baud; 0: the chosen meter's usual rate, or the stored one
};

// A channel of the command line: a meter, or a calculated channel.
struct RecordChannel {
  RecordMeter meter;  // unused by a calculated channel
  std::optional<Calculation> calculation;
};

// The channels of kelvor-record's command line, numbered by the order of their --port and
// --calc options; without --port the stored meter is channel 1. A --meter or --baud belongs
// to the --port before it; before the first --port, to the only one (or the stored meter).
// Each option's method is false when its value is not one it takes.
class CommandLineChannels {
 public:
  explicit CommandLineChannels(RecordMeter stored) : leading_(std::move(stored)) {}

  bool port(const std::string& text);
  bool baud(const std::string& text);
  bool meter(const std::string& text);
  bool calc(const std::string& text);

  // The channels, or the line saying what is wrong with them together.
  std::string finish(std::vector<RecordChannel>& channels);

 private:
  RecordMeter& lineOf();

  RecordMeter leading_;  // the stored meter, and what --meter and --baud before any --port set
  bool leadingLine_ = false;
  int ports_ = 0;
  std::size_t lastMeter_ = 0;
  std::vector<RecordChannel> channels_;
};

}  // namespace kelvor
