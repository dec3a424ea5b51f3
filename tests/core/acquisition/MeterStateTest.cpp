// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/acquisition/MeterState.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "support/FakeClock.h"

namespace kelvor {
namespace {

struct Recorded : MeterStateListener {
  void meterStateChanged(MeterCondition condition) override {
    changes += letter(condition, state->alarm());
  }
  static char letter(MeterCondition condition, bool alarm) {
    return (alarm ? "anrxg" : "ANRXG")[static_cast<int>(condition)];
  }
  const MeterState* state = nullptr;
  std::string changes;
};

// Events: o/x port opened or not, p poll sent, g poll given up, a answered, l port lost,
// b port back, h/n a reading that meets the alarm condition or not, d bytes came. Conditions:
// A answering, N no answer, R retrying, X not open, G no valid frame; a lower-case one with
// the alarm shown.
TEST(MeterState, FollowsPollsAnswersAndThePort) {
  for (const auto& [events, after, changes] :
       std::vector<std::tuple<std::string, char, std::string>>{
           {"", 'X', ""},
           {"o", 'A', "A"},
           {"xo", 'A', "XA"},
           {"opppppp", 'N', "AN"},         // the sixth poll finds five unanswered before it
           {"oppppp", 'A', "A"},           // four missed so far, the fifth still awaited
           {"opppppg", 'N', "AN"},         // the fifth given up
           {"oggggggpg", 'A', "A"},        // given up without a poll out: nothing missed
           {"oppppapppppa", 'A', "A"},     // an answer starts the count again
           {"oppppppa", 'A', "ANA"},       // and ends "no answer"
           {"opdpdpdpdpdpa", 'A', "AGA"},  // bytes for each missed poll, but no answer
           {"opdpdpdpdpp", 'N', "AN"},     // one of the five without bytes
           {"opdpdpdpdpdpp", 'N', "AGN"},  // the bytes stop
           {"opppppplb", 'A', "ANRA"},     // failed and reopened
           {"opppplbpppp", 'A', "ARA"},    // reopened: the polls before count no more
           {"opppppxx", 'X', "AXX"},       // closed
           {"ohhnh", 'a', "AaAa"},         // told when the alarm comes and goes
           {"ohx", 'X', "AaX"}}) {         // opening or closing the port ends it
    SCOPED_TRACE(events);
    testing::FakeClock clock(1000);
    MeterState state(clock);
    Recorded listener;
    listener.state = &state;
    state.addListener(&listener);
    for (const char event : events) {
      clock.advance(1);
      if (event == 'o' || event == 'x') state.portOpened(event == 'o');
      if (event == 'p') state.pollSent();
      if (event == 'g') state.pollGivenUp();
      if (event == 'a') state.answered();
      if (event == 'l') state.portLost();
      if (event == 'b') state.portBack();
      if (event == 'd') state.dataCame();
      if (event == 'h' || event == 'n') state.alarmTested(event == 'h');
    }
    EXPECT_EQ(Recorded::letter(state.condition(), state.alarm()), after);
    EXPECT_EQ(listener.changes, changes);
    const auto answer = events.rfind('a');
    EXPECT_EQ(state.lastAnswer(), answer == std::string::npos ? 0 : 1001 + answer);
  }
}

}  // namespace
}  // namespace kelvor
