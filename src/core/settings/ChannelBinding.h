// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/acquisition/PortConfig.h"

namespace kelvor {

// What feeds one of the six colour channels: nothing, a meter on its own port with its own
// model or family and line, or a calculation from other channels.
struct ChannelBinding {
  enum class Source { None, Meter, Calculation };
  Source source = Source::None;
  PortConfig port;          // the meter's
  std::string calculation;  // as written, "W=1*2"; checked where it is used
};

// The first channel (from 0) bound to a meter; none when no meter is bound.
inline std::optional<int> firstMeterChannel(const std::vector<ChannelBinding>& bindings) {
  for (std::size_t i = 0; i < bindings.size(); ++i)
    if (bindings[i].source == ChannelBinding::Source::Meter) return static_cast<int>(i);
  return std::nullopt;
}

}  // namespace kelvor
