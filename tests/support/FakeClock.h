#pragma once

#include "core/Clock.h"

namespace kelvor::testing {

// A clock the test sets and advances.
class FakeClock : public Clock {
 public:
  explicit FakeClock(LocalSeconds start) : now_(start) {}
  LocalSeconds now() const override { return now_; }
  void set(LocalSeconds t) { now_ = t; }
  void advance(LocalSeconds seconds) { now_ += seconds; }

 private:
  LocalSeconds now_;
};

}  // namespace kelvor::testing
