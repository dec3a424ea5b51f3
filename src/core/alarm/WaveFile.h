// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace kelvor {

// The sound format of an uncompressed wave file.
struct WaveFormat {
  int channels = 0;
  std::uint32_t sampleRate = 0;
  int bitsPerSample = 0;
  std::uint32_t dataBytes = 0;  // size of the sample data
};

// Checks that `bytes` hold a complete, uncompressed (PCM) wave file and returns its format:
// "RIFF" and "WAVE" signatures, a "fmt " chunk with PCM format before a non-empty "data"
// chunk, each chunk as long as it says. Other chunks are skipped. Returns nothing for
// anything else, in particular for a file cut short anywhere.
std::optional<WaveFormat> readPcmWave(std::string_view bytes);

}  // namespace kelvor
