#include "core/acquisition/PollingCycle.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "support/FakeTimer.h"

namespace kelvor {
namespace {

// A serial line whose received bytes the test hands in, and that can be pulled out.
class FakeLink : public SerialLink {
 public:
  bool WritePort(std::string_view text) override {
    if (!open || gone) {
      failedFlag = open && gone;
      return false;
    }
    written += text;
    return writeSucceeds;
  }
  std::string ReadPort() override {
    if (!open) return {};
    if (gone) {
      failedFlag = true;
      return {};
    }
    const std::size_t n = std::min<std::size_t>(32, incoming.size());
    std::string chunk = incoming.substr(0, n);
    incoming.erase(0, n);
    return chunk;
  }
  void discardInput() override { incoming.clear(); }
  bool isOpen() const override { return open; }
  bool failed() const override { return failedFlag; }
  void ClosePort() override {
    open = false;
    failedFlag = false;
  }
  bool reopen() override {
    ++reopenAttempts;
    open = !gone;
    return open;
  }

  std::string incoming;  // arrived, not yet read
  std::string written;
  bool writeSucceeds = true;
  bool open = true;
  bool gone = false;  // the device is not there
  bool failedFlag = false;
  int reopenAttempts = 0;
};

const std::string FrameA = "DC  1.234 V  \r";
const std::string FrameB = "AC  5.678 V  \r";

class PollingCycleTest : public ::testing::Test {
 protected:
  PollingCycleTest()
      : cycle(globals, link, readTimer, [this](std::string& a) { answers.push_back(a); }) {
    globals.PortOpen = true;
  }

  // Delivers the read timer's tick, as the event loop would, if it is armed.
  bool readTick() {
    if (!readTimer.enabled()) return false;
    cycle.onReadTick();
    return true;
  }

  void useFourFrameMeter() {
    globals.MeterType = 1;
    globals.FrameLength = AppGlobals::frameLengthFor(globals.MeterType);
  }

