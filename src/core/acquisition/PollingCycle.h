// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "core/Timer.h"
#include "core/acquisition/MeterState.h"
#include "core/acquisition/PortConfig.h"
#include "core/acquisition/SerialLink.h"
#include "core/acquisition/StreamFramer.h"

namespace kelvor {

// One poll of the meter per tick of the measurement timer: write the family's command ("D"),
// then collect the answer in short steps of the read timer until a complete answer is there
// or the poll is given up. The read timer's interval marks the step: 100 ms (anything from
// 60 on) is the first step after a poll, 50 ms a further one. A streaming meter is never
// written to: each tick takes what has arrived and hands on the newest valid frame. Every
// poll, answer and port failure is told to the meter's state.
class PollingCycle {
 public:
  using AnswerHandler = std::function<void(std::string& answer)>;

  static constexpr int FirstReadDelayMs = 100;
  static constexpr int NextReadDelayMs = 50;
  static constexpr int FirstStepMarkerMs = 60;
  static constexpr int MaxReadSteps = 30;
  // Reads per tick of a streaming meter: more than a second of the fastest line.
  static constexpr int MaxStreamReads = 256;

  PollingCycle(const PortConfig& config, const ConnectionState& connection, SerialLink& port,
               Timer& readTimer, MeterState& meter, AnswerHandler onAnswer);

  // Tick of the measurement timer.
  void onPollTick();
  // Tick of the read timer.
  void onReadTick();

  const std::string& receivedBytes() const { return rxBuffer_; }
  int readTries() const { return rxTries_; }

 private:
  void listen(const MeterFamily& family);
  void closeFailedPort();

  const PortConfig& config_;
  const ConnectionState& connection_;
  SerialLink& port_;
  Timer& readTimer_;
  MeterState& meter_;
  AnswerHandler onAnswer_;
  std::string rxBuffer_;
  int rxTries_ = 0;
  std::unique_ptr<StreamFramer> framer_;  // for a streaming meter, made on its first tick
};

}  // namespace kelvor
