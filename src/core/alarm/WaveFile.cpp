// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/alarm/WaveFile.h"

#include <cstddef>

namespace kelvor {

namespace {

std::uint32_t u16At(std::string_view bytes, std::size_t pos) {
  return static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[pos])) |
         static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[pos + 1])) << 8;
}

std::uint32_t u32At(std::string_view bytes, std::size_t pos) {
  return u16At(bytes, pos) | u16At(bytes, pos + 2) << 16;
}

constexpr std::uint32_t PcmFormat = 1;
constexpr std::uint32_t FormatChunkSize = 16;

}  // namespace

std::optional<WaveFormat> readPcmWave(std::string_view bytes) {
  if (bytes.size() < 12 || bytes.substr(0, 4) != "RIFF" || bytes.substr(8, 4) != "WAVE")
    return std::nullopt;

  std::optional<WaveFormat> format;
  std::uint32_t blockAlign = 0;
  // 64-bit positions: a chunk size near 4 GiB must not wrap around.
  std::uint64_t pos = 12;
  while (pos + 8 <= bytes.size()) {
    const auto at = static_cast<std::size_t>(pos);
    const std::string_view id = bytes.substr(at, 4);
    const std::uint32_t size = u32At(bytes, at + 4);
    const std::uint64_t body = pos + 8;
    if (body + size > bytes.size()) return std::nullopt;  // cut short

    if (id == "fmt ") {
      if (size < FormatChunkSize) return std::nullopt;
      const auto b = static_cast<std::size_t>(body);
      WaveFormat f;
      const std::uint32_t tag = u16At(bytes, b);
      f.channels = static_cast<int>(u16At(bytes, b + 2));
      f.sampleRate = u32At(bytes, b + 4);
      const std::uint32_t byteRate = u32At(bytes, b + 8);
      blockAlign = u16At(bytes, b + 12);
      f.bitsPerSample = static_cast<int>(u16At(bytes, b + 14));
      const bool sampleSizeKnown = f.bitsPerSample == 8 || f.bitsPerSample == 16 ||
                                   f.bitsPerSample == 24 || f.bitsPerSample == 32;
      if (tag != PcmFormat || f.channels < 1 || f.sampleRate == 0 || !sampleSizeKnown ||
          blockAlign != static_cast<std::uint32_t>(f.channels * f.bitsPerSample / 8) ||
          byteRate != f.sampleRate * blockAlign)
        return std::nullopt;
      format = f;
    } else if (id == "data") {
      if (!format || size == 0 || size % blockAlign != 0) return std::nullopt;
      format->dataBytes = size;
      return format;
    }
    // Chunks are padded to an even length.
    pos = body + size + (size & 1u);
  }
  return std::nullopt;  // no data chunk
}

}  // namespace kelvor
