// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <vector>

#include "core/settings/ChannelBinding.h"
#include "core/text/Message.h"

namespace kelvor {

// The first thing that keeps a set of bindings from being recorded, channel by channel:
// `channel` (from 1) has a calculation that is none, or that reads a channel bound to nothing
// or itself (`calculation` says which), or a meter on the port that feeds `sameMeterAs`
// already. `channel` 0: nothing is wrong.
struct BindingProblem {
  int channel = 0;
  std::optional<Message> calculation;
  int sameMeterAs = 0;
};
BindingProblem checkBindings(const std::vector<ChannelBinding>& bindings);
// Unbinds what checkBindings refuses, one channel after the other (so a calculation that read
// a channel left out goes too), until nothing is wrong; returns what was left out, in order.
// For bindings that did not pass the channel dialog: a settings file written by hand.
std::vector<BindingProblem> leaveOutRefused(std::vector<ChannelBinding>& bindings);
// Whether a meter on `port` may serve `channel` (from 0) beside the other channels' meters:
// refused as checkBindings refuses it, naming `channel`, when another one is on that device.
BindingProblem checkMeterPort(const std::vector<ChannelBinding>& bindings, int channel,
                              const PortConfig& port);

// Whether two meters' ports lead to the same device: the same network address, or the same
// port number when neither has one.
bool samePort(const PortConfig& a, const PortConfig& b);

}  // namespace kelvor
