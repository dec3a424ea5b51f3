// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/acquisition/PortConfig.h"
#include "core/text/Message.h"

namespace kelvor {

// The line as the remote serial server is asked to set it. Values are those of the
// COM-PORT-OPTION (RFC 2217).
struct RemoteLineSettings {
  enum class Parity : std::uint8_t { None = 1, Odd = 2, Even = 3, Mark = 4, Space = 5 };
  enum class StopBits : std::uint8_t { One = 1, Two = 2, OneAndHalf = 3 };

  std::uint32_t baud = 1200;
  std::uint8_t dataBits = 7;
  Parity parity = Parity::None;
  StopBits stopBits = StopBits::Two;
  bool dtr = true;  // the meter's interface cable draws its power from DTR high, RTS low
  bool rts = false;
};

// The one place where a port's configuration becomes the remote line's settings.
RemoteLineSettings remoteLineSettingsFor(const PortConfig& config);

// The client side of a telnet session carrying a serial line (RFC 854, 856 binary, 2217
// COM-PORT-OPTION). It only turns bytes into bytes: the caller sends what opening() and
// encodeData() give and what takeReplies() collects, and feeds every received byte to
// receive(), which returns the line's data. A telnet command may be split anywhere between
// two reads.
class TelnetComPort {
 public:
  explicit TelnetComPort(const RemoteLineSettings& settings);

  // Asks for binary both ways and the COM-PORT-OPTION, then sets the line: baud rate, data
  // size, parity, stop size, DTR and RTS.
  std::string opening();
  // Data for the line, every 0xFF doubled.
  static std::string encodeData(std::string_view data);
  // The line's data among `bytes`; negotiation and answers are taken in on the way.
  std::string receive(std::string_view bytes);
  // Negotiation answers owed to the server since the last call.
  std::string takeReplies();

  // The server refused the COM-PORT-OPTION (it cannot set the line).
  bool comPortRefused() const { return comPortRefused_; }
  // Every line setting (baud rate, data size, parity, stop size) was answered.
  bool lineAnswered() const;
  // Both control lines were answered.
  bool controlAnswered() const { return answered_[DtrSlot] && answered_[RtsSlot]; }
  // The first setting the server answered with another value than asked for, as
  // "baud rate 1200 (server: 9600)"; none while there is none.
  const std::optional<Message>& refusedSetting() const { return refused_; }

 private:
  enum Slot { BaudSlot, DataSlot, ParitySlot, StopSlot, DtrSlot, RtsSlot, SlotCount };
  enum class State { Data, Iac, Option, Sub, SubIac };

  void command(std::uint8_t verb, std::uint8_t option);
  void subnegotiation();
  void answer(std::uint8_t command, std::string_view value);
  void check(Slot slot, std::uint32_t wanted, std::uint32_t got);
  void request(std::uint8_t verb, std::uint8_t option);

  RemoteLineSettings settings_;
  State state_ = State::Data;
  std::uint8_t verb_ = 0;
  std::string sub_;
  std::string replies_;
  // Per option: enabled on our side / the server's side, and asked for but not yet answered.
  std::array<bool, 256> usOn_{}, himOn_{}, usAsked_{}, himAsked_{};
  std::array<bool, SlotCount> answered_{};
  bool comPortRefused_ = false;
  std::optional<Message> refused_;
};

}  // namespace kelvor
