// SPDX-License-Identifier: GPL-3.0-or-later
#include "Responder.h"

namespace kelvor::metersim {

Responder::Responder(Options& options, std::vector<ScriptStep> script)
    : options_(options), script_(std::move(script)), random_(std::random_device{}()) {}

Answer Responder::answerPoll(double elapsedSeconds) {
  if (!script_.empty()) return fromScript();
  if (options_.silent) return Answer{};

  Answer answer;
  answer.delayMs = options_.delayMs;
  answer.split = options_.split;
  if (options_.garbage) {
    answer.bytes = garbage();
  } else {
    const double value = options_.values->next(elapsedSeconds);
    const std::string field =
        options_.overload ? *options_.overload : formatValueField(value).value_or(kOverloadText);
    answer.bytes = framesFor(Display{options_.mode, field, options_.unit});
  }
  return answer;
}

Answer Responder::fromScript() {
  const ScriptStep& step = script_[scriptIndex_];
  if (scriptIndex_ + 1 < script_.size()) {
    ++scriptIndex_;
  } else if (options_.cycleScript) {
    scriptIndex_ = 0;
  }

  Answer answer;
  answer.delayMs = step.delayMs.value_or(options_.delayMs);
  answer.split = step.split.value_or(options_.split);
  switch (step.kind) {
    case ScriptStep::Kind::Frame:
      answer.bytes = framesFor(displayFromBody(step.text));
      break;
    case ScriptStep::Kind::Overload:
      answer.bytes = framesFor(Display{options_.mode, step.text, options_.unit});
      break;
    case ScriptStep::Kind::Garbage:
      answer.bytes = garbage();
      break;
    case ScriptStep::Kind::Raw:
      answer.bytes = step.text;
      break;
    case ScriptStep::Kind::Silent:
      return Answer{};
  }
  return answer;
}

std::size_t Responder::framesPerAnswer() const {
  return options_.fourDisplays && !options_.onlyFirstFrame ? 4 : 1;
}

std::string Responder::framesFor(const Display& first) const {
  const bool withCr = !options_.noCr;
  std::string bytes = frameBytes(frameBody(first), withCr);
  if (framesPerAnswer() > 1) {
    for (const Display& display : companionDisplays(first)) {
      bytes += frameBytes(frameBody(display), withCr);
    }
  }
  return bytes;
}

std::string Responder::garbage() {
  // Without a carriage return the bytes can never be taken for a frame.
  std::uniform_int_distribution<int> byte(0, 254);
  std::string bytes(framesPerAnswer() * kFrameSize, '\0');
  for (char& c : bytes) {
    const int drawn = byte(random_);
    c = static_cast<char>(drawn >= '\r' ? drawn + 1 : drawn);
  }
  return bytes;
}

}  // namespace kelvor::metersim
