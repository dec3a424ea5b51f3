// SPDX-License-Identifier: GPL-3.0-or-later
// The simulator's virtual USB-HID cables against the recorder's reading of the real ones.

#include "CableReports.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <optional>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "core/acquisition/HidCables.h"
#include "core/acquisition/HidReports.h"

namespace kelvor::metersim::test {
namespace {

// The report numbers a descriptor gives its input and its feature reports (0: unnumbered),
// or nothing when its items overrun it or its collections do not close.
std::optional<std::pair<std::set<int>, std::set<int>>> reportNumbers(const uhid_create2_req& c) {
  std::set<int> inputs, features;
  int id = 0, depth = 0;
  std::size_t at = 0;
  while (at < c.rd_size) {
    const unsigned prefix = c.rd_data[at];
    const std::size_t size = (prefix & 3) == 3 ? 4 : prefix & 3;
    if (at + 1 + size > c.rd_size) return std::nullopt;
    const unsigned tag = prefix & 0xFC;
    if (tag == 0x84) id = c.rd_data[at + 1];
    if (tag == 0x80) inputs.insert(id);
    if (tag == 0xB0) features.insert(id);
    depth += tag == 0xA0 ? 1 : tag == 0xC0 ? -1 : 0;
    if (depth < 0) return std::nullopt;
    at += 1 + size;
  }
  if (depth != 0) return std::nullopt;
  return std::pair(inputs, features);
}

// Whatever the meter sends comes out of the recorder's reading of the cable unchanged; the
// device has the ids of the real cable, numbers its data reports as the chip does and has the
// feature reports the recorder sets the line up with.
TEST(VirtualCable, CarriesTheMeterBytesAsTheRecorderReadsTheCable) {
  const std::string frame = "+1234 2" + std::string("\x30\x00\x00\x80\x00\r\n", 7);
  for (const auto& [name, chip, inputCount, reportsOf100] :
       std::vector<std::tuple<const char*, HidCableChip, std::size_t, std::size_t>>{
           {"cp2110", HidCableChip::Cp2110, 63, 2}, {"ch9325", HidCableChip::Ch9325, 1, 15}}) {
    SCOPED_TRACE(name);
    const VirtualCable cable = *virtualCableNamed(name);
    for (const std::string& bytes : {std::string(), frame, std::string(100, 'x')}) {
      HidInputStream input(chip);
      for (const std::string& report : cableInputReports(cable, bytes)) {
        EXPECT_EQ(static_cast<std::size_t>(inputEvent(report).u.input2.size), report.size());
        input.addReport(report);
      }
      EXPECT_EQ(std::pair(input.takeBytes(), input.malformedReports()), std::pair(bytes, 0));
    }
    EXPECT_EQ(cableInputReports(cable, std::string(100, 'x')).size(), reportsOf100);

    const uhid_event create = createEvent(cable);
    const HidCable* known = hidCableWithIds(static_cast<std::uint16_t>(create.u.create2.vendor),
                                            static_cast<std::uint16_t>(create.u.create2.product));
    EXPECT_TRUE(known && known->reports == chip && create.u.create2.bus == 3);
    const auto numbers = reportNumbers(create.u.create2);
    ASSERT_TRUE(numbers);
    std::set<int> setUp;
    for (const std::string& report : hidLineSetup(chip, LineSettings{2400}))
      setUp.insert(static_cast<unsigned char>(report[0]));
    EXPECT_EQ(std::pair(numbers->first.size(), numbers->second), std::pair(inputCount, setUp));
  }
  EXPECT_FALSE(virtualCableNamed("ch9329"));
}

// The host's feature reports are granted, asking for one is refused, other events need no
// answer.
TEST(VirtualCable, AnswersTheHostsRequests) {
  for (const auto& [type, answerType, err] :
       std::vector<std::tuple<__u32, __u32, int>>{{UHID_SET_REPORT, UHID_SET_REPORT_REPLY, 0},
                                                  {UHID_GET_REPORT, UHID_GET_REPORT_REPLY, EIO},
                                                  {UHID_OPEN, 0, 0}}) {
    uhid_event request{};
    request.type = type;
    request.u.set_report.id = 7;  // where both requests keep their id
    const auto answer = answerTo(request);
    ASSERT_EQ(answer.has_value(), answerType != 0);
    if (!answer) continue;
    EXPECT_EQ(std::tuple(static_cast<__u32>(answer->type),
                         static_cast<__u32>(answer->u.set_report_reply.id),
                         static_cast<int>(answer->u.set_report_reply.err)),
              std::tuple(answerType, 7u, err));
  }
}

}  // namespace
}  // namespace kelvor::metersim::test
