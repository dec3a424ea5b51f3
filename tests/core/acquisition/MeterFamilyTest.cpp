// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "core/acquisition/MeterChoice.h"
#include "core/acquisition/MeterFamily.h"
#include "core/acquisition/MeterModels.h"
#include "core/acquisition/StreamFramer.h"
#include "core/journal/JournalFormat.h"

namespace kelvor {
namespace {

// "17 20 35" as the bytes 0x17, 0x20, 0x35.
std::string hex(const std::string& text) {
  std::string out;
  std::istringstream in(text);
  for (int value; in >> std::hex >> value;) out += static_cast<char>(value);
  return out;
}

// "text|unit|mode|flags" of a decoded frame; flags as letters: O overload, H hold,
// R relative, A auto range, B low battery, N min, X max. Nothing decoded: "-".
std::string shown(const MeterFamily& family, std::string frame) {
  const auto decoded = family.decode(frame, ',');
  if (!decoded) return "-";
  const MeterFlags& f = decoded->flags;
  const bool on[] = {f.overload, f.hold, f.relative, f.autoRange, f.lowBattery, f.min, f.max};
  std::string flags;
  for (int i = 0; i < 7; ++i)
    if (on[i]) flags += "OHRABNX"[i];
  return decoded->valueText + "|" + decoded->mode + "|" + flags;
}

// Frames and what they show; frames that decode to nothing.
void expectRows(const char* family, const std::vector<std::pair<std::string, std::string>>& rows,
                const std::vector<std::string>& refused) {
  for (const auto& [frame, expected] : rows)
    EXPECT_EQ(shown(*familyNamed(family), frame), expected) << family;
  for (const std::string& frame : refused) EXPECT_EQ(shown(*familyNamed(family), frame), "-");
}

// Segment frames: position in the high nibble, digits as segments (1.234 is 05, 5B with
// the point, 1F, 27), annunciators in bytes 1, 10 to 13.
const std::string Fs9721Volts = hex("17 20 35 4D 5B 61 7F 82 97 A0 B0 C0 D4 E0");

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
             {{Fs9721Volts, "1,234 V|DC|A"},
              {hex("1B 28 35 45 5B 69 7F 82 97 A0 B8 C0 D4 E0"), "-12,34 mV|AC|A"},
              {hex("13 27 3D 4A 57 61 75 87 9D A2 B0 C7 D0 E0"), "0,470 kΩ|resistance|HRA"},
              {hex("13 20 30 47 5D 6E 78 80 90 A0 B2 C4 D0 E0"), "O.L MΩ|resistance|OA"},
              {hex("12 22 37 49 55 67 7D 87 9D A8 B0 C8 D1 E0"), "4,700 µF|capacitance|AB"},
              {hex("12 23 3E 47 5D 6F 7D 87 9D A0 B0 C0 D2 E0"), "50,00 Hz|frequency|A"},
              // A leading dark digit; the diode sign.
              {hex("11 20 30 4B 5E 60 75 85 9B A1 B0 C0 D4 E0"), "0,512 V|diode|"}},
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
             {{fs9922("+1234 2", "30 0 0 80 0"), "12,34 V|DC|A"},
              {fs9922("-0056 1", "28 0 40 40 0"), "-0,056 mA|AC|A"},
              {fs9922("+?0:? 4", "20 0 10 20 0"), "OL MΩ|resistance|OA"},
              {fs9922("+0330 4", "6 24 0 2 0"), "33,0 °C|temperature|HRBX"},
              {fs9922("+0150 0", "0 10 0 10 0"), "150 hFE|hFE|N"},
              {fs9922("+4700 1", "0 2 0 4 0"), "4,700 nF|capacitance|"},
              {fs9922("+0000 2", "0 0 8 20 0"), "0,00 Ω|continuity|"},
              {fs9922("+9999 4", "20 0 20 8 0"), "999,9 kHz|frequency|A"},
              {fs9922("+0512 1", "0 0 4 80 0"), "0,512 V|diode|"},
              {fs9922("+0250 4", "0 0 2 0 0"), "25,0 %|duty cycle|"},
              {fs9922("+0071 1", "38 0 0 80 0"), "0,071 V|AC+DC|A"}},
             // Refused: no such point, fixed bits set, a bad sign or digit, the wrong end.
             {fs9922("+1234 3", "30 0 0 80 0"), fs9922("+1234 2", "B0 0 0 80 0"),
              fs9922("+1234 2", "70 0 0 80 0"), fs9922("*1234 2", "30 0 0 80 0"),
              fs9922("+12A4 2", "30 0 0 80 0"), "+1234 2" + hex("30 0 0 80 0") + "\n\r"});
  // Coded frames.
  expectRows("es51922",
             {{"012345;000:0\r\n", "1,2345 V|DC|A"},
              {"401234;40040\r\n", "-12,34 mV|AC|"},
              {"204700300020\r\n", "4,700 kΩ|resistance|A"},
              {"600000310000\r\n", "OL MΩ|resistance|O"},
              {"310000600002\r\n", "10,000 µF|capacitance|H"},
              {"112345=08080\r\n", "1234,5 µA|DC|X"},
              {"001500?22040\r\n", "1,500 mA|AC|RB"},
              {"305000200000\r\n", "5,000 kHz|frequency|"},
              // A voltage function showing frequency.
              {"105000;00010\r\n", "500,0 Hz|frequency|"},
              {"005120100000\r\n", "0,5120 V|diode|"},
              {"000123504000\r\n", "1,23 Ω|continuity|N"},
              {"016000;000<0\r\n", "1,6000 V|AC+DC|"}},
             // Refused: no such range or function, fixed bits, a bad character, the wrong end.
             {"712345;000:0\r\n", "0123457000:0\r\n", "012345;0@0:0\r\n", "012345;0 0:0\r\n",
              "01234A;000:0\r\n", "012345;000:0\n\r"});
  expectRows("ut71x",
             {{"123451101\r\n", "12,345 V|DC|A"},
              {"012340040\r\n", "-12,34 mV|AC|"},
              {"100004400\r\n", "1,0000 MΩ|resistance|"},
              {"000002410\r\n", "OL kΩ|resistance|O"},
              {"010001720\r\n", "100,0 µA|DC|B"},
              {"002350680\r\n", "23,5 °C|temperature|H"},
              {"100001<08\r\n", "1,0000 kHz|frequency|X"},
              {"050000?02\r\n", "50,00 %|loop current|R"}},
             // Refused: no such range, no function, a fixed bit wrong, the wrong end.
             {"123459100\r\n", "12345>100\r\n", "12345p100\r\n", "123451101\r\r"});
  // Hexadecimal frames, from the meter's published output tables.
  expectRows("mm38xr",
             {{"0C137005000A0\r\n", "137,0 mV|DC|A"},
              {"0C099604100A1\r\n", "-0,996 V|DC|A"},
              {"0C00140020081\r\n", "-0,14 V|DC|"},
              {"0C00010030080\r\n", "0,1 V|DC|"},
              {"0C996528000A2\r\n", "996,5 mV|AC+DC|A"},
              {"1065001A200A0\r\n", "65,00 V|AC|A"},
              {"10B0DD2800080\r\n", "OL mV|AC|O"},
              {"1007012A000A5\r\n", "-7,01 dBm|AC|A"},
              // A function without known ranges: a frame, but no number.
              {"08B0DD28000A0\r\n", "?||"}},
             // Refused: lower-case hex, a bad digit, no such range or level range, the wrong end.
             {"0c137005000A0\r\n", "0C1A7005000A0\r\n", "0C137005400A0\r\n", "1000000A200A4\r\n",
              "0C137005000A0\n\r", "0C137005000A0\r"});
  // Text frames, the published examples; the ohm sign is the byte EA.
  expectRows("vc96",
             {{"ACV   0.0 V\r\n", "0,0 V|AC|"},
              {"DCV    00uV\r\n", "0 µV|DC|"},
              {"DCV-  0.1mV\r\n", "-0,1 mV|DC|"},
              {"ACA   761mA\r\n", "761 mA|AC|"},
              {"OHM   OL M\xEA\r\n", "OL MΩ|resistance|O"},
              {"BEP   OL K\xEA\r\n", "OL kΩ|continuity|O"},
              {"DIO   OL  V\r\n", "OL V|diode|O"},
              {"hfe   0.0  \r\n", "0,0 hFE|hFE|"}},
             // Refused: no such function, sign or prefix, the unit of another function, a bad
             // digit, two points, trailing blanks, the wrong end.
             {"DCX   0.0 V\r\n", "DCV+  0.0 V\r\n", "DCV   0.0xV\r\n", "DCV   0.0 A\r\n",
              "DCV   0.x V\r\n", "DCV  0..0 V\r\n", "DCV  0.0  V\r\n", "ACV   0.0 V\n\r"});
  // A decoder's unit, mode and overload go into the journal row as decoded.
  std::string frame = "600000310000\r\n";
  const auto decoded = familyNamed("es51922")->decode(frame, '.');
  const JournalRow row = journalRowOf("600000310000\r\n", *decoded);
  EXPECT_EQ(row.unit + "|" + row.mode + "|" + statusName(row.status) + "|" + row.raw,
            "MΩ|resistance|overload|600000310000\n");
}

TEST(MeterFamilies, TheFramerFindsTheNewestValidFrameWhereverTheStreamStarted) {
  for (const auto& [name, older, newer] :
       std::vector<std::tuple<const char*, std::string, std::string>>{
           {"fs9721", Fs9721Volts, Fs9721Volts.substr(0, 13) + hex("E5")},
           {"fs9922", fs9922("+1234 2", "30 0 0 80 0"), fs9922("-0001 2", "30 0 0 80 0")},
           {"es51922", "012345;000:0\r\n", "054321;000:0\r\n"},
           {"ut71x", "123451101\r\n", "543211101\r\n"},
           {"mm38xr", "0C137005000A0\r\n", "0C099604100A1\r\n"},
           {"vc96", "DCV-  0.1mV\r\n", "ACA   761mA\r\n"}}) {
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