  AppGlobals globals;
  FakeLink link;
  testing::FakeTimer readTimer;
  std::vector<std::string> answers;
  PollingCycle cycle;
};

TEST_F(PollingCycleTest, PollWritesDAndArmsTheFirstReadStep) {
  cycle.onPollTick();
  EXPECT_EQ(link.written, "D");
  EXPECT_TRUE(readTimer.enabled());
  EXPECT_EQ(readTimer.interval(), PollingCycle::FirstReadDelayMs);
}

TEST_F(PollingCycleTest, AnswerInTwoPiecesIsDecodedAtTheSecondStep) {
  cycle.onPollTick();
  link.incoming = FrameA.substr(0, 10);
  ASSERT_TRUE(readTick());
  EXPECT_TRUE(answers.empty());
  EXPECT_EQ(readTimer.interval(), PollingCycle::NextReadDelayMs);
  link.incoming = FrameA.substr(10);
  ASSERT_TRUE(readTick());
  ASSERT_EQ(answers.size(), 1u);
  EXPECT_EQ(answers[0], FrameA);
  EXPECT_EQ(cycle.RxTries(), 2);
  EXPECT_FALSE(readTimer.enabled());
}

TEST_F(PollingCycleTest, OnlyTheFirstFourteenCharactersAreDecoded) {
  struct Case {
    const char* name;
    bool fourFrames;
    std::string arrives;
    int stepsToAnswer;
  };
  const std::vector<Case> cases = {
      {"20 characters from the default meter", false, FrameA + "XXXXXX", 1},
      {"four frames, read in two steps", true, FrameA + FrameB + FrameB + FrameB, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    answers.clear();
    if (c.fourFrames) useFourFrameMeter();
    cycle.onPollTick();
    link.incoming = c.arrives;
    int steps = 0;
    while (answers.empty() && readTick()) ++steps;
    ASSERT_EQ(answers.size(), 1u);
    EXPECT_EQ(answers[0], FrameA);
    EXPECT_EQ(steps, c.stepsToAnswer);
  }
}

TEST_F(PollingCycleTest, IncompleteAnswerIsGivenUpAfterThirtySteps) {
  struct Case {
    const char* name;
    bool fourFrames;
    std::string arrives;
  };
  const std::vector<Case> cases = {
      {"four-frame meter sends one frame", true, FrameA},
      {"default meter sends half a frame", false, FrameA.substr(0, 7)},
      {"silent meter", false, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    if (c.fourFrames) useFourFrameMeter();
    cycle.onPollTick();
    link.incoming = c.arrives;
    int steps = 0;
    while (readTick()) ++steps;
    EXPECT_EQ(steps, PollingCycle::MaxReadSteps);
    EXPECT_TRUE(answers.empty());
    EXPECT_FALSE(readTimer.enabled());
  }
}

TEST_F(PollingCycleTest, AfterGivingUpTheNextPollWorksAgain) {
  cycle.onPollTick();
  while (readTick()) {
  }
  cycle.onPollTick();
  link.incoming = FrameB;
  ASSERT_TRUE(readTick());
  ASSERT_EQ(answers.size(), 1u);
  EXPECT_EQ(answers[0], FrameB);
}

TEST_F(PollingCycleTest, ClosedPortIsNeverPolled) {
  globals.PortOpen = false;
  cycle.onPollTick();
  EXPECT_EQ(link.written, "");
  EXPECT_FALSE(readTimer.enabled());
}

TEST_F(PollingCycleTest, FailedWriteSkipsThePoll) {
  link.writeSucceeds = false;
  cycle.onPollTick();
  EXPECT_FALSE(readTimer.enabled());
}

TEST_F(PollingCycleTest, NewPollDuringCollectionStartsWithAnEmptyBuffer) {
  cycle.onPollTick();
  link.incoming = FrameA.substr(0, 5);
  ASSERT_TRUE(readTick());
  EXPECT_EQ(cycle.RxBuffer(), FrameA.substr(0, 5));

  cycle.onPollTick();
  EXPECT_EQ(readTimer.interval(), PollingCycle::FirstReadDelayMs);
  link.incoming = FrameB;
  ASSERT_TRUE(readTick());
  ASSERT_EQ(answers.size(), 1u);
  EXPECT_EQ(answers[0], FrameB);
  EXPECT_EQ(cycle.RxTries(), 1);
}

TEST_F(PollingCycleTest, StaleBytesBeforeAPollAreDiscarded) {
  // The late tail of an earlier answer is waiting when the next poll goes out.
  link.incoming = FrameA.substr(9);
  cycle.onPollTick();
  link.incoming += FrameB;
  ASSERT_TRUE(readTick());
  ASSERT_EQ(answers.size(), 1u);
  EXPECT_EQ(answers[0], FrameB);
}

TEST_F(PollingCycleTest, ADeviceThatGoesAwayIsReopenedOncePerPoll) {
  cycle.onPollTick();
  link.gone = true;  // pulled out while the answer is awaited
  ASSERT_TRUE(readTick());
  EXPECT_FALSE(link.isOpen());
  EXPECT_FALSE(readTimer.enabled());

  for (int poll = 1; poll <= 3; ++poll) {
    cycle.onPollTick();
    EXPECT_EQ(link.reopenAttempts, poll);
    EXPECT_FALSE(readTimer.enabled());
  }

  link.gone = false;  // plugged in again
  link.written.clear();
  cycle.onPollTick();
  EXPECT_TRUE(link.isOpen());
  EXPECT_EQ(link.written, "D");
  link.incoming = FrameB;
  ASSERT_TRUE(readTick());
  ASSERT_EQ(answers.size(), 1u);
  EXPECT_EQ(answers[0], FrameB);
}

TEST_F(PollingCycleTest, AFailedWriteClosesThePortForTheNextPollToReopen) {
  link.gone = true;
  cycle.onPollTick();
  EXPECT_FALSE(link.isOpen());
  EXPECT_EQ(link.reopenAttempts, 0);
  link.gone = false;
  cycle.onPollTick();
  EXPECT_EQ(link.reopenAttempts, 1);
  EXPECT_TRUE(readTimer.enabled());
}

TEST_F(PollingCycleTest, APortTheUserNeverGotOpenIsNotRetried) {
  globals.PortOpen = false;
  link.open = false;
  cycle.onPollTick();
  EXPECT_EQ(link.reopenAttempts, 0);
}

}  // namespace
}  // namespace kelvor
