// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/acquisition/MeterFamily.h"

namespace kelvor {

// Finds a streaming family's frames in the bytes as they arrive, wherever the stream
// started: a frame is wherever the family's decoder accepts the bytes, so a start in the
// middle of a frame, garbage or a damaged frame costs at most the frames it touches.
class StreamFramer {
 public:
  // More than this is never kept: a second of the fastest line, and then some.
  static constexpr std::size_t MaxKeptBytes = 4096;

  explicit StreamFramer(const MeterFamily& family) : family_(family) {}

  const MeterFamily& family() const { return family_; }
  // Takes bytes from the line; on a 7-bit line their 8th bit is dropped.
  void add(std::string_view bytes);
  // The newest whole valid frame among the bytes added so far, or nothing. Everything up to
  // its end is forgotten; without a frame only a possible frame's beginning is kept.
  std::optional<std::string> takeNewest();

 private:
  const MeterFamily& family_;
  std::string buffer_;
};

}  // namespace kelvor
