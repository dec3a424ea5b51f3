// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/acquisition/MeterChoice.h"

#include <algorithm>

#include "core/acquisition/MeterModels.h"

namespace kelvor {

const MeterFamily& familyFor(const PortConfig& config) {
  if (const MeterModel* model = modelNamed(config.Meter)) return *familyNamed(model->family);
  if (const MeterFamily* named = familyNamed(config.Meter)) return *named;
  return *familyNamed(config.MeterType == MeterKind::OneFrame ? "single" : "four");
}

LineSettings lineFor(const PortConfig& config) {
  const MeterModel* model = modelNamed(config.Meter);
  LineSettings line = model ? model->line : familyFor(config).line();
  line.baud = config.ComBaud;
  return line;
}

bool chooseMeter(PortConfig& config, const std::string& name) {
  if (!modelNamed(name) && !familyNamed(name)) return false;
  // The polled ASCII meters are named by the kind alone, as they always were.
  const bool byKind = name == "single" || name == "four";
  if (byKind) config.MeterType = name == "single" ? MeterKind::OneFrame : MeterKind::FourFrames;
  config.Meter = byKind ? std::string() : name;
  const MeterModel* model = modelNamed(name);
  config.ComBaud = model ? model->line.baud : familyFor(config).line().baud;
  return true;
}

std::vector<int> meterRates() {
  std::vector<int> rates;
  for (const MeterFamily* family : meterFamilies())
    for (const int rate : family->rates()) rates.push_back(rate);
  for (const MeterModel& model : meterModels()) rates.push_back(model.line.baud);
  std::sort(rates.begin(), rates.end());
  rates.erase(std::unique(rates.begin(), rates.end()), rates.end());
  return rates;
}

std::string meterRatesText() {
  const std::vector<int> rates = meterRates();
  std::string text;
  for (std::size_t i = 0; i < rates.size(); ++i)
    text += (i == 0 ? "" : i + 1 == rates.size() ? " or " : ", ") + std::to_string(rates[i]);
  return text;
}

}  // namespace kelvor
