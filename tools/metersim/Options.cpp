// SPDX-License-Identifier: GPL-3.0-or-later
#include "Options.h"

#include <cmath>
#include <cstdlib>
#include <initializer_list>

#include "Frame.h"

namespace kelvor::metersim {

namespace {

constexpr long long kMaxMilliseconds = 24LL * 60 * 60 * 1000;

bool parsePositiveSeconds(const std::string& text, double* seconds) {
  if (text.empty()) return false;
  char* end = nullptr;
  const double value = std::strtod(text.c_str(), &end);
  if (end != text.c_str() + text.size() || !std::isfinite(value) || value <= 0) return false;
  *seconds = value;
  return true;
}

bool isOneOf(const std::string& name, std::initializer_list<const char*> names) {
  for (const char* known : names) {
    if (name == known) return true;
  }
  return false;
}

bool takesValue(const std::string& name) {
  return isOneOf(
      name, {"--port", "--link", "--meter", "--values", "--mode", "--unit", "--delay", "--split",
             "--overload", "--script", "--log", "--quit-after", "--baud", "--corrupt", "--hid"});
}

// The options without a value, each switching one setting on.
struct Flag {
  const char* name;
  bool Options::*setting;
};
constexpr Flag Flags[] = {
    {"--silent", &Options::silent},      {"--garbage", &Options::garbage},
    {"--no-cr", &Options::noCr},         {"--only-first-frame", &Options::onlyFirstFrame},
    {"--cycle", &Options::cycleScript},  {"--high-bit", &Options::highBit},
    {"--mid-frame", &Options::midFrame}, {"--low-battery", &Options::lowBattery}};

const Flag* flagNamed(const std::string& name) {
  for (const Flag& flag : Flags)
    if (name == flag.name) return &flag;
  return nullptr;
}

bool isFlag(const std::string& name) {
  return flagNamed(name) != nullptr;
}

// Applies one option; returns an error text or an empty string.
std::string apply(const std::string& name, const std::string& value, Options* options) {
  long long number = 0;
  if (name == "--port") {
    if (!parseCount(value, 999, &number) || number < 1)
      return "--port needs a number from 1 to 999";
    options->port = static_cast<int>(number);
  } else if (name == "--link") {
    if (value.empty()) return "--link needs a path";
    options->linkPath = value;
  } else if (name == "--meter") {
    const std::optional<Family> family = familyNamed(value);
    if (!family)
      return "--meter is single, four, ut61eplus, fluke28x, " + streamingFamilyNames(" or ");
    options->family = *family;
    options->fourDisplays = value == "four";
  } else if (name == "--baud") {
    if (!parseCount(value, 115200, &number) || number < 50) return "--baud needs a rate from 50";
    options->baud = static_cast<int>(number);
  } else if (name == "--corrupt") {
    if (!parseCount(value, 1000000, &number) || number < 1) return "--corrupt needs N from 1";
    options->corruptEvery = static_cast<int>(number);
  } else if (name == "--values") {
    options->valuesText = value;
  } else if (name == "--mode") {
    if (value.size() != kModeWidth) return "--mode needs exactly two characters";
    options->mode = value;
  } else if (name == "--unit") {
    options->unit = fitField(value, kUnitWidth);
  } else if (name == "--delay") {
    if (!parseCount(value, kMaxMilliseconds, &number))
      return "--delay needs milliseconds (0 or more)";
    options->delayMs = static_cast<int>(number);
  } else if (name == "--split") {
    if (!parseSplit(value, &options->split)) return "--split needs N[:MS] with N at least 1";
  } else if (name == "--overload") {
    options->overload = fitField(value, kValueWidth);
  } else if (name == "--script") {
    if (value.empty()) return "--script needs a file";
    options->scriptPath = value;
  } else if (name == "--log") {
    if (value.empty()) return "--log needs a file or -";
    options->logPath = value;
  } else if (name == "--quit-after") {
    double seconds = 0;
    if (!parsePositiveSeconds(value, &seconds))
      return "--quit-after needs a positive number of seconds";
    options->quitAfterSeconds = seconds;
  } else if (name == "--hid") {
    options->hidCable = virtualCableNamed(value);
    if (!options->hidCable) return "--hid is cp2110 or ch9325";
  } else if (const Flag* flag = flagNamed(name)) {
    options->*(flag->setting) = true;
  }
  return {};
}

// Checks what only the whole command line can tell.
std::string checkCombination(const Options& options) {
  const int answerKinds =
      (options.silent ? 1 : 0) + (options.garbage ? 1 : 0) + (options.scriptPath.empty() ? 0 : 1);
  if (answerKinds > 1) return "--silent, --garbage and --script exclude each other";
  if (options.cycleScript && options.scriptPath.empty()) return "--cycle needs --script";
  const bool ascii = options.family == Family::Single || options.family == Family::Four;
  if (!ascii && !options.scriptPath.empty())
    return "--script is for the ASCII meters (single, four)";
  if (options.hidCable && !streams(options.family)) return "--hid needs a streaming meter";
  return {};
}

}  // namespace

bool parseCount(const std::string& text, long long maximum, long long* value) {
  if (text.empty() || text.size() > 18 ||
      text.find_first_not_of("0123456789") != std::string::npos) {
    return false;
  }
  const long long parsed = std::strtoll(text.c_str(), nullptr, 10);
  if (parsed > maximum) return false;
  *value = parsed;
  return true;
}

bool parseSplit(const std::string& text, Split* split) {
  const std::size_t colon = text.find(':');
  long long bytes = 0;
  long long pause = split->pauseMs;
  if (!parseCount(text.substr(0, colon), 1 << 20, &bytes) || bytes < 1) return false;
  if (colon != std::string::npos && !parseCount(text.substr(colon + 1), kMaxMilliseconds, &pause)) {
    return false;
  }
  split->bytes = static_cast<std::size_t>(bytes);
  split->pauseMs = static_cast<int>(pause);
  return true;
}

ParsedCommandLine parseCommandLine(const std::vector<std::string>& arguments) {
  ParsedCommandLine result;
  auto fail = [&result](std::string error) {
    result.outcome = ParsedCommandLine::Outcome::Error;
    result.error = std::move(error);
    return std::move(result);
  };

  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (argument == "--help" || argument == "-h") {
      result.outcome = ParsedCommandLine::Outcome::Help;
      return result;
    }
    std::string name = argument;
    std::string value;
    const std::size_t equals = argument.find('=');
    const bool inlineValue = argument.rfind("--", 0) == 0 && equals != std::string::npos;
    if (inlineValue) {
      name = argument.substr(0, equals);
      value = argument.substr(equals + 1);
    }
    if (takesValue(name)) {
      if (!inlineValue) {
        if (i + 1 >= arguments.size()) return fail(name + " needs a value");
        value = arguments[++i];
      }
    } else if (!isFlag(name)) {
      return fail((argument.rfind('-', 0) == 0 ? "unknown option " : "unexpected argument ") +
                  argument);
    } else if (inlineValue) {
      return fail(name + " takes no value");
    }
    const std::string error = apply(name, value, &result.options);
    if (!error.empty()) return fail(error);
  }

