// SPDX-License-Identifier: GPL-3.0-or-later
#include "Responder.h"

#include "PolledEncoder.h"

namespace kelvor::metersim {

Responder::Responder(Options& options, std::vector<ScriptStep> script)
    : options_(options),
      script_(std::move(script)),
      requests_(options.family),
      random_(std::random_device{}()) {}

std::optional<Answer> Responder::receive(unsigned char byte, double elapsedSeconds) {
  switch (requests_.add(byte)) {
    case RequestReader::Request::Poll:
      return answerPoll(elapsedSeconds);
    case RequestReader::Request::Unknown: {
      Answer refusal;
      refusal.bytes = kUnknownCommandAnswer;
      return refusal;
    }
    default:
      return std::nullopt;
  }
}

Answer Responder::answerPoll(double elapsedSeconds) {
  if (!script_.empty()) return fromScript();
  if (options_.silent) return Answer{};

  Answer answer;
  answer.delayMs = options_.delayMs;
  answer.split = options_.split;
  if (options_.garbage) {
    answer.bytes = garbage();
  } else if (options_.family == Family::Ut61ePlus || options_.family == Family::Fluke28x) {
    answer.bytes = ownAnswer(elapsedSeconds);
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

std::string Responder::ownAnswer(double elapsedSeconds) {
  const std::size_t first = options_.unit.find_first_not_of(' ');
  const std::string unit =
      first == std::string::npos
          ? std::string()
          : options_.unit.substr(first, options_.unit.find(' ', first) - first);
  const Shown shown{options_.values->next(elapsedSeconds), options_.overload.has_value(),
                    options_.mode, unit, options_.lowBattery};
  std::string bytes = encodeAnswer(options_.family, shown).value_or("");
  ++ownAnswers_;
  if (!bytes.empty() && options_.corruptEvery > 0 && ownAnswers_ % options_.corruptEvery == 0)
    bytes = corrupted(options_.family, bytes);
  return bytes;
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
