#include "MeterSimHarness.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <thread>

extern char** environ;

namespace kelvor::metersim::test {

namespace {

constexpr const char* kSafetyNetSeconds = "20";

int millisecondsLeft(Clock::time_point deadline) {
  const auto left = std::chrono::ceil<milliseconds>(deadline - Clock::now()).count();
  return static_cast<int>(std::max<decltype(left)>(left, 0));
}

std::vector<std::string> childEnvironment(const EnvironmentChanges& changes) {
  std::vector<std::string> variables;
  for (char** entry = environ; *entry; ++entry) {
    const std::string variable = *entry;
    const std::string name = variable.substr(0, variable.find('='));
    const bool changed = std::any_of(changes.begin(), changes.end(),
                                     [&name](const auto& change) { return change.first == name; });
    if (!changed) variables.push_back(variable);
  }
  for (const auto& [name, value] : changes) {
    if (value) variables.push_back(name + "=" + *value);
  }
  return variables;
}

std::vector<char*> pointers(std::vector<std::string>& strings) {
  std::vector<char*> result;
  for (std::string& text : strings) result.push_back(text.data());
  result.push_back(nullptr);
  return result;
}

}  // namespace

TempDir::TempDir() {
  char pattern[] = "/tmp/kelvor-metersim-test-XXXXXX";
  if (!mkdtemp(pattern)) throw std::runtime_error("mkdtemp failed");
  path_ = pattern;
}

TempDir::~TempDir() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

SimProcess::SimProcess(const std::vector<std::string>& arguments,
                       const EnvironmentChanges& environment) {
  std::vector<std::string> argv = {KELVOR_METERSIM_EXE, "--quit-after", kSafetyNetSeconds};
  argv.insert(argv.end(), arguments.begin(), arguments.end());
  std::vector<std::string> envp = childEnvironment(environment);
  const std::string stderrPath = dir_.file("stderr");

  int out[2];
  if (pipe(out) != 0) throw std::runtime_error("pipe failed");
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
  posix_spawn_file_actions_addclose(&actions, out[0]);
  posix_spawn_file_actions_addclose(&actions, out[1]);
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, stderrPath.c_str(),
                                   O_WRONLY | O_CREAT | O_TRUNC, 0644);
  const int failed = posix_spawn(&pid_, argv[0].c_str(), &actions, nullptr, pointers(argv).data(),
                                 pointers(envp).data());
  posix_spawn_file_actions_destroy(&actions);
  close(out[1]);
  stdoutFd_ = out[0];
  if (failed != 0) {
    pid_ = -1;
    throw std::runtime_error(std::string("cannot start the simulator: ") + std::strerror(failed));
  }
}

