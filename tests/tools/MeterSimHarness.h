#pragma once

#include <sys/types.h>
#include <termios.h>

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

// Runs the real simulator binary and talks to it through its terminal, as the recorder does.
namespace kelvor::metersim::test {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

// A fresh folder under /tmp, removed with everything in it.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::string& path() const { return path_; }
  std::string file(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

// Environment changes for the child: a value sets the variable, nullopt removes it.
using EnvironmentChanges = std::vector<std::pair<std::string, std::optional<std::string>>>;

// The simulator as a child process. A "--quit-after" safety net goes first on its command line
// (a later --quit-after wins), and the destructor kills a process still running.
class SimProcess {
 public:
  explicit SimProcess(const std::vector<std::string>& arguments,
                      const EnvironmentChanges& environment = {});
  ~SimProcess();
  SimProcess(const SimProcess&) = delete;
  SimProcess& operator=(const SimProcess&) = delete;

  // Waits for "ready <link> -> <terminal>"; false if it does not come in time.
  bool waitReady(milliseconds timeout = milliseconds(5000));
  const std::string& linkPath() const { return linkPath_; }
  const std::string& terminalPath() const { return terminalPath_; }

  pid_t pid() const { return pid_; }
  void sendSignal(int signal) const;
  // The exit status (128 + signal number after a signal), or nullopt if still running.
  std::optional<int> waitExit(milliseconds timeout = milliseconds(5000));

  const std::string& standardOutput() const { return stdout_; }
  std::string standardError() const;

 private:
  // Reads standard output until `done` holds, end of file or the deadline; true if `done`.
  bool readOutputUntil(const std::function<bool()>& done, Clock::time_point deadline);

  TempDir dir_;
  pid_t pid_ = -1;
  int stdoutFd_ = -1;
  bool stdoutClosed_ = false;
  std::optional<int> exitStatus_;
  std::string stdout_;
  std::string linkPath_;
  std::string terminalPath_;
};

// The client side of the port, opened non-blocking like the recorder opens a serial port.
class ClientPort {
 public:
  // With `configure`, the line is set raw, 1200 baud, 7 data bits, no parity, 2 stop bits.
  explicit ClientPort(const std::string& path, bool configure = true);
  ~ClientPort();
  ClientPort(const ClientPort&) = delete;
  ClientPort& operator=(const ClientPort&) = delete;

  bool isOpen() const { return fd_ >= 0; }
  termios settings() const;
  void apply(const termios& settings) const;
  void send(const std::string& bytes) const;
  // Reads until `count` bytes have come or `timeout` has passed; returns what came.
  std::string read(std::size_t count, milliseconds timeout = milliseconds(2000)) const;
  // Everything that comes within `window`.
  std::string readFor(milliseconds window) const { return read(std::string::npos, window); }

 private:
  int fd_ = -1;
};

std::string readTextFile(const std::string& path);
void writeTextFile(const std::string& path, const std::string& text);
std::vector<std::string> splitLines(const std::string& text);
std::vector<std::string> linesContaining(const std::string& text, const std::string& part);

// Checks `condition` every few milliseconds until it holds or `timeout` passes.
bool waitUntil(const std::function<bool()>& condition, milliseconds timeout = milliseconds(3000));

// Names parameterized tests after their case's `name`.
struct CaseName {
  template <typename Case>
  std::string operator()(const ::testing::TestParamInfo<Case>& test) const {
    return test.param.name;
  }
};

// A simulator linked at <temp>/COM1 and the port opened by a client.
class MeterSimTest : public ::testing::Test {
 protected:
  // Fails the test (fatally) if the simulator does not come up or the port does not open.
  void start(const std::vector<std::string>& arguments, bool configurePort = true);
  // Sends one poll and returns what arrives until `count` bytes or the timeout.
  std::string poll(std::size_t count, milliseconds timeout = milliseconds(2000));

  TempDir dir;
  std::unique_ptr<SimProcess> sim;
  std::unique_ptr<ClientPort> port;
};

}  // namespace kelvor::metersim::test
