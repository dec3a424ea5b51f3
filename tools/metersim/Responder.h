// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <random>
#include <string>
#include <vector>

#include "Frame.h"
#include "Options.h"
#include "RequestReader.h"
#include "Script.h"

namespace kelvor::metersim {

// What to send for one poll and when.
struct Answer {
  std::string bytes;  // empty: no answer
  int delayMs = 0;
  Split split;
};

// Decides the answer to each poll from the options or the script.
class Responder {
 public:
  // `options` must outlive the responder; its value source is advanced by each answer.
  Responder(Options& options, std::vector<ScriptStep> script);

  // The answer to the next poll; `elapsedSeconds` is the time since the simulator started.
  Answer answerPoll(double elapsedSeconds);
  // Takes one received byte; the answer when it completes a request of the meter's family.
  std::optional<Answer> receive(unsigned char byte, double elapsedSeconds);

 private:
  Answer fromScript();
  // The first display's frame followed by the companion frames the meter sends.
  std::string framesFor(const Display& first) const;
  // The answer of a meter with a request of its own (ut61eplus, fluke28x).
  std::string ownAnswer(double elapsedSeconds);
  std::string garbage();
  std::size_t framesPerAnswer() const;

  Options& options_;
  std::vector<ScriptStep> script_;
  std::size_t scriptIndex_ = 0;
  RequestReader requests_;
  long long ownAnswers_ = 0;
  std::mt19937 random_;
};

}  // namespace kelvor::metersim
