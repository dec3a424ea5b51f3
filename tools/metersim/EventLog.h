// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <termios.h>

#include <cstdio>
#include <string>

namespace kelvor::metersim {

// "1200 baud, 7 data bits, parity none, 2 stop bits"
std::string describeLineSettings(const termios& settings);

// The current local time as "2024-05-17T14:03:59.123".
std::string localTimestamp();

// Writes time-stamped lines to a file (appending) or to standard error, flushed line by line
// so a reader sees each event at once.
class EventLog {
 public:
  // `path` "-" means standard error. Throws std::runtime_error when the file cannot be opened.
  explicit EventLog(const std::string& path);
  ~EventLog();
  EventLog(const EventLog&) = delete;
  EventLog& operator=(const EventLog&) = delete;

  void received(unsigned char byte);
  void sent(const std::string& bytes);
  void lineSettings(const std::string& description);
  void note(const std::string& text);

 private:
  void write(const std::string& text);

  std::FILE* file_;
  bool ownsFile_;
};

}  // namespace kelvor::metersim
