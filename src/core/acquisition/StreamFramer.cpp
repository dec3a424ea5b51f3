// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/acquisition/StreamFramer.h"

namespace kelvor {

void StreamFramer::add(std::string_view bytes) {
  const std::size_t start = buffer_.size();
  buffer_ += bytes;
  if (family_.sevenBit())
    for (std::size_t i = start; i < buffer_.size(); ++i)
      buffer_[i] = static_cast<char>(buffer_[i] & 0x7F);
  if (buffer_.size() > MaxKeptBytes) buffer_.erase(0, buffer_.size() - MaxKeptBytes);
}

std::optional<std::string> StreamFramer::takeNewest() {
  const std::size_t length = family_.answerLength();
  // From the end backwards: the first frame found is the newest.
  for (std::size_t end = buffer_.size(); end >= length; --end) {
    std::string candidate = buffer_.substr(end - length, length);
    if (family_.decode(candidate, '.')) {
      std::string frame = buffer_.substr(end - length, length);
      buffer_.erase(0, end);
      return frame;
    }
  }
  if (buffer_.size() >= length) buffer_.erase(0, buffer_.size() - (length - 1));
  return std::nullopt;
}

}  // namespace kelvor
