// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace kelvor {

// The program's version as the about box shows it.
struct ProgramVersion {
  int major = 0;
  int minor = 0;
  int revision = 0;

  // The name, " V", the major version ("#0") and the minor version ("00"): "Kelvor V1.08".
  std::string appText(const std::string& productName) const;
  // "Build " and the revision with at least three digits: "Build 007", "Build 146".
  std::string buildText() const;
  // "1.0.0": what --version prints.
  std::string number() const;

  // This build's version: the project's version, set in one place by the build.
  static ProgramVersion current();
};

}  // namespace kelvor
