// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/session/MeterSession.h"
#include "support/FakeClock.h"
#include "support/FakeLink.h"
#include "support/FakeTimer.h"

namespace kelvor::testing {

// A meter session on a fake port, read timer and clock; the test plays its views and sound.
struct FakeMeter {
  FakeMeter(LocalSeconds start, ReadingView& reading, RecorderView& recorder, AlarmSound& sound)
      : clock{start},
        session{config, connection, {link, readTimer, clock, sound}, {reading, recorder}, ','} {}

  FakeClock clock;
  FakeLink link;
  FakeTimer readTimer;
  PortConfig config;
  ConnectionState connection;
  MeterSession session;
};

}  // namespace kelvor::testing
