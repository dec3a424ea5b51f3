// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <initializer_list>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/network/NetworkAddress.h"
#include "core/network/TelnetComPort.h"

namespace kelvor {
namespace {

TEST(NetworkAddress, ReadsGoodFormsAndRefusesBadOnes) {
  // text | host, port and the address written again
  for (const auto& [text, read] : std::vector<std::pair<std::string, std::string>>{
           {"rfc2217://127.0.0.1:2001", "127.0.0.1 2001 rfc2217://127.0.0.1:2001"},
           {"tcp://bench-pc.local:4001", "bench-pc.local 4001 tcp://bench-pc.local:4001"},
           {"TCP://host:1", "host 1 tcp://host:1"},
           {"tcp://[::1]:65535", "::1 65535 tcp://[::1]:65535"},
           {"rfc2217://[fe80::1%eth0]:7000", "fe80::1%eth0 7000 rfc2217://[fe80::1%eth0]:7000"}}) {
    const auto address = parseNetworkAddress(text);
    ASSERT_TRUE(address) << text;
    EXPECT_EQ(address->host + " " + std::to_string(address->port) + " " + address->text(), read);
  }
  // No address: port out of range or missing, no host, IPv6 without or with broken brackets,
  // a port that is not plain digits, a space, a user, a path, another scheme, a device.
  for (const char* text :
       {"tcp://host:0", "tcp://host:65536", "tcp://host:", "tcp://host", "tcp://:4001",
        "tcp://::1:4001", "tcp://[::1]4001", "tcp://[]:4001", "tcp://[fe80::1%]:4001",
        "tcp://[host]:4001", "tcp://host:40x1", "tcp://host:+401", "tcp://ho st:4001",
        "tcp://user@host:4001", "tcp://host:4001/", "telnet://host:4001", "/dev/ttyUSB0"})
    EXPECT_FALSE(parseNetworkAddress(text)) << text;
  EXPECT_TRUE(looksLikeNetworkAddress("telnet://host:4001"));
  EXPECT_FALSE(looksLikeNetworkAddress("/dev/ttyUSB0"));
}

std::string b(std::initializer_list<int> list) {
  std::string out;
  for (const int c : list) out += static_cast<char>(c);
  return out;
}

constexpr int Iac = 255, Will = 251, Wont = 252, Do = 253, Dont = 254, Sb = 250, Se = 240;

std::string comPort(std::initializer_list<int> command) {
  return b({Iac, Sb, 44}) + b(command) + b({Iac, Se});
}

// The line set as the meter needs it: 1200 baud, 7 data bits, no parity, 2 stop bits, DTR on,
// RTS off.
const std::string SetLine = comPort({1, 0, 0, 0x04, 0xB0}) + comPort({2, 7}) + comPort({3, 1}) +
                            comPort({4, 2}) + comPort({5, 8}) + comPort({5, 12});
const std::string LineAnswers =
    comPort({101, 0, 0, 0x04, 0xB0}) + comPort({102, 7}) + comPort({103, 1}) + comPort({104, 2});
const std::string ControlAnswers = comPort({105, 8}) + comPort({105, 12});

// The server's refusal of a setting; numbers as they stand, words as messages of their own.
Message refused(MessageId setting, const Message& wanted, const Message& got) {
  return Message(MessageId::SettingRefused, {}, {Message(setting), wanted, got});
}
Message number(const char* text) {
  return Message(MessageId::Verbatim, {text});
}

TEST(TelnetComPort, NegotiatesSetsTheLineAndUndoublesDataSplitAnywhere) {
  struct Row {
    const char* what;
    std::string received;
    std::string data;
    std::string replies;
    std::optional<Message> refused{};
    bool lineAnswered = false;
    bool controlAnswered = false;
    bool comPortRefused = false;
  };
  const std::string agreed = b({Iac, Do, 0, Iac, Will, 0, Iac, Do, 44});
  for (const Row& row : std::vector<Row>{
           {"our requests answered: the line is set", agreed, "", SetLine},
           {"all answered", agreed + LineAnswers + ControlAnswers, "", SetLine, {}, true, true},
           {"control lines never answered", agreed + LineAnswers, "", SetLine, {}, true},
           {"a rate refused", agreed + comPort({101, 0, 0, 0x25, 0x80}), "", SetLine,
            refused(MessageId::SettingBaudRate, number("1200"), number("9600"))},
           {"stop bits refused (the first refusal named)",
            agreed + comPort({104, 1}) + comPort({103, 3}), "", SetLine,
            refused(MessageId::SettingStopBits, number("2"), number("1"))},
           {"parity refused", agreed + comPort({103, 3}), "", SetLine,
            refused(MessageId::SettingParity, Message(MessageId::ParityNone),
                    Message(MessageId::ParityEven))},
           {"data bits refused", agreed + comPort({101, 0, 0, 0x04, 0xB0}) + comPort({102, 8}), "",
            SetLine, refused(MessageId::SettingDataBits, number("7"), number("8"))},
           {"DTR refused", agreed + comPort({105, 9}), "", SetLine,
            refused(MessageId::SettingDtr, Message(MessageId::LineOn),
                    Message(MessageId::LineOff))},
           {"the server asks first", b({Iac, Do, 44, Iac, Will, 3, Iac, Will, 1, Iac, Do, 34}), "",
            SetLine + b({Iac, Do, 3, Iac, Dont, 1, Iac, Wont, 34})},
           {"option refused", b({Iac, Dont, 44, Iac, Wont, 0}), "", "", {}, false, false, true},
           {"withdrawn once agreed: refused, data still read", agreed + b({Iac, Dont, 44, 'x'}),
            "x", SetLine + b({Iac, Wont, 44}), std::nullopt, false, false, true},
           {"doubled 0xFF is data; other commands and notifications are not",
            b({'A', Iac, Iac, 'B', Iac, 241, 'C'}) + comPort({107, 0x30}) +
                comPort({106, Iac, Iac}) + "D" + b({Iac, Sb, 44, 104, 1, Iac, 'x'}) + "E",
            b({'A', Iac, 'B', 'C', 'D', 'E'}), ""}}) {
    // Every row is told whole, then split into two reads at every place.
    for (std::size_t split = 0; split <= row.received.size(); ++split) {
      SCOPED_TRACE(std::string(row.what) + ", split at " + std::to_string(split));
      TelnetComPort port(RemoteLineSettings{});
      EXPECT_EQ(port.opening(), b({Iac, Will, 0, Iac, Do, 0, Iac, Will, 44}));
      std::string data = port.receive(std::string_view(row.received).substr(0, split));
      data += port.receive(std::string_view(row.received).substr(split));
      const std::string replies = port.takeReplies();  // taken, they are gone
      EXPECT_EQ(std::tuple(data, replies, port.takeReplies(), port.refusedSetting(),
                           port.lineAnswered(), port.controlAnswered(), port.comPortRefused()),
                std::tuple(row.data, row.replies, "", row.refused, row.lineAnswered,
                           row.controlAnswered, row.comPortRefused));
    }
  }
}

TEST(TelnetComPort, Doubles0xFfInDataAndInTheSettingsItSends) {
  EXPECT_EQ(TelnetComPort::encodeData(b({'D', Iac, 0, Iac, Iac})),
            b({'D', Iac, Iac, 0, Iac, Iac, Iac, Iac}));
  TelnetComPort port(RemoteLineSettings{0x1FF, 7, RemoteLineSettings::Parity::Even,
                                        RemoteLineSettings::StopBits::One, false, true});
  port.opening();
  port.receive(b({Iac, Do, 44}));
  EXPECT_EQ(port.takeReplies(), b({Iac, Sb, 44, 1, 0, 0, 1, Iac, Iac, Iac, Se}) + comPort({2, 7}) +
                                    comPort({3, 3}) + comPort({4, 1}) + comPort({5, 9}) +
                                    comPort({5, 11}));
  port.receive(b({Iac, Sb, 44, 101, 0, 0, 1, Iac, Iac, Iac, Se}) + comPort({102, 7}) +
               comPort({103, 3}) + comPort({104, 1}));
  EXPECT_TRUE(!port.refusedSetting() && port.lineAnswered());
}

}  // namespace
}  // namespace kelvor
