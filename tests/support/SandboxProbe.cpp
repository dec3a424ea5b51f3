// SPDX-License-Identifier: GPL-3.0-or-later
// kelvor-sandbox-probe ACTION: tries one thing that the recording service may or may not do
// and prints "ok" or the error; a forbidden system call kills it instead.
#include <sys/mman.h>
#include <sys/ptrace.h>
#include <sys/shm.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <functional>
#include <map>
#include <string>

namespace {

int socketOf(int family) {
  const int fd = socket(family, SOCK_DGRAM, 0);
  return fd < 0 ? -1 : close(fd);
}

void* mapPage(int protection) {
  return mmap(nullptr, 4096, protection, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
}

// A fresh writable page made executable by `call` (mprotect's arguments).
int makeExecutable(const std::function<int(void*, size_t, int)>& call) {
  void* page = mapPage(PROT_READ | PROT_WRITE);
  return page == MAP_FAILED ? -2 : call(page, 4096, PROT_READ | PROT_EXEC);
}

int pkeyProtect(void* page, size_t size, int protection) {
  return pkey_mprotect(page, size, protection, -1);
}

// Each action: 0 or a non-negative result when it worked, -1 with errno when it failed.
const std::map<std::string, std::function<int()>> actions = {
    {"socket-unix", [] { return socketOf(AF_UNIX); }},
    {"socket-inet", [] { return socketOf(AF_INET); }},
    {"socket-inet6", [] { return socketOf(AF_INET6); }},
    {"socket-netlink", [] { return socketOf(AF_NETLINK); }},
    {"mmap-write-exec", [] { return mapPage(PROT_WRITE | PROT_EXEC) == MAP_FAILED ? -1 : 0; }},
    {"mprotect-exec", [] { return makeExecutable(mprotect); }},
    {"pkey_mprotect-exec", [] { return makeExecutable(pkeyProtect); }},
    {"shmat-exec",
     [] {
       const int id = shmget(IPC_PRIVATE, 4096, IPC_CREAT | 0700);
       void* at = id < 0 ? reinterpret_cast<void*>(-1) : shmat(id, nullptr, SHM_EXEC);
       const int saved = errno;
       if (id >= 0) shmctl(id, IPC_RMID, nullptr);
       errno = saved;
       return at == reinterpret_cast<void*>(-1) ? -1 : 0;
     }},
#ifdef __x86_64__
    // getpid through the 32-bit interface, another architecture's system call. The kernel
    // does not keep r8-r11 across `int $0x80`.
    {"i386-getpid",
     [] {
       long pid = 20;
       asm volatile("int $0x80" : "+a"(pid) : : "r8", "r9", "r10", "r11", "memory");
       return pid > 0 ? 0 : -1;
     }},
#endif
    // A call outside the allow list (the one LeakSanitizer stops the threads with): "ok" once
    // made, whatever it answers.
    {"ptrace", [] { return ptrace(PTRACE_PEEKDATA, getppid(), nullptr, nullptr), 0; }},
};

}  // namespace

int main(int argc, char* argv[]) {
  const auto action = actions.find(argc == 2 ? argv[1] : "");
  if (action == actions.end()) {
    std::fprintf(stderr, "usage: kelvor-sandbox-probe ACTION\n");
    return 2;
  }
  errno = 0;
  std::puts(action->second() >= 0 ? "ok" : std::strerror(errno));
  std::fflush(stdout);
  _exit(0);  // before LeakSanitizer's exit check, which needs ptrace
}
