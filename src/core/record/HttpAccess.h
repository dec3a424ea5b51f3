// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kelvor {

// Where kelvor-record's live page listens: "--http [ADDRESS:]PORT".
struct HttpAddress {
  std::string host = "127.0.0.1";  // a numeric IPv4 or IPv6 address, or "localhost"
  int port = 0;
};

// The pieces of a live page request that decide what it may see; no Qt, no sockets.
namespace HttpAccess {

// "8080", "0.0.0.0:8080", "[::1]:8080", "localhost:8080"; nothing for anything else (a port
// outside 1..65535, a host name, an address that is no address).
std::optional<HttpAddress> parseAddress(const std::string& text);
// Only this machine can reach the address: 127.0.0.0/8, ::1 or localhost.
bool isLoopback(const std::string& host);

// A request's Host header names this machine by a loopback address or "localhost" (with or
// without a port). Without a token only such requests are answered: a web site that points
// its own name at 127.0.0.1 cannot have a browser read the page for it.
bool isLoopbackHost(const std::string& hostHeader);

// Equal texts, compared in a time that does not depend on where they differ.
bool sameToken(const std::string& given, const std::string& expected);
// The token of an "Authorization: Bearer TOKEN" header; nothing for another scheme.
std::optional<std::string> bearerToken(const std::string& authorization);
// The token file's first line without surrounding blanks.
std::string tokenOfFile(const std::string& contents);

// What a request's path (as the server library hands it over, already unescaped) asks for.
struct Route {
  enum Kind { Page, Events, Plot, JournalList, Journal, NotFound };
  Kind kind = NotFound;
  std::string journal;  // for Journal: one of the journals' names
};
// The exact paths "/", "/events", "/plot.png", "/journals/" and "/journals/NAME", NAME one of
// the journals' names and nothing but a plain file name; anything else is not found.
Route routeOf(const std::string& path, const std::vector<std::string>& journals);

// German when the Accept-Language header ranks German over English; without either, the
// program's language.
bool prefersGerman(const std::string& acceptLanguage, bool programGerman);

// The plot picture a request asks for: its size in points, each point ratio pixels across.
struct PlotSize {
  static constexpr int Smallest = 100;
  static constexpr int Largest = 4000;
  static constexpr int HighestRatio = 4;
  static constexpr std::int64_t MostPixels = 16'000'000;  // 64 MB of picture
  static constexpr int MostMinutes = 60 * 24 * 366;
  int width = 800;
  int height = 400;
  int ratio = 1;
  int minutes = 0;  // the last minutes of the recording; 0: all of it
};
// Width, height, ratio and minutes as given (empty: the default), each held within its bounds
// and the ratio lowered until the picture has at most MostPixels; nothing for a value that is
// no whole number.
std::optional<PlotSize> plotSize(const std::string& width, const std::string& height,
                                 const std::string& ratio, const std::string& minutes = {});

}  // namespace HttpAccess

}  // namespace kelvor
