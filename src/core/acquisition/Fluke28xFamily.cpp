// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/acquisition/Fluke28xFamily.h"

#include <string_view>
#include <utility>
#include <vector>

#include "core/acquisition/MeterDisplay.h"

namespace kelvor {

namespace {

// A unit of the answer with the unit and mode the program shows.
struct Unit {
  std::string_view name;
  const char* unit;
  const char* mode;
};
constexpr Unit Units[] = {
    {"VDC", "V", "DC"},
    {"VAC", "V", "AC"},
    {"VAC_PLUS_DC", "V", "AC+DC"},
    {"ADC", "A", "DC"},
    {"AAC", "A", "AC"},
    {"AAC_PLUS_DC", "A", "AC+DC"},
    {"V", "V", "peak"},
    {"A", "A", "peak"},
    {"OHM", "Ω", "resistance"},
    {"OHMS", "Ω", "resistance"},
    {"S", "S", ""},  // siemens or seconds: the meter names both so
    {"Hz", "Hz", "frequency"},
    {"HZ", "Hz", "frequency"},
    {"F", "F", "capacitance"},
    {"CEL", "°C", "temperature"},
    {"FAR", "°F", "temperature"},
    {"PCT", "%", "duty cycle"},
    {"dBm", "dBm", "AC"},
    {"dBV", "dBV", "AC"},
    {"dB", "dB", "AC"},
    {"CREST_FACTOR", "", "crest factor"},
    {"NONE", "", ""},
};

// The states without a number, with what the display shows instead.
struct Blank {
  std::string_view name;
  const char* shown;
};
constexpr Blank Blanks[] = {
    {"INVALID", "----"}, {"BLANK", "----"}, {"DISCHARGE", "DISCHARGE"}, {"OPEN_TC", "OPEN TC"}};

constexpr std::string_view Attributes[] = {
    "NONE",     "OPEN_CIRCUIT",  "SHORT_CIRCUIT", "GLITCH_CIRCUIT", "GOOD_DIODE",
    "LEO_OHMS", "NEGATIVE_EDGE", "POSITIVE_EDGE", "HIGH_CURRENT",
};

template <typename Row, std::size_t N>
const Row* rowNamed(const Row (&rows)[N], std::string_view name) {
  for (const Row& row : rows)
    if (row.name == name) return &row;
  return nullptr;
}

bool knownAttribute(std::string_view name) {
  for (const std::string_view attribute : Attributes)
    if (attribute == name) return true;
  return false;
}

std::vector<std::string_view> fieldsOf(std::string_view line) {
  std::vector<std::string_view> fields;
  for (std::size_t start = 0;;) {
    const std::size_t comma = line.find(',', start);
    fields.push_back(line.substr(start, comma - start));
    if (comma == std::string_view::npos) return fields;
    start = comma + 1;
  }
}

// The prefix of a power of ten the display's unit multiplier stands for, or nothing.
const char* prefixOf(std::string_view exponent) {
  constexpr std::pair<std::string_view, const char*> Prefixes[] = {
      {"-9", "n"}, {"-6", "µ"}, {"-3", "m"}, {"0", ""},  {"+0", ""},
      {"3", "k"},  {"+3", "k"}, {"6", "M"},  {"+6", "M"}};
  for (const auto& [power, prefix] : Prefixes)
    if (power == exponent) return prefix;
  return nullptr;
}

// "-0.0037E0": the displayed digits with sign and point, and the prefix by the exponent;
// false when the text is no such number.
bool readValue(std::string_view text, MeterDisplay& display) {
  const std::size_t e = text.find('E');
  if (e == std::string_view::npos) return false;
  const char* prefix = prefixOf(text.substr(e + 1));
  std::string_view mantissa = text.substr(0, e);
  display.negative = !mantissa.empty() && mantissa.front() == '-';
  if (!mantissa.empty() && (mantissa.front() == '-' || mantissa.front() == '+'))
    mantissa.remove_prefix(1);
  const std::size_t point = mantissa.find('.');
  for (const char c : mantissa)
    if (c != '.') display.digits += c;
  if (!prefix || display.digits.empty() ||
      display.digits.find_first_not_of("0123456789") != std::string::npos ||
      (point != std::string_view::npos && mantissa.find('.', point + 1) != mantissa.npos))
    return false;
  if (point != std::string_view::npos)
    display.decimals = static_cast<int>(mantissa.size() - point - 1);
  display.prefix = prefix;
  return true;
}

}  // namespace

std::size_t Fluke28xFamily::completeAnswer(std::string_view received) const {
  const std::size_t limit = received.size() >= answerLength() ? answerLength() : 0;
  const std::size_t ackEnd = received.find('\r');
  if (ackEnd == std::string_view::npos) return limit;
  // An acknowledgement other than "0" tells an error and is all the meter sends.
  if (received.substr(0, ackEnd) != "0") return ackEnd + 1;
  const std::size_t lineEnd = received.find('\r', ackEnd + 1);
  return lineEnd == std::string_view::npos ? limit : lineEnd + 1;
}

std::optional<DecodedFrame> Fluke28xFamily::decode(std::string& frame,
                                                   char decimalSeparator) const {
  const std::string_view answer(frame);
  if (answer.size() < 4 || answer.substr(0, 2) != "0\r" || answer.back() != '\r')
    return std::nullopt;
  const std::string_view line = answer.substr(2, answer.size() - 3);
  if (line.find('\r') != std::string_view::npos) return std::nullopt;
  const std::vector<std::string_view> fields = fieldsOf(line);
  if (fields.size() != 4) return std::nullopt;
  const Unit* unit = rowNamed(Units, fields[1]);
  if (!unit || !knownAttribute(fields[3])) return std::nullopt;

  MeterDisplay display;
  display.unit = unit->unit;
  display.mode = fields[3] == "GOOD_DIODE" ? "diode" : unit->mode;
  const std::string_view state = fields[2];
  if (state == "OL" || state == "OL_MINUS") {
    display.flags.overload = true;
    display.overloadText = state == "OL" ? "OL" : "-OL";
  } else if (const Blank* blank = rowNamed(Blanks, state)) {
    DecodedFrame reading;
    reading.valueText = blank->shown;
    reading.unit = display.unit;
    reading.mode = reading.modeText = display.mode;
    return reading;
  } else if (state != "NORMAL" || !readValue(fields[0], display)) {
    return std::nullopt;
  }
  return readingOf(display, decimalSeparator);
}

}  // namespace kelvor
