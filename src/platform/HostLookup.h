// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <string>

namespace kelvor {

enum class LookupResult { Found, Unknown, GivenUp };

// Looks a host name up on the C library's own thread, so that the caller can stop waiting at
// once: a plain lookup cannot be left before the resolver's timeouts, which take seconds.
// `giveUp` is asked every 50 ms while the answer is outstanding.
LookupResult lookUpHost(const std::string& host, const std::function<bool()>& giveUp);

}  // namespace kelvor
