// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/acquisition/MeterChoice.h"

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

}  // namespace kelvor
