// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/acquisition/PortConfig.h"
#include "core/alarm/AlarmCondition.h"
#include "core/publish/Publishing.h"
#include "core/record/CommandLineChannels.h"
#include "core/record/HttpAccess.h"
#include "core/session/RecordingRules.h"

namespace kelvor {

// What kelvor-record was asked to do. Port, rate and meter start as the stored settings'.
struct RecordOptions {
  PortConfig port;
  std::string devicePath;       // --port /dev/...: the device opened; its number names it
  std::int64_t durationS = 0;   // 0: no limit
  std::int64_t count = 0;       // readings; 0: no limit
  std::string alarmText;        // as given; empty: no alarm
  AlarmCondition alarm;         // parsed from alarmText
  std::string output;           // "": the recordings folder; "-": standard output
  std::optional<bool> english;  // --language; nothing: the system's language
  PublishSettings publish;      // --mqtt…; the password comes from the environment
  bool quiet = false;
  bool wait = false;
  bool help = false;
  bool version = false;
  bool listMeters = false;
  StartRule start;                  // --start-at, --start-when; at once by default
  StopRule stop;                    // --stop-after, --stop-at, --stop-when; never by default
  int preTriggerS = 0;              // --pre-trigger: seconds kept before a start rule fires
  int baud = 0;                     // --baud; 0: the chosen meter's usual rate, or the stored one
  std::optional<HttpAddress> http;  // --http: the live page's address
  std::string httpTokenFile;        // --http-token-file
  std::string httpToken;            // read from that file; empty: none asked for
  // The channels, numbered by the order of their --port and --calc options; without --port
  // the stored meter is channel 1. Port, device path and rate above are the first meter's.
  std::vector<RecordChannel> channels;
};

// The options, or one line saying what is wrong with them.
struct ParsedRecordOptions {
  RecordOptions options;
  std::string error;  // empty: the options are fine
};

// Parses the arguments after the program's name; `defaults` holds the stored settings.
ParsedRecordOptions parseRecordOptions(const std::vector<std::string>& args,
                                       const RecordOptions& defaults);

// "90s", "15m", "24h" in seconds; nothing for anything else, zero included.
std::optional<std::int64_t> parseDuration(const std::string& text);

// The port number whose fixed device is `path` ("/dev/ttyUSB4" is 37); 0 when none.
int portForDevice(const std::string& path);

// The text of --help.
std::string recordHelp();
// The text of --list-meters: the families, then one line a model (id, family, line, name).
std::string meterList();

}  // namespace kelvor
