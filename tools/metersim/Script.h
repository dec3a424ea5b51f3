// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <istream>
#include <optional>
#include <string>
#include <vector>

#include "Options.h"

namespace kelvor::metersim {

// One line of a script: how to answer one poll.
struct ScriptStep {
  enum class Kind { Frame, Silent, Garbage, Overload, Raw };
  Kind kind = Kind::Frame;
  std::string text;            // Frame: 13-character body; Overload: value field; Raw: bytes
  std::optional<int> delayMs;  // from "late MS BODY"
  std::optional<Split> split;  // from "split N[:MS] BODY"
};

// Reads a whole script. On a bad line returns false with `error` naming the line.
bool parseScript(std::istream& input, std::vector<ScriptStep>* steps, std::string* error);

// Turns the escapes \r \n \t \\ and \xNN into bytes.
bool unescapeBytes(const std::string& text, std::string* bytes);

}  // namespace kelvor::metersim
