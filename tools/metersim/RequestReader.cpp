// SPDX-License-Identifier: GPL-3.0-or-later
#include "RequestReader.h"

#include <cctype>
#include <utility>

namespace kelvor::metersim {

namespace {

const std::string kDisplayRequest = "\xAB\xCD\x03\x5E\x01\xD9";
// A command line longer than this is no command; the meter drops it.
constexpr std::size_t kMaxCommandLine = 64;

}  // namespace

RequestReader::Request RequestReader::add(unsigned char byte) {
  if (family_ == Family::Ut61ePlus) {
    pending_ += static_cast<char>(byte);
    // Keep the longest tail that can still grow into the request.
    while (!pending_.empty() && kDisplayRequest.compare(0, pending_.size(), pending_) != 0)
      pending_.erase(0, 1);
    if (pending_ != kDisplayRequest) return Request::None;
    pending_.clear();
    return Request::Poll;
  }
  if (family_ == Family::Fluke28x) {
    if (byte != '\r') {
      if (pending_.size() < kMaxCommandLine) pending_ += static_cast<char>(std::toupper(byte));
      return Request::None;
    }
    const std::string line = std::move(pending_);
    pending_.clear();
    if (line.empty()) return Request::None;
    return line == "QM" ? Request::Poll : Request::Unknown;
  }
  return byte == 'D' ? Request::Poll : Request::None;
}

}  // namespace kelvor::metersim
