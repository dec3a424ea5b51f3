// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/record/HttpAccess.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>

#include "core/record/CommandLineChannels.h"

namespace kelvor::HttpAccess {

namespace {

std::string trimmed(const std::string& text) {
  const auto first = text.find_first_not_of(" \t\r\n");
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

std::string lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

bool isIpv4(const std::string& text) {
  int parts = 0;
  std::size_t start = 0;
  while (start <= text.size()) {
    const auto dot = std::min(text.find('.', start), text.size());
    const std::string part = text.substr(start, dot - start);
    const auto n = part.size() <= 3 ? wholeNumber(part) : std::nullopt;
    if (!n || *n > 255) return false;
    ++parts;
    start = dot + 1;
  }
  return parts == 4;
}

bool isIpv6(const std::string& text) {
  return text.find(':') != std::string::npos &&
         std::all_of(text.begin(), text.end(),
                     [](unsigned char c) { return std::isxdigit(c) || c == ':' || c == '.'; });
}

// The weight ("q") of an Accept-Language entry; 1 without one, 0 when unreadable.
double weightOf(const std::string& parameters) {
  const auto q = parameters.find("q=");
  if (q == std::string::npos) return 1;
  char* end = nullptr;
  const std::string number = trimmed(parameters.substr(q + 2));
  const double weight = std::strtod(number.c_str(), &end);
  return end != number.c_str() ? weight : 0;
}

}  // namespace

std::optional<HttpAddress> parseAddress(const std::string& text) {
  HttpAddress address;
  std::string port = text;
  if (!text.empty() && text[0] == '[') {
    const auto close = text.find("]:");
    if (close == std::string::npos) return std::nullopt;
    address.host = text.substr(1, close - 1);
    port = text.substr(close + 2);
    if (!isIpv6(address.host)) return std::nullopt;
  } else if (const auto colon = text.rfind(':'); colon != std::string::npos) {
    address.host = text.substr(0, colon);
    port = text.substr(colon + 1);
    if (address.host != "localhost" && !isIpv4(address.host)) return std::nullopt;
  }
  const auto number = port.size() <= 5 ? wholeNumber(port) : std::nullopt;
  if (!number || *number < 1 || *number > 65535) return std::nullopt;
  address.port = static_cast<int>(*number);
  return address;
}

bool isLoopback(const std::string& host) {
  if (host == "localhost") return true;
  if (isIpv4(host)) return host.rfind("127.", 0) == 0;
  // ::1 however it is written: every group zero but the last one.
  if (!isIpv6(host) || host.find('.') != std::string::npos) return false;
  std::string digits;
  for (const char c : host)
    if (c != ':') digits += c;
  return host.size() >= 3 && host.compare(host.size() - 2, 2, ":1") == 0 &&
         digits.find_first_not_of('0') == digits.size() - 1;
}

bool isLoopbackHost(const std::string& hostHeader) {
  std::string host = lower(trimmed(hostHeader));
  if (!host.empty() && host[0] == '[') {
    const auto close = host.find(']');
    if (close == std::string::npos) return false;
    const std::string rest = host.substr(close + 1);
    if (!rest.empty() && (rest[0] != ':' || !wholeNumber(rest.substr(1)))) return false;
    return isLoopback(host.substr(1, close - 1));
  }
  if (const auto colon = host.find(':'); colon != std::string::npos) {
    if (!wholeNumber(host.substr(colon + 1))) return false;
    host.resize(colon);
  }
  return isLoopback(host);
}

bool sameToken(const std::string& given, const std::string& expected) {
  // Every byte of the longer text is visited, whatever the shorter one holds.
  const std::size_t length = std::max(given.size(), expected.size());
  unsigned difference = given.size() == expected.size() ? 0 : 1;
  for (std::size_t i = 0; i < length; ++i) {
    const auto a = static_cast<unsigned char>(i < given.size() ? given[i] : 0);
    const auto b = static_cast<unsigned char>(i < expected.size() ? expected[i] : 0);
    difference |= static_cast<unsigned>(a ^ b);
  }
  return difference == 0 && !expected.empty();
}

std::optional<std::string> bearerToken(const std::string& authorization) {
  const std::string text = trimmed(authorization);
  if (text.size() <= 7 || lower(text.substr(0, 7)) != "bearer ") return std::nullopt;
  return trimmed(text.substr(7));
}

std::string tokenOfFile(const std::string& contents) {
  return trimmed(contents.substr(0, contents.find('\n')));
}

namespace {
bool isServedJournal(const std::string& name, const std::vector<std::string>& journals) {
  if (name.empty() || name == "." || name == ".." ||
      name.find_first_of(std::string("/\\\0", 3)) != std::string::npos)
    return false;
  return std::find(journals.begin(), journals.end(), name) != journals.end();
}
}  // namespace

Route routeOf(const std::string& path, const std::vector<std::string>& journals) {
  if (path == "/") return {Route::Page, {}};
  if (path == "/events") return {Route::Events, {}};
  if (path == "/plot.png") return {Route::Plot, {}};
  if (path == "/journals/") return {Route::JournalList, {}};
  const std::string prefix = "/journals/";
  if (path.compare(0, prefix.size(), prefix) != 0) return {};
  std::string name = path.substr(prefix.size());
  if (!isServedJournal(name, journals)) return {};
  return {Route::Journal, std::move(name)};
}

bool prefersGerman(const std::string& acceptLanguage, bool programGerman) {
  double german = -1, english = -1;
  std::size_t start = 0;
  while (start < acceptLanguage.size()) {
    const auto comma = std::min(acceptLanguage.find(',', start), acceptLanguage.size());
    const std::string entry = acceptLanguage.substr(start, comma - start);
    start = comma + 1;
    const auto semicolon = entry.find(';');
    const std::string tag = lower(trimmed(entry.substr(0, semicolon)));
    const double weight = semicolon == std::string::npos ? 1 : weightOf(entry.substr(semicolon));
    const std::string primary = tag.substr(0, tag.find('-'));
    // The first entry of a language counts; a later, equal weight loses to an earlier one.
    if (primary == "de" && german < 0) german = weight;
    if (primary == "en" && english < 0) english = weight;
  }
  if (german <= 0 && english <= 0) return programGerman;
  return german >= english && german > 0;
}

std::optional<PlotSize> plotSize(const std::string& width, const std::string& height,
                                 const std::string& ratio, const std::string& minutes) {
  PlotSize size;
  const auto take = [](const std::string& text, int& value, int lowest, int highest) {
    if (text.empty()) return true;
    const auto n = text.size() <= 9 ? wholeNumber(text) : std::nullopt;
    if (!n) return false;
    value = static_cast<int>(std::clamp<std::int64_t>(*n, lowest, highest));
    return true;
  };
  if (!take(width, size.width, PlotSize::Smallest, PlotSize::Largest) ||
      !take(height, size.height, PlotSize::Smallest, PlotSize::Largest) ||
      !take(ratio, size.ratio, 1, PlotSize::HighestRatio) ||
      !take(minutes, size.minutes, 0, PlotSize::MostMinutes))
    return std::nullopt;
  const std::int64_t points = std::int64_t{size.width} * size.height;
  while (size.ratio > 1 && points * size.ratio * size.ratio > PlotSize::MostPixels) --size.ratio;
  return size;
}

}  // namespace kelvor::HttpAccess
