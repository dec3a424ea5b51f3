// SPDX-License-Identifier: GPL-3.0-or-later
#include "record/LiveServer.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <microhttpd.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "record/LivePage.h"

namespace kelvor {

namespace {

using namespace std::chrono_literals;

std::string valueOf(MHD_Connection* connection, MHD_ValueKind kind, const char* key) {
  const char* value = MHD_lookup_connection_value(connection, kind, key);
  return value ? value : "";
}

int send(MHD_Connection* connection, unsigned status, MHD_Response* response,
         const char* type = nullptr) {
  if (!response) return MHD_NO;
  if (type) MHD_add_response_header(response, MHD_HTTP_HEADER_CONTENT_TYPE, type);
  MHD_add_response_header(response, "X-Content-Type-Options", "nosniff");
  // No frames of it elsewhere, no token in a Referer, no script from anywhere else.
  MHD_add_response_header(response, "X-Frame-Options", "DENY");
  MHD_add_response_header(response, "Referrer-Policy", "no-referrer");
  MHD_add_response_header(response, "Content-Security-Policy",
                          "default-src 'self'; script-src 'self' 'unsafe-inline'; "
                          "style-src 'self' 'unsafe-inline'; frame-ancestors 'none'");
  MHD_add_response_header(response, MHD_HTTP_HEADER_CACHE_CONTROL, "no-store");
  const MHD_Result result = MHD_queue_response(connection, status, response);
  MHD_destroy_response(response);
  return result;
}

int sendText(MHD_Connection* connection, unsigned status, const std::string& text,
             const char* type = "text/plain; charset=utf-8") {
  return send(connection, status,
              MHD_create_response_from_buffer(text.size(), const_cast<char*>(text.data()),
                                              MHD_RESPMEM_MUST_COPY),
              type);
}

// One event stream: what the client has yet to be sent.
struct EventStream {
  LiveFeed& feed;
  std::shared_ptr<LiveFeed::Client> client;
  std::string pending;
};

ssize_t readEvents(void* cls, std::uint64_t, char* buffer, std::size_t size) {
  auto& stream = *static_cast<EventStream*>(cls);
  if (stream.pending.empty()) {
    // Blocks this connection's own thread only.
    const std::optional<std::string> events =
        stream.feed.next(*stream.client, LiveServer::KeepAlive);
    if (!events) return MHD_CONTENT_READER_END_OF_STREAM;
    stream.pending = events->empty() ? std::string(":\n\n") : *events;
  }
  const std::size_t n = std::min(size, stream.pending.size());
  std::memcpy(buffer, stream.pending.data(), n);
  stream.pending.erase(0, n);
  return static_cast<ssize_t>(n);
}

void endEvents(void* cls) {
  auto* stream = static_cast<EventStream*>(cls);
  stream->feed.unsubscribe(stream->client);
  delete stream;
}

MHD_Result request(void* cls, MHD_Connection* connection, const char* url, const char* method,
                   const char*, const char*, std::size_t*, void**) {
  return static_cast<LiveServer*>(cls)->answer(connection, url, method) == MHD_YES ? MHD_YES
                                                                                   : MHD_NO;
}

}  // namespace

LiveServer::LiveServer(const HttpAddress& address, std::string token, bool german,
                       char decimalSeparator)
    : address_(address),
      token_(std::move(token)),
      german_(german),
      separator_(decimalSeparator),
      feed_(decimalSeparator),
      picture_(decimalSeparator) {}

LiveServer::~LiveServer() {
  stop();
}

bool LiveServer::start(std::string& error) {
  sockaddr_in v4{};
  sockaddr_in6 v6{};
  const std::string host = address_.host == "localhost" ? "127.0.0.1" : address_.host;
  const bool ipv6 = host.find(':') != std::string::npos;
  v4.sin_family = AF_INET;
  v4.sin_port = htons(static_cast<std::uint16_t>(address_.port));
  v6.sin6_family = AF_INET6;
  v6.sin6_port = v4.sin_port;
  if (::inet_pton(ipv6 ? AF_INET6 : AF_INET, host.c_str(),
                  ipv6 ? static_cast<void*>(&v6.sin6_addr) : &v4.sin_addr) != 1) {
    error = "no such address";
    return false;
  }
  const auto* socketAddress =
      ipv6 ? reinterpret_cast<const sockaddr*>(&v6) : reinterpret_cast<const sockaddr*>(&v4);
  const unsigned flags = MHD_USE_THREAD_PER_CONNECTION | MHD_USE_INTERNAL_POLLING_THREAD |
                         MHD_USE_POLL | MHD_USE_ITC | (ipv6 ? MHD_USE_IPv6 : 0);
  errno = 0;
  daemon_ = MHD_start_daemon(
      flags, static_cast<std::uint16_t>(address_.port), nullptr, nullptr, &request, this,
      MHD_OPTION_SOCK_ADDR, socketAddress, MHD_OPTION_CONNECTION_LIMIT, ConnectionLimit,
      MHD_OPTION_PER_IP_CONNECTION_LIMIT, PerAddressLimit, MHD_OPTION_CONNECTION_TIMEOUT, TimeoutS,
      MHD_OPTION_CONNECTION_MEMORY_LIMIT, RequestBytes, MHD_OPTION_END);
  if (!daemon_) error = errno ? std::strerror(errno) : "cannot listen";
  return daemon_ != nullptr;
}

void LiveServer::stop() {
  feed_.close();  // ends the event streams, whose threads the daemon waits for
  if (daemon_) MHD_stop_daemon(daemon_);
  daemon_ = nullptr;
}

bool LiveServer::allowed(MHD_Connection* connection) const {
  if (token_.empty())
    return HttpAccess::isLoopbackHost(valueOf(connection, MHD_HEADER_KIND, MHD_HTTP_HEADER_HOST));
  const auto bearer =
      HttpAccess::bearerToken(valueOf(connection, MHD_HEADER_KIND, MHD_HTTP_HEADER_AUTHORIZATION));
  const std::string given = bearer ? *bearer : valueOf(connection, MHD_GET_ARGUMENT_KIND, "token");
  return HttpAccess::sameToken(given, token_);
}

int LiveServer::answer(MHD_Connection* connection, const std::string& url,
                       const std::string& method) {
  if (!allowed(connection)) {
    MHD_Response* response = MHD_create_response_from_buffer(0, nullptr, MHD_RESPMEM_PERSISTENT);
    if (response) MHD_add_response_header(response, MHD_HTTP_HEADER_WWW_AUTHENTICATE, "Bearer");
    return send(connection, MHD_HTTP_UNAUTHORIZED, response);
  }
  if (method != MHD_HTTP_METHOD_GET && method != MHD_HTTP_METHOD_HEAD) {
    MHD_Response* response = MHD_create_response_from_buffer(0, nullptr, MHD_RESPMEM_PERSISTENT);
    if (response) MHD_add_response_header(response, MHD_HTTP_HEADER_ALLOW, "GET, HEAD");
    return send(connection, MHD_HTTP_METHOD_NOT_ALLOWED, response);
  }
  const HttpAccess::Route route = HttpAccess::routeOf(url, feed_.journalNames());
  switch (route.kind) {
    case HttpAccess::Route::Page: {
      const bool german = HttpAccess::prefersGerman(
          valueOf(connection, MHD_HEADER_KIND, MHD_HTTP_HEADER_ACCEPT_LANGUAGE), german_);
      return sendText(connection, MHD_HTTP_OK, livePage(german, separator_, feed_.latest()),
                      "text/html; charset=utf-8");
    }
    case HttpAccess::Route::Events:
      return events(connection);
    case HttpAccess::Route::Plot:
      return plot(connection);
    case HttpAccess::Route::JournalList:
      return journalList(connection);
    case HttpAccess::Route::Journal:
      return journal(connection, route.journal);
    case HttpAccess::Route::NotFound:
      break;
  }
  return sendText(connection, MHD_HTTP_NOT_FOUND, "not found\n");
}

int LiveServer::plot(MHD_Connection* connection) {
  const auto size = HttpAccess::plotSize(valueOf(connection, MHD_GET_ARGUMENT_KIND, "width"),
                                         valueOf(connection, MHD_GET_ARGUMENT_KIND, "height"),
                                         valueOf(connection, MHD_GET_ARGUMENT_KIND, "ratio"),
                                         valueOf(connection, MHD_GET_ARGUMENT_KIND, "minutes"));
  if (!size)
    return sendText(connection, MHD_HTTP_BAD_REQUEST,
                    "width, height, ratio, minutes: whole numbers\n");
  QByteArray png;
  {
    const std::lock_guard lock(plotMutex_);
    const auto now = std::chrono::steady_clock::now();
    const bool same = plotSize_.width == size->width && plotSize_.height == size->height &&
                      plotSize_.ratio == size->ratio && plotSize_.minutes == size->minutes;
    if (plotPng_.isEmpty() || !same || now - plotTime_ >= 1s) {
      plotPng_ = picture_.png(feed_.traces(), *size);
      plotSize_ = *size;
      plotTime_ = now;
    }
    png = plotPng_;
  }
  return send(connection, MHD_HTTP_OK,
              MHD_create_response_from_buffer(static_cast<std::size_t>(png.size()), png.data(),
                                              MHD_RESPMEM_MUST_COPY),
              "image/png");
}

int LiveServer::events(MHD_Connection* connection) {
  if (const MHD_ConnectionInfo* info =
          MHD_get_connection_info(connection, MHD_CONNECTION_INFO_CONNECTION_FD))
    ::setsockopt(info->connect_fd, SOL_SOCKET, SO_SNDBUF, &EventSendBytes, sizeof EventSendBytes);
  auto* stream = new EventStream{feed_, feed_.subscribe(), {}};
  MHD_Response* response =
      MHD_create_response_from_callback(MHD_SIZE_UNKNOWN, 4096, &readEvents, stream, &endEvents);
  if (!response) {
    endEvents(stream);
    return MHD_NO;
  }
  return send(connection, MHD_HTTP_OK, response, "text/event-stream");
}

int LiveServer::journalList(MHD_Connection* connection) {
  std::string list =
      "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>Kelvor</title>"
      "</head><body><ul>\n";
  for (const std::string& journal : feed_.journalNames())
    list += "<li><a href=\"" + htmlText(journal) + "\">" + htmlText(journal) + "</a></li>\n";
  return sendText(connection, MHD_HTTP_OK, list + "</ul></body></html>\n",
                  "text/html; charset=utf-8");
}

int LiveServer::journal(MHD_Connection* connection, const std::string& name) {
  // Never through a link: a journal replaced by one leads nowhere.
  const int file = ::open(feed_.journalPath(name).c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
  struct stat status {};
  if (file < 0 || ::fstat(file, &status) != 0 || !S_ISREG(status.st_mode)) {
    if (file >= 0) ::close(file);
    return sendText(connection, MHD_HTTP_NOT_FOUND, "not found\n");
  }
  // The size it has now: a journal being written grows on. The response owns the file.
  MHD_Response* response =
      MHD_create_response_from_fd(static_cast<std::uint64_t>(status.st_size), file);
  if (!response) ::close(file);
  return send(connection, MHD_HTTP_OK, response, "text/csv; charset=utf-8");
}

}  // namespace kelvor
