// A recording left running for a day must not grow in memory with every reading: samples go
// into the preallocated trace store and the picture into the raster of fixed size. This
// test runs ten minutes of readings on a fake clock and weighs the heap in use.
#include <gtest/gtest.h>

#include <cmath>
#include <cstddef>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "core/acquisition/ReadingHandler.h"
#include "core/scope/Recorder.h"
#include "core/scope/ScopeController.h"
#include "core/scope/ValueLists.h"
#include "support/FakeClock.h"
#include "support/FakeScopeWindow.h"

// Under AddressSanitizer the allocator is the sanitizer's own: ask it; otherwise ask glibc.
#if defined(__SANITIZE_ADDRESS__)
#define KELVOR_HEAP_FROM_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define KELVOR_HEAP_FROM_SANITIZER 1
#endif
#endif

#if defined(KELVOR_HEAP_FROM_SANITIZER)
#if __has_include(<sanitizer/allocator_interface.h>)
#include <sanitizer/allocator_interface.h>
#else
extern "C" std::size_t __sanitizer_get_current_allocated_bytes();
#endif
#elif defined(__GLIBC__)
#include <malloc.h>
#endif

namespace kelvor {
namespace {

// Bytes the program holds on the heap now, or nothing where that cannot be measured.
std::optional<std::size_t> heapInUse() {
#if defined(KELVOR_HEAP_FROM_SANITIZER)
  return __sanitizer_get_current_allocated_bytes();
#elif defined(__GLIBC__)
  const struct mallinfo2 info = mallinfo2();
  return info.uordblks + info.hblkhd;  // small blocks in the arena plus mapped large ones
#else
  return std::nullopt;
#endif
}

// The main window as the recording sees it, at the design size. Texts are kept the way a
// label keeps its caption: the last one only.
constexpr LocalSeconds Midnight = 20793LL * 86400;

class RecordingMemoryTest : public ::testing::Test {
 protected:
  RecordingMemoryTest() {
    scope.setYMinItemSilently(DefaultYMinItem);
    scope.setYMaxItemSilently(DefaultYMaxItem);
    scope.setYRange(0.0f, 1.5f);
    scope.selectDurationItem(DefaultDurationItem);
    window.active = true;
    recorder.chkActive_Click();
  }

  // The meter's answer for one second of the recording: a slow sine in volts, and now and
  // then an overload, which takes the other way through the handler.
  static std::string frameAt(int second) {
    if (second % 37 == 36) return "DC   OL   V  \r";
    char frame[16];
    std::snprintf(frame, sizeof frame, "DC %6.3f V  \r", 0.7 + 0.5 * std::sin(second / 30.0));
    return frame;
  }

  void recordSeconds(int from, int to) {
    for (int second = from; second < to; ++second) {
      clock.set(Midnight + 8 * 3600 + second);
      std::string answer = frameAt(second);
      handler.Messung(answer);
    }
  }

  RecordingState state;
  TraceStore store;
  testing::FakeClock clock{Midnight + 8 * 3600};
  testing::FakeWindow window;
  Recorder recorder{state, store, clock, window};
  ScopeController scope{state, store, clock, recorder, window, ','};
  testing::ScopeHooks hooks{recorder, scope};
  ReadingHandler handler{state, clock, window, hooks, ','};
};

// Keeps an allocation alive in the eyes of the optimiser.
std::vector<char>* volatile keptAlive = nullptr;

TEST_F(RecordingMemoryTest, TenMinutesOfReadingsDoNotGrowTheHeap) {
  const std::optional<std::size_t> before = heapInUse();
  if (!before) GTEST_SKIP() << "no way to measure the heap on this platform";

  // The measurement itself must see a change of this size, or the test proves nothing.
  constexpr std::size_t Bound = 4 * 1024;  // a leak of 8 bytes a reading exceeds it
  {
    std::vector<char> block(4 * Bound, 'x');
    keptAlive = &block;
    const std::size_t withBlock = *heapInUse();
    keptAlive = nullptr;
    ASSERT_GE(withBlock, *before + 4 * Bound) << "the heap measurement does not see allocations";
  }

  constexpr int WarmUp = 60;
  constexpr int Total = 600;
  recordSeconds(0, WarmUp);
  const int storedAfterWarmUp = store.count(0);
  const std::size_t afterWarmUp = *heapInUse();

  recordSeconds(WarmUp, Total);
  const std::size_t afterAll = *heapInUse();

  // The readings were really recorded, drawn and stored.
  ASSERT_TRUE(state.Running);
  EXPECT_GE(store.count(0) - storedAfterWarmUp,
            (Total - WarmUp) / (2 * scope.scale().StoreInterval));
  EXPECT_FALSE(window.runTime.empty());

  const long long growth = static_cast<long long>(afterAll) - static_cast<long long>(afterWarmUp);
  RecordProperty("HeapGrowthBytes", std::to_string(growth));
  EXPECT_LT(growth, static_cast<long long>(Bound))
      << "the heap grew by " << growth << " bytes over " << Total - WarmUp << " readings";
}

}  // namespace
}  // namespace kelvor
