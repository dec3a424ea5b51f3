// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include "core/journal/JournalFormat.h"
#include "core/settings/StoredSettings.h"
#include "core/text/Message.h"

namespace kelvor {

// Where and how the readings are published: an MQTT broker, optionally with a login and TLS.
// Stored with the other settings under the keys "Mqtt…".
struct PublishSettings {
  static constexpr int PlainPort = 1883;
  static constexpr int TlsPort = 8883;

  bool enabled = false;
  std::string host;
  int port = 0;  // 0: the usual port, 1883 or with TLS 8883
  std::string user;
  std::string password;
  bool tls = false;
  std::string caFile;  // empty: the system's certificate authorities
  std::string topic;   // empty: "kelvor/<host name>/<source>"

  int effectivePort() const { return port != 0 ? port : (tls ? TlsPort : PlainPort); }
  // The topic prefix of one source of readings: `source` is a meter's name (see meterName) or
  // a calculated channel's (calculationSource). Without a topic "kelvor/<host>/<source>";
  // with one, the topic itself when it is the only source a program publishes, else
  // "<topic>/<source>", so that several sources never share a topic.
  std::string topicFor(const std::string& hostName, const std::string& source,
                       bool severalSources) const;

  static PublishSettings read(const StoredSettings::Lookup& lookup);
  std::vector<StoredSettings::KeyText> texts() const;
};

// The name under which calculated channel `channel` (from 1, its place among all channels)
// is published: "calc3".
std::string calculationSource(int channel);

// A broker address as given on a command line: "HOST" or "HOST:PORT", an IPv6 address in
// brackets ("[::1]:1883"). Nothing when the host is empty or the port is not 1 to 65535.
struct BrokerAddress {
  std::string host;
  int port = 0;  // 0: none given
};
std::optional<BrokerAddress> parseBrokerAddress(const std::string& text);

// One reading as the JSON object published for it; "value" is null without a usable value.
std::string readingJson(const JournalRow& row);

// How long to wait before the next attempt after `failures` failed ones in a row (at least
// one): doubling from one second up to a minute.
std::chrono::seconds retryDelay(int failures);

// What went wrong with the broker; each kind is told to the user once until a connection
// succeeds again.
enum class PublishFault { None, Unreachable, UnknownHost, Login, Certificate, Refused, CaFile };

// Whether a text can begin the topics of published readings: MQTT's wildcards # and + only
// subscribe, a message cannot be published to them.
bool isTopicPrefix(const std::string& text);

// The connection as the user sees it.
struct PublishStatus {
  enum class State { Off, Connecting, Connected, Waiting };
  State state = State::Off;
  PublishFault fault = PublishFault::None;  // why it is waiting
  int retrySeconds = 0;                     // while waiting
  std::string detail;                       // the library's or system's words
};

// "host:port" of the broker the settings name.
std::string brokerText(const PublishSettings& settings);
// Why publishing does not work, for the user: `detail` is the library's or system's words.
Message publishFaultReason(PublishFault fault, const PublishSettings& settings,
                           const std::string& detail);

// Decides which faults are told: the first of its kind since the last connection; an
// unreachable broker never, nor one that refuses the connection after it once accepted it
// (both are outages; a refusal at the start is a wrong host or port).
class FaultReports {
 public:
  bool shouldReport(PublishFault fault);
  void connected() {
    told_.clear();
    connectedOnce_ = true;
  }

 private:
  std::vector<PublishFault> told_;
  bool connectedOnce_ = false;
};

}  // namespace kelvor
