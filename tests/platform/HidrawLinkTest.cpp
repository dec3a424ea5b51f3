// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/HidrawLink.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <deque>
#include <string>
#include <vector>

#include "platform/HidrawDevice.h"
#include "platform/HidrawPorts.h"
#include "support/FakeHidrawNodes.h"

namespace kelvor {
namespace {

// A hidraw node as the driver behaves: one whole report per read, nothing when none waits,
// ENODEV once the cable is pulled; what is written and sent as features is kept.
struct FakeHid : HidDevice {
  int open(const std::string& path) override {
    opened.push_back(path);
    open_ = !pulled;
    return pulled ? ENOENT : 0;
  }
  void close() override { open_ = false; }
  bool isOpen() const override { return open_; }
  std::optional<Ids> ids() override { return Ids{vendor, 0xea80}; }
  ReadResult read() override {
    if (pulled) return {{}, ENODEV};
    if (reports.empty()) return {};
    std::string report = reports.front();
    reports.pop_front();
    return {report, 0};
  }
  int write(const std::string& report) override {
    written.push_back(report);
    return pulled ? ENODEV : 0;
  }
  int sendFeature(const std::string& report) override {
    features.push_back(report);
    return 0;
  }

  std::uint16_t vendor = 0x10c4;  // a CP2110 cable
  std::deque<std::string> reports;
  std::vector<std::string> opened, written, features;
  bool pulled = false;
  bool open_ = false;
};

// A CP2110 cable: set up by its feature reports, the meter's bytes reassembled from its input
// reports (a report's number is its byte count), a request split into output reports. Pulled
// mid-stream it fails as a serial adapter does, a report cut short is not made into bytes, and
// reopening finds it under its new node.
TEST(HidrawLink, SetsUpTheCableReassemblesTheStreamAndFollowsAReplug) {
  auto owned = std::make_unique<FakeHid>();
  FakeHid& hid = *owned;
  std::string node = "/dev/hidraw3";
  HidrawLink link(std::move(owned), [&](const HidAddress&) { return std::optional(node); });
  const LineSettings line{2400, 8, Parity::None, 1};
  ASSERT_TRUE(link.open(*parseHidAddress("hid:10c4:ea80"), line).ok);
  EXPECT_EQ(hid.features.size(), 3u);  // UART on, line, purge
  EXPECT_EQ(hid.features[1].substr(0, 5), std::string("\x50\x00\x00\x09\x60", 5));

  // Input reports: a byte count, then the bytes; "fg" announces 5 and is left out.
  const auto report = [](char count, const char* bytes) { return count + std::string(bytes); };
  hid.reports = {report(3, "abc"), report(2, "de"), report(5, "fg"), report(1, "h")};
  EXPECT_EQ(link.readPort(), "abcdeh");
  EXPECT_TRUE(link.writePort(std::string(70, 'x')));
  EXPECT_EQ(std::pair(hid.written.size(), hid.written[1]),  // 63 and 7 bytes
            std::pair(std::size_t{2}, '\x07' + std::string(7, 'x')));

  hid.reports = {report(2, "ij")};
  hid.pulled = true;
  EXPECT_EQ(link.readPort(), "");
  EXPECT_TRUE(link.failed() && !link.isOpen() && !link.reopen());
  hid.pulled = false;
  node = "/dev/hidraw5";
  EXPECT_TRUE(link.reopen() && link.isOpen() && !link.failed());
  EXPECT_EQ(std::pair(hid.opened.back(), hid.features.size()),  // set up again
            std::pair(std::string("/dev/hidraw5"), std::size_t{6}));

  hid.vendor = 0x046d;  // a mouse at that node now: no meter cable
  const auto other = link.open(*parseHidAddress("hid:10c4:ea80"), line);
  EXPECT_EQ(std::tuple(other.ok, other.errorCode), std::tuple(false, ENODEV));
}

// The nodes sysfs lists, found by their cable's ids and serial number; a plain file at the
// node is no cable.
TEST(HidrawLink, FindsTheNodeOfACableAndRefusesWhatIsNone) {
  testing::FakeHidrawNodes sysfs;
  ASSERT_TRUE(sysfs.add("hidraw0", "HID_ID=0003:0000046D:0000C52B\nHID_UNIQ=\n"));
  ASSERT_TRUE(sysfs.add("hidraw10", "HID_ID=0003:000010C4:0000EA80\nHID_UNIQ=B\n"));
  ASSERT_TRUE(sysfs.add("hidraw9", "HID_ID=0003:000010C4:0000EA80\nHID_UNIQ=A\n"));
  const HidrawPorts ports = sysfs.ports();
  const std::string at = sysfs.devFolder() + "/hidraw";
  EXPECT_EQ(std::pair(ports.nodes().size(), ports.cables().size()),  // not the mouse
            std::pair(std::size_t{3}, std::size_t{2}));
  for (const auto& [address, node] : {std::pair{"hid:10c4:ea80", std::optional(at + "9")},
                                      {"hid:10c4:ea80:B", at + "10"},
                                      {"hid:10c4:ea80:C", std::nullopt}})
    EXPECT_EQ(ports.nodeOf(*parseHidAddress(address)), node) << address;
  EXPECT_EQ(ports.addressOf(at + "10")->text(), "hid:10c4:ea80:B");

  HidrawLink plainFile(std::make_unique<HidrawDevice>(),
                       [&](const HidAddress&) { return std::optional(at + "9"); });
  const auto refused = plainFile.open(*parseHidAddress("hid:10c4:ea80"), LineSettings{2400});
  EXPECT_EQ(std::tuple(refused.ok, refused.errorCode), std::tuple(false, ENODEV));
}

}  // namespace
}  // namespace kelvor
