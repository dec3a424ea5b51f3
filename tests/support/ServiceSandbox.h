// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

namespace kelvor::testing {

// The system calls of a systemd set such as "@system-service", its nested sets expanded, as
// this machine's `systemd-analyze syscall-filter` lists them; empty without systemd-analyze.
std::vector<std::string> systemCallSet(const std::string& set);

// Restricts this process and what it runs as the recording service's unit does through
// SystemCallFilter= with SystemCallArchitectures=native (any other call, or a call of another
// architecture, kills the process), MemoryDenyWriteExecute= (EPERM) and
// RestrictAddressFamilies=AF_UNIX AF_INET AF_INET6 (EAFNOSUPPORT). Returns what went wrong,
// empty on success.
std::string installServiceSandbox(const std::vector<std::string>& allowedCalls);

}  // namespace kelvor::testing
