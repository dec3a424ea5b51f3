// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>
#include <string>

namespace kelvor::metersim {

// Produces the measured value for each answer.
class ValueSource {
 public:
  virtual ~ValueSource() = default;
  // The value for the next answer; `elapsedSeconds` is the time since the simulator started.
  virtual double next(double elapsedSeconds) = 0;
};

// Builds a source from "const:V1[,V2,...]", "ramp:START,STEP",
// "sine:OFFSET,AMPLITUDE,PERIOD_SECONDS" or "noise:MEAN,SIGMA[,SEED]".
// Returns nullptr and sets `error` when the text is not one of these.
std::unique_ptr<ValueSource> makeValueSource(const std::string& text, std::string* error);

}  // namespace kelvor::metersim
