// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <chrono>
#include <mutex>
#include <string>

#include "core/record/HttpAccess.h"
#include "record/LiveFeed.h"
#include "record/PlotPicture.h"

struct MHD_Daemon;
struct MHD_Connection;

namespace kelvor {

// kelvor-record's read-only web server (--http): the live page, its events, the plot and the
// run's journals. It answers in libmicrohttpd's threads, one a connection, from what the
// recorder hands to its feed; the recorder's thread never waits for a client.
class LiveServer {
 public:
  static constexpr unsigned ConnectionLimit = 60;
  static constexpr unsigned PerAddressLimit = 20;
  static constexpr unsigned TimeoutS = 30;              // a connection idle this long is closed
  static constexpr std::size_t RequestBytes = 32768;    // headers and all of a request
  static constexpr std::chrono::seconds KeepAlive{15};  // a comment on a quiet event stream
  // The kernel's room for an event stream's unsent bytes (it doubles it): a client that stops
  // reading fills it within a minute at a few meters and is closed TimeoutS later.
  static constexpr int EventSendBytes = 4096;

  // `token` empty: no token asked for (on a loopback address only).
  LiveServer(const HttpAddress& address, std::string token, bool german, char decimalSeparator);
  ~LiveServer();
  LiveServer(const LiveServer&) = delete;
  LiveServer& operator=(const LiveServer&) = delete;

  // Listens; on failure, says why.
  bool start(std::string& error);
  void stop();
  LiveFeed& feed() { return feed_; }

  // libmicrohttpd's entry: one request.
  int answer(MHD_Connection* connection, const std::string& url, const std::string& method);

 private:
  bool allowed(MHD_Connection* connection) const;
  int plot(MHD_Connection* connection);
  int events(MHD_Connection* connection);
  int journalList(MHD_Connection* connection);
  int journal(MHD_Connection* connection, const std::string& name);

  HttpAddress address_;
  std::string token_;
  bool german_;
  char separator_;
  LiveFeed feed_;
  MHD_Daemon* daemon_ = nullptr;
  std::mutex plotMutex_;  // one picture at a time; a second asked within a second is the same
  PlotPicture picture_;
  QByteArray plotPng_;
  HttpAccess::PlotSize plotSize_;
  std::chrono::steady_clock::time_point plotTime_;
};

}  // namespace kelvor
