// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/acquisition/AsyciiFamily.h"

#include <string_view>

#include "core/acquisition/FrameBits.h"
#include "core/acquisition/MeterDisplay.h"

namespace kelvor {

namespace {

// What a text starts with, as shown: the frame's spelling and the reading's.
struct Spelling {
  std::string_view text;
  const char* shown;
  const char* mode;  // nullptr: from the flag or the unit
};

constexpr Spelling Prefixes[] = {{"p", "p", nullptr}, {"n", "n", nullptr}, {"u", "µ", nullptr},
                                 {"m", "m", nullptr}, {"k", "k", nullptr}, {"M", "M", nullptr}};
// "VA" before "V": the longer spelling first.
constexpr Spelling Units[] = {
    {"A", "A", nullptr},       {"VA", "VA", nullptr},     {"V", "V", nullptr},
    {"ohm", "Ω", nullptr},     {"F", "F", nullptr},       {"dB", "dB", nullptr},
    {"Hz", "Hz", nullptr},     {"%+", "%", "duty cycle"}, {"%-", "%", "duty cycle"},
    {"Cnt+", "", "count"},     {"Cnt-", "", "count"},     {"s+", "s", "pulse width"},
    {"s-", "s", "pulse width"}};
constexpr Spelling Flags[] = {{"ac+dc", "", "AC+DC"}, {"ac", "", "AC"},     {"dc", "", "DC"},
                              {"d", "", "diode"},     {"Pk+", "", nullptr}, {"Pk-", "", nullptr}};

// The spelling `text` starts with, taken off it; nothing when none.
template <std::size_t N>
const Spelling* takeSpelling(std::string_view& text, const Spelling (&spellings)[N]) {
  for (const Spelling& spelling : spellings)
    if (text.substr(0, spelling.text.size()) == spelling.text) {
      text.remove_prefix(spelling.text.size());
      return &spelling;
    }
  return nullptr;
}

std::string_view trimmed(std::string_view text) {
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') + 1 - first);
}

// Prefix, unit and flag, with no blank between them; false for anything else.
bool readUnit(std::string_view text, MeterDisplay& display) {
  if (text.find(' ') != std::string_view::npos) return false;
  if (const Spelling* prefix = takeSpelling(text, Prefixes)) display.prefix = prefix->shown;
  const Spelling* unit = takeSpelling(text, Units);
  if (!unit) return false;
  display.unit = unit->shown;
  const Spelling* flag = text.empty() ? nullptr : takeSpelling(text, Flags);
  if (!text.empty()) return false;
  display.flags.max = flag && flag->text == "Pk+";
  display.flags.min = flag && flag->text == "Pk-";
  if (unit->mode)
    display.mode = unit->mode;
  else if (flag && flag->mode)
    display.mode = flag->mode;
  else if (const char* mode = markedMode(false, false, display.unit))
    display.mode = mode;
  return true;
}

}  // namespace

std::optional<DecodedFrame> AsyciiFamily::decode(std::string& frame, char decimalSeparator) const {
  if (frame.size() != answerLength() || frame[15] != '\r') return std::nullopt;
  if (frame[0] != ' ' && frame[0] != '-') return std::nullopt;
  MeterDisplay display;
  if (!readUnit(trimmed(std::string_view(frame).substr(7, 8)), display)) return std::nullopt;
  display.negative = frame[0] == '-';
  // The overload shows O.L, .OL or starts with X.
  const std::string_view value = trimmed(std::string_view(frame).substr(1, 6));
  display.flags.overload = value == "O.L" || value == ".OL" || value.substr(0, 1) == "X";
  if (!display.flags.overload && !readShownNumber(value, display)) return std::nullopt;
  return readingOf(display, decimalSeparator);
}

}  // namespace kelvor
