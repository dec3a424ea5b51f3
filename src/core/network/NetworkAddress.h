// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>

namespace kelvor {

// A serial port on another machine, reached through a serial server: "rfc2217://HOST:PORT"
// (telnet with the COM-PORT-OPTION: this side sets the line) or "tcp://HOST:PORT" (raw bytes,
// the line is set on the server). An IPv6 host goes in brackets: "tcp://[::1]:4001".
struct NetworkAddress {
  enum class Kind { Rfc2217, RawTcp };

  Kind kind = Kind::RawTcp;
  std::string host;  // without brackets
  int port = 0;      // 1 to 65535

  // The address as it is written, brackets around an IPv6 host included.
  std::string text() const;
};

// True when `text` starts like a network address, so it is meant as one (and a malformed one
// is an error rather than a device path).
bool looksLikeNetworkAddress(const std::string& text);

// The address, or nothing when the text is not a well-formed one.
std::optional<NetworkAddress> parseNetworkAddress(const std::string& text);

}  // namespace kelvor
