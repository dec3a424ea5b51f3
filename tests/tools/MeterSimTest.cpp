// SPDX-License-Identifier: GPL-3.0-or-later
// The meter simulator as a program: the exact bytes of its answers, and how it refuses a bad
// command line. Timing, faults, logging and reconnecting are proved by the end-to-end tests,
// which drive the real recorder against it.

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

namespace kelvor::metersim::test {
namespace {

namespace fs = std::filesystem;

// A fresh folder with two scripts, a plain file and nothing else; "@name" in a test's
// arguments stands for a path in it.
class TestFolder {
 public:
  TestFolder() {
    char pattern[] = "/tmp/kelvor-metersim-test-XXXXXX";
    path_ = mkdtemp(pattern) ? pattern : "/nonexistent";
    std::ofstream(file("script")) << "# answers\n\nDC  1.000 V\r\nraw \\x41B\\r\noverload\n";
    std::ofstream(file("bad-script")) << "DC  1.000 V\nDC  1.000 V  too long\n";
    std::ofstream(file("file")) << "not a folder";
  }
  ~TestFolder() { fs::remove_all(path_, ignored_); }
  std::string file(const std::string& name) const { return path_ + "/" + name; }
  std::string resolve(const std::string& word) const {
    return word[0] == '@' ? file(word.substr(1)) : word;
  }
  std::string read(const std::string& name) const {
    std::ifstream stream(file(name));
    return std::string(std::istreambuf_iterator<char>(stream), {});
  }

 private:
  std::string path_;
  std::error_code ignored_;
};

// The simulator as a child process, through the shell: it prints its process number, then
// becomes the simulator, with standard error in the folder. A safety net ends the simulator
// after 20 seconds whatever the test does.
class Simulator {
 public:
  Simulator(const TestFolder& folder, const std::string& arguments) {
    std::string command = "echo $$; exec " KELVOR_METERSIM_EXE " --quit-after 20";
    std::istringstream words(arguments);
    for (std::string word; words >> word;) command += " " + folder.resolve(word);
    output_ = popen((command + " 2>" + folder.file("stderr")).c_str(), "r");
    pid_ = std::atoi(line().c_str());
  }
  ~Simulator() { exitStatus(SIGKILL); }

  // The next line of standard output; empty at its end.
  std::string line() {
    char buffer[512];
    return output_ && fgets(buffer, sizeof buffer, output_) ? buffer : "";
  }
  // Sends `signal` (0: none) and returns the exit status, 128 + the number after a signal.
  int exitStatus(int signal = 0) {
    if (signal != 0 && pid_ > 0) kill(pid_, signal);
    const int status = output_ ? pclose(output_) : -1;
    output_ = nullptr;
    pid_ = 0;  // reaped: the number may belong to another process now
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  }

