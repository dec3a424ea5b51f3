#include "core/alarm/WaveFile.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace kelvor {
namespace {

void put16(std::string& out, std::uint32_t v) {
  out.push_back(static_cast<char>(v & 0xFF));
  out.push_back(static_cast<char>((v >> 8) & 0xFF));
}

void put32(std::string& out, std::uint32_t v) {
  put16(out, v & 0xFFFF);
  put16(out, v >> 16);
}

std::string chunk(const std::string& id, const std::string& body) {
  std::string out = id;
  put32(out, static_cast<std::uint32_t>(body.size()));
  out += body;
  if (body.size() % 2 == 1) out.push_back('\0');
  return out;
}

struct Fmt {
  std::uint32_t tag = 1;
  std::uint32_t channels = 1;
  std::uint32_t rate = 22050;
  std::uint32_t bits = 16;
  std::uint32_t blockAlign = 2;
  std::uint32_t byteRate = 44100;
};

std::string fmtChunk(const Fmt& f) {
  std::string body;
  put16(body, f.tag);
  put16(body, f.channels);
  put32(body, f.rate);
  put32(body, f.byteRate);
  put16(body, f.blockAlign);
  put16(body, f.bits);
  return chunk("fmt ", body);
}

std::string riff(const std::string& chunks) {
  std::string out = "RIFF";
  put32(out, static_cast<std::uint32_t>(4 + chunks.size()));
  return out + "WAVE" + chunks;
}

const std::string Samples(200, '\x10');  // 100 samples of 16 bits

TEST(readPcmWave, AcceptsCompletePcmFiles) {
  struct Case {
    const char* what;
    std::string bytes;
    int channels;
    std::uint32_t rate;
    int bits;
    std::uint32_t dataBytes;
  };
  const std::vector<Case> cases = {
      {"plain", riff(fmtChunk({}) + chunk("data", Samples)), 1, 22050, 16, 200},
      {"other chunks around",
       riff(chunk("LIST", "odd") + fmtChunk({}) + chunk("junk", "") + chunk("data", Samples) +
            chunk("LIST", "after")),
       1, 22050, 16, 200},
      {"stereo 8 bit", riff(fmtChunk({1, 2, 8000, 8, 2, 16000}) + chunk("data", Samples)), 2, 8000,
       8, 200},
      {"extended fmt chunk",
       riff(fmtChunk({}).replace(4, 1, "\x12") + std::string(2, '\0') + chunk("data", Samples)), 1,
       22050, 16, 200},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const std::optional<WaveFormat> format = readPcmWave(c.bytes);
    ASSERT_TRUE(format.has_value());
    EXPECT_EQ(format->channels, c.channels);
    EXPECT_EQ(format->sampleRate, c.rate);
    EXPECT_EQ(format->bitsPerSample, c.bits);
    EXPECT_EQ(format->dataBytes, c.dataBytes);
  }
}

// A file cut short anywhere is refused: the sound library would wait for the rest forever.
TEST(readPcmWave, RefusesEveryTruncation) {
  const std::string whole = riff(chunk("LIST", "abc") + fmtChunk({}) + chunk("data", Samples));
  ASSERT_TRUE(readPcmWave(whole).has_value());
  for (std::size_t length = 0; length < whole.size(); ++length) {
    SCOPED_TRACE(length);
    EXPECT_FALSE(readPcmWave(whole.substr(0, length)).has_value());
  }
}

TEST(readPcmWave, RefusesOtherFiles) {
  std::string hugeData = riff(fmtChunk({}) + chunk("data", Samples));
  hugeData.replace(hugeData.size() - Samples.size() - 4, 4, "\xF0\xFF\xFF\xFF");
  struct Case {
    const char* what;
    std::string bytes;
  };
  const std::vector<Case> cases = {
      {"empty", ""},
      {"text", std::string(300, 'x')},
      {"big-endian", "RIFX" + riff(fmtChunk({}) + chunk("data", Samples)).substr(4)},
      {"not WAVE", riff(fmtChunk({}) + chunk("data", Samples)).replace(8, 4, "AVI ")},
      {"no data chunk", riff(fmtChunk({}))},
      {"data before fmt", riff(chunk("data", Samples) + fmtChunk({}))},
      {"empty data", riff(fmtChunk({}) + chunk("data", ""))},
      {"data size near 4 GiB", hugeData},
      {"float samples", riff(fmtChunk({3, 1, 22050, 32, 4, 88200}) + chunk("data", Samples))},
      {"12-bit samples", riff(fmtChunk({1, 1, 22050, 12, 2, 44100}) + chunk("data", Samples))},
      {"no channels", riff(fmtChunk({1, 0, 22050, 16, 0, 0}) + chunk("data", Samples))},
      {"no sample rate", riff(fmtChunk({1, 1, 0, 16, 2, 0}) + chunk("data", Samples))},
      {"wrong block size", riff(fmtChunk({1, 1, 22050, 16, 4, 88200}) + chunk("data", Samples))},
      {"wrong byte rate", riff(fmtChunk({1, 1, 22050, 16, 2, 22050}) + chunk("data", Samples))},
      {"partial sample", riff(fmtChunk({}) + chunk("data", Samples + "x"))},
      {"short fmt chunk", riff(chunk("fmt ", std::string(14, '\1')) + chunk("data", Samples))},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_FALSE(readPcmWave(c.bytes).has_value());
  }
}

}  // namespace
}  // namespace kelvor
