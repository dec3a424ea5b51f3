// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the alarm sound: a short two-tone chime as a 16-bit mono PCM WAV file.
// Usage: kelvor-wavgen <output file>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

constexpr std::uint32_t SampleRate = 22050;
constexpr std::uint16_t BitsPerSample = 16;
constexpr std::uint16_t Channels = 1;
constexpr double Pi = 3.14159265358979323846;

// Four tones of 0.1 s each, alternating between A5 and E6: 0.4 s in all.
constexpr double ToneFrequencies[] = {880.0, 1320.0, 880.0, 1320.0};
constexpr double ToneSeconds = 0.1;
// Each tone rises and falls over 5 ms, so neither the start, the end nor the change of
// pitch clicks.
constexpr double FadeSeconds = 0.005;
constexpr double Amplitude = 0.6 * 32767.0;

std::vector<std::int16_t> makeSamples() {
  const auto toneLength = static_cast<std::size_t>(ToneSeconds * SampleRate);
  const auto fadeLength = static_cast<std::size_t>(FadeSeconds * SampleRate);
  std::vector<std::int16_t> samples;
  samples.reserve(toneLength * std::size(ToneFrequencies));
  for (double frequency : ToneFrequencies) {
    for (std::size_t i = 0; i < toneLength; ++i) {
      // Raised-cosine envelope: 0 at both ends of the tone, 1 in between.
      double envelope = 1.0;
      const std::size_t fromEnd = toneLength - 1 - i;
      const std::size_t edge = i < fromEnd ? i : fromEnd;
      if (edge < fadeLength)
        envelope = 0.5 - 0.5 * std::cos(Pi * static_cast<double>(edge) / fadeLength);
      const double t = static_cast<double>(i) / SampleRate;
      const double value = Amplitude * envelope * std::sin(2.0 * Pi * frequency * t);
      samples.push_back(static_cast<std::int16_t>(std::lround(value)));
    }
  }
  return samples;
}

void putU16(std::string& out, std::uint16_t v) {
  out.push_back(static_cast<char>(v & 0xFF));
  out.push_back(static_cast<char>((v >> 8) & 0xFF));
}

void putU32(std::string& out, std::uint32_t v) {
  for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<char>((v >> shift) & 0xFF));
}

// The whole file, little-endian whatever the machine: RIFF header, "fmt " chunk, "data".
std::string makeWave(const std::vector<std::int16_t>& samples) {
  const std::uint16_t blockAlign = Channels * BitsPerSample / 8;
  const auto dataSize = static_cast<std::uint32_t>(samples.size() * blockAlign);
  std::string out;
  out += "RIFF";
  putU32(out, 4 + (8 + 16) + (8 + dataSize));
  out += "WAVE";
  out += "fmt ";
  putU32(out, 16);
  putU16(out, 1);  // PCM
  putU16(out, Channels);
  putU32(out, SampleRate);
  putU32(out, SampleRate * blockAlign);
  putU16(out, blockAlign);
  putU16(out, BitsPerSample);
  out += "data";
  putU32(out, dataSize);
  for (std::int16_t sample : samples) putU16(out, static_cast<std::uint16_t>(sample));
  return out;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <output.wav>\n", argc > 0 ? argv[0] : "kelvor-wavgen");
    return 2;
  }
  const std::string path = argv[1];
  const std::string wave = makeWave(makeSamples());
  // Written beside the target and renamed over it: a failed build step never leaves a
  // cut-off sound where the program looks for it.
  const std::string draft = path + ".part";
  std::ofstream file(draft, std::ios::binary | std::ios::trunc);
  file.write(wave.data(), static_cast<std::streamsize>(wave.size()));
  file.close();
  if (!file || std::rename(draft.c_str(), path.c_str()) != 0) {
    std::fprintf(stderr, "kelvor-wavgen: cannot write %s\n", path.c_str());
    std::remove(draft.c_str());
    return 1;
  }
  return 0;
}
