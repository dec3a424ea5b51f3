// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <linux/uhid.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kelvor::metersim {

// A USB-HID meter cable the simulator can play through the kernel's uhid device.
enum class VirtualCable { Cp2110, Ch9325 };

struct CableIdentity {
  const char* name;  // the name the device reports
  std::uint16_t vendorId;
  std::uint16_t productId;
};

// "cp2110" or "ch9325".
std::optional<VirtualCable> virtualCableNamed(std::string_view name);
CableIdentity cableIdentity(VirtualCable cable);

// The report descriptor of the cable: its input and output reports carrying the meter's bytes
// and the feature reports that set its line up.
std::string cableDescriptor(VirtualCable cable);

// The meter's bytes as the cable's input reports, as hidraw hands them on: the CP2110's
// report number is its byte count (1 to 63); the CH9325's 8-byte report starts with 0xF0 and
// the count (up to 7), the rest padded.
std::vector<std::string> cableInputReports(VirtualCable cable, std::string_view bytes);

// The uhid events that make the cable appear and that carry one input report.
uhid_event createEvent(VirtualCable cable);
uhid_event inputEvent(std::string_view report);
// The answer to a request of the host (a feature report set or asked for); nothing for an
// event that needs none. Setting is always granted; asking is refused, as nothing the
// recorder does asks.
std::optional<uhid_event> answerTo(const uhid_event& request);

}  // namespace kelvor::metersim
