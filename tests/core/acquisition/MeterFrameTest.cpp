#include "core/acquisition/MeterFrame.h"

#include <gtest/gtest.h>

namespace kelvor {
namespace {

struct FrameCase {
  std::string frame;
  char separator;
  std::string valueText;
  std::string modeText;
  float value;  // InvalidValue for frames without a usable value
};

class MeterFrameDecoding : public ::testing::TestWithParam<FrameCase> {};

TEST_P(MeterFrameDecoding, ShowsAndReadsTheFrame) {
  const FrameCase& c = GetParam();
  std::string frame = c.frame;
  const DecodedFrame decoded = decodeFrame(frame, c.separator);
  EXPECT_EQ(decoded.valueText, c.valueText);
  EXPECT_EQ(decoded.modeText, c.modeText);
  EXPECT_EQ(decoded.value, c.value);
}

const float Invalid = InvalidValue;

INSTANTIATE_TEST_SUITE_P(
    Readings, MeterFrameDecoding,
    ::testing::Values(
        // A blank joins number and unit while the number has fewer than six characters.
        FrameCase{"DC  1.234 V  \r", ',', "1,234 V", "DC", 1.234f},
        FrameCase{"DC  1.234 V  \r", '.', "1.234 V", "DC", 1.234f},
        FrameCase{"DC -1.234 V  \r", ',', "-1,234V", "DC", -1.234f},
        FrameCase{"DC -1.234 V  \r", '.', "-1.234V", "DC", -1.234f},
        FrameCase{"AC 1234.5 V  \r", ',', "1234,5V", "AC", 1234.5f},
        FrameCase{"AC 1234.5 V  \r", '.', "1234.5V", "AC", 1234.5f},
        FrameCase{"TE   21.5 C  \r", ',', "21,50 C", "TE", 21.5f},
        // Other modes show the unit in the mode label and the bare number.
        FrameCase{"OH  1.500kOhm\r", ',', "1,500", "kOhm", 1.5f},
        FrameCase{"OH  1.500kOhm\r", '.', "1.500", "kOhm", 1.5f},
        // The magnitude chooses the pattern, on the value as a single float.
        FrameCase{"DC 9.9996 V  \r", ',', "10,000V", "DC", 9.9996f},
        FrameCase{"DC 10.000 V  \r", ',', "10,00 V", "DC", 10.0f},
        FrameCase{"DC 10.000 V  \r", '.', "10.00 V", "DC", 10.0f},
        FrameCase{"DC  999.9 V  \r", ',', "999,9 V", "DC", 999.9f},
        FrameCase{"DC  0.000 V  \r", ',', "0,000 V", "DC", 0.0f},
        FrameCase{"DC -0.001 V  \r", ',', "-0,001V", "DC", -0.001f},
        // A meter that sends a decimal comma is read the same.
        FrameCase{"DC  1,234 V  \r", ',', "1,234 V", "DC", 1.234f},
        FrameCase{"DCx 1.234 V  \r", ',', "1,234 V", "DC", 1.234f},
        // Overloads and fields without a number carry no value and show the meter's text.
        FrameCase{"DC   OL   V  \r", ',', "OL V", "DC", Invalid},
        FrameCase{"DC   OL   V  \r", '.', "OL V", "DC", Invalid},
        FrameCase{"DC  O.L   V  \r", ',', "O.L V", "DC", Invalid},
        FrameCase{"OH  .OL  MOhm\r", ',', ".OL", "MOhm", Invalid},
        FrameCase{"DC  0.L   V  \r", ',', "0.L V", "DC", Invalid},
        FrameCase{"DC        V  \r", ',', "----- V", "DC", Invalid},
        FrameCase{"DC  1.2x3 V  \r", ',', "1.2x3 V", "DC", Invalid},
        // A number beyond a single float is no reading either.
        FrameCase{"DC 1E+99 V   \r", ',', "1E+99 V", "DC", Invalid},
        // Wrong lengths never reach the number.
        FrameCase{"DC  1.234 V \r", ',', "-----", "--", Invalid},
        FrameCase{"", ',', "-----", "--", Invalid},
        FrameCase{"DC  1.234 V  \rX", ',', "-----", "--", Invalid}));

TEST(MeterFrame, RemovesCarriageReturnsFromTheCallersText) {
  std::string frame = "DC  1.234 V  \r";
  decodeFrame(frame, ',');
  EXPECT_EQ(frame, "DC  1.234 V  ");
}

TEST(MeterFrame, GarbageBytesNeverGiveAValue) {
  const std::string garbage[] = {std::string("\x01\xff\x7f\x80zz*&^%$#@!", 14),
                                 std::string(14, '\0'), std::string(14, '\r'), "DDDDDDDDDDDDDD",
                                 "DC  -- - V   \r"};
  for (std::string frame : garbage) {
    SCOPED_TRACE(frame);
    EXPECT_EQ(decodeFrame(frame, ',').value, InvalidValue);
  }
}

}  // namespace
}  // namespace kelvor
