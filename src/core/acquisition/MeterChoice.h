#pragma once

#include "core/acquisition/LineSettings.h"
#include "core/acquisition/MeterFamily.h"
#include "core/acquisition/PortConfig.h"

namespace kelvor {

// The protocol family the configured meter speaks: the named one, else the polled ASCII
// family of the meter kind.
const MeterFamily& familyFor(const PortConfig& config);
// The line to set up for it: the family's character format and control lines at the
// configured rate.
LineSettings lineFor(const PortConfig& config);

}  // namespace kelvor
