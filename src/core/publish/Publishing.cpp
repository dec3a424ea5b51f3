// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/publish/Publishing.h"

#include <algorithm>
#include <cstdio>

#include "core/text/PrintableText.h"
#include "core/text/ReadingNumber.h"

namespace kelvor {

namespace {

bool flag(const std::optional<std::string>& text) {
  return text && !text->empty() && *text != "0";
}

std::optional<int> portNumber(const std::string& text) {
  if (text.empty() || text.size() > 5 ||
      !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
    return std::nullopt;
  const int port = std::stoi(text);
  if (port < 1 || port > 65535) return std::nullopt;
  return port;
}

// A JSON string of a reading's text as printable UTF-8 (see printableText) with quotes and
// backslashes escaped: whatever the meter sent, the payload stays valid UTF-8.
std::string jsonString(const std::string& bytes) {
  std::string result = "\"";
  for (const char c : printableText(bytes)) {
    if (c == '"' || c == '\\') result += '\\';
    result += c;
  }
  return result + '"';
}

}  // namespace

std::string PublishSettings::topicFor(const std::string& hostName, const std::string& source,
                                      bool severalSources) const {
  if (topic.empty()) return "kelvor/" + hostName + "/" + source;
  return severalSources ? topic + "/" + source : topic;
}

std::string calculationSource(int channel) {
  return "calc" + std::to_string(channel);
}

PublishSettings PublishSettings::read(const StoredSettings::Lookup& lookup) {
  PublishSettings s;
  s.enabled = flag(lookup("MqttEnabled"));
  s.host = lookup("MqttHost").value_or("");
  s.port = portNumber(lookup("MqttPort").value_or("")).value_or(0);
  s.user = lookup("MqttUser").value_or("");
  s.password = lookup("MqttPassword").value_or("");
  s.tls = flag(lookup("MqttTls"));
  s.caFile = lookup("MqttCaFile").value_or("");
  s.topic = lookup("MqttTopic").value_or("");
  return s;
}

std::vector<StoredSettings::KeyText> PublishSettings::texts() const {
  return {{"MqttEnabled", enabled ? "1" : "0"},
          {"MqttHost", host},
          {"MqttPort", port != 0 ? std::to_string(port) : ""},
          {"MqttUser", user},
          {"MqttPassword", password},
          {"MqttTls", tls ? "1" : "0"},
          {"MqttCaFile", caFile},
          {"MqttTopic", topic}};
}

std::optional<BrokerAddress> parseBrokerAddress(const std::string& text) {
  BrokerAddress address;
  std::string rest;
  if (!text.empty() && text[0] == '[') {
    const auto close = text.find(']');
    if (close == std::string::npos) return std::nullopt;
    address.host = text.substr(1, close - 1);
    rest = text.substr(close + 1);
  } else {
    const auto colon = text.find(':');
    address.host = text.substr(0, colon);
    if (colon != std::string::npos) rest = text.substr(colon);
  }
  if (address.host.empty()) return std::nullopt;
  if (rest.empty()) return address;
  const auto port = rest[0] == ':' ? portNumber(rest.substr(1)) : std::nullopt;
  if (!port) return std::nullopt;
  address.port = *port;
  return address;
}

std::string readingJson(const JournalRow& row) {
  const std::string value = readingNumber(row.value, '.');
  return "{\"time\":\"" + utcText(row.time) + "\",\"elapsed\":" + secondsText(row.elapsedMs, '.') +
         ",\"channel\":" + std::to_string(row.channel) +
         ",\"value\":" + (value.empty() ? std::string("null") : value) +
         ",\"unit\":" + jsonString(row.unit) + ",\"mode\":" + jsonString(row.mode) +
         ",\"status\":\"" + statusName(row.status) + "\"}";
}

bool isTopicPrefix(const std::string& text) {
  return text.find_first_of("#+") == std::string::npos;
}

std::chrono::seconds retryDelay(int failures) {
  const int doublings = std::clamp(failures - 1, 0, 6);
  return std::chrono::seconds(std::min(60, 1 << doublings));
}

bool FaultReports::shouldReport(PublishFault fault) {
  // An unreachable broker is an ordinary outage: the state line shows it, nothing more.
  if (fault == PublishFault::None || fault == PublishFault::Unreachable ||
      (fault == PublishFault::Refused && connectedOnce_) ||
      std::find(told_.begin(), told_.end(), fault) != told_.end())
    return false;
  told_.push_back(fault);
  return true;
}

std::string brokerText(const PublishSettings& settings) {
  return settings.host + ":" + std::to_string(settings.effectivePort());
}

Message publishFaultReason(PublishFault fault, const PublishSettings& settings,
                           const std::string& detail) {
  switch (fault) {
    case PublishFault::UnknownHost:
      return Message(MessageId::PublishUnknownHost, {settings.host});
    case PublishFault::Login:
      return Message(MessageId::PublishLogin, {brokerText(settings), detail});
    case PublishFault::Certificate:
      return Message(MessageId::PublishCertificate, {brokerText(settings), detail});
    case PublishFault::Refused:
      return Message(MessageId::PublishRefused, {brokerText(settings), detail});
    case PublishFault::CaFile:
      return Message(MessageId::PublishCaFile, {settings.caFile, detail});
    case PublishFault::None:
    case PublishFault::Unreachable:
      break;
  }
  return Message(MessageId::PublishUnreachable, {brokerText(settings), detail});
}

}  // namespace kelvor
