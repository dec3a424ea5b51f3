// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/record/RecordOptions.h"

#include <algorithm>
#include <functional>
#include <map>
#include <sstream>

#include "core/acquisition/MeterChoice.h"
#include "core/acquisition/MeterFamily.h"
#include "core/acquisition/MeterModels.h"
#include "core/acquisition/PortTable.h"
#include "core/network/NetworkAddress.h"
#include "core/record/RuleOptions.h"

namespace kelvor {

namespace {

using ChannelParser = bool (CommandLineChannels::*)(const std::string&);

// The names of the streaming families, ", " between them.
std::string streamingFamilyNames() {
  std::string names;
  for (const MeterFamily* family : meterFamilies())
    if (family->streaming()) names += (names.empty() ? "" : ", ") + std::string(family->name());
  return names;
}

// `words` broken into lines of at most 80 columns, each after `indent` blanks.
std::string wrapped(const std::string& words, std::size_t indent) {
  std::string text, line;
  std::istringstream in(words);
  for (std::string word; in >> word;) {
    if (!line.empty() && indent + line.size() + 1 + word.size() > 80) {
      text += std::string(indent, ' ') + line + "\n";
      line.clear();
    }
    line += (line.empty() ? "" : " ") + word;
  }
  return text + std::string(indent, ' ') + line + "\n";
}

// The options that make channels, with what each accepts.
const std::map<std::string, std::pair<ChannelParser, std::string>>& channelOptions() {
  static const std::map<std::string, std::pair<ChannelParser, std::string>> options{
      {"--port",
       {&CommandLineChannels::port,
        "COMn (1 to 256), /dev/PATH, rfc2217://HOST:PORT, tcp://HOST:PORT or "
        "hid:VID:PID[:SERIAL]"}},
      {"--baud", {&CommandLineChannels::baud, meterRatesText()}},
      {"--meter",
       {&CommandLineChannels::meter, "single, four, ut61eplus, fluke28x, " +
                                         streamingFamilyNames() + " or a model of --list-meters"}},
      {"--calc",
       {&CommandLineChannels::calc,
        "NAME=A*B, NAME=A/B, NAME=A-B or NAME=int(A) with channel numbers A and B"}},
  };
  return options;
}

bool parseCount(const std::string& text, RecordOptions& o) {
  const auto n = wholeNumber(text);
  if (!n || *n < 1) return false;
  o.count = *n;
  return true;
}

bool parseLanguage(const std::string& text, RecordOptions& o) {
  if (text != "de" && text != "en") return false;
  o.english = text == "en";
  return true;
}

bool parseBroker(const std::string& text, RecordOptions& o) {
  const auto address = parseBrokerAddress(text);
  if (!address) return false;
  o.publish.enabled = true;
  o.publish.host = address->host;
  o.publish.port = address->port;
  return true;
}

// An option that stores a text that must not be empty.
template <std::string PublishSettings::*Field>
bool publishText(const std::string& text, RecordOptions& o) {
  o.publish.*Field = text;
  return !text.empty();
}

using ValueParser = std::function<bool(const std::string&, RecordOptions&)>;

// The options that take a value, with what each accepts (for the error line).
const std::map<std::string, std::pair<ValueParser, const char*>>& valueOptions() {
  static const std::map<std::string, std::pair<ValueParser, const char*>> options{
      {"--duration",
       {[](const std::string& t, RecordOptions& o) {
          const auto s = parseDuration(t);
          o.durationS = s.value_or(0);
          return s.has_value();
        },
        "a positive number with s, m or h, e.g. 90s, 15m, 24h"}},
      {"--count", {parseCount, "a whole number of readings from 1"}},
      {"--alarm",
       {[](const std::string& t, RecordOptions& o) {
          o.alarmText = t;
          o.alarm = parseAlarmCondition(t);
          return o.alarm.valid;
        },
        "a condition such as \"< 0,8\" or \"> 1.5\""}},
      {"--output",
       {[](const std::string& t, RecordOptions& o) {
          o.output = t;
          return !t.empty();
        },
        "FILE.csv or -"}},
      {"--language", {parseLanguage, "de or en"}},
      {"--mqtt", {parseBroker, "HOST or HOST:PORT"}},
      {"--http",
       {[](const std::string& t, RecordOptions& o) {
          o.http = HttpAccess::parseAddress(t);
          return o.http.has_value();
        },
        "[ADDRESS:]PORT, ADDRESS a numeric IPv4 address, [IPv6] or localhost"}},
      {"--http-token-file",
       {[](const std::string& t, RecordOptions& o) {
          o.httpTokenFile = t;
          return !t.empty();
        },
        "a file holding the access token"}},
      {"--mqtt-topic",
       {[](const std::string& t, RecordOptions& o) {
          return publishText<&PublishSettings::topic>(t, o) && isTopicPrefix(t);
        },
        "a topic prefix without # or +"}},
      {"--mqtt-user", {publishText<&PublishSettings::user>, "a user name"}},
      {"--mqtt-cafile",
       {[](const std::string& t, RecordOptions& o) {
          o.publish.tls = true;
          return publishText<&PublishSettings::caFile>(t, o);
        },
        "a CA certificate file (TLS)"}},
  };
  return options;
}

// The start and stop options: each sets its rule, or says what is wrong with its value.
using RuleParser = std::function<std::string(const std::string&, RecordOptions&)>;
const std::map<std::string, RuleParser>& ruleOptions() {
  static const auto start = [](ParsedStart (*parse)(const std::string&)) {
    return [parse](const std::string& t, RecordOptions& o) {
      ParsedStart parsed = parse(t);
      o.start = parsed.rule;
      return parsed.error;
    };
  };
  static const auto stop = [](ParsedStop (*parse)(const std::string&)) {
    return [parse](const std::string& t, RecordOptions& o) {
      ParsedStop parsed = parse(t);
      o.stop = parsed.rule;
      return parsed.error;
    };
  };
  static const std::map<std::string, RuleParser> options{
      {"--start-at", start(parseStartAt)},
      {"--start-when", start(parseStartWhen)},
      {"--stop-after", stop(parseStopAfter)},
      {"--stop-at", stop(parseStopAt)},
      {"--stop-when", stop(parseStopWhen)},
      {"--pre-trigger",
       [](const std::string& t, RecordOptions& o) {
         const ParsedPreTrigger parsed = parsePreTrigger(t);
         o.preTriggerS = parsed.seconds;
         return parsed.error;
       }},
  };
  return options;
}

// What is wrong with the live page's options; empty when nothing is.
std::string httpProblem(const RecordOptions& o) {
  if (!o.http && !o.httpTokenFile.empty()) return "--http-token-file needs --http";
  // Others could reach the page: never without a token.
  if (o.http && o.httpTokenFile.empty() && !HttpAccess::isLoopback(o.http->host))
    return "--http " + o.http->host + ": an address others can reach needs --http-token-file";
  return {};
}

}  // namespace

std::optional<std::int64_t> parseDuration(const std::string& text) {
  if (text.size() < 2) return std::nullopt;
  static const std::map<char, std::int64_t> Units{{'s', 1}, {'m', 60}, {'h', 3600}};
  const auto unit = Units.find(text.back());
  const auto n = wholeNumber(text.substr(0, text.size() - 1));
  if (unit == Units.end() || !n || *n == 0) return std::nullopt;
  return *n * unit->second;
}

int portForDevice(const std::string& path) {
  for (int port = 1; port <= HighestPort; ++port)
    if (fixedDeviceForPort(port) == path) return port;
  return 0;
}

ParsedRecordOptions parseRecordOptions(const std::vector<std::string>& args,
                                       const RecordOptions& defaults) {
  ParsedRecordOptions result{defaults, {}};
  RecordOptions& o = result.options;
  CommandLineChannels channels({defaults.port, defaults.devicePath, defaults.baud});
  const std::map<std::string, bool*> flags{{"--quiet", &o.quiet},
                                           {"--wait", &o.wait},
                                           {"--help", &o.help},
                                           {"--version", &o.version},
                                           {"--list-meters", &o.listMeters}};
  for (std::size_t i = 0; i < args.size(); ++i) {
    std::string name = args[i];
    std::optional<std::string> value;
    if (const auto equals = name.find('='); name.rfind("--", 0) == 0 && equals != name.npos) {
      value = name.substr(equals + 1);
      name.resize(equals);
    }
    if (const auto flag = flags.find(name); flag != flags.end() && !value) {
      *flag->second = true;
      continue;
    }
    if (const auto rule = ruleOptions().find(name); rule != ruleOptions().end()) {
      if (!value && i + 1 < args.size()) value = args[++i];
      result.error = value ? rule->second(*value, o) : name + " needs a value";
      if (!result.error.empty()) return result;
      continue;
    }
    const auto channel = channelOptions().find(name);
    const auto option = valueOptions().find(name);
    const bool makesChannel = channel != channelOptions().end();
    if (!makesChannel && option == valueOptions().end()) {
      result.error = "unknown option: " + args[i];
      return result;
    }
    const std::string expected = makesChannel ? channel->second.second : option->second.second;
    if (!value && i + 1 < args.size()) value = args[++i];
    if (!value) {
      result.error = name + " needs a value: " + expected;
    } else if (makesChannel ? !(channels.*(channel->second.first))(*value)
                            : !option->second.first(*value, o)) {
      result.error = name + " " + *value + ": expected " + expected;
    }
    if (!result.error.empty()) return result;
  }
  result.error = channels.finish(o.channels);
  if (!result.error.empty()) return result;
  const RecordMeter& first =
      std::find_if(o.channels.begin(), o.channels.end(), [](const RecordChannel& c) {
        return !c.calculation;
      })->meter;
  o.port = first.port;
  o.devicePath = first.devicePath;
  o.baud = first.baud;
  if (o.preTriggerS > 0 && o.start.kind != StartRule::Kind::When)
    result.error = "--pre-trigger needs --start-when";
  const PublishSettings& p = o.publish;
  if (!p.enabled && (!p.topic.empty() || !p.user.empty() || p.tls))
    result.error = "--mqtt-topic, --mqtt-user and --mqtt-cafile need --mqtt HOST";
  if (const std::string problem = httpProblem(o); !problem.empty()) result.error = problem;
  return result;
}

std::string recordHelp() {
  return "Usage: kelvor-record [OPTION]...\n"
         "Records a serial multimeter's readings into a journal, without a window.\n"
         "Port, baud rate and meter kind default to Kelvor's stored settings.\n\n"
         "  --port COMn|/dev/PATH   the meter's port\n"
         "  --port rfc2217://HOST:PORT\n"
         "                          a port on another machine behind a serial server,\n"
         "                          this side setting the line (RFC 2217)\n"
         "  --port tcp://HOST:PORT  the same as raw bytes, the line set on the server\n"
         "                          (several --port: one meter each, polled together;\n"
         "                          --meter and --baud belong to the --port before them)\n"
         "  --baud RATE             " +
         meterRatesText() +
         "\n"
         "                          (default: the meter's usual rate when --meter is\n"
         "                          given, 19200 for es51922)\n"
         "  --meter NAME            a model of --list-meters, or a protocol family:\n" +
         wrapped("single, four, ut61eplus, fluke28x (polled), " + streamingFamilyNames(), 26) +
         "  --list-meters           the known meter models with family and line\n"
         "  --calc NAME=EXPR        a calculated channel of channels by their place on\n"
         "                          the line: W=1*2, R=1/2, dV=1-2, Ah=int(2)\n"
         "  --duration TIME         stop after 90s, 15m, 24h, ...\n"
         "  --count N               stop after N readings\n"
         "  --alarm CONDITION       report readings such as \"< 0,8\" or \"> 1.5\"\n"
         "  --output FILE.csv       write the journal to FILE.csv (FILE.csv.part while\n"
         "                          recording, renamed at the end); an existing file is\n"
         "                          kept and the new one named FILE-2.csv\n"
         "  --output -              write the journal to standard output\n"
         "  --language de|en        texts, separators and decimal sign of the journal\n"
         "  --wait                  wait for a port that cannot be opened yet\n"
         "  --start-at HH:MM[:SS]   wait for this local time of day, then record\n"
         "  --start-when CONDITION  wait until the first channel meets a condition such\n"
         "                          as \"< 0,8\" (as --alarm), then record\n"
         "  --pre-trigger SECONDS   with --start-when: begin the journal with the readings\n"
         "                          of up to 600 seconds before the trigger\n"
         "  --stop-after TIME       stop this long after the start: 90, 10s, 5m, 8h\n"
         "  --stop-at HH:MM[:SS]    stop at the next such local time after the start\n"
         "  --stop-when CONDITION   stop at the first reading that meets it\n"
         "  --mqtt HOST[:PORT]      also publish every reading to this MQTT broker\n"
         "  --mqtt-topic PREFIX     topic prefix (default kelvor/<host name>/<port>)\n"
         "  --mqtt-user NAME        broker login; the password is read from the\n"
         "                          environment variable KELVOR_MQTT_PASSWORD\n"
         "  --mqtt-cafile FILE      TLS, trusting the CA certificate in FILE\n"
         "  --http [ADDRESS:]PORT   serve a read-only live page (default address 127.0.0.1)\n"
         "  --http-token-file FILE  the page's access token, the file's first line;\n"
         "                          required for an address other than loopback\n"
         "  --quiet                 no progress line\n"
         "  --help, --version\n\n"
         "Without --output the journal goes to ~/.local/share/Kelvor/recordings/.\n"
         "SIGINT or SIGTERM ends the recording cleanly. Exit status: 0 done, 1 port or\n"
         "journal error or no reading at all, 2 wrong options.\n";
}

std::string meterList() {
  // The families in three groups: the ASCII meters polled with "D", the meters answering a
  // request of their own, the streaming ones.
  std::string groups[3];
  for (const MeterFamily* family : meterFamilies()) {
    const int group = family->streaming() ? 2 : family->pollCommand() == "D" ? 0 : 1;
    groups[group] += (groups[group].empty() ? "" : ", ") + std::string(family->name());
  }
  std::string text = "Families: " + groups[0] + " (polled ASCII); " + groups[1] +
                     " (polled, own request); " + groups[2] + " (streaming)\n";
  for (const MeterModel& model : meterModels()) {
    const LineSettings& line = model.line;
    std::string row = model.id();
    row.resize(std::max<std::size_t>(row.size() + 2, 24), ' ');
    row += model.family;
    row.resize(std::max<std::size_t>(row.size() + 2, 35), ' ');
    row += std::to_string(line.baud) + " " + std::to_string(line.dataBits) +
           parityLetter(line.parity) + std::to_string(line.stopBits);
    row.resize(std::max<std::size_t>(row.size() + 2, 47), ' ');  // "115200 8N1" fits
    text += row + model.title() + "\n";
  }
  return text;
}

}  // namespace kelvor
