// SPDX-License-Identifier: GPL-3.0-or-later
#include "EventLog.h"

#include <cerrno>
#include <cstring>
#include <ctime>
#include <stdexcept>

namespace kelvor::metersim {

namespace {

bool isPrintable(unsigned char byte) {
  return byte >= 0x20 && byte < 0x7f;
}

std::string hexByte(unsigned char byte) {
  static const char kDigits[] = "0123456789ABCDEF";
  return std::string("0x") + kDigits[byte >> 4] + kDigits[byte & 0x0f];
}

// Shows sent bytes on one line: printable characters as they are, others escaped.
std::string escaped(const std::string& bytes) {
  std::string text;
  for (const char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '\r') {
      text += "\\r";
    } else if (c == '\n') {
      text += "\\n";
    } else if (c == '\\') {
      text += "\\\\";
    } else if (isPrintable(byte)) {
      text += c;
    } else {
      text += "\\x" + hexByte(byte).substr(2);
    }
  }
  return text;
}

long baudOf(speed_t speed) {
  struct Rate {
    speed_t code;
    long baud;
  };
  static const Rate kRates[] = {
      {B0, 0},           {B50, 50},     {B75, 75},       {B110, 110},
      {B134, 134},       {B150, 150},   {B200, 200},     {B300, 300},
      {B600, 600},       {B1200, 1200}, {B1800, 1800},   {B2400, 2400},
      {B4800, 4800},     {B9600, 9600}, {B19200, 19200}, {B38400, 38400},
#ifdef B57600
      {B57600, 57600},
#endif
#ifdef B115200
      {B115200, 115200},
#endif
#ifdef B230400
      {B230400, 230400},
#endif
#ifdef B460800
      {B460800, 460800},
#endif
#ifdef B921600
      {B921600, 921600},
#endif
  };
  for (const Rate& rate : kRates) {
    if (rate.code == speed) return rate.baud;
  }
  return -1;
}

}  // namespace

std::string describeLineSettings(const termios& settings) {
  const long baud = baudOf(cfgetospeed(&settings));
  int dataBits = 8;
  switch (settings.c_cflag & CSIZE) {
    case CS5:
      dataBits = 5;
      break;
    case CS6:
      dataBits = 6;
      break;
    case CS7:
      dataBits = 7;
      break;
    default:
      break;
  }
  const char* parity = "none";
  if (settings.c_cflag & PARENB) parity = (settings.c_cflag & PARODD) ? "odd" : "even";
  return (baud >= 0 ? std::to_string(baud) : std::string("unknown")) + " baud, " +
         std::to_string(dataBits) + " data bits, parity " + parity + ", " +
         ((settings.c_cflag & CSTOPB) ? "2" : "1") + " stop bits";
}

std::string localTimestamp() {
  timespec now{};
  clock_gettime(CLOCK_REALTIME, &now);
  tm local{};
  localtime_r(&now.tv_sec, &local);
  char text[48];
  const std::size_t length = std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%S", &local);
  std::snprintf(text + length, sizeof text - length, ".%03ld", now.tv_nsec / 1000000);
  return text;
}

EventLog::EventLog(const std::string& path)
    : file_(path == "-" ? stderr : std::fopen(path.c_str(), "a")), ownsFile_(path != "-") {
  if (!file_) {
    throw std::runtime_error("cannot open log file " + path + ": " + std::strerror(errno));
  }
}

EventLog::~EventLog() {
  if (ownsFile_) std::fclose(file_);
}

void EventLog::received(unsigned char byte) {
  write("rx " + hexByte(byte) + " '" + (isPrintable(byte) ? static_cast<char>(byte) : '.') + "'");
}

void EventLog::sent(const std::string& bytes) {
  write("tx " + std::to_string(bytes.size()) + " bytes \"" + escaped(bytes) + "\"");
}

void EventLog::lineSettings(const std::string& description) {
  write("line " + description);
}

void EventLog::note(const std::string& text) {
  write(text);
}

void EventLog::write(const std::string& text) {
  std::fprintf(file_, "%s %s\n", localTimestamp().c_str(), text.c_str());
  std::fflush(file_);
}

}  // namespace kelvor::metersim
