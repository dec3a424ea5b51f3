// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/StopSignals.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>

namespace kelvor {
namespace {

// Blocks the stop signals, takes away every further descriptor, then raises SIGTERM.
void stopWithoutDescriptors() {
  StopSignals::block();
  rlimit none{};
  ::setrlimit(RLIMIT_NOFILE, &none);
  const StopSignals stop([](int) {});
  ::raise(SIGTERM);
}

// With no descriptor to be had, the stop signals must not stay blocked: the program could
// then be stopped by nothing but SIGKILL.
TEST(StopSignalsDeathTest, WithoutTheirDescriptorTheSignalsStillEndTheProgram) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(stopWithoutDescriptors(), ::testing::KilledBySignal(SIGTERM),
              "cannot receive SIGINT and SIGTERM");
}

}  // namespace
}  // namespace kelvor