 private:
  pid_t pid_ = 0;
  FILE* output_ = nullptr;
};

// Opens the port as the recorder does (raw line), writes `bytes` and collects the answers
// until `size` bytes have come or none come for three seconds.
std::string exchange(const std::string& path, const std::string& bytes, std::size_t size) {
  const int fd = open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
  if (fd < 0) return "cannot open " + path;
  termios line{};
  tcgetattr(fd, &line);
  cfmakeraw(&line);
  tcsetattr(fd, TCSANOW, &line);
  std::string answers;
  if (write(fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size())) {
    pollfd ready{fd, POLLIN, 0};
    char buffer[256];
    while (answers.size() < size && poll(&ready, 1, 3000) > 0) {
      const ssize_t got = read(fd, buffer, sizeof buffer);
      if (got <= 0) break;
      answers.append(buffer, static_cast<std::size_t>(got));
    }
  }
  close(fd);
  return answers;
}

// Polls `polls` times, each poll after a byte that is no poll.
std::string pollPort(const std::string& path, int polls, std::size_t size) {
  std::string bytes;
  for (int i = 0; i < polls; ++i) bytes += "xD";  // only "D" asks for an answer
  return exchange(path, bytes, size);
}

int occurrences(const std::string& text, const std::string& part) {
  int count = 0;
  for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
  return count;
}

// Arguments, polls, all answers to the polls in order, writes per answer.
using AnswerCase = std::tuple<const char*, int, std::string, int>;

const AnswerCase kAnswers[] = {
    {"", 1, "DC  1.234 V  \r", 1},
    // The value field: as many decimals as fit, a sign only where a digit shows, the overload
    // text for what does not fit; the values come round again.
    {"--values const:-1.234,-0.0001,12.5,-999.94,9.9996", 6,
     "DC -1.234 V  \rDC  0.000 V  \rDC  12.50 V  \rDC -999.9 V  \rDC  10.00 V  \rDC -1.234 V  \r",
     1},
    {"--values const:-12345.6,123456,1234567", 3, "DC -12346 V  \rDC 123456 V  \rDC   OL   V  \r",
     1},
    {"--mode OH --unit kOhmX --values const:12.5", 1, "OH  12.50kOhm\r", 1},
    {"--no-cr", 1, "DC  1.234 V   ", 1},
    {"--split 5:0", 1, "DC  1.234 V  \r", 2},
    {"--silent", 1, "", 0},
    {"--meter four", 1, "DC  1.234 V  \rDC 1234.0 mV \rFR  50.00 Hz \rTE   23.5 C  \r", 1},
    {"--meter four --only-first-frame --values const:1,2", 2, "DC  1.000 V  \rDC  2.000 V  \r", 1},
    {"--script @script", 4, "DC  1.000 V  \rAB\rDC   OL   V  \rDC   OL   V  \r", 1},
    {"--script @script --cycle", 4, "DC  1.000 V  \rAB\rDC   OL   V  \rDC  1.000 V  \r", 1}};

TEST(MeterSim, AnswersWithTheMeterFramesAndRemovesItsLinkWhenEnded) {
  for (const auto& [arguments, polls, answers, writesPerAnswer] : kAnswers) {
    SCOPED_TRACE(arguments);
    TestFolder folder;
    const std::string link = folder.file("COM1");
    Simulator sim(folder, std::string("--link @COM1 --log @log ") + arguments);
    EXPECT_EQ(sim.line().rfind("ready " + link + " -> /dev/", 0), 0u) << folder.read("stderr");
    EXPECT_EQ(pollPort(link, polls, answers.size()), answers);
    // The end comes once every poll has been read: the log has a line "rx 0x44 'D'" for each.
    for (int i = 0; i < 500 && occurrences(folder.read("log"), " rx 0x44") < polls; ++i)
      usleep(10000);
    EXPECT_TRUE(occurrences(folder.read("log"), " rx 0x44") == polls &&
                sim.exitStatus(SIGTERM) == 0 && !fs::exists(fs::symlink_status(link)));
    // No more answers than polls, each in as many writes as expected ("tx N bytes ...").
    EXPECT_EQ(occurrences(folder.read("log"), " tx "), polls * writesPerAnswer);
  }
}

// A streaming meter only sends, polled or not: its frames never carry a polled meter's answer.
TEST(MeterSim, AStreamingMeterNeverAnswersAPoll) {
  TestFolder folder;
  Simulator sim(folder, "--link @COM1 --meter fs9721");
  ASSERT_EQ(sim.line().rfind("ready ", 0), 0u) << folder.read("stderr");
  const std::string bytes = pollPort(folder.file("COM1"), 3, 140);
  EXPECT_EQ(std::pair(bytes.size(), bytes.find("DC ")),
            std::pair(std::size_t{140}, std::string::npos));
}

// A meter with a request of its own answers that request alone: ut61eplus passes over a "D" and
// a button command, fluke28x answers an unknown command with its syntax error and takes its
// commands in either case.
TEST(MeterSim, TheRequestAnswerMetersAnswerTheirOwnRequestOnly) {
  TestFolder folder;
  Simulator binary(folder, "--link @COM1 --meter ut61eplus");
  Simulator text(folder, "--link @COM2 --meter fluke28x --values const:-1.5 --mode AC");
  ASSERT_EQ(binary.line().rfind("ready ", 0) + text.line().rfind("ready ", 0), 0u);
  const std::string answer =
      exchange(folder.file("COM1"), "D\xAB\xCD\x03\x41\x01\xBC\xAB\xCD\x03\x5E\x01\xD9", 40);
  EXPECT_EQ(std::pair(answer.size(), answer.substr(0, 3)),
            std::pair(std::size_t{19}, std::string("\xAB\xCD\x10")));
  EXPECT_EQ(exchange(folder.file("COM2"), "ID\rqm\r", 30), "1\r0\r-1.5000E0,VAC,NORMAL,NONE\r");
}

// One row per kind of mistake: unknown or bare options, values out of range, bad value sources
// and scripts, a link that would replace a file. Then the exit status and what the message names.
TEST(MeterSim, RefusesABadCommandLineWithAMessageNamingTheCulprit) {
  using Row = std::tuple<std::string, int, std::string>;  // arguments, exit status, culprit
  for (const auto& [arguments, exitStatus, culprit] :
       {Row{"--help", 0, "--values"}, Row{"--bogus", 2, "--bogus"}, Row{"--delay", 2, "--delay"},
        Row{"--port 0", 2, "--port"}, Row{"--values spline:1,2", 2, "spline"},
        Row{"--cycle", 2, "--cycle"}, Row{"--script @bad-script", 2, "line 2"},
        Row{"--link @file", 1, "@file"}}) {
    SCOPED_TRACE(arguments);
    TestFolder folder;
    Simulator sim(folder, "--link @COM1 " + arguments);
    std::string output;
    for (std::string line = sim.line(); !line.empty(); line = sim.line()) output += line;
    EXPECT_EQ(sim.exitStatus(), exitStatus);
    const std::string message = exitStatus == 0 ? output : folder.read("stderr");
    EXPECT_NE(message.find(folder.resolve(culprit)), std::string::npos) << message;
    EXPECT_EQ(output.empty(), exitStatus != 0) << output;
    EXPECT_FALSE(fs::exists(fs::symlink_status(folder.file("COM1"))));
  }
}

}  // namespace
}  // namespace kelvor::metersim::test
