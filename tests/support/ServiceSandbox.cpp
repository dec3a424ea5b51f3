// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/ServiceSandbox.h"

#include <seccomp.h>
#include <sys/mman.h>
#include <sys/shm.h>
#include <sys/socket.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <set>

namespace kelvor::testing {
namespace {

using Filter = std::unique_ptr<void, decltype(&seccomp_release)>;

// The names `systemd-analyze syscall-filter` lists under one set: calls and nested sets.
std::vector<std::string> listedUnder(const std::string& set) {
  std::vector<std::string> names;
  const std::string command = "systemd-analyze syscall-filter '" + set + "' 2>/dev/null";
  std::unique_ptr<FILE, decltype(&pclose)> pipe(popen(command.c_str(), "r"), &pclose);
  if (!pipe) return names;
  char line[256];
  while (std::fgets(line, sizeof line, pipe.get())) {
    // "@set" heads the list; its members are indented, comments start with "#".
    std::string name(line);
    name.erase(name.find_last_not_of(" \n") + 1);
    if (name.rfind("    ", 0) != 0 || name[4] == '#') continue;
    names.push_back(name.substr(4));
  }
  return names;
}

void expand(const std::string& set, std::set<std::string>& calls, std::set<std::string>& seen) {
  if (!seen.insert(set).second) return;
  for (const std::string& name : listedUnder(set))
    name[0] == '@' ? expand(name, calls, seen) : void(calls.insert(name));
}

// Empty, or what failed and why, for a libseccomp result.
std::string failure(const std::string& what, int result) {
  return result < 0 ? what + ": " + std::strerror(-result) : std::string();
}

// Any call outside the list kills the process, as systemd's allow list does by default.
std::string loadCallFilter(const std::vector<std::string>& allowedCalls) {
  Filter filter(seccomp_init(SCMP_ACT_KILL_PROCESS), &seccomp_release);
  // Only this architecture's calls: another's (int 0x80 on x86-64) would pass other numbers.
  seccomp_attr_set(filter.get(), SCMP_FLTATR_ACT_BADARCH, SCMP_ACT_KILL_PROCESS);
  for (const std::string& name : allowedCalls) {
    const int call = seccomp_syscall_resolve_name(name.c_str());
    // Calls of other architectures (arm_fadvise64_64, ...) have no number here.
    if (call == __NR_SCMP_ERROR) continue;
    if (const int result = seccomp_rule_add(filter.get(), SCMP_ACT_ALLOW, call, 0); result < 0)
      return failure(name, result);
  }
  return failure("loading the system-call filter", seccomp_load(filter.get()));
}

// No mapping both writable and executable, none made executable later, no executable shared
// memory segment.
std::string loadMemoryFilter() {
  Filter filter(seccomp_init(SCMP_ACT_ALLOW), &seccomp_release);
  const auto deny = [&](int call, unsigned argument, scmp_datum_t mask) {
    return seccomp_rule_add(filter.get(), SCMP_ACT_ERRNO(EPERM), call, 1,
                            SCMP_CMP(argument, SCMP_CMP_MASKED_EQ, mask, mask));
  };
  int result = deny(SCMP_SYS(mmap), 2, PROT_WRITE | PROT_EXEC);
  if (result == 0) result = deny(SCMP_SYS(mprotect), 2, PROT_EXEC);
  if (result == 0) result = deny(SCMP_SYS(pkey_mprotect), 2, PROT_EXEC);
  if (result == 0) result = deny(SCMP_SYS(shmat), 2, SHM_EXEC);
  if (result < 0) return failure("memory rules", result);
  return failure("loading the memory filter", seccomp_load(filter.get()));
}

// socket() of any family but AF_UNIX, AF_INET and AF_INET6 fails; socketpair() stays.
std::string loadFamilyFilter() {
  static_assert(AF_UNIX == 1 && AF_INET == 2 && AF_INET6 == 10);
  Filter filter(seccomp_init(SCMP_ACT_ALLOW), &seccomp_release);
  const auto deny = [&](scmp_compare compare, scmp_datum_t family) {
    return seccomp_rule_add(filter.get(), SCMP_ACT_ERRNO(EAFNOSUPPORT), SCMP_SYS(socket), 1,
                            SCMP_CMP(0, compare, family));
  };
  int result = deny(SCMP_CMP_EQ, AF_UNSPEC);
  for (int family = AF_INET + 1; family < AF_INET6 && result == 0; ++family)
    result = deny(SCMP_CMP_EQ, static_cast<scmp_datum_t>(family));
  if (result == 0) result = deny(SCMP_CMP_GT, AF_INET6);
  if (result < 0) return failure("address family rules", result);
  return failure("loading the address family filter", seccomp_load(filter.get()));
}

}  // namespace

std::vector<std::string> systemCallSet(const std::string& set) {
  std::set<std::string> calls, seen;
  expand(set, calls, seen);
  return {calls.begin(), calls.end()};
}

std::string installServiceSandbox(const std::vector<std::string>& allowedCalls) {
  // The allow list last, as systemd does: loading a filter needs calls it may lack.
  for (const auto load : {loadMemoryFilter, loadFamilyFilter})
    if (std::string error = load(); !error.empty()) return error;
  return loadCallFilter(allowedCalls);
}

}  // namespace kelvor::testing
