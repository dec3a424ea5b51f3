// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/settings/ProgramVersion.h"

#include "core/text/NumberFormat.h"

// The build passes the project's version; these stand in when it does not.
#ifndef KELVOR_VERSION_MAJOR
#define KELVOR_VERSION_MAJOR 0
#define KELVOR_VERSION_MINOR 0
#define KELVOR_VERSION_PATCH 0
#endif

namespace kelvor {

ProgramVersion ProgramVersion::current() {
  return {KELVOR_VERSION_MAJOR, KELVOR_VERSION_MINOR, KELVOR_VERSION_PATCH};
}

std::string ProgramVersion::number() const {
  return std::to_string(major) + "." + std::to_string(minor) + "." + std::to_string(revision);
}

std::string ProgramVersion::appText(const std::string& productName) const {
  // Whole numbers only: the decimal separator never shows.
  return productName + " V" + formatPattern(major, "#0", '.') + "." +
         formatPattern(minor, "00", '.');
}

std::string ProgramVersion::buildText() const {
  return "Build " + formatPattern(revision, "000", '.');
}

}  // namespace kelvor
