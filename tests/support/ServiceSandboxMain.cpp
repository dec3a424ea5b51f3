// SPDX-License-Identifier: GPL-3.0-or-later
// kelvor-service-sandbox PROGRAM [ARGUMENT...]: runs the program under the restrictions of the
// recording service that systemd enforces in the kernel (see ServiceSandbox.h), with the
// system calls that this machine's systemd allows for SystemCallFilter=@system-service.
#include <unistd.h>

#include <cstdio>

#include "support/ServiceSandbox.h"

static int refuse(const std::string& message) {
  std::fprintf(stderr, "%s\n", message.c_str());
  return 2;
}

int main(int argc, char* argv[]) {
  if (argc < 2) return refuse("usage: kelvor-service-sandbox PROGRAM [ARGUMENT...]");
  const std::vector<std::string> calls = kelvor::testing::systemCallSet("@system-service");
  if (calls.empty())
    return refuse("kelvor-service-sandbox: systemd-analyze lists no @system-service");
  if (const std::string error = kelvor::testing::installServiceSandbox(calls); !error.empty())
    return refuse("kelvor-service-sandbox: " + error);
  execv(argv[1], argv + 1);
  std::perror(argv[1]);
  return 127;
}
