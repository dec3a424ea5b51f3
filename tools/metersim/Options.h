// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "CableReports.h"
#include "StreamEncoder.h"
#include "ValueSource.h"

namespace kelvor::metersim {

// Sends the first `bytes` bytes of an answer, waits `pauseMs`, then sends the rest.
// Zero bytes means the answer goes out in one piece.
struct Split {
  std::size_t bytes = 0;
  int pauseMs = 300;
};

struct Options {
  int port = 1;
  std::string linkPath;  // empty: the COMn place in the configuration folder
  bool fourDisplays = false;
  Family family = Family::Single;
  std::optional<int> baud;  // pace the bytes at this rate; streaming families: their own rate
  int corruptEvery = 0;     // every Nth streamed frame damaged; 0: none
  bool highBit = false;     // the 8th bit set on every streamed byte
  bool midFrame = false;    // the stream starts in the middle of a frame
  bool lowBattery = false;
  std::string valuesText = "const:1.234";
  std::unique_ptr<ValueSource> values;
  std::string mode = "DC";
  std::string unit = " V  ";  // already 4 characters
  int delayMs = 0;
  Split split;
  bool silent = false;
  bool garbage = false;
  std::optional<std::string> overload;  // already 6 characters
  bool noCr = false;
  bool onlyFirstFrame = false;
  std::string scriptPath;
  bool cycleScript = false;
  std::string logPath;  // empty: no log, "-": standard error
  std::optional<double> quitAfterSeconds;
  std::optional<VirtualCable> hidCable;  // play the meter through a virtual USB-HID cable
};

struct ParsedCommandLine {
  enum class Outcome { Run, Help, Error };
  Outcome outcome = Outcome::Run;
  Options options;
  std::string error;
};

// Reads the arguments after the program name; "--name value" and "--name=value" both work.
ParsedCommandLine parseCommandLine(const std::vector<std::string>& arguments);

// Parses "N" or "N:MS" as used by --split and the script's split lines.
bool parseSplit(const std::string& text, Split* split);

// Parses a whole non-negative decimal integer no larger than `maximum`.
bool parseCount(const std::string& text, long long maximum, long long* value);

std::string usageText();

}  // namespace kelvor::metersim
