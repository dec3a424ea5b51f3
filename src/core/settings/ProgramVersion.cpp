#include "core/settings/ProgramVersion.h"

#include "core/text/NumberFormat.h"

namespace kelvor {

std::string ProgramVersion::appText(const std::string& productName) const {
  // Whole numbers only: the decimal separator never shows.
  return productName + " V" + formatPattern(major, "#0", '.') + "." +
         formatPattern(minor, "00", '.');
}

std::string ProgramVersion::buildText() const {
  return "Build " + formatPattern(revision, "000", '.');
}

}  // namespace kelvor
