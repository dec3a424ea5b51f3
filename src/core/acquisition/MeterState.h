// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/Clock.h"
#include "core/acquisition/PortConfig.h"
#include "core/text/Message.h"

namespace kelvor {

// What the meter is doing, as far as the polling cycle can tell.
enum class MeterCondition {
  Answering,  // answers come (or the port has just been opened)
  NoAnswer,   // the last polls in a row brought no complete answer
  Retrying,   // the port failed and is being reopened once per poll
  NotOpen,    // the port could not be opened, or it was closed
  // Bytes came for each of the last polls in a row, but no complete answer or valid frame:
  // another meter, protocol family or rate than the one chosen.
  NoValidFrame,
};

// Told whenever the condition or the alarm changes, and whenever the port is opened or closed.
class MeterStateListener {
 public:
  virtual ~MeterStateListener() = default;
  virtual void meterStateChanged(MeterCondition condition) = 0;
};

// Follows the polls, answers and port failures and keeps the meter's condition, so that an
// old value is never taken for a live one. The window and kelvor-record hear the same rule.
class MeterState {
 public:
  // Polls in a row without a complete answer that make "no answer", unless told otherwise.
  static constexpr int MissedPollLimit = 5;

  explicit MeterState(const Clock& clock, int missedPollLimit = MissedPollLimit)
      : clock_(clock), limit_(missedPollLimit) {}

  void addListener(MeterStateListener* listener) { listeners_.push_back(listener); }
  void removeListener(MeterStateListener* listener);

  // The port was opened (ok) or could not be opened or was closed (!ok).
  void portOpened(bool ok);
  // A poll went out; the one before it, still unanswered, counts as missed.
  void pollSent();
  // The current poll was given up without a complete answer.
  void pollGivenUp();
  // Bytes came for the current poll, a complete answer or valid frame or not.
  void dataCame() { data_ = true; }
  // A complete answer came.
  void answered();
  // The port failed; it is closed and reopened once per poll.
  void portLost();
  // A failed port could be reopened.
  void portBack() { portOpened(true); }
  // A reading came: whether it meets the armed alarm condition (an unusable one never does).
  void alarmTested(bool alarm);

  MeterCondition condition() const { return condition_; }
  // Whether the latest reading met the alarm condition; false again once a port is opened.
  bool alarm() const { return alarm_; }
  // Local time of day of the last complete answer; 0 before the first.
  LocalSeconds lastAnswer() const { return lastAnswer_; }

 private:
  void missed();
  void set(MeterCondition condition, bool always = false);

  void tell();

  const Clock& clock_;
  int limit_;
  std::vector<MeterStateListener*> listeners_;
  MeterCondition condition_ = MeterCondition::NotOpen;
  int missed_ = 0;
  int garbled_ = 0;  // polls missed in a row for which bytes came
  bool data_ = false;
  bool awaiting_ = false;
  bool alarm_ = false;
  LocalSeconds lastAnswer_ = 0;
};

// A meter by its name (see meterName), its condition and the protocol family it is read as.
struct MeterOnPort {
  std::string port;
  MeterCondition condition = MeterCondition::NotOpen;
  std::string family = {};  // named where no valid frame of it comes
};
// The main window's title for the condition on port COMn; an alarm shows while the meter
// answers.
Message meterTitle(MeterCondition condition, int comPort, bool alarm = false);
// The same for a meter by its name.
Message meterTitle(const MeterOnPort& meter, bool alarm = false);
// The title for several meters: each one's port in order, with its condition beside it where
// it does not answer ("Kelvor – COM1, COM2 (keine Antwort)"); an alarm as for one meter, whichever
// meter's channel it watches. One meter gets meterTitle's title.
Message meterTitle(const std::vector<MeterOnPort>& meters, bool alarm = false);
// A condition in words ("keine Antwort"); nothing while the meter answers. `family`: the
// protocol family whose frames do not come.
std::optional<Message> conditionWords(MeterCondition condition, const std::string& family = {});
// The port, line and meter behind the reading display, and when the meter last answered.
Message meterDetails(const PortConfig& config, const std::string& devicePath,
                     LocalSeconds lastAnswer);

}  // namespace kelvor
