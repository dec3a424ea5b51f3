// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/acquisition/LineSettings.h"
#include "core/acquisition/MeterFrame.h"

namespace kelvor {

// One protocol that meters speak. A polled family is asked with a command and answers, with a
// fixed number of characters or up to an end it recognises; a streaming family is never written
// to and sends frames of a fixed length on its own, which are found in the byte stream by
// decoding them.
class MeterFamily {
 public:
  virtual ~MeterFamily() = default;

  // The name a user types: "single", "four", "fs9721", ...
  virtual std::string_view name() const = 0;
  // The family's usual line: rate, character format, control lines.
  virtual LineSettings line() const = 0;
  // The rates its meters may be set to; the usual one alone unless told otherwise.
  virtual std::vector<int> rates() const { return {line().baud}; }
  // What a poll writes; empty for a streaming family.
  virtual std::string_view pollCommand() const { return {}; }
  // Characters of a complete answer (polled) or of one frame (streaming); the most an answer
  // may take when its length varies.
  virtual std::size_t answerLength() const = 0;
  // How many of the bytes received since a poll form its answer, once that answer is complete;
  // 0 while more must come. A fixed-length answer is complete at answerLength() bytes.
  virtual std::size_t completeAnswer(std::string_view received) const {
    return received.size() >= answerLength() ? answerLength() : 0;
  }
  // Decodes one answer or frame of answerLength() bytes. Nothing when the bytes are not a
  // valid frame of this family: a streaming family's frame finder relies on that.
  virtual std::optional<DecodedFrame> decode(std::string& frame, char decimalSeparator) const = 0;

  bool streaming() const { return pollCommand().empty(); }
  // Bytes on a 7-bit line carry no 8th bit; some adapters set it anyway.
  bool sevenBit() const { return line().dataBits == 7; }
};

// Every family, the polled ones first.
const std::vector<const MeterFamily*>& meterFamilies();
// The family of that name, or nothing.
const MeterFamily* familyNamed(std::string_view name);

}  // namespace kelvor
