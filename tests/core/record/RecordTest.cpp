// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "core/InvalidValue.h"
#include "core/alarm/AlarmCondition.h"
#include "core/record/JournalAlarm.h"
#include "core/record/RecordOptions.h"
#include "core/record/RecordWatch.h"
#include "core/record/RecordingSchedule.h"
#include "core/record/RuleOptions.h"

namespace kelvor {
namespace {

// Port, rate, meter, duration, count, alarm, output, language, flags; or the error line up
// to its first colon (the line names the option and value, then what is expected).
std::string summary(const std::vector<std::string>& args) {
  RecordOptions defaults;
  defaults.port = {3, 2400, MeterKind::OneFrame};
  const ParsedRecordOptions parsed = parseRecordOptions(args, defaults);
  const std::string& error = parsed.error;
  if (!error.empty()) return error.find('\n') == error.npos ? error.substr(0, error.find(':')) : "";
  const RecordOptions& o = parsed.options;
  std::ostringstream text;
  text << "COM" << o.port.ComPort << o.devicePath << o.port.Address << ' ' << o.port.ComBaud << ' '
       << static_cast<int>(o.port.MeterType) << ' ' << o.durationS << "s " << o.count << ' '
       << (o.alarm.valid ? (o.alarm.alarmAbove ? ">" : "<") + std::to_string(o.alarm.alarmLevel)
                         : "-")
       << ' ' << (o.output.empty() ? "~" : o.output) << ' '
       << (o.english ? (*o.english ? "en" : "de") : "sys") << ' ' << o.quiet << o.wait << o.help
       << o.version << (o.port.Meter.empty() ? "" : " " + o.port.Meter);
  return text.str();
}

TEST(RecordOptions, ParsesEachOptionOrSaysInOneLineWhatIsWrong) {
  using Args = std::vector<std::string>;
  for (const auto& [args, expected] : std::vector<std::pair<Args, std::string>>{
           {{}, "COM3 2400 0 0s 0 - ~ sys 0000"},
           {{"--port", "COM256", "--baud", "600", "--meter", "four"},
            "COM256 600 1 0s 0 - ~ sys 0000"},
           {{"--port=COM1", "--baud=9600", "--meter=single"}, "COM1 9600 0 0s 0 - ~ sys 0000"},
           {{"--port", "/dev/ttyUSB4"}, "COM3/dev/ttyUSB4 2400 0 0s 0 - ~ sys 0000"},
           {{"--port", "TCP://[::1]:4001"}, "COM3tcp://[::1]:4001 2400 0 0s 0 - ~ sys 0000"},
           {{"--port", "hid:10C4:EA80:7"}, "COM3hid:10c4:ea80:7 2400 0 0s 0 - ~ sys 0000"},
           // Several meters: the first one's port is the single port's.
           {{"--port", "rfc2217://h:1", "--port", "COM1"},
            "COM3rfc2217://h:1 2400 0 0s 0 - ~ sys 0000"},
           {{"--duration", "90s", "--count", "1"}, "COM3 2400 0 90s 1 - ~ sys 0000"},
           {{"--duration", "15m"}, "COM3 2400 0 900s 0 - ~ sys 0000"},
           {{"--duration", "24h"}, "COM3 2400 0 86400s 0 - ~ sys 0000"},
           {{"--alarm", "< 0,8", "--output", "-"}, "COM3 2400 0 0s 0 <0.800000 - sys 0000"},
           {{"--alarm", ">1.5", "--output", "a/f.csv"},
            "COM3 2400 0 0s 0 >1.500000 a/f.csv sys 0000"},
           {{"--language", "en", "--quiet", "--wait"}, "COM3 2400 0 0s 0 - ~ en 1100"},
           {{"--language", "de", "--help", "--version"}, "COM3 2400 0 0s 0 - ~ de 0011"},
           // A meter without a rate brings its own; a rate given wins, before or after it.
           {{"--meter", "es51922"}, "COM3 19200 0 0s 0 - ~ sys 0000 es51922"},
           {{"--meter", "voltcraft-me-32"}, "COM3 600 0 0s 0 - ~ sys 0000 voltcraft-me-32"},
           // The Victor 86C comes with its cable, which a port named replaces.
           {{"--meter", "victor-86c"}, "COM3hid:1244:d237 2400 0 0s 0 - ~ sys 0000 victor-86c"},
           {{"--port", "COM1", "--meter", "victor-86c"},
            "COM1 2400 0 0s 0 - ~ sys 0000 victor-86c"},
           {{"--baud", "4800", "--meter", "uni-t-ut71c"},
            "COM3 4800 0 0s 0 - ~ sys 0000 uni-t-ut71c"},
           {{"--meter", "four"}, "COM3 1200 1 0s 0 - ~ sys 0000"},
           {{"--baud", "19200"}, "COM3 19200 0 0s 0 - ~ sys 0000"}})
    EXPECT_EQ(summary(args), expected);
  // Wrong values: the line names option and value.
  for (const std::string wrong :
       {"--baud 1234",     "--duration 0",     "--duration 0s",      "--duration 5d",
        "--duration s",    "--count -1",       "--count 0",          "--count 1234567890",
        "--count 1.5",     "--port COM0",      "--port COM257",      "--port /dev/",
        "--meter two",     "--language fr",    "--alarm 0,8",        "--output ",
        "--mqtt ",         "--mqtt-user ",     "--mqtt-topic lab/#", "--mqtt-topic +",
        "--start-at 7",    "--stop-at 25",     "--start-when 0,8",   "--stop-when x",
        "--stop-after 0s", "--pre-trigger 601"})
    EXPECT_EQ(summary({wrong.substr(0, wrong.find(' ')), wrong.substr(wrong.find(' ') + 1)}),
              wrong);
  using Row = std::pair<Args, std::string>;
  for (const auto& [args, expected] : std::vector<Row>{
           Row{{"--count"}, "--count needs a value"}, Row{{"--frobnicate"}, "unknown option"},
           Row{{"--stop-at"}, "--stop-at needs a value"},
           Row{{"--pre-trigger", "5"}, "--pre-trigger needs --start-when"},
           Row{{"--quiet=1"}, "unknown option"}, Row{{"COM1"}, "unknown option"},
           Row{{"--port", "tcp://h"}, "--port tcp"},  // cut at the address's colon
           Row{{"--port", "ftp://h:1"}, "--port ftp"},
           Row{{"--mqtt-cafile", "ca.pem"},
               "--mqtt-topic, --mqtt-user and --mqtt-cafile need --mqtt HOST"}})
    EXPECT_EQ(summary(args), expected);
  const PublishSettings p = parseRecordOptions({"--mqtt", "[::1]:1884", "--mqtt-topic", "t",
                                                "--mqtt-user", "u", "--mqtt-cafile", "ca.pem"},
                                               {})
                                .options.publish;
  EXPECT_EQ(std::tuple(p.enabled, p.host, p.port, p.topic, p.user, p.tls, p.caFile),
            std::tuple(true, "::1", 1884, "t", "u", true, "ca.pem"));
}

// The channels, "|" between them: port, rate and meter, or the calculation; or the error.
std::string channelsOf(const std::vector<std::string>& args) {
  RecordOptions defaults;
  defaults.port = {3, 2400, MeterKind::OneFrame};
  const ParsedRecordOptions parsed = parseRecordOptions(args, defaults);
  if (!parsed.error.empty()) return parsed.error;
  std::string text;
  for (const RecordChannel& c : parsed.options.channels) {
    const PortConfig& port = c.meter.port;
    text += text.empty() ? "" : " | ";
    text += c.calculation
                ? c.calculation->text()
                : "COM" + std::to_string(port.ComPort) + c.meter.devicePath + port.Address + " " +
                      std::to_string(port.ComBaud) + " " +
                      (port.Meter.empty() ? std::to_string(int(port.MeterType)) : port.Meter);
  }
  return text;
}

TEST(RecordOptions, PortsAndCalculationsAreChannelsInTheirOrder) {
  using Args = std::vector<std::string>;
  for (const auto& [args, expected] : std::vector<std::pair<Args, std::string>>{
           {{}, "COM3 2400 0"},
           {{"--meter", "four", "--baud", "600", "--port", "COM1"}, "COM1 600 1"},
           {{"--port", "COM1", "--meter", "fs9721", "--port", "COM2", "--meter", "single", "--baud",
             "9600", "--calc", "W=1*2", "--calc", "Ah=int(2)", "--port", "COM4", "--calc", "d=1-5"},
            "COM1 2400 fs9721 | COM2 9600 0 | W=1*2 | Ah=int(2) | COM4 2400 0 | d=1-5"},
           {{"--calc", "P=1*1"}, "COM3 2400 0 | P=1*1"},
           {{"--calc", "int(2)", "--port", "/dev/ttyUSB0", "--port", "tcp://h:1"},
            "int(2) | COM3/dev/ttyUSB0 2400 0 | COM3tcp://h:1 2400 0"},
           {{"--meter", "fs9721", "--port", "COM1", "--port", "COM2"},
            "--meter and --baud belong to the --port before them; with several ports, give them "
            "after their --port"},
           {{"--port", "COM1", "--calc", "W=1*3"},
            "--calc W=1*3: there is no channel 3 (channels are the --port and --calc options in "
            "their order, 1 to 2)"},
           {{"--port", "COM1", "--calc", "A=3*1", "--calc", "B=int(2)"},
            "--calc A=3*1: the calculation depends on itself"},
           {{"--port", "COM1", "--port", "COM2", "--port", "COM3", "--port", "COM4", "--calc",
             "1*2", "--calc", "1*3", "--calc", "1*4"},
            "at most 6 channels (each --port and --calc is one), 7 given"},
           {{"--port", "/dev/ttyS0", "--port", "/dev/ttyS0"},
            "--port /dev/ttyS0 given twice: a meter feeds one channel"},
           {{"--calc", "W=1+2"},
            "--calc W=1+2: expected NAME=A*B, NAME=A/B, NAME=A-B or NAME=int(A) with channel "
            "numbers A and B"}})
    EXPECT_EQ(channelsOf(args), expected);
}

TEST(RecordOptions, MapsFixedDevicesToTheirPortNumbers) {
  for (const auto& [path, port] : std::vector<std::pair<std::string, int>>{
           {"/dev/ttyS0", 1}, {"/dev/ttyUSB4", 37}, {"/dev/ttyAMA31", 128}, {"/dev/null", 0}})
    EXPECT_EQ(portForDevice(path), port) << path;
}

// The rule of a start or stop option ("at SECONDS", "when >LEVEL", "after MS", the
// pre-trigger's seconds), or what its error line says after naming option and value.
std::string when(const AlarmCondition& c) {
  return std::string("when ") + (c.alarmAbove ? ">" : "<") + std::to_string(c.alarmLevel);
}
std::string ruleText(const ParsedPreTrigger& p) {
  return std::to_string(p.seconds);
}
std::string ruleText(const ParsedStart& p) {
  return p.rule.kind == StartRule::Kind::AtTime ? "at " + std::to_string(p.rule.timeOfDayS)
                                                : when(p.rule.condition);
}
std::string ruleText(const ParsedStop& p) {
  return p.rule.kind == StopRule::Kind::AtTime  ? "at " + std::to_string(p.rule.timeOfDayS)
         : p.rule.kind == StopRule::Kind::After ? "after " + std::to_string(p.rule.afterMs)
                                                : when(p.rule.condition);
}
template <typename Parsed>
std::string ruleOf(Parsed (*parse)(const std::string&), const std::string& option,
                   const std::string& value) {
  const Parsed parsed = parse(value);
  if (parsed.error.empty()) return ruleText(parsed);
  const std::string named = option + " " + value + ": ";
  return parsed.error.rfind(named, 0) == 0 ? parsed.error.substr(named.size()) : parsed.error;
}

TEST(RuleOptions, ParsesStartAndStopRulesOrNamesWhatIsWrong) {
  const std::string time = "expected a time of day HH:MM or HH:MM:SS",
                    hour = "the hour must be 0 to 23",
                    minutes = "minutes and seconds must be 00 to 59",
                    condition = "expected a condition such as \"< 0,8\" or \"> 1.5\"",
                    duration = "expected a duration from 1 second, e.g. 90, 10s, 5m, 8h",
                    seconds = "expected a whole number of seconds";
  std::vector<std::tuple<std::string, std::string, std::string, std::string, std::string>> rows{
      {"7:05:09", "at 25509", condition, duration, seconds},
      {"23:59:59", "at 86399", condition, duration, seconds},
      {"24:00", hour, condition, duration, seconds},
      {"12:60", minutes, condition, duration, seconds},
      {"12:00:60", minutes, condition, duration, seconds},
      {"0", time, condition, duration, "0"},
      {"600", time, condition, "after 600000", "600"},
      {"601", time, condition, "after 601000", "at most 600 seconds"},
      {"10s", time, condition, "after 10000", seconds},  // minutes and hours: --duration
      {"< 0,8", time, "when <0.800000", duration, seconds},
      {">=1.5 V", time, "when >1.500000", duration, seconds}};
  for (const char* value : {"", "12:5", "123:00", ":30", "12:00:", "12:00:00:00", " 12:00", "= 3"})
    rows.emplace_back(value, time, condition, duration, seconds);
  for (const auto& [value, startAt, startWhen, stopAfter, preTrigger] : rows) {
    EXPECT_EQ(ruleOf(parseStartAt, "--start-at", value), startAt) << value;
    EXPECT_EQ(ruleOf(parseStopAt, "--stop-at", value), startAt) << value;
    EXPECT_EQ(ruleOf(parseStartWhen, "--start-when", value), startWhen) << value;
    EXPECT_EQ(ruleOf(parseStopWhen, "--stop-when", value), startWhen) << value;
    EXPECT_EQ(ruleOf(parseStopAfter, "--stop-after", value), stopAfter) << value;
    EXPECT_EQ(ruleOf(parsePreTrigger, "--pre-trigger", value), preTrigger) << value;
  }
}

// The window's schedule: well-formed values make rules and survive the settings; a wrong value
// is named by its kind, and a stored one that makes no rules is no schedule.
TEST(RecordingSchedule, MakesRulesOrNamesTheWrongValueAndKeepsThemInTheSettings) {
  using Start = RecordingSchedule::Start;
  using Stop = RecordingSchedule::Stop;
  for (const auto& [start, startValue, stop, stopValue, error] :
       std::vector<std::tuple<Start, std::string, Stop, std::string, std::optional<MessageId>>>{
           {Start::AtTime, "22:00", Stop::After, "8h", std::nullopt},
           {Start::When, "< 0,8", Stop::When, "> 1,5", std::nullopt},
           {Start::AtOnce, "", Stop::AtTime, "06:30", std::nullopt},
           {Start::AtTime, "25:00", Stop::Never, "", MessageId::ScheduleNoTime},
           {Start::When, "0,8", Stop::Never, "", MessageId::ScheduleNoCondition},
           {Start::AtOnce, "", Stop::After, "8 hours", MessageId::ScheduleNoDuration},
           {Start::AtOnce, "", Stop::AtTime, "6", MessageId::ScheduleNoTime},
           {Start::When, "< 1", Stop::When, "1", MessageId::ScheduleNoCondition}}) {
    RecordingSchedule schedule{start, startValue, 30, stop, stopValue};
    const RecordingSchedule::Rules rules = schedule.rules();
    EXPECT_EQ(rules.error ? std::optional(rules.error->id) : std::nullopt, error) << startValue;
    EXPECT_EQ(rules.rules.has_value(), !error) << startValue;
    std::map<std::string, std::string> stored;
    for (const auto& [key, text] : schedule.texts()) stored[key] = text;
    const RecordingSchedule read = RecordingSchedule::read([&](const std::string& key) {
      const auto found = stored.find(key);
      return found == stored.end() ? std::nullopt : std::optional(found->second);
    });
    EXPECT_EQ(std::tuple(read.start, read.startValue, read.preTriggerS, read.stop, read.stopValue),
              error ? std::tuple(Start::AtOnce, std::string(), 0, Stop::Never, std::string())
                    : std::tuple(start, startValue, 30, stop, stopValue));
  }
  EXPECT_FALSE(RecordingSchedule{}.rules().rules);  // at once and never: no rules at all
}

// Events a second apart: p a poll, a a reading; t the tick done, at once. Seen: D done, else ".".
TEST(RecordWatch, EndsAfterCountOrDuration) {
  for (const auto& [duration, count, events, seen] :
       std::vector<std::tuple<int, int, std::string, std::string>>{
           {0, 2, "ataat", "....D"},            // the second reading, and its tick's others
           {5, 0, "atatatatat", ".........D"},  // readings at 0 to 4 s fill five seconds
           {5, 0, "ppppppp", "......D"},        // a silent meter: one poll after the end
           {5, 0, "ppppppa", "......."}}) {     // the duration counts from the first reading
    RecordWatch watch(duration, count, 100000);
    std::string told;
    std::int64_t now = 100007;
    for (const char event : events) {
      if (event == 'a') watch.answered(now);
      if (event == 'p') watch.polled(now);
      if (event == 't') watch.tickDone();
      now += event == 't' ? 0 : 1000;
      told += watch.done() ? 'D' : '.';
    }
    EXPECT_EQ(told, seen) << events;
  }
}

// Each journalled reading that meets the condition beeps; the first since the journal's start
// is told once; an unusable reading never alarms.
TEST(JournalAlarm, EachAlarmBeepsAndOnlyTheFirstIsTheFirst) {
  struct Beeps : AlarmSound {
    void beeps(int n) override { count += n; }
    int count = 0;
  } sound;
  JournalAlarm alarm(sound);
  alarm.arm(parseAlarmCondition("> 1"));
  std::string told;
  for (const float value : {0.5f, 1.5f, InvalidValue, 2.0f, 0.9f}) {
    JournalRow row;
    row.value = value;
    const JournalAlarm::Verdict verdict = alarm.test(row);
    told += verdict.first ? 'F' : verdict.alarm ? 'A' : '-';
  }
  EXPECT_EQ(told + std::to_string(sound.count), "-F-A-2");
}

}  // namespace
}  // namespace kelvor
