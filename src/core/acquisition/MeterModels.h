// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/acquisition/LineSettings.h"

namespace kelvor {

// A meter model: who makes it, which protocol family it speaks and how its line is set up.
// Adding a model is adding one row to the table in MeterModels.cpp.
struct MeterModel {
  const char* vendor;
  const char* model;
  const char* family;
  LineSettings line;
  // The USB-HID cable the meter is read through when it has one of its own
  // ("hid:1244:d237"); nullptr for a meter on a serial line.
  const char* cable = nullptr;

  // "uni-t-ut61e": vendor and model in lower case, blanks as hyphens; what --meter takes.
  std::string id() const;
  // "UNI-T UT61E".
  std::string title() const { return std::string(vendor) + " " + model; }
};

// Every known model, by vendor and model.
const std::vector<MeterModel>& meterModels();
// The model with that id, or nothing.
const MeterModel* modelNamed(std::string_view id);

}  // namespace kelvor
