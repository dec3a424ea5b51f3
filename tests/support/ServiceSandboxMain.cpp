// SPDX-License-Identifier: GPL-3.0-or-later
// kelvor-service-sandbox PROGRAM [ARGUMENT...]: runs the program under the restrictions of the
// recording service that systemd enforces in the kernel (see ServiceSandbox.h), with the
// system calls that this machine's systemd allows for SystemCallFilter=@system-service.
#include <unistd.h>

#include <cstdio>

#include "support/ServiceSandbox.h"

int main(int argc, char* argv[]) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: kelvor-service-sandbox PROGRAM [ARGUMENT...]\n");
    return 2;
  }
  const std::vector<std::string> calls = kelvor::testing::systemCallSet("@system-service");
  if (calls.empty()) {
    std::fprintf(stderr, "kelvor-service-sandbox: systemd-analyze lists no @system-service\n");
    return 2;
  }
  if (const std::string error = kelvor::testing::installServiceSandbox(calls); !error.empty()) {
    std::fprintf(stderr, "kelvor-service-sandbox: %s\n", error.c_str());
    return 2;
  }
  execv(argv[1], argv + 1);
  std::perror(argv[1]);
  return 127;
}
