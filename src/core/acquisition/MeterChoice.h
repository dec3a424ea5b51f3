// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

#include "core/acquisition/LineSettings.h"
#include "core/acquisition/MeterFamily.h"
#include "core/acquisition/PortConfig.h"

namespace kelvor {

// The protocol family the configured meter speaks: the named model's, the named family, else
// the polled ASCII family of the meter kind.
const MeterFamily& familyFor(const PortConfig& config);
// The line to set up for it: the model's or family's character format and control lines at
// the configured rate.
LineSettings lineFor(const PortConfig& config);
// Sets the meter by a model id or family name, with its usual rate; false for any other name.
bool chooseMeter(PortConfig& config, const std::string& name);
// Every rate of the families and models, ascending: what a port may be set to.
std::vector<int> meterRates();
// "600, 1200, …, 9600 or 19200": the rates in words.
std::string meterRatesText();

}  // namespace kelvor
