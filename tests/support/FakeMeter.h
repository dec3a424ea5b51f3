// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/session/MeterReader.h"
#include "support/FakeClock.h"
#include "support/FakeLink.h"
#include "support/FakeTimer.h"

namespace kelvor::testing {

// A meter reader on a fake port, read timer and clock (its own, or one that several meters
// share).
struct FakeMeter {
  explicit FakeMeter(LocalSeconds start, const Clock* shared = nullptr)
      : clock{start},
        reader{config, connection, {link, readTimer, shared ? *shared : clock}, ','} {}

  FakeClock clock;
  FakeLink link;
  FakeTimer readTimer;
  PortConfig config;
  ConnectionState connection;
  MeterReader reader;
};

}  // namespace kelvor::testing
