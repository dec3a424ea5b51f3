// The alarm sound that the build writes beside the programs: a well-formed PCM wave file
// with a short two-tone chime that neither clicks nor clips.

#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace kelvor::wavfile::test {
namespace {

std::uint32_t u16(const std::string& b, std::size_t pos) {
  return static_cast<std::uint32_t>(static_cast<unsigned char>(b.at(pos))) |
         static_cast<std::uint32_t>(static_cast<unsigned char>(b.at(pos + 1))) << 8;
}

std::uint32_t u32(const std::string& b, std::size_t pos) {
  return u16(b, pos) | u16(b, pos + 2) << 16;
}

// The folder of this test program; the build puts alarm.wav there too.
std::string programDir() {
  std::vector<char> path(4096);
  const ssize_t length = ::readlink("/proc/self/exe", path.data(), path.size() - 1);
  if (length <= 0) return ".";
  const std::string exe(path.data(), static_cast<std::size_t>(length));
  return exe.substr(0, exe.rfind('/'));
}

std::string readAlarmWav() {
  std::ifstream file(programDir() + "/alarm.wav", std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

struct Wave {
  std::uint32_t format = 0, channels = 0, rate = 0, byteRate = 0, blockAlign = 0, bits = 0;
  std::vector<int> samples;
};

// Walks the chunks and checks that every size adds up to the file.
Wave parse(const std::string& bytes) {
  Wave wave;
  EXPECT_GE(bytes.size(), 44u);
  if (bytes.size() < 44) return wave;
  EXPECT_EQ(bytes.substr(0, 4), "RIFF");
  EXPECT_EQ(u32(bytes, 4), bytes.size() - 8);
  EXPECT_EQ(bytes.substr(8, 4), "WAVE");
  std::size_t pos = 12;
  bool haveFormat = false;
  bool haveData = false;
  while (pos + 8 <= bytes.size()) {
    const std::string id = bytes.substr(pos, 4);
    const std::uint32_t size = u32(bytes, pos + 4);
    const std::size_t body = pos + 8;
    EXPECT_LE(body + size, bytes.size()) << id;
    if (body + size > bytes.size()) return wave;
    if (id == "fmt ") {
      EXPECT_EQ(size, 16u);
      wave.format = u16(bytes, body);
      wave.channels = u16(bytes, body + 2);
      wave.rate = u32(bytes, body + 4);
      wave.byteRate = u32(bytes, body + 8);
      wave.blockAlign = u16(bytes, body + 12);
      wave.bits = u16(bytes, body + 14);
      haveFormat = true;
    } else if (id == "data") {
      EXPECT_TRUE(haveFormat) << "data before fmt";
      EXPECT_EQ(size % 2, 0u);
      for (std::size_t i = body; i + 1 < body + size; i += 2)
        wave.samples.push_back(static_cast<std::int16_t>(u16(bytes, i)));
      haveData = true;
    }
    pos = body + size + (size & 1u);
  }
  EXPECT_EQ(pos, bytes.size()) << "bytes after the last chunk";
  EXPECT_TRUE(haveFormat);
  EXPECT_TRUE(haveData);
  return wave;
}

// Sign changes per second in samples [from, to): twice the frequency of a pure tone.
double crossingFrequency(const std::vector<int>& s, std::size_t from, std::size_t to,
                         std::uint32_t rate) {
  int crossings = 0;
  for (std::size_t i = from + 1; i < to; ++i)
    if ((s[i - 1] < 0) != (s[i] < 0)) ++crossings;
  return crossings / 2.0 * rate / static_cast<double>(to - from);
}

TEST(AlarmWav, IsAPcmWaveFile) {
  const Wave wave = parse(readAlarmWav());
  EXPECT_EQ(wave.format, 1u);  // PCM
  EXPECT_EQ(wave.channels, 1u);
  EXPECT_EQ(wave.rate, 22050u);
  EXPECT_EQ(wave.bits, 16u);
  EXPECT_EQ(wave.blockAlign, 2u);
  EXPECT_EQ(wave.byteRate, 44100u);
}

TEST(AlarmWav, IsAShortChimeWithoutClicks) {
  const Wave wave = parse(readAlarmWav());
  const std::vector<int>& s = wave.samples;
  ASSERT_EQ(wave.rate, 22050u);
  ASSERT_EQ(s.size(), 22050u * 4 / 10);  // 0.4 s

  int peak = 0;
  int largestStep = 0;
  for (std::size_t i = 0; i < s.size(); ++i) {
    peak = std::max(peak, std::abs(s[i]));
    if (i > 0) largestStep = std::max(largestStep, std::abs(s[i] - s[i - 1]));
  }
  EXPECT_GT(peak, 32767 * 3 / 10) << "too quiet";
  EXPECT_LT(peak, 32767 * 95 / 100) << "clipped";
  // Fades in and out: no jump from or to silence.
  EXPECT_LT(std::abs(s.front()), 330);
  EXPECT_LT(std::abs(s.back()), 330);
  // The steepest slope of the higher tone is about 7400 per sample; a click is far more.
  EXPECT_LT(largestStep, 9000);

  // Four tones of 0.1 s each, alternating low and high.
  const std::size_t quarter = s.size() / 4;
  const double expected[] = {880.0, 1320.0, 880.0, 1320.0};
  for (std::size_t q = 0; q < 4; ++q) {
    SCOPED_TRACE("tone " + std::to_string(q));
    EXPECT_NEAR(crossingFrequency(s, q * quarter, (q + 1) * quarter, wave.rate), expected[q],
                expected[q] * 0.05);
  }
}

}  // namespace
}  // namespace kelvor::wavfile::test
