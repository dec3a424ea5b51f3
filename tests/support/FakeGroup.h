// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "core/session/LiveRecording.h"
#include "core/session/MeterGroup.h"
#include "support/FakeJournal.h"
#include "support/FakeMeter.h"

namespace kelvor::testing {

// Meters on COM1, COM2, … with one fake clock, polled by a group on fake timers that feeds a
// recording: the path of every reading, without a window unless the test plays its views.
// Every meter's journal and the calculated one are fakes.
struct FakeGroup {
  FakeGroup(LocalSeconds start, std::vector<ChannelPlan> plan, AlarmSound& sound,
            const LiveRecording::Views& views = {})
      : clock{start},
        journals(1 + static_cast<std::size_t>(std::count_if(
                         plan.begin(), plan.end(), [](auto& c) { return !c.calculation; }))),
        group{plan, ',', {ticks, finish, clock, journals.back()}},
        recording{clock, sound, views} {
    std::vector<int> channels;
    for (std::size_t i = 0; i < plan.size(); ++i) {
      channels.push_back(static_cast<int>(i));
      if (plan[i].calculation) continue;
      meters.push_back(std::make_unique<FakeMeter>(start, &clock));
      FakeMeter& meter = *meters.back();
      meter.config.ComPort = static_cast<int>(meters.size());
      meter.connection.PortOpen = true;
      meter.reader.journal().attach(&journals[meters.size() - 1]);
      group.addMeter(meter.reader, static_cast<int>(i) + 1);
    }
    recording.attachGroup(&group, channels);
    group.addListener(&recording);
    group.start();
  }
  // A tick `seconds` after the last: the polls go out, the meters answer with their frames
  // (none for ""), and the tick is done between two events.
  void tick(const std::vector<std::string>& frames, int seconds = 1) {
    clock.advance(seconds);
    group.onTick();
    for (std::size_t i = 0; i < meters.size() && i < frames.size(); ++i) {
      meters[i]->link.incoming = frames[i];
      meters[i]->reader.onReadTick();
    }
    if (finish.enabled()) group.onFinishTick();
  }

  FakeClock clock;
  std::vector<FakeJournal> journals;  // the meters', then the calculated one
  std::vector<std::unique_ptr<FakeMeter>> meters;
  FakeTimer ticks, finish;
  MeterGroup group;
  LiveRecording recording;
};

}  // namespace kelvor::testing
