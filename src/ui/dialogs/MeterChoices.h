// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <string>

#include "core/acquisition/AsciiFamily.h"

class QComboBox;

namespace kelvor {

// What the port dialog and the channel dialog offer alike: the rates of the serial line and
// the meters by protocol family and model.
namespace MeterChoices {

// The rates of the port dialog's options: those the polled ASCII meters are set to.
inline constexpr std::array<int, 5> Rates = AsciiFamily::SettableRates;

// Appends the families of their own protocol ("fs9721 (2400 8N1)") and the models ("UNI-T UT61E
// (fs9721)") to `box`, each with its id as item data, and lets typing filter the list.
void addMeters(QComboBox* box);

// The id of the item whose text is typed or chosen in `box`; empty when none is named.
std::string chosenMeter(const QComboBox* box);

// The rate to use for `meter` when `chosen` is chosen: a model's own; a family's usual one
// when that is none of Rates (it cannot have been chosen); else `chosen`.
int rateFor(const std::string& meter, int chosen);

}  // namespace MeterChoices

}  // namespace kelvor
