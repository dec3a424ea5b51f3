// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/network/TelnetComPort.h"

#include "core/acquisition/MeterChoice.h"

#include <algorithm>

namespace kelvor {

namespace {

// Telnet commands (RFC 854) and options (RFC 856 binary, RFC 2217 COM-PORT-OPTION).
constexpr std::uint8_t Iac = 255, Dont = 254, Do = 253, Wont = 252, Will = 251, Sb = 250, Se = 240;
constexpr std::uint8_t Binary = 0, SuppressGoAhead = 3, ComPortOption = 44;
// COM-PORT-OPTION commands of the client; the server answers each with the command + 100.
constexpr std::uint8_t SetBaudRate = 1, SetDataSize = 2, SetParity = 3, SetStopSize = 4,
                       SetControl = 5, ServerOffset = 100;
constexpr std::uint8_t DtrOn = 8, DtrOff = 9, RtsOn = 11, RtsOff = 12;
// A subnegotiation longer than this is no COM-PORT-OPTION answer; the rest is dropped.
constexpr std::size_t MaxSubnegotiation = 64;

std::string bytes(std::initializer_list<std::uint8_t> list) {
  return std::string(list.begin(), list.end());
}

std::string comPortCommand(std::uint8_t command, const std::string& value) {
  return bytes({Iac, Sb, ComPortOption, command}) + TelnetComPort::encodeData(value) +
         bytes({Iac, Se});
}

std::string bigEndian(std::uint32_t value) {
  return bytes({static_cast<std::uint8_t>(value >> 24), static_cast<std::uint8_t>(value >> 16),
                static_cast<std::uint8_t>(value >> 8), static_cast<std::uint8_t>(value)});
}

constexpr MessageId SlotNames[] = {MessageId::SettingBaudRate, MessageId::SettingDataBits,
                                   MessageId::SettingParity,   MessageId::SettingStopBits,
                                   MessageId::SettingDtr,      MessageId::SettingRts};

Message valueText(int slot, std::uint32_t value) {
  static constexpr MessageId Parities[] = {MessageId::ParityNone, MessageId::ParityOdd,
                                           MessageId::ParityEven, MessageId::ParityMark,
                                           MessageId::ParitySpace};
  static const char* const Stops[] = {"?", "1", "2", "1.5"};
  if (slot == 2 && value >= 1 && value <= 5) return Message(Parities[value - 1]);
  if (slot == 2 && value == 0) return Message(MessageId::Verbatim, {"?"});
  if (slot == 3 && value <= 3) return Message(MessageId::Verbatim, {Stops[value]});
  if (slot >= 4)
    return Message(value == DtrOn || value == RtsOn ? MessageId::LineOn : MessageId::LineOff);
  return Message(MessageId::Verbatim, {std::to_string(value)});
}

}  // namespace

RemoteLineSettings remoteLineSettingsFor(const PortConfig& config) {
  using Remote = RemoteLineSettings;
  const LineSettings line = lineFor(config);
  RemoteLineSettings settings;
  settings.baud = static_cast<std::uint32_t>(line.baud);
  settings.dataBits = static_cast<std::uint8_t>(line.dataBits);
  settings.parity = line.parity == Parity::Odd    ? Remote::Parity::Odd
                    : line.parity == Parity::Even ? Remote::Parity::Even
                                                  : Remote::Parity::None;
  settings.stopBits = line.stopBits == 2 ? Remote::StopBits::Two : Remote::StopBits::One;
  settings.dtr = line.dtr;
  settings.rts = line.rts;
  return settings;
}

TelnetComPort::TelnetComPort(const RemoteLineSettings& settings) : settings_(settings) {}

std::string TelnetComPort::encodeData(std::string_view data) {
  std::string out;
  out.reserve(data.size());
  for (const char c : data) {
    out += c;
    if (static_cast<std::uint8_t>(c) == Iac) out += c;
  }
  return out;
}

std::string TelnetComPort::opening() {
  request(Will, Binary);
  request(Do, Binary);
  request(Will, ComPortOption);
  return takeReplies();
}

std::string TelnetComPort::takeReplies() {
  std::string out;
  out.swap(replies_);
  return out;
}

bool TelnetComPort::lineAnswered() const {
  return answered_[BaudSlot] && answered_[DataSlot] && answered_[ParitySlot] && answered_[StopSlot];
}

void TelnetComPort::request(std::uint8_t verb, std::uint8_t option) {
  (verb == Will ? usAsked_ : himAsked_)[option] = true;
  replies_ += bytes({Iac, verb, option});
}

std::string TelnetComPort::receive(std::string_view input) {
  std::string data;
  for (const char c : input) {
    const auto b = static_cast<std::uint8_t>(c);
    switch (state_) {
      case State::Data:
        if (b == Iac)
          state_ = State::Iac;
        else
          data += c;
        break;
      case State::Iac:
        state_ = State::Data;
        if (b == Iac) {
          data += c;
        } else if (b >= Will && b <= Dont) {
          verb_ = b;
          state_ = State::Option;
        } else if (b == Sb) {
          sub_.clear();
          state_ = State::Sub;
        }  // any other command (NOP, go ahead, data mark, ...) carries nothing for the line
        break;
      case State::Option:
        command(verb_, b);
        state_ = State::Data;
        break;
      case State::Sub:
        if (b == Iac)
          state_ = State::SubIac;
        else if (sub_.size() < MaxSubnegotiation)
          sub_ += c;
        break;
      case State::SubIac:
        if (b == Iac) {
          if (sub_.size() < MaxSubnegotiation) sub_ += c;
          state_ = State::Sub;
        } else {
          // SE ends it; anything else is a broken subnegotiation, dropped whole.
          if (b == Se) subnegotiation();
          state_ = State::Data;
        }
        break;
    }
  }
  return data;
}

void TelnetComPort::command(std::uint8_t verb, std::uint8_t option) {
  const bool weWill = option == Binary || option == ComPortOption || option == SuppressGoAhead;
  const bool heMay = option == Binary || option == SuppressGoAhead;
  if (verb == Will || verb == Wont) {
    const bool asked = himAsked_[option];
    himAsked_[option] = false;
    if (verb == Will && !himOn_[option]) {
      himOn_[option] = heMay;
      if (!asked || !heMay) replies_ += bytes({Iac, heMay ? Do : Dont, option});
    } else if (verb == Wont && himOn_[option]) {
      himOn_[option] = false;
      replies_ += bytes({Iac, Dont, option});
    }
    return;
  }
  const bool asked = usAsked_[option];
  usAsked_[option] = false;
  if (verb == Do && !usOn_[option]) {
    usOn_[option] = weWill;
    if (!asked || !weWill) replies_ += bytes({Iac, weWill ? Will : Wont, option});
    if (option == ComPortOption && weWill) {
      // The option is agreed: now the line can be set.
      replies_ += comPortCommand(SetBaudRate, bigEndian(settings_.baud));
      replies_ += comPortCommand(SetDataSize, bytes({settings_.dataBits}));
      replies_ += comPortCommand(SetParity, bytes({static_cast<std::uint8_t>(settings_.parity)}));
      replies_ +=
          comPortCommand(SetStopSize, bytes({static_cast<std::uint8_t>(settings_.stopBits)}));
      replies_ += comPortCommand(SetControl, bytes({settings_.dtr ? DtrOn : DtrOff}));
      replies_ += comPortCommand(SetControl, bytes({settings_.rts ? RtsOn : RtsOff}));
    }
  } else if (verb == Dont) {
    if (option == ComPortOption && (asked || usOn_[option])) comPortRefused_ = true;
    if (usOn_[option]) replies_ += bytes({Iac, Wont, option});
    usOn_[option] = false;
  }
}

void TelnetComPort::subnegotiation() {
  if (sub_.size() < 3 || static_cast<std::uint8_t>(sub_[0]) != ComPortOption) return;
  answer(static_cast<std::uint8_t>(sub_[1]), std::string_view(sub_).substr(2));
}

void TelnetComPort::answer(std::uint8_t command, std::string_view value) {
  const auto first = static_cast<std::uint8_t>(value[0]);
  switch (command) {
    case ServerOffset + SetBaudRate:
      if (value.size() == 4) {
        std::uint32_t baud = 0;
        for (const char c : value) baud = (baud << 8) | static_cast<std::uint8_t>(c);
        check(BaudSlot, settings_.baud, baud);
      }
      break;
    case ServerOffset + SetDataSize:
      check(DataSlot, settings_.dataBits, first);
      break;
    case ServerOffset + SetParity:
      check(ParitySlot, static_cast<std::uint32_t>(settings_.parity), first);
      break;
    case ServerOffset + SetStopSize:
      check(StopSlot, static_cast<std::uint32_t>(settings_.stopBits), first);
      break;
    case ServerOffset + SetControl:
      if (first == DtrOn || first == DtrOff)
        check(DtrSlot, settings_.dtr ? DtrOn : DtrOff, first);
      else if (first == RtsOn || first == RtsOff)
        check(RtsSlot, settings_.rts ? RtsOn : RtsOff, first);
      break;
    default:
      break;  // notifications of line and modem state: nothing the meter needs
  }
}

void TelnetComPort::check(Slot slot, std::uint32_t wanted, std::uint32_t got) {
  answered_[slot] = true;
  if (got == wanted || refused_) return;
  refused_ = Message(MessageId::SettingRefused, {},
                     {Message(SlotNames[slot]), valueText(slot, wanted), valueText(slot, got)});
}

}  // namespace kelvor
