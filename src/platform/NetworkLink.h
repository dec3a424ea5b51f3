// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <memory>
#include <optional>
#include <string>

#include "core/acquisition/SerialLink.h"
#include "core/network/NetworkAddress.h"
#include "core/network/TelnetComPort.h"
#include "platform/LocalSerialLink.h"

namespace kelvor {

// A meter's serial line on another machine, through a serial server: raw TCP, or telnet
// with the COM-PORT-OPTION so that this side sets the line. Connecting and setting the line
// wait with the event loop running, so a window stays responsive; the waits are bounded.
class NetworkLink : public SerialLink {
 public:
  static constexpr int ConnectTimeoutMs = 4000;
  static constexpr int AnswerTimeoutMs = 2000;
  // Some servers never confirm a control line (a pseudo-terminal has none): wait this long.
  static constexpr int ControlWaitMs = 300;

  NetworkLink() = default;
  ~NetworkLink() override;
  NetworkLink(const NetworkLink&) = delete;
  NetworkLink& operator=(const NetworkLink&) = delete;

  // Connects and, for RFC 2217, sets the line. A name that does not resolve, a refused or
  // timed-out connection and a setting the server refuses are open errors with the reason.
  LocalSerialLink::OpenResult open(const NetworkAddress& address,
                                   const RemoteLineSettings& settings);

  bool writePort(std::string_view text) override;
  std::string readPort() override;
  void discardInput() override;
  bool isOpen() const override { return socket_ >= 0; }
  bool failed() const override { return failed_; }
  void closePort() override;
  bool reopen() override;

 private:
  int connectTo(const NetworkAddress& address, QString& reason);
  int negotiate(QString& reason, QString& note);
  // Takes in what has arrived: the line's data into received_, telnet answers sent back.
  void receiveAvailable();
  void sendRaw(const std::string& bytes);

  int socket_ = -1;
  bool failed_ = false;
  bool opening_ = false;    // an open waits with the event loop running: no second one meanwhile
  bool abandoned_ = false;  // closed while an open was waiting: the open ends as cancelled
  std::optional<NetworkAddress> last_;
  RemoteLineSettings settings_;
  std::unique_ptr<TelnetComPort> telnet_;  // only for RFC 2217
  std::string received_;
};

}  // namespace kelvor
