// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/record/CommandLineChannels.h"

#include <algorithm>
#include <array>

#include "core/acquisition/HidCables.h"
#include "core/acquisition/MeterChoice.h"
#include "core/acquisition/MeterModels.h"
#include "core/acquisition/PortTable.h"
#include "core/calc/ChannelCalculator.h"
#include "core/network/NetworkAddress.h"

namespace kelvor {

namespace {

constexpr std::size_t MaxChannels = 6;

bool parsePort(const std::string& text, RecordMeter& m) {
  if (looksLikeHidAddress(text)) {
    const auto cable = parseHidAddress(text);
    if (!cable) return false;
    m.port.Address = cable->text();
    m.devicePath.clear();
    return true;
  }
  if (looksLikeNetworkAddress(text)) {
    const auto address = parseNetworkAddress(text);
    if (!address) return false;
    m.port.Address = address->text();
    m.devicePath.clear();
    return true;
  }
  if (text.rfind("/dev/", 0) == 0 && text.size() > 5) {
    m.devicePath = text;
    m.port.Address.clear();
    return true;
  }
  const auto n = text.rfind("COM", 0) == 0 ? wholeNumber(text.substr(3)) : std::nullopt;
  if (!n || *n < 1 || *n > HighestPort) return false;
  m.port.ComPort = static_cast<int>(*n);
  m.port.Address.clear();
  m.devicePath.clear();
  return true;
}

bool parseBaud(const std::string& text, RecordMeter& m) {
  const auto n = wholeNumber(text);
  for (const int rate : meterRates())
    if (n && *n == rate) m.baud = rate;
  return n && m.baud == *n;
}

std::string portName(const RecordMeter& m) {
  return m.devicePath.empty() ? portLabel(m.port) : m.devicePath;
}

}  // namespace

std::optional<std::int64_t> wholeNumber(const std::string& text) {
  if (text.empty() || text.size() > 9) return std::nullopt;
  std::int64_t n = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    n = n * 10 + (c - '0');
  }
  return n;
}

bool CommandLineChannels::port(const std::string& text) {
  // Options before the first --port are kept for it (several ports forbid them).
  RecordMeter meter = leading_;
  if (!parsePort(text, meter)) return false;
  channels_.push_back({meter, std::nullopt});
  lastMeter_ = channels_.size() - 1;
  ++ports_;
  return true;
}

bool CommandLineChannels::baud(const std::string& text) {
  return parseBaud(text, lineOf());
}

bool CommandLineChannels::meter(const std::string& text) {
  return chooseMeter(lineOf().port, text);
}

bool CommandLineChannels::calc(const std::string& text) {
  const ParsedCalculation parsed = parseCalculation(text);
  if (parsed.calculation) channels_.push_back({{}, parsed.calculation});
  return parsed.calculation.has_value();
}

RecordMeter& CommandLineChannels::lineOf() {
  leadingLine_ = leadingLine_ || ports_ == 0;
  return ports_ == 0 ? leading_ : channels_[lastMeter_].meter;
}

std::string CommandLineChannels::finish(std::vector<RecordChannel>& channels) {
  // A meter with a USB-HID cable of its own is read through it when no port is named.
  const MeterModel* model = modelNamed(leading_.port.Meter);
  if (ports_ == 0 && model && model->cable) leading_.port.Address = model->cable;
  if (ports_ == 0) channels_.insert(channels_.begin(), {leading_, std::nullopt});
  if (ports_ > 1 && leadingLine_)
    return "--meter and --baud belong to the --port before them; with several ports, give "
           "them after their --port";
  if (channels_.size() > MaxChannels)
    return "at most " + std::to_string(MaxChannels) +
           " channels (each --port and --calc is one), " + std::to_string(channels_.size()) +
           " given";
  std::vector<ChannelPlan> plan;
  std::vector<std::string> names;
  for (RecordChannel& c : channels_) {
    plan.push_back({true, c.calculation});
    if (c.calculation) continue;
    // A rate given wins over the chosen meter's usual one, in whatever order they came.
    if (c.meter.baud != 0) c.meter.port.ComBaud = c.meter.baud;
    const std::string name = portName(c.meter);
    if (std::find(names.begin(), names.end(), name) != names.end())
      return "--port " + name + " given twice: a meter feeds one channel";
    names.push_back(name);
  }
  if (const PlanProblem problem = checkPlan(plan); problem.channel != 0) {
    const std::string calc = "--calc " + plan[problem.channel - 1].calculation->text() + ": ";
    if (problem.source == 0) return calc + "the calculation depends on itself";
    return calc + "there is no channel " + std::to_string(problem.source) +
           " (channels are the --port and --calc options in their order, 1 to " +
           std::to_string(channels_.size()) + ")";
  }
  channels = channels_;
  return {};
}

}  // namespace kelvor
