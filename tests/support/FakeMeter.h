// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/session/MeterSession.h"
#include "support/FakeClock.h"
#include "support/FakeLink.h"
#include "support/FakeTimer.h"

namespace kelvor::testing {

// A meter session on a fake port, read timer and clock (its own, or one that several meters
// share); the test plays its views (if any) and sound.
struct FakeMeter {
  FakeMeter(LocalSeconds start, const MeterSession::Views& views, AlarmSound& sound,
            const Clock* shared = nullptr)
      : clock{start},
        session{
            config, connection, {link, readTimer, shared ? *shared : clock, sound}, views, ','} {}

  FakeClock clock;
  FakeLink link;
  FakeTimer readTimer;
  PortConfig config;
  ConnectionState connection;
  MeterSession session;
};

}  // namespace kelvor::testing