  std::string error = checkCombination(result.options);
  if (!error.empty()) return fail(error);
  result.options.values = makeValueSource(result.options.valuesText, &error);
  if (!result.options.values) return fail("--values: " + error);
  return result;
}

// The streaming families' names in lines of at most 80 columns under the option texts.
std::string streamingNamesColumn() {
  constexpr std::size_t Indent = 24, Width = 80;
  const std::string names = streamingFamilyNames(" or ");
  std::string text, line;
  for (std::size_t start = 0; start < names.size();) {
    std::size_t end = names.find(' ', start);
    if (end == std::string::npos) end = names.size();
    const std::string word = names.substr(start, end - start);
    if (!line.empty() && Indent + line.size() + 1 + word.size() > Width) {
      text += std::string(Indent, ' ') + line + "\n";
      line.clear();
    }
    line += (line.empty() ? "" : " ") + word;
    start = end + 1;
  }
  return text + std::string(Indent, ' ') + line + "\n";
}

std::string usageText() {
  return R"(Usage: kelvor-metersim [OPTIONS]

Plays a digital multimeter on a pseudo-terminal. The polled meters (single, four)
answer each byte "D" with one 14-byte frame (mode, blank, 6-character value,
4-character unit, carriage return), or four frames with --meter four. ut61eplus
answers its six-byte request AB CD 03 5E 01 D9 with its 19-byte binary answer;
fluke28x answers "QM" and a carriage return with "0", a carriage return and
"value,unit,state,attribute" and another (any other command: "1", the syntax error).
--mode AC makes either show AC, any other mode DC. The streaming meters send their
frames without being asked, back to back at their line rate, with a new value every
second.

Port:
  --port N              link the terminal as <config>/Kelvor/ports/COMN (default 1);
                        <config> is $XDG_CONFIG_HOME or else $HOME/.config
  --link PATH           link the terminal at PATH instead
  --hid CABLE           no terminal: a virtual USB-HID cable through /dev/uhid, cp2110
                        (10c4:ea80) or ch9325 (1a86:e008), for a streaming meter
Answers:
  --meter FAMILY        single (default), four, ut61eplus, fluke28x, or a streaming meter:
)" + streamingNamesColumn() +
         R"(  --baud RATE           pace the bytes as a line of this rate carries them (streaming
                        meters: their own rate unless given; polled: at once unless given)
  --values SOURCE       const:V1[,V2,...]   the values in turn, one per answer
                        ramp:START,STEP      START, START+STEP, ... one per answer
                        sine:OFFSET,AMPLITUDE,PERIOD_SECONDS   by time since start
                        noise:MEAN,SIGMA[,SEED]                normally distributed
                        (default const:1.234)
  --mode XX             two-character mode code (default DC)
  --unit TEXT           unit field, padded or cut to 4 characters (default " V")
  --overload TEXT       send TEXT (padded or cut to 6 characters) as the value
