// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/MeterStation.h"

#include <gtest/gtest.h>

#include <QSysInfo>

#include "support/FakeClock.h"

namespace kelvor {
namespace {

ChannelBinding meterOn(int port) {
  PortConfig config;
  config.ComPort = port;
  return {ChannelBinding::Source::Meter, config, {}};
}

// Binding anew keeps a meter whose line stays (its connection, and so its port and journal),
// wherever it moves; the port dialog's change in place is what the bindings tell; every source
// has a topic of its own once several are bound.
TEST(MeterStation, AMeterKeepsItsConnectionAcrossBindingsAndEachSourceHasItsTopic) {
  testing::FakeClock clock(1796515200);
  MeterStation station(clock, ',');
  station.setPolling(false);
  station.bind({meterOn(1), {}, {}});
  MeterConnection* first = station.meterOn(0);
  const std::string host = "kelvor/" + QSysInfo::machineHostName().toStdString();
  EXPECT_EQ(station.topicOn(0), host + "/COM1");
  PublishSettings settings;
  settings.topic = "lab";
  EXPECT_EQ(station.topicOn(0, settings), "lab");  // one source: the topic itself

  station.bind({meterOn(2), meterOn(1), {ChannelBinding::Source::Calculation, {}, "W=1*2"}});
  EXPECT_TRUE(station.meterOn(1) == first && station.meterOn(0) != first && !station.meterOn(2));
  EXPECT_EQ(station.topicOn(0, settings) + " " + station.topicOn(1, settings) + " " +
                station.topicOn(2, settings),
            "lab/COM2 lab/COM1 lab/calc3");
  station.portOn(1)->ComBaud = 9600;
  EXPECT_EQ(station.bindings()[1].port.ComBaud, 9600);
  EXPECT_EQ(station.boundChannels(), (std::vector<int>{0, 1, 2}));
}

}  // namespace
}  // namespace kelvor
