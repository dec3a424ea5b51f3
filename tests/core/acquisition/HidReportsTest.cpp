// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <tuple>
#include <vector>

#include "core/acquisition/HidCables.h"
#include "core/acquisition/HidReports.h"
#include "core/acquisition/MeterFamily.h"
#include "core/acquisition/VictorCable.h"

namespace kelvor {
namespace {

using Hexes = std::vector<std::string>;

// "F2 35 41" as bytes; a trailing "+N" appends N zero bytes of padding.
std::string bytes(const std::string& hex) {
  std::string out;
  for (std::size_t at = 0; at < hex.size(); at += 3) {
    if (hex[at] == '+') return out + std::string(std::stoul(hex.substr(at + 1)), '\0');
    out += static_cast<char>(std::stoul(hex.substr(at, 2), nullptr, 16));
  }
  return out;
}

// Bytes as hex, trailing zero padding folded into "+N" as above.
std::string hex(const std::string& data) {
  const std::size_t end = data.find_last_not_of('\0') + 1;
  std::string out;
  char part[4];
  for (std::size_t at = 0; at < end; ++at) {
    std::snprintf(part, sizeof part, "%02X ", static_cast<unsigned char>(data[at]));
    out += part;
  }
  return data.size() > end ? out + "+" + std::to_string(data.size() - end)
                           : out.substr(0, out.size() - 1);
}

Hexes hexes(const std::vector<std::string>& reports) {
  Hexes out;
  for (const std::string& report : reports) out.push_back(hex(report));
  return out;
}

TEST(HidCables, NamedByUsbIds) {
  for (const auto& [vendor, product, label] : std::vector<std::tuple<int, int, std::string>>{
           {0x1a86, 0xe008, "UT-D04 (CH9325)"},
           {0x04fa, 0x2490, "UT-D04 (HE2325U)"},
           {0x10c4, 0xea80, "UT-D09 (CP2110)"},
           {0x1a86, 0xe429, "UT-D09 (CH9329)"},
           {0x1244, 0xd237, "Victor 86C cable"},
           {0x10c4, 0xea60, ""}}) {  // a CP2102: a serial port, not a HID cable
    const HidCable* cable = hidCableWithIds(vendor, product);
    EXPECT_EQ(cable ? hidCableLabel(*cable) : "", label);
  }
  EXPECT_EQ(knownHidCables().size(), 5u);
}

// A cable as a port names it, back and forth; and as sysfs tells of a hidraw node's device.
TEST(HidCables, AddressesReadAndWritten) {
  for (const auto& [text, written, file] :
       std::vector<std::tuple<std::string, std::string, std::string>>{
           {"hid:10c4:ea80", "hid:10c4:ea80", "hid-10c4-ea80"},
           {"hid:10C4:EA80:00A1B2", "hid:10c4:ea80:00A1B2", "hid-10c4-ea80-00A1B2"},
           {"hid:1a86:e08", "hid:1a86:0e08", "hid-1a86-0e08"}}) {
    const auto address = parseHidAddress(text);
    EXPECT_EQ(address ? address->text() + " " + address->fileName() : "", written + " " + file)
        << text;
  }
  for (const char* text : {"hid:10c4", "hid:10c4:ea80:", "hid:10c4:ea800", "hid:x0c4:ea80",
                           "hid:10c4:ea80:a/b", "COM3"})
    EXPECT_FALSE(parseHidAddress(text)) << text;
  for (const auto& [uevent, address] : std::vector<std::pair<std::string, std::string>>{
           {"DRIVER=hid-generic\nHID_ID=0003:000010C4:0000EA80\nHID_NAME=Silicon Labs "
            "CP2110\nHID_UNIQ=0042A1B2\n",
            "hid:10c4:ea80:0042A1B2"},
           {"HID_ID=0003:00001A86:0000E008\nHID_UNIQ=\n", "hid:1a86:e008"},
           {"HID_ID=0003:00001A86:0000E008\nHID_UNIQ=with blank\n", "hid:1a86:e008"},
           {"HID_ID=0003:00011A86:0000E008\n", ""},  // no 16-bit id
           {"HID_NAME=keyboard\n", ""}}) {
    const auto read = hidAddressOfUevent(uevent);
    EXPECT_EQ(read ? read->text() : "", address) << uevent;
  }
}

TEST(HidInputStream, GoodBytesSurviveBadReports) {
  std::string cp2110Full = "3F";
  std::string ch9329Full = "00 3F";
  for (int i = 0; i < 63; ++i) cp2110Full += " 41", ch9329Full += " 41";
  // chip, reports as read, the meter's bytes, malformed reports
  using Row = std::tuple<HidCableChip, Hexes, std::string, int>;
  for (const auto& [chip, reports, stream, malformed] : std::vector<Row>{
           // Empty and full reports, a frame split across reports, padding ignored.
           Row{HidCableChip::Ch9325,
               Hexes{"F0 +7", "F2 31 32 +5", "F7 33 34 35 36 37 38 39", "F1 0D 00 00 00 00 00 00"},
               "123456789\r", 0},
           // Wrong high nibble, count 8 beyond 7, count beyond a short report, empty read.
           Row{HidCableChip::Ch9325,
               Hexes{"F1 41 +6", "E1 58 +6", "F8 58 58 58 58 58 58 58", "F3 58", "", "F1 42 +6"},
               "AB", 4},
           // The cable vanished mid-report: kept while its count is covered, else dropped.
           Row{HidCableChip::Ch9325, Hexes{"F2 41 42 +5", "F2 43 44"}, "ABCD", 0},
           Row{HidCableChip::Ch9325, Hexes{"F2 41 42 +5", "F5 43 44"}, "AB", 1},
           Row{HidCableChip::Cp2110, Hexes{"01 41", "02 42 43", cp2110Full, "01 0D"},
               "ABC" + std::string(63, 'A') + "\r", 0},
           // Report 0 and numbers above 63 carry no data; a count beyond the report.
           Row{HidCableChip::Cp2110, Hexes{"01 41", "00 58", "40 58", "41 01", "05 58 58", "01 42"},
               "AB", 4},
           Row{HidCableChip::Ch9329,
               Hexes{"00 00 +63", "00 02 41 42 +61", ch9329Full, "00 01 0D +62"},
               "AB" + std::string(63, 'A') + "\r", 0},
           // Wrong leading byte, count 64, count beyond a report cut short.
           Row{HidCableChip::Ch9329,
               Hexes{"00 01 41 +62", "01 01 58 +62", "00 40 +63", "00 03 58 58", "00 01 42"}, "AB",
               3}}) {
    HidInputStream input(chip);
    for (const std::string& report : reports) input.addReport(bytes(report));
    EXPECT_EQ(input.takeBytes(), stream) << reports.front();
    EXPECT_EQ(input.malformedReports(), malformed) << reports.front();
    EXPECT_EQ(input.takeBytes(), "");  // taken once
  }
}

// The Victor 86C's cable scrambles FS9922 frames; a report worked out by hand from the
// published key and byte places, and frames the cable's scrambling made, come out as frames
// the FS9922 decoder reads. A report short of a frame is malformed; nothing goes to the meter.
TEST(HidInputStream, UnscramblesTheVictorCable) {
  const std::string status[] = {"28 00 40 40 00 0D 0A", "30 00 00 80 00 0D 0A",
                                "06 24 00 02 00 0D 0A", "20 00 10 20 00 0D 0A"};
  // report, or a frame to scramble: what the frame shows
  for (const auto& [report, shown] : std::vector<std::pair<std::string, std::string>>{
           {bytes("7E 23 64 71 6E 04 E1 72 6B 0F 77 C8 6B 11"), "-0,056 mA AC"},
           {victorReportOfFrame("+1234 2" + bytes(status[1])), "12,34 V DC"},
           {victorReportOfFrame("+0330 4" + bytes(status[2])), "33,0 °C temperature"},
           {victorReportOfFrame("+?0:? 4" + bytes(status[3])), "OL MΩ resistance"}}) {
    HidInputStream input(HidCableChip::VictorScrambled);
    input.addReport(report);
    std::string frame = input.takeBytes();
    const auto decoded = familyNamed("fs9922")->decode(frame, ',');
    ASSERT_TRUE(decoded) << hex(frame);
    EXPECT_EQ(decoded->valueText + " " + decoded->mode, shown);
  }
  HidInputStream input(HidCableChip::VictorScrambled);
  input.addReport(bytes("7E 23 64 71 6E 04 E1 72 6B 0F 77 C8 6B"));
  EXPECT_EQ(std::pair(input.takeBytes(), input.malformedReports()), std::pair(std::string(), 1));
  EXPECT_TRUE(hidOutputReports(HidCableChip::VictorScrambled, "D").empty());
}

TEST(HidReports, RequestsAndLineSetUp) {
  const std::string request = bytes("AB CD 03 5E 01 D9");  // a polled meter's request
  for (const auto& [chip, reports] : std::vector<std::tuple<HidCableChip, Hexes>>{
           {HidCableChip::Ch9325, {"00 06 AB CD 03 5E 01 D9 +1"}},
           {HidCableChip::Cp2110, {"06 AB CD 03 5E 01 D9"}},
           {HidCableChip::Ch9329, {"00 06 AB CD 03 5E 01 D9 +57"}}})
    EXPECT_EQ(hexes(hidOutputReports(chip, request)), reports);
  // More than one report holds, split where the report is full.
  EXPECT_EQ(hexes(hidOutputReports(HidCableChip::Ch9325, bytes("01 02 03 04 05 06 07 08 09"))),
            (Hexes{"00 07 01 02 03 04 05 06 07", "00 02 08 09 +5"}));
  EXPECT_EQ(hidOutputReports(HidCableChip::Cp2110, std::string(64, 'A')).size(), 2u);
  EXPECT_TRUE(hidOutputReports(HidCableChip::Cp2110, "").empty());

  const LineSettings uni{2400, 8, Parity::None, 1}, odd{19200, 7, Parity::Odd, 2};
  for (const auto& [chip, line, reports] :
       std::vector<std::tuple<HidCableChip, LineSettings, Hexes>>{
           {HidCableChip::Ch9325, uni, {"00 60 09 00 00 03"}},
           {HidCableChip::Ch9325, odd, {"00 00 4B 00 00 02"}},
           {HidCableChip::Cp2110, uni, {"41 01", "50 00 00 09 60 00 00 03 +1", "43 03"}},
           {HidCableChip::Cp2110, odd, {"41 01", "50 00 00 4B 00 01 00 02 01", "43 03"}},
           {HidCableChip::Ch9329, uni, {}},
           {HidCableChip::Ch9329, odd, {}}})
    EXPECT_EQ(hexes(hidLineSetup(chip, line)), reports) << line.baud;
}

}  // namespace
}  // namespace kelvor
