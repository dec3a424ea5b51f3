// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/acquisition/Vc96Family.h"

#include <string_view>

#include "core/acquisition/MeterDisplay.h"

namespace kelvor {

namespace {

constexpr char OhmSign = static_cast<char>(0xEA);

// The functions by their name in the frame, with the unit character that must follow them.
struct Function {
  std::string_view name;
  char unitCharacter;
  const char* unit;
  const char* mode;
};
constexpr Function Functions[] = {
    {"DCV", 'V', "V", "DC"},
    {"ACV", 'V', "V", "AC"},
    {"DCA", 'A', "A", "DC"},
    {"ACA", 'A', "A", "AC"},
    {"OHM", OhmSign, "Ω", "resistance"},
    {"BEP", OhmSign, "Ω", "continuity"},
    {"DIO", 'V', "V", "diode"},
    {"hfe", ' ', "hFE", "hFE"},
};

const Function* functionNamed(std::string_view name) {
  for (const Function& function : Functions)
    if (function.name == name) return &function;
  return nullptr;
}

const char* prefixOf(char letter) {
  switch (letter) {
    case ' ':
      return "";
    case 'u':
      return "µ";
    case 'm':
      return "m";
    case 'K':
      return "k";
    case 'M':
      return "M";
    default:
      return nullptr;
  }
}

// The right-aligned value field ("  0.0", "  761", "  OL "): digits and point into the
// display; false when it is neither a number nor the overload.
bool readValueField(std::string_view field, MeterDisplay& display) {
  const std::size_t first = field.find_first_not_of(' ');
  if (first == std::string_view::npos) return false;
  const std::string_view shown = field.substr(first);
  if (shown == "OL " || shown == "OL") {
    display.flags.overload = true;
    return true;
  }
  return readShownNumber(shown, display);
}

}  // namespace

std::optional<DecodedFrame> Vc96Family::decode(std::string& frame, char decimalSeparator) const {
  if (frame.size() != answerLength() || frame[11] != '\r' || frame[12] != '\n') return std::nullopt;
  const std::string_view text(frame);
  const Function* function = functionNamed(text.substr(0, 3));
  if (!function || (frame[3] != ' ' && frame[3] != '-') || frame[10] != function->unitCharacter)
    return std::nullopt;
  const char* prefix = prefixOf(frame[9]);
  if (!prefix) return std::nullopt;

  MeterDisplay display;
  if (!readValueField(text.substr(4, 5), display)) return std::nullopt;
  display.negative = frame[3] == '-';
  display.prefix = prefix;
  display.unit = function->unit;
  display.mode = function->mode;
  return readingOf(display, decimalSeparator);
}

}  // namespace kelvor