Faults:
  --delay MS            answer each poll MS milliseconds late (default 0)
  --split N[:MS]        send the first N bytes, pause MS milliseconds (default 300),
                        then the rest
  --silent              never answer
  --garbage             answer with random bytes that do not form a frame
  --no-cr               end frames with a blank instead of the carriage return
  --only-first-frame    with --meter four, send only the first frame
  --mid-frame           a streaming meter starts in the middle of a frame
  --corrupt N           every Nth streamed frame has a wrong position nibble, sign or
                        fixed bit; every Nth ut61eplus answer a wrong checksum, every
                        Nth fluke28x answer a broken field separator
  --high-bit            set the 8th bit of every streamed byte (as some adapters do)
  --low-battery         streamed frames and ut61eplus answers show the low-battery sign
  (--silent, --garbage and --overload apply to streaming meters too; --garbage then
   puts a few stray bytes between the frames)
Script:
  --script FILE         take the answers from FILE, one line per poll; the last line
                        repeats. A line is a 13-character frame body (the carriage
                        return is added) or one of:
                          silent | garbage | late MS BODY | split N[:MS] BODY |
                          overload [TEXT] | raw ESCAPED  (\r \n \t \\ \xNN; nothing added)
                        Lines starting with # and blank lines are skipped.
  --cycle               start the script over after its last line
Other:
  --log FILE            append received bytes and line settings to FILE (- for stderr)
  --quit-after SECONDS  exit after that many seconds
  --help                show this text

Prints "ready <link> -> <terminal>" once the link is in place. Exit status: 0 normal
end (also on SIGINT and SIGTERM), 1 runtime failure, 2 usage error.
)";
}

}  // namespace kelvor::metersim
