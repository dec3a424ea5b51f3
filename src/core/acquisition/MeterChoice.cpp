#include "core/acquisition/MeterChoice.h"

namespace kelvor {

const MeterFamily& familyFor(const PortConfig& config) {
  if (const MeterFamily* named = familyNamed(config.Meter)) return *named;
  return *familyNamed(config.MeterType == MeterKind::OneFrame ? "single" : "four");
}

LineSettings lineFor(const PortConfig& config) {
  LineSettings line = familyFor(config).line();
  line.baud = config.ComBaud;
  return line;
}

}  // namespace kelvor
