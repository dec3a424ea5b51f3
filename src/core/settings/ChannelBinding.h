// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

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

}  // namespace kelvor
