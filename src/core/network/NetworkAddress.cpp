// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/network/NetworkAddress.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <utility>

namespace kelvor {

namespace {

constexpr std::array<std::pair<const char*, NetworkAddress::Kind>, 2> Schemes{{
    {"rfc2217://", NetworkAddress::Kind::Rfc2217},
    {"tcp://", NetworkAddress::Kind::RawTcp},
}};

std::string lowered(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

bool allOf(const std::string& text, bool (*allowed)(unsigned char)) {
  return !text.empty() && std::all_of(text.begin(), text.end(), [allowed](char c) {
    return allowed(static_cast<unsigned char>(c));
  });
}

bool nameChar(unsigned char c) {
  return std::isalnum(c) || c == '-' || c == '.' || c == '_';
}

// Hex groups, colons and an embedded IPv4 tail; a zone ("%eth0") after them.
bool ipv6Char(unsigned char c) {
  return std::isxdigit(c) || c == ':' || c == '.';
}

bool validIpv6(const std::string& host) {
  const std::string::size_type zone = host.find('%');
  const std::string address = host.substr(0, zone);
  if (address.find(':') == std::string::npos || !allOf(address, ipv6Char)) return false;
  return zone == std::string::npos || allOf(host.substr(zone + 1), nameChar);
}

std::optional<int> portNumber(const std::string& text) {
  if (text.empty() || text.size() > 5 ||
      !allOf(text, [](unsigned char c) { return std::isdigit(c) != 0; }))
    return std::nullopt;
  const int port = std::stoi(text);
  if (port < 1 || port > 65535) return std::nullopt;
  return port;
}

}  // namespace

std::string NetworkAddress::text() const {
  const std::string scheme = kind == Kind::Rfc2217 ? "rfc2217://" : "tcp://";
  const bool bracketed = host.find(':') != std::string::npos;
  return scheme + (bracketed ? "[" + host + "]" : host) + ":" + std::to_string(port);
}

bool looksLikeNetworkAddress(const std::string& text) {
  return text.find("://") != std::string::npos;
}

std::optional<NetworkAddress> parseNetworkAddress(const std::string& text) {
  for (const auto& [scheme, kind] : Schemes) {
    const std::string prefix(scheme);
    if (lowered(text.substr(0, prefix.size())) != prefix) continue;
    const std::string rest = text.substr(prefix.size());
    NetworkAddress address;
    address.kind = kind;
    std::string::size_type colon;
    if (!rest.empty() && rest.front() == '[') {
      const std::string::size_type close = rest.find(']');
      if (close == std::string::npos || close + 1 >= rest.size() || rest[close + 1] != ':')
        return std::nullopt;
      address.host = rest.substr(1, close - 1);
      if (!validIpv6(address.host)) return std::nullopt;
      colon = close + 1;
    } else {
      colon = rest.find(':');
      if (colon == std::string::npos) return std::nullopt;
      address.host = rest.substr(0, colon);
      if (!allOf(address.host, nameChar)) return std::nullopt;
    }
    const auto port = portNumber(rest.substr(colon + 1));
    if (!port) return std::nullopt;
    address.port = *port;
    return address;
  }
  return std::nullopt;
}

}  // namespace kelvor
