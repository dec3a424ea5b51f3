// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "core/record/EventQueue.h"
#include "core/record/HttpAccess.h"
#include "core/record/RecordOptions.h"

namespace kelvor {
namespace {

// "host port", or the error line up to its first ": ".
std::string httpOf(const std::vector<std::string>& args) {
  const ParsedRecordOptions parsed = parseRecordOptions(args, {});
  if (!parsed.error.empty()) return parsed.error.substr(0, parsed.error.find(": "));
  const auto& http = parsed.options.http;
  return http ? http->host + " " + std::to_string(http->port) : "none";
}

TEST(HttpOptions, ParseTheAddressAndAskATokenWhereOthersCanReachIt) {
  // "arguments>what they give"
  for (const std::string c :
       {">none", "--http 8080>127.0.0.1 8080", "--http=localhost:1>localhost 1",
        "--http 127.1.2.3:65535>127.1.2.3 65535", "--http [::1]:80>::1 80",
        "--http 0.0.0.0:80 --http-token-file t>0.0.0.0 80",
        "--http [::]:80 --http-token-file t>:: 80", "--http 0.0.0.0:80>--http 0.0.0.0",
        "--http 192.168.1.2:80>--http 192.168.1.2", "--http [::]:80>--http ::",
        "--http-token-file t>--http-token-file needs --http", "--http 0>--http 0",
        "--http 65536>--http 65536", "--http host.example:80>--http host.example:80",
        "--http 1.2.3.256:80>--http 1.2.3.256:80", "--http 1.2.3:80>--http 1.2.3:80",
        "--http [::1]80>--http [::1]80", "--http :80>--http :80", "--http>--http needs a value"}) {
    std::vector<std::string> args;
    std::istringstream words(c.substr(0, c.find('>')));
    for (std::string word; words >> word;) args.push_back(word);
    EXPECT_EQ(httpOf(args), c.substr(c.find('>') + 1)) << c;
  }
}

TEST(HttpAccess, LoopbackAddresses) {
  for (const std::string host : {"127.0.0.1", "127.255.0.9", "localhost", "::1", "0:0:0::0:1"})
    EXPECT_TRUE(HttpAccess::isLoopback(host)) << host;
  for (const std::string host : {"0.0.0.0", "128.0.0.1", "::", "::11", "1::1", "::ffff:127.0.0.1"})
    EXPECT_FALSE(HttpAccess::isLoopback(host)) << host;
  for (const std::string header :
       {"127.0.0.1:8080", "localhost", "LocalHost:80", "[::1]:8080", "[::1]"})
    EXPECT_TRUE(HttpAccess::isLoopbackHost(header)) << header;
  for (const std::string header :
       {"evil.example:8080", "127.0.0.1.evil.example", "localhost:80x", "[::1]x", ""})
    EXPECT_FALSE(HttpAccess::isLoopbackHost(header)) << header;
}

TEST(HttpAccess, TokensMustMatchWhole) {
  using HttpAccess::sameToken;
  EXPECT_TRUE(sameToken("s3cret", "s3cret"));
  EXPECT_FALSE(sameToken("", ""));  // no token set lets nobody in
  for (const std::string& given :
       std::vector<std::string>{"s3cre", "s3cretX", "S3cret", std::string("s3cret\0", 7)})
    EXPECT_FALSE(sameToken(given, "s3cret")) << given;
  EXPECT_EQ(HttpAccess::bearerToken("Bearer  abc "), "abc");
  EXPECT_EQ(HttpAccess::bearerToken("bearer abc"), "abc");
  EXPECT_EQ(HttpAccess::bearerToken("Basic abc"), std::nullopt);
  EXPECT_EQ(HttpAccess::bearerToken("Bearer"), std::nullopt);
  EXPECT_EQ(HttpAccess::tokenOfFile("  abc \r\nsecond line"), "abc");
}

TEST(HttpAccess, RoutesExactPathsAndOnlyTheListedJournalsByTheirPlainNames) {
  using Route = HttpAccess::Route;
  const std::vector<std::string> journals{"2026-12-08_COM1.csv.part", "run.csv", "..", "a/b"};
  for (const auto& [path, kind] : std::vector<std::pair<std::string, Route::Kind>>{
           {"/", Route::Page},
           {"/events", Route::Events},
           {"/plot.png", Route::Plot},
           {"/journals/", Route::JournalList},
           {"/journals/run.csv", Route::Journal},
           {"/journals/2026-12-08_COM1.csv.part", Route::Journal}}) {
    const Route route = HttpAccess::routeOf(path, journals);
    EXPECT_EQ(route.kind, kind) << path;
    EXPECT_EQ(route.journal, kind == Route::Journal ? path.substr(10) : "") << path;
  }
  for (const std::string& path :
       std::vector<std::string>{"/journals/other.csv", "/journals/../run.csv", "/journals//run.csv",
                                "/journals/a/b", "/journals/..", "/journals", "/journals/run.csv/",
                                std::string("/journals/run.csv\0", 18), "/events/", "//", ""}) {
    const Route route = HttpAccess::routeOf(path, journals);
    EXPECT_TRUE(route.kind == Route::NotFound && route.journal.empty()) << path;
  }
}

TEST(HttpAccess, PageLanguageFollowsAcceptLanguage) {
  using Row = std::tuple<std::string, bool, bool>;
  for (const auto& [header, programGerman, german] :
       {Row{"de-DE,de;q=0.9,en;q=0.8", false, true}, Row{"en-US,en;q=0.9,de;q=0.8", true, false},
        Row{"fr, en;q=0.5, de;q=0.7", false, true}, Row{"de;q=0.5, EN", true, false},
        Row{"fr", true, true}, Row{"", false, false}, Row{"de;q=0", false, false}})
    EXPECT_EQ(HttpAccess::prefersGerman(header, programGerman), german) << header;
}

TEST(HttpAccess, PlotSizeIsBounded) {
  using Size = std::tuple<int, int, int>;
  using Row = std::tuple<std::string, std::string, std::string, std::optional<Size>>;
  for (const auto& [width, height, ratio, expected] : std::vector<Row>{
           Row{"", "", "", Size{800, 400, 1}}, Row{"640", "480", "2", Size{640, 480, 2}},
           Row{"5", "99999999", "9", Size{100, 4000, 4}},
           Row{"4000", "4000", "4", Size{4000, 4000, 1}},  // at most 16 million pixels
           Row{"2000", "1000", "4", Size{2000, 1000, 2}}, Row{"12345678901", "", "", std::nullopt},
           Row{"-5", "", "", std::nullopt}, Row{"", "1e3", "", std::nullopt},
           Row{"", "", "0", Size{800, 400, 1}}}) {
    const auto size = HttpAccess::plotSize(width, height, ratio);
    EXPECT_EQ(size ? std::optional(Size{size->width, size->height, size->ratio}) : std::nullopt,
              expected)
        << width << " " << height << " " << ratio;
  }
  for (const auto& [minutes, shown] : std::vector<std::pair<std::string, std::optional<int>>>{
           {"", 0}, {"90", 90}, {"999999999", HttpAccess::PlotSize::MostMinutes}, {"-1", {}}}) {
    const auto size = HttpAccess::plotSize("", "", "", minutes);
    EXPECT_EQ(size ? std::optional(size->minutes) : std::nullopt, shown) << minutes;
  }
}

TEST(EventQueue, ASlowClientLosesItsOldestEvents) {
  EventQueue queue(3);
  for (const char* event : {"1", "2", "3", "4", "5"}) queue.push(event);
  EXPECT_EQ(queue.lost(), 2u);
  EXPECT_EQ(queue.takeAll(), "345");
  EXPECT_TRUE(queue.empty());
  queue.push("6");
  EXPECT_EQ(queue.takeAll(), "6");
}

}  // namespace
}  // namespace kelvor
