// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/acquisition/PollingCycle.h"

#include <utility>

#include "core/acquisition/MeterChoice.h"

namespace kelvor {

PollingCycle::PollingCycle(const PortConfig& config, const ConnectionState& connection,
                           SerialLink& port, Timer& readTimer, MeterState& meter,
                           AnswerHandler onAnswer)
    : config_(config),
      connection_(connection),
      port_(port),
      readTimer_(readTimer),
      meter_(meter),
      onAnswer_(std::move(onAnswer)) {}

void PollingCycle::onPollTick() {
  if (!connection_.PortOpen) return;
  // A port that failed (an adapter pulled out, a meter switched off) is closed and tried
  // again once per poll, so a recording goes on by itself when the device is back.
  if (port_.failed()) closeFailedPort();
  if (!port_.isOpen()) {
    if (!port_.reopen()) return;
    framer_.reset();
    meter_.portBack();
  }

  const MeterFamily& family = familyFor(config_);
  if (family.streaming()) {
    listen(family);
    return;
  }
  // Whatever is still waiting is the late tail of an earlier answer; left in place it
  // would become the first characters of this answer and shift the frame.
  port_.discardInput();
  meter_.pollSent();
  if (!port_.writePort(family.pollCommand())) {
    if (port_.failed()) closeFailedPort();
    return;
  }
  readTimer_.setEnabled(false);
  readTimer_.setInterval(FirstReadDelayMs);
  readTimer_.setEnabled(true);
}

void PollingCycle::onReadTick() {
  readTimer_.setEnabled(false);
  if (readTimer_.interval() >= FirstStepMarkerMs) {
    rxBuffer_.clear();
    rxTries_ = 0;
  }
  ++rxTries_;
  const std::string bytes = port_.readPort();
  if (!bytes.empty()) meter_.dataCame();
  rxBuffer_ += bytes;
  if (port_.failed()) {
    // The device went away during the answer; the next poll tries to reopen it.
    closeFailedPort();
    return;
  }

  if (const std::size_t length = familyFor(config_).completeAnswer(rxBuffer_)) {
    rxBuffer_.resize(length);
    meter_.answered();
    onAnswer_(rxBuffer_);
  } else if (rxTries_ < MaxReadSteps) {
    readTimer_.setInterval(NextReadDelayMs);
    readTimer_.setEnabled(true);
  } else {
    // The poll is given up; the next one comes with the measurement timer.
    meter_.pollGivenUp();
  }
}

void PollingCycle::listen(const MeterFamily& family) {
  if (!framer_ || &framer_->family() != &family) framer_ = std::make_unique<StreamFramer>(family);
  bool data = false;
  for (int i = 0; i < MaxStreamReads; ++i) {
    const std::string bytes = port_.readPort();
    if (bytes.empty()) break;
    data = true;
    framer_->add(bytes);
  }
  if (port_.failed()) {
    closeFailedPort();
    return;
  }
  // A tick without a valid frame counts as a poll without an answer.
  meter_.pollSent();
  if (data) meter_.dataCame();
  std::optional<std::string> frame = framer_->takeNewest();
  if (!frame) {
    meter_.pollGivenUp();
    return;
  }
  meter_.answered();
  onAnswer_(*frame);
}

void PollingCycle::closeFailedPort() {
  port_.closePort();
  meter_.portLost();
}

}  // namespace kelvor
