// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/calc/Calculation.h"

#include <algorithm>

namespace kelvor {

namespace {

constexpr std::size_t MaxName = 16;

std::string withoutBlanks(const std::string& text) {
  std::string result;
  for (const char c : text)
    if (c != ' ' && c != '\t') result += c;
  return result;
}

// A channel number of one or two digits, from 1.
std::optional<int> channelNumber(const std::string& text) {
  if (text.empty() || text.size() > 2) return std::nullopt;
  if (!std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
    return std::nullopt;
  const int channel = std::stoi(text);
  return channel == 0 ? std::nullopt : std::optional<int>(channel);
}

bool validName(const std::string& name) {
  return !name.empty() && name.size() <= MaxName &&
         std::none_of(name.begin(), name.end(),
                      [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; });
}

std::optional<Calculation> expression(const std::string& text) {
  Calculation calc;
  if (text.size() > 5 && text.compare(0, 4, "int(") == 0 && text.back() == ')') {
    calc.operation = CalcOperation::Integral;
    const auto channel = channelNumber(text.substr(4, text.size() - 5));
    if (!channel) return std::nullopt;
    calc.first = *channel;
    return calc;
  }
  const auto op = text.find_first_of("*/-");
  if (op == text.npos) return std::nullopt;
  const auto first = channelNumber(text.substr(0, op));
  const auto second = channelNumber(text.substr(op + 1));
  if (!first || !second) return std::nullopt;
  calc.operation = text[op] == '*'   ? CalcOperation::Product
                   : text[op] == '/' ? CalcOperation::Quotient
                                     : CalcOperation::Difference;
  calc.first = *first;
  calc.second = *second;
  return calc;
}

}  // namespace

std::string Calculation::text() const {
  const std::string prefix = name.empty() ? "" : name + "=";
  if (operation == CalcOperation::Integral) return prefix + "int(" + std::to_string(first) + ")";
  const char op = operation == CalcOperation::Product    ? '*'
                  : operation == CalcOperation::Quotient ? '/'
                                                         : '-';
  return prefix + std::to_string(first) + op + std::to_string(second);
}

std::vector<int> Calculation::sources() const {
  if (operation == CalcOperation::Integral) return {first};
  return {first, second};
}

ParsedCalculation parseCalculation(const std::string& text) {
  const auto equals = text.find('=');
  std::string name;
  if (equals != text.npos) {
    const std::string left = text.substr(0, equals);
    const auto begin = left.find_first_not_of(" \t");
    const auto end = left.find_last_not_of(" \t");
    name = begin == left.npos ? "" : left.substr(begin, end - begin + 1);
  }
  auto calc = expression(withoutBlanks(equals == text.npos ? text : text.substr(equals + 1)));
  if (!calc || (equals != text.npos && !validName(name)))
    return {std::nullopt, Message(MessageId::NotACalculation, {text})};
  calc->name = name;
  return {calc, std::nullopt};
}

}  // namespace kelvor