SimProcess::~SimProcess() {
  if (pid_ > 0 && !exitStatus_) {
    kill(pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
  }
  if (stdoutFd_ >= 0) close(stdoutFd_);
}

bool SimProcess::readOutputUntil(const std::function<bool()>& done, Clock::time_point deadline) {
  while (!done()) {
    if (stdoutClosed_) return false;
    pollfd fd{stdoutFd_, POLLIN, 0};
    const int ready = poll(&fd, 1, millisecondsLeft(deadline));
    if (ready < 0 && errno == EINTR) continue;
    if (ready <= 0) return false;
    char buffer[512];
    const ssize_t count = ::read(stdoutFd_, buffer, sizeof buffer);
    if (count < 0 && errno == EINTR) continue;
    if (count <= 0) {
      stdoutClosed_ = true;
    } else {
      stdout_.append(buffer, static_cast<std::size_t>(count));
    }
  }
  return true;
}

bool SimProcess::waitReady(milliseconds timeout) {
  const bool gotLine = readOutputUntil([this] { return stdout_.find('\n') != std::string::npos; },
                                       Clock::now() + timeout);
  if (!gotLine) return false;
  const std::string line = stdout_.substr(0, stdout_.find('\n'));
  const std::string prefix = "ready ";
  const std::string arrow = " -> ";
  const std::size_t arrowAt = line.find(arrow);
  if (line.rfind(prefix, 0) != 0 || arrowAt == std::string::npos) return false;
  linkPath_ = line.substr(prefix.size(), arrowAt - prefix.size());
  terminalPath_ = line.substr(arrowAt + arrow.size());
  return true;
}

void SimProcess::sendSignal(int signal) const {
  kill(pid_, signal);
}

std::optional<int> SimProcess::waitExit(milliseconds timeout) {
  if (exitStatus_) return exitStatus_;
  // The process closes its standard output when it ends; that is the event to wait for.
  readOutputUntil([] { return false; }, Clock::now() + timeout);
  if (!stdoutClosed_) return std::nullopt;
  int status = 0;
  if (waitpid(pid_, &status, 0) != pid_) return std::nullopt;
  exitStatus_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  return exitStatus_;
}

std::string SimProcess::standardError() const {
  return readTextFile(dir_.file("stderr"));
}

ClientPort::ClientPort(const std::string& path, bool configure) {
  fd_ = open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
  if (fd_ < 0 || !configure) return;
  termios line = settings();
  cfmakeraw(&line);
  line.c_cflag = (line.c_cflag & ~(CSIZE | PARENB | PARODD)) | CS7 | CSTOPB | CREAD | CLOCAL;
  cfsetispeed(&line, B1200);
  cfsetospeed(&line, B1200);
  apply(line);
}

ClientPort::~ClientPort() {
  if (fd_ >= 0) close(fd_);
}

termios ClientPort::settings() const {
  termios line{};
  tcgetattr(fd_, &line);
  return line;
}

void ClientPort::apply(const termios& settings) const {
  tcsetattr(fd_, TCSANOW, &settings);
}

void ClientPort::send(const std::string& bytes) const {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t count = ::write(fd_, bytes.data() + done, bytes.size() - done);
    if (count < 0 && errno != EINTR && errno != EAGAIN) {
      throw std::runtime_error(std::string("write failed: ") + std::strerror(errno));
    }
    if (count > 0) done += static_cast<std::size_t>(count);
  }
}

std::string ClientPort::read(std::size_t count, milliseconds timeout) const {
  const Clock::time_point deadline = Clock::now() + timeout;
  std::string received;
  while (received.size() < count) {
    pollfd fd{fd_, POLLIN, 0};
    const int ready = poll(&fd, 1, millisecondsLeft(deadline));
    if (ready < 0 && errno == EINTR) continue;
    if (ready <= 0) break;
    char buffer[256];
    const std::size_t wanted = std::min(sizeof buffer, count - received.size());
    const ssize_t got = ::read(fd_, buffer, wanted);
    if (got > 0) {
      received.append(buffer, static_cast<std::size_t>(got));
    } else if (got == 0 || (errno != EAGAIN && errno != EINTR)) {
      break;
    }
  }
  return received;
}

std::string readTextFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

void writeTextFile(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

std::vector<std::string> splitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream stream(text);
  for (std::string line; std::getline(stream, line);) lines.push_back(line);
  return lines;
}

void MeterSimTest::start(const std::vector<std::string>& arguments, bool configurePort) {
  std::vector<std::string> all = {"--link", dir.file("COM1")};
  all.insert(all.end(), arguments.begin(), arguments.end());
  sim = std::make_unique<SimProcess>(all);
  ASSERT_TRUE(sim->waitReady()) << "stdout: " << sim->standardOutput()
                                << "\nstderr: " << sim->standardError();
  port = std::make_unique<ClientPort>(sim->linkPath(), configurePort);
  ASSERT_TRUE(port->isOpen()) << sim->linkPath();
}

std::string MeterSimTest::poll(std::size_t count, milliseconds timeout) {
  port->send("D");
  return port->read(count, timeout);
}

std::vector<std::string> linesContaining(const std::string& text, const std::string& part) {
  std::vector<std::string> found;
  for (const std::string& line : splitLines(text)) {
    if (line.find(part) != std::string::npos) found.push_back(line);
  }
  return found;
}

bool waitUntil(const std::function<bool()>& condition, milliseconds timeout) {
  const Clock::time_point deadline = Clock::now() + timeout;
  while (!condition()) {
    if (Clock::now() >= deadline) return false;
    std::this_thread::sleep_for(milliseconds(5));
  }
  return true;
}

}  // namespace kelvor::metersim::test
