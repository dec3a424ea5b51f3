// SPDX-License-Identifier: GPL-3.0-or-later
#include "Streamer.h"

namespace kelvor::metersim {

namespace {

std::string trimmed(const std::string& text) {
  const auto first = text.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

}  // namespace

std::string Streamer::next(double elapsedSeconds) {
  if (options_.silent) return {};
  if (elapsedSeconds >= nextValueAt_) {
    value_ = options_.values->next(elapsedSeconds);
    nextValueAt_ += 1.0;
  }
  const Shown shown{value_, options_.overload.has_value(), options_.mode, trimmed(options_.unit),
                    options_.lowBattery};
  std::string frame = encodeFrame(options_.family, shown).value_or("");
  if (frame.empty()) return {};
  ++frames_;
  if (options_.corruptEvery > 0 && frames_ % options_.corruptEvery == 0)
    frame = corrupted(options_.family, frame);
  if (options_.midFrame && frames_ == 1) frame.erase(0, frame.size() / 2);
  if (options_.garbage) frame = strayBytes() + frame;
  if (options_.highBit)
    for (char& c : frame) c = static_cast<char>(c | 0x80);
  return frame;
}

std::string Streamer::strayBytes() {
  // Neither a line end nor a position nibble: stray bytes never complete a frame.
  std::uniform_int_distribution<int> low(0, 15);
  std::string bytes;
  for (int i = 0; i < 3; ++i) {
    int byte = low(random_) | (i == 1 ? 0xF0 : 0);
    if (byte == '\r' || byte == '\n') byte = 0x01;
    bytes += static_cast<char>(byte);
  }
  return bytes;
}

}  // namespace kelvor::metersim
