// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/Clock.h"
#include "core/Timer.h"
#include "core/calc/ChannelCalculator.h"
#include "core/journal/CalculatedJournal.h"
#include "core/session/MeterReader.h"

namespace kelvor {

// Meters polled on one common tick, so the readings of a tick belong together, and the
// channels calculated from them, with their journal: the one path of every reading, for any
// count of meters. While the group records, its meters journal every answer and the
// calculated journal every tick. A recording of the group starts at the first tick while none
// of its meters' journals has a recording going: that tick names every journal of the
// recording and restarts the integrals.
class MeterGroup {
 public:
  static constexpr int TickIntervalMs = 1000;

  class TickListener {
   public:
    virtual ~TickListener() = default;
    // Once per tick, when every meter's reading is in or the next tick comes, between two
    // events (a listener may stop the group): every channel of the plan, meters' and
    // calculated, nothing where a channel has no reading.
    virtual void tickDone(const Moment& tick, const TickReadings& readings) = 0;
    // The polls of a new tick went out.
    virtual void tickStarted(const Moment&) {}
    // The calculated channels' rows of a tick, as the calculated journal took them (before
    // tickDone), when the tick's readings were recorded.
    virtual void calculationsRecorded(const std::vector<JournalRow>&) {}
  };
  // What the group runs on: the tick timer; the timer that finishes a tick once its last
  // answer is handled (interval 0: as soon as the event being handled is done); the clock;
  // where the calculated journal goes. The owner delivers both timers' ticks.
  struct Devices {
    Timer& tick;
    Timer& finish;
    const Clock& clock;
    JournalSink& calculatedJournal;
  };

  MeterGroup(std::vector<ChannelPlan> plan, char decimalSeparator, const Devices& devices);
  ~MeterGroup();
  MeterGroup(const MeterGroup&) = delete;
  MeterGroup& operator=(const MeterGroup&) = delete;

  // `meter` (not owned, alive until the group goes) feeds `channel` (from 1), polled on the
  // group's tick.
  void addMeter(MeterReader& meter, int channel);
  // The one meter of the group feeds `channel` (from 1) from now on.
  void moveMeter(int channel);
  // The group's meters, in the order they were added.
  std::vector<MeterReader*> meters() const;
  void addListener(TickListener* listener) { listeners_.push_back(listener); }
  void removeListener(TickListener* listener);
  // Whether the meters and the calculated journal record the readings from now on.
  void setRecording(bool on);
  // While a start waits: each tick's calculated rows go to `hold` instead of the journal ({}:
  // no longer); at the start, the rows held are journalled, as the tick's own.
  void holdCalculations(MeterReader::HeldRows hold) { holdCalculations_ = std::move(hold); }
  void recordHeldCalculations(const std::vector<JournalRow>& rows);
  // While a tick is done: the answer a meter gave on `channel` (from 0), if it gave one.
  const MeterReading* readingOf(int channel) const;
  // The calculated journal's faults.
  void setFaultHandler(JournalKeeper::FaultHandler handler) { onFault_ = std::move(handler); }
  // A fault of the calculated journal that its sink found later, on its own.
  void reportJournalFault(const JournalFault& fault) const {
    if (onFault_) onFault_(fault);
  }
  // Whether the calculated journal may open, as the meters' journals.
  void setJournalEnabled(bool on);

  // The common tick, once a second.
  void start();
  // Ends the tick; the tick that went out last is done at once.
  void stop();
  // A new recording: the integrals start from zero, every journal ends, and the next tick
  // starts the recording.
  void reset();
  // Ends the calculated journal cleanly (the program ends).
  void endJournal();

  // The timers' ticks.
  void onTick();
  void onFinishTick();

 private:
  struct Member;
  void readingTaken(Member& member, const MeterReading& reading);
  // The readings and calculations of the tick that went out last, once.
  void finishTick();
  // A meter's journal has a recording going.
  bool recording() const;

  std::vector<ChannelPlan> plan_;
  Devices devices_;
  std::vector<std::unique_ptr<Member>> members_;
  std::vector<TickListener*> listeners_;
  std::optional<ChannelCalculator> calculator_;  // none without a calculated channel
  MeterReader::HeldRows holdCalculations_;
  std::optional<CalculatedJournal> journal_;  // the same
  JournalKeeper::FaultHandler onFault_;
  Moment tick_;                  // when the last polls went out
  std::optional<Moment> start_;  // the recording's first tick
  bool finished_ = true;         // the last tick is done
  bool running_ = false;
  bool recording_ = false;
};

}  // namespace kelvor
