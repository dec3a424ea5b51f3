// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "core/acquisition/MeterChoice.h"
#include "core/acquisition/MeterFamily.h"
#include "core/acquisition/MeterModels.h"
#include "core/acquisition/StreamFramer.h"
#include "support/FamilyFrames.h"

namespace kelvor {
namespace {

using testing::hex;

using testing::shown;

using Row = std::pair<std::string, std::string>;  // a frame and what it shows

// Frames and what they show; frames that decode to nothing.
void expectRows(const char* family, const std::vector<Row>& rows,
                const std::vector<std::string>& refused) {
  for (const auto& [frame, expected] : rows)
    EXPECT_EQ(shown(*familyNamed(family), frame), expected) << family;
  for (const std::string& frame : refused) EXPECT_EQ(shown(*familyNamed(family), frame), "-");
}

// Segment frames: position in the high nibble, digits as segments (1.234 is 05, 5B with
// the point, 1F, 27), annunciators in bytes 1, 10 to 13.
const std::string Fs9721Volts = hex("17 20 35 4D 5B 61 7F 82 97 A0 B0 C0 D4 E0");
// 1.234 V DC: 1 (50), 2 (B5) with the point, 3 (F1), 4 (72); the last byte the checksum.
const char* const Rs9lcdVolts = "00 02 00 72 F1 BD 50 01 AC";
// 1.234 V DC: 02, then counted bytes; each digit's segments in two low nibbles, the point in
// bit 0 of the digit after it.
const char* const Bm25xVolts = "02 1C 20 30 4A 5B 6D 78 8F 94 AE B0 C0 D0 E4";
// 1.234 V DC: bytes counting 1 to 15; digits as two nibbles, sign and points in bit 0 of the
// first.
const char* const Dtm0660Volts = "1E 20 3A 4B 5D 68 7F 84 9E A0 B0 C0 D2 E0 F0";
// 0.000 V DC as the MS8250D's published example: segment bits, 0 in the last byte.
const char* const Ms8250dVolts = "00 02 32 75 53 33 35 53 03 10 00 00 00 00 00 00 10 00";

// An ASCII frame, the status bytes in hex.
std::string fs9922(const std::string& head, const std::string& status) {
  return head + hex(status) + "\r\n";
}

TEST(MeterFamilies, EachFamilyDecodesItsFramesAndRefusesDamagedOnes) {
  std::string rotated = Fs9721Volts.substr(5) + Fs9721Volts.substr(0, 5);
  std::string wrongPosition = Fs9721Volts, highBit = Fs9721Volts, badDigit = Fs9721Volts;
  wrongPosition[5] = 0x51;
  highBit[0] = static_cast<char>(0x97);
  badDigit[2] = 0x36;  // no digit has these segments
  expectRows("fs9721",
             {Row{Fs9721Volts, "1,234 V|DC|A"},
              Row{hex("1B 28 35 45 5B 69 7F 82 97 A0 B8 C0 D4 E0"), "-12,34 mV|AC|A"},
              Row{hex("13 27 3D 4A 57 61 75 87 9D A2 B0 C7 D0 E0"), "0,470 kΩ|resistance|HRA"},
              Row{hex("13 20 30 47 5D 6E 78 80 90 A0 B2 C4 D0 E0"), "O.L MΩ|resistance|OA"},
              Row{hex("12 22 37 49 55 67 7D 87 9D A8 B0 C8 D1 E0"), "4,700 µF|capacitance|AB"},
              Row{hex("12 23 3E 47 5D 6F 7D 87 9D A0 B0 C0 D2 E0"), "50,00 Hz|frequency|A"},
              // A leading dark digit; the diode sign.
              Row{hex("11 20 30 4B 5E 60 75 85 9B A1 B0 C0 D4 E0"), "0,512 V|diode|"}},
             // highBit: an 8-bit line, where the 8th bit is no adapter's mistake.
             {rotated, wrongPosition, highBit, badDigit, Fs9721Volts.substr(1)});
  // The display shows the annunciators beside the mode.
  std::string held = hex("13 27 3D 4A 57 61 75 87 9D A2 B0 C7 D0 E0"),
              low = fs9922("+0330 4", "6 24 0 2 0");
  EXPECT_EQ(familyNamed("fs9721")->decode(held, ',')->modeText + "|" +
                familyNamed("fs9922")->decode(low, ',')->modeText,
            "resistance HOLD REL AUTO|temperature HOLD REL MAX BAT");
  // ASCII frames.
  expectRows("fs9922",
             {Row{fs9922("+1234 2", "30 0 0 80 0"), "12,34 V|DC|A"},
              Row{fs9922("-0056 1", "28 0 40 40 0"), "-0,056 mA|AC|A"},
              Row{fs9922("+?0:? 4", "20 0 10 20 0"), "OL MΩ|resistance|OA"},
              Row{fs9922("+0330 4", "6 24 0 2 0"), "33,0 °C|temperature|HRBX"},
              Row{fs9922("+0150 0", "0 10 0 10 0"), "150 hFE|hFE|N"},
              Row{fs9922("+4700 1", "0 2 0 4 0"), "4,700 nF|capacitance|"},
              Row{fs9922("+0000 2", "0 0 8 20 0"), "0,00 Ω|continuity|"},
              Row{fs9922("+9999 4", "20 0 20 8 0"), "999,9 kHz|frequency|A"},
              Row{fs9922("+0512 1", "0 0 4 80 0"), "0,512 V|diode|"},
              Row{fs9922("+0250 4", "0 0 2 0 0"), "25,0 %|duty cycle|"},
              Row{fs9922("+0071 1", "38 0 0 80 0"), "0,071 V|AC+DC|A"}},
             // Refused: no such point, fixed bits set, a bad sign or digit, the wrong end.
             {fs9922("+1234 3", "30 0 0 80 0"), fs9922("+1234 2", "B0 0 0 80 0"),
              fs9922("+1234 2", "70 0 0 80 0"), fs9922("*1234 2", "30 0 0 80 0"),
              fs9922("+12A4 2", "30 0 0 80 0"), "+1234 2" + hex("30 0 0 80 0") + "\n\r"});
  // Coded frames.
  expectRows(
      "es51922",
      {Row{"012345;000:0\r\n", "1,2345 V|DC|A"}, Row{"401234;40040\r\n", "-12,34 mV|AC|"},
       Row{"204700300020\r\n", "4,700 kΩ|resistance|A"},
       Row{"600000310000\r\n", "OL MΩ|resistance|O"},
       Row{"310000600002\r\n", "10,000 µF|capacitance|H"},
       Row{"112345=08080\r\n", "1234,5 µA|DC|X"}, Row{"001500?22040\r\n", "1,500 mA|AC|RB"},
       Row{"305000200000\r\n", "5,000 kHz|frequency|"},
       // A voltage function showing frequency.
       Row{"105000;00010\r\n", "500,0 Hz|frequency|"}, Row{"005120100000\r\n", "0,5120 V|diode|"},
       Row{"000123504000\r\n", "1,23 Ω|continuity|N"}, Row{"016000;000<0\r\n", "1,6000 V|AC+DC|"}},
      // Refused: no such range or function, fixed bits, a bad character, the wrong end.
      {"712345;000:0\r\n", "0123457000:0\r\n", "012345;0@0:0\r\n", "012345;0 0:0\r\n",
       "01234A;000:0\r\n", "012345;000:0\n\r"});
  expectRows(
      "ut71x",
      {Row{"123451101\r\n", "12,345 V|DC|A"}, Row{"012340040\r\n", "-12,34 mV|AC|"},
       Row{"100004400\r\n", "1,0000 MΩ|resistance|"}, Row{"000002410\r\n", "OL kΩ|resistance|O"},
       Row{"010001720\r\n", "100,0 µA|DC|B"}, Row{"002350680\r\n", "23,5 °C|temperature|H"},
       Row{"100001<08\r\n", "1,0000 kHz|frequency|X"},
       Row{"050000?02\r\n", "50,00 %|loop current|R"}},
      // Refused: no such range, no function, a fixed bit wrong, the wrong end.
      {"123459100\r\n", "12345>100\r\n", "12345p100\r\n", "123451101\r\r"});
  // Hexadecimal frames, from the meter's published output tables.
  expectRows(
      "mm38xr",
      {Row{"0C137005000A0\r\n", "137,0 mV|DC|A"}, Row{"0C099604100A1\r\n", "-0,996 V|DC|A"},
       Row{"0C00140020081\r\n", "-0,14 V|DC|"}, Row{"0C00010030080\r\n", "0,1 V|DC|"},
       Row{"0C996528000A2\r\n", "996,5 mV|AC+DC|A"}, Row{"1065001A200A0\r\n", "65,00 V|AC|A"},
       Row{"10B0DD2800080\r\n", "OL mV|AC|O"}, Row{"1007012A000A5\r\n", "-7,01 dBm|AC|A"},
       // A function without known ranges: a frame, but no number.
       Row{"08B0DD28000A0\r\n", "?||"}},
      // Refused: lower-case hex, a bad digit, no such range or level range, the wrong end.
      {"0c137005000A0\r\n", "0C1A7005000A0\r\n", "0C137005400A0\r\n", "1000000A200A4\r\n",
       "0C137005000A0\n\r", "0C137005000A0\r"});
  // Text frames, the published examples; the ohm sign is the byte EA.
  expectRows("vc96",
             {Row{"ACV   0.0 V\r\n", "0,0 V|AC|"}, Row{"DCV    00uV\r\n", "0 µV|DC|"},
              Row{"DCV-  0.1mV\r\n", "-0,1 mV|DC|"}, Row{"ACA   761mA\r\n", "761 mA|AC|"},
              Row{"OHM   OL M\xEA\r\n", "OL MΩ|resistance|O"},
              Row{"BEP   OL K\xEA\r\n", "OL kΩ|continuity|O"},
              Row{"DIO   OL  V\r\n", "OL V|diode|O"}, Row{"hfe   0.0  \r\n", "0,0 hFE|hFE|"}},
             // Refused: no such function, sign or prefix, the unit of another function, a bad
             // digit, two points, trailing blanks, the wrong end.
             {"DCX   0.0 V\r\n", "DCV+  0.0 V\r\n", "DCV   0.0xV\r\n", "DCV   0.0 A\r\n",
              "DCV   0.x V\r\n", "DCV  0..0 V\r\n", "DCV  0.0  V\r\n", "ACV   0.0 V\n\r"});
  // Segment frames with the checksum: mode, annunciators, the digits from the right, status.
  expectRows("rs9lcd",
             {Row{hex(Rs9lcdVolts), "1,234 V|DC|A"},
              Row{hex("00 03 00 72 F9 B5 50 09 B5"), "-12,34 mV|DC|A"},
              Row{hex("08 60 00 00 8E D7 00 11 17"), "OL kΩ|resistance|OHA"},
              Row{hex("09 08 82 D7 D7 59 72 20 65"), "4,700 µF|capacitance|RB"},
              Row{hex("0A 80 01 D7 DF D7 E3 00 34"), "50,00 Hz|frequency|N"},
              Row{hex("15 00 04 D7 E3 50 08 00 64"), "150 hFE|hFE|X"},
              Row{hex("0D 00 08 DF E3 B5 00 00 C5"), "25,0 %|duty cycle|"}},
             // Refused: a wrong checksum, no such digit, a dark digit inside the number, no
             // digit at all, a byte short.
             {hex("00 02 00 72 F1 BD 50 01 AD"), hex("00 02 00 72 F0 BD 50 01 AB"),
              hex("00 02 00 72 00 BD 50 01 BB"), hex("00 02 00 00 00 00 00 01 3C"),
              hex(Rs9lcdVolts).substr(1)});
  // The counted nibbles: AC, DC and range, the digits, prefixes, units; a C last: temperature.
  expectRows("bm25x",
             {Row{hex(Bm25xVolts), "1,234 V|DC|A"},
              Row{hex("02 13 20 31 4A 5A 6D 79 8F 94 AE B8 C0 D1 E4"), "-12,34 mV|AC|HR"},
              Row{hex("02 18 20 30 40 5E 6B 77 81 90 A0 B1 C4 D0 E0"), "OL kΩ|resistance|OA"},
              Row{hex("02 10 20 3A 4D 58 6F 7D 87 9E A1 B0 C0 D0 E0"), "23,5 °C|temperature|"},
              Row{hex("02 10 20 3E 4B 5D 67 70 8A 9A AD B0 C0 D8 E4"), "0,512 V|diode|X"},
              Row{hex("02 10 20 34 4E 59 6A 7E 8B 9E AB B0 C0 D6 E8"), "4,700 µF|capacitance|N"}},
             // Refused: another start byte, a miscounted nibble, no such digit, a dark digit
             // inside the number, the dashes between ranges, a byte short.
             {hex("03 1C 20 30 4A 5B 6D 78 8F 94 AE B0 C0 D0 E4"),
              hex("02 1C 20 30 4A 6B 6D 78 8F 94 AE B0 C0 D0 E4"),
              hex("02 1C 20 30 4A 5B 6D 78 8B 94 AE B0 C0 D0 E4"),
              hex("02 1C 20 30 4A 50 60 78 8F 94 AE B0 C0 D0 E4"),
              hex("02 1C 20 30 44 50 64 70 84 90 A4 B0 C0 D0 E4"), hex(Bm25xVolts).substr(1)});
  // Bit 3 of the first byte marks a frame for the interface; one prefix and unit at most.
  expectRows("dtm0660",
             {Row{hex(Dtm0660Volts), "1,234 V|DC|A"},
              Row{hex("19 21 3A 4A 5D 69 7F 84 9E A0 B1 CC D9 E0 F0"), "-12,34 mA|AC|HRB"},
              Row{hex("1C 20 30 4E 5B 66 71 80 90 A0 B4 C2 D0 E0 F0"), "OL MΩ|resistance|OA"},
              Row{hex("18 2E 3B 4D 57 60 7A 8A 9D A8 B0 C0 D2 E0 F0"), "0,512 V|diode|"},
              Row{hex("18 20 30 4A 5D 68 7F 8D 97 A0 B0 C0 D0 E2 F8"), "23,5 °C|temperature|X"},
              Row{hex("1C 2C 37 4E 5B 6F 7B 8E 9B A0 B0 C0 D4 E0 F2"), "50,00 Hz|frequency|AN"}},
             // Refused: no interface mark, AC and DC, two units, a miscounted nibble, no such
             // digit, a byte short.
             {hex("16 20 3A 4B 5D 68 7F 84 9E A0 B0 C0 D2 E0 F0"),
              hex("1B 20 3A 4B 5D 68 7F 84 9E A0 B0 C0 D2 E0 F0"),
              hex("1E 20 3A 4B 5D 68 7F 84 9E A0 B0 C0 D3 E0 F0"),
              hex("1E 20 3A 4B 6D 68 7F 84 9E A0 B0 C0 D2 E0 F0"),
              hex("1E 20 3A 4B 5D 68 7F 84 9F A0 B0 C0 D2 E0 F0"), hex(Dtm0660Volts).substr(1)});
  // Digits spread over bytes 2 to 8, the marks around them; interface mark, a closing zero.
  expectRows(
      "ms8250d",
      {Row{hex(Ms8250dVolts), "0,000 V|DC|A"},
       Row{hex("04 32 00 30 72 41 37 21 03 01 01 00 00 00 00 80 08 00"), "-12,34 mA|AC|HRB"},
       Row{hex("00 02 00 00 53 73 04 00 00 44 00 00 00 00 00 00 10 00"), "OL kΩ|resistance|OA"},
       Row{hex("00 02 10 72 10 33 35 53 03 02 02 00 00 00 00 00 04 00"), "4,700 µF|capacitance|N"},
       Row{hex("00 02 10 27 53 73 35 53 03 00 04 00 00 00 00 00 02 00"), "50,00 Hz|frequency|X"},
       Row{hex("00 02 30 75 71 02 30 72 01 10 00 01 00 00 00 00 00 00"), "0,512 V|diode|"}},
      // Refused: no closing zero, no interface mark, AC and DC, two units, no such
      // digit, two points, a window across two frames, a byte short.
      {hex("00 02 32 75 53 33 35 53 03 10 00 00 00 00 00 00 10 01"),
       hex("00 00 32 75 53 33 35 53 03 10 00 00 00 00 00 00 10 00"),
       hex("00 12 32 75 53 33 35 53 03 10 00 00 00 00 00 00 10 00"),
       hex("00 02 32 75 53 33 35 53 03 50 00 00 00 00 00 00 10 00"),
       hex("00 02 32 75 13 33 35 53 03 10 00 00 00 00 00 00 10 00"),
       hex("00 02 32 75 53 73 35 53 03 10 00 00 00 00 00 00 10 00"),
       hex("02 32 75 53 33 35 53 03 10 00 00 00 00 00 00 10 00 00"), hex(Ms8250dVolts).substr(1)});
  // Function, range and 16-bit counts; volts and amperes signed; bit 0 of the last: manual.
  expectRows("ms2115b",
             {Row{hex("55 02 01 00 00 00 00 00 00"), "0,000 V|AC|A"},
              Row{hex("55 0A 02 00 2E FB 00 00 00"), "-12,34 V|DC|A"},
              Row{hex("55 04 05 00 9B 18 00 00 00"), "OL MΩ|resistance|OA"},
              Row{hex("55 05 03 00 63 00 00 00 01"), "0,099 µF|capacitance|"},
              Row{hex("55 05 07 00 2F 00 00 00 01"), "0,47 mF|capacitance|"},
              Row{hex("55 06 00 00 88 13 00 00 00"), "50,00 Hz|frequency|A"},
              Row{hex("55 0B 00 00 00 02 00 00 01"), "0,512 V|diode|"},
              Row{hex("55 01 00 00 D2 04 00 00 00"), "12,34 A|AC|A"}},
             // Refused: another sync byte, function 7, a volts range beyond 1000 V, a byte short.
             {hex("54 02 01 00 00 00 00 00 00"), hex("55 07 01 00 00 00 00 00 00"),
              hex("55 02 05 00 00 00 00 00 00"), hex("55 02 01 00 00 00 00 00")});
  // Seven characters of number, no unit.
  expectRows(
      "m2110",
      {Row{"  1.234\r\n", "1,234||"}, Row{"-0.0512\r\n", "-0,0512||"}, Row{"OVERRNG\r\n", "OL||O"}},
      // Refused: a letter, two points, a blank inside, the wrong end.
      {"  1.2x4\r\n", " 1.2.34\r\n", " 1 234 \r\n", "  1.234\n\r"});
  // Sign and value in seven characters, prefix, unit and flag in eight, CR.
  expectRows(
      "asycii",
      {Row{" 1.2345 Vdc    \r", "1,2345 V|DC|"}, Row{"-12.345mVac    \r", "-12,345 mV|AC|"},
       Row{"   O.L kohm    \r", "OL kΩ|resistance|O"},
       Row{" 50.000 Hz     \r", "50,000 Hz|frequency|"},
       Row{" 0.5120 Vd     \r", "0,5120 V|diode|"},
       Row{" 47.00 nF      \r", "47,00 nF|capacitance|"},
       Row{"   12.5 %+     \r", "12,5 %|duty cycle|"}, Row{" 1.2345 VPk+   \r", "1,2345 V||X"}},
      // Refused: no CR, a unit or flag of no such name, a letter in the value, a plus
      // sign, a blank between unit and flag, a character short.
      {" 1.2345 Vdc    \n", " 1.2345 W      \r", " 1.2345 Vxy    \r", " 1.2x45 Vdc    \r",
       "+1.2345 Vdc    \r", " 1.2345 V dc   \r", " 1.2345 Vdc   \r"});
  // ES519xx blocks: range, digits, function, status, options. The 2400-baud chips mark the
  // peaks and the frequency in option 1, the 19200-baud ones hold, max, min there.
  expectRows("es51978",
             {Row{"11234;00:\r\n", "1,234 V|DC|A"}, Row{"01234900:\r\n", "12,34 mA|DC|A"},
              Row{"11234;08:\r\n", "1,234 V|DC|AX"}, Row{"00050;01:\r\n", "0,050 kHz|frequency|A"}},
             // Refused: a volts range beyond the chip's, a broken high nibble, a byte short.
             {"51234;00:\r\n", "11234;0p:\r\n", "11234;00:\r"});
  expectRows(
      "es51986",
      {Row{"11234;00:\r\n", "12,34 V|DC|A"}, Row{"40512;484\r\n", "-51,2 mV|AC|H"},
       Row{"200003102\r\n", "OL kΩ|resistance|OA"}, Row{"00050;003\r\n", "0,050 kHz|frequency|A"},
       Row{"347006202\r\n", "4,700 µF|capacitance|AB"}, Row{"002354002\r\n", "?||"}},
      // Refused: the wrong end, AC and DC, a digit that is none, a volts range beyond the
      // chip's, a byte short.
      {"11234;00:\n\r", "11234;00<\r\n", "112:4;00:\r\n", "51234;00:\r\n", "11234;00:\r"});
  // Function and selection digits, range, five digits; status and option nibbles.
  expectRows("vc870",
             {Row{"000123450000000000000\r\n", "1,2345 V|DC|A"},
              Row{"012023050000000011000\r\n", "230,5 V|AC|HRA"},
              Row{"202000000000000100000\r\n", "OL kΩ|resistance|OA"},
              Row{"600012340000000602000\r\n", "-12,34 µA|DC|B"},
              Row{"504050000000000000000\r\n", "50,00 kHz|frequency|A"},
              Row{"110002350000000000000\r\n", "23,5 °C|temperature|A"},
              Row{"900010000000000000000\r\n", "?||"}},
             // Refused: the wrong end, a letter for the function, a digit that is none, a range
             // the function lacks, a byte short.
             {"000123450000000000000\n\r", "A00123450000000000000\r\n", "00012x450000000000000\r\n",
              "101123450000000000000\r\n", "00012345000000000000\r\n"});
}

// The framer is one for all families; each family's length and checks are the decoders' above.
TEST(MeterFamilies, TheFramerFindsTheNewestValidFrameWhereverTheStreamStarted) {
  for (const auto& [name, older, newer] :
       std::vector<std::tuple<const char*, std::string, std::string>>{
           {"fs9721", Fs9721Volts, Fs9721Volts.substr(0, 13) + hex("E5")},
           {"es51922", "012345;000:0\r\n", "054321;000:0\r\n"},
           {"ms2115b", hex("55 02 01 00 00 00 00 00 00"), hex("55 0A 02 00 2E FB 00 00 00")},
           {"vc870", "000123450000000000000\r\n", "600012340000000602000\r\n"}}) {
    StreamFramer framer(*familyNamed(name));
    // Mid-frame start, garbage, a damaged copy, then two frames and the head of a third.
    std::string damaged = newer;
    damaged[3] = static_cast<char>(damaged[3] ^ 0x40);
    framer.add(older.substr(4) + "\x01\xff garbage" + damaged + older);
    framer.add(newer + older.substr(0, 6));
    // The newest, then nothing new since, then the rest of that third frame completes it.
    std::vector<std::optional<std::string>> taken{framer.takeNewest(), framer.takeNewest()};
    framer.add(older.substr(6));
    taken.push_back(framer.takeNewest());
    EXPECT_EQ(taken, (std::vector<std::optional<std::string>>{newer, std::nullopt, older})) << name;
  }
  // Some adapters set the 8th bit on a 7-bit line: masked, the frame reads as sent.
  StreamFramer sevenBit(*familyNamed("es51922"));
  std::string high = "012345;000:0\r\n";
  for (char& c : high) c = static_cast<char>(c | 0x80);
  sevenBit.add(high);
  EXPECT_EQ(sevenBit.takeNewest(), "012345;000:0\r\n");
}

TEST(MeterFamilies, EveryModelNamesAFamilyAndEveryFamilyHasModels) {
  std::set<std::string> ids, families;
  for (const MeterModel& model : meterModels()) {
    const MeterFamily* family = familyNamed(model.family);
    ASSERT_TRUE(family && model.line.dataBits == family->line().dataBits) << model.title();
    EXPECT_TRUE(ids.insert(model.id()).second) << model.id();
    families.insert(model.family);
  }
  EXPECT_TRUE(ids.size() >= 30u && families.size() == meterFamilies().size());
  PortConfig config;  // stored kinds keep their meaning; a model brings family and line
  config.MeterType = static_cast<MeterKind>(7);
  EXPECT_EQ(familyFor(config).name(), "four");
  ASSERT_TRUE(chooseMeter(config, "uni-t-ut61e"));
  EXPECT_EQ(std::tuple(familyFor(config).name(),
                       lineFor(config) == LineSettings{19200, 7, Parity::Odd, 1}),
            std::tuple("es51922", true));
  EXPECT_FALSE(chooseMeter(config, "uni-t-ut61"));
}

}  // namespace
}  // namespace kelvor
