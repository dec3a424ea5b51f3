// The simulator as a program: command line, the port link's life, the log and idling.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <optional>
#include <ostream>
#include <regex>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "MeterSimHarness.h"

namespace kelvor::metersim::test {
namespace {

using namespace std::chrono_literals;

std::string linkTarget(const std::string& path) {
  std::error_code error;
  const auto target = std::filesystem::read_symlink(path, error);
  return error ? std::string() : target.string();
}

bool exists(const std::string& path) {
  struct stat status {};
  return lstat(path.c_str(), &status) == 0;
}

TEST(MeterSimCommandLine, HelpPrintsUsage) {
  SimProcess sim({"--help"});
  EXPECT_EQ(sim.waitExit(), 0);
  for (const char* option : {"--port", "--link", "--meter", "--values", "--script", "--log"}) {
    EXPECT_NE(sim.standardOutput().find(option), std::string::npos) << option;
  }
}

struct RejectedCase {
  const char* name;
  std::vector<std::string> arguments;  // "@" starts a path in the test's folder
  int exitCode;
};

void PrintTo(const RejectedCase& c, std::ostream* out) {
  *out << c.name;
}

class Rejected : public ::testing::TestWithParam<RejectedCase> {};

TEST_P(Rejected, ExitsWithAMessage) {
  TempDir dir;
  writeTextFile(dir.file("file"), "not a folder");
  writeTextFile(dir.file("bad-script"), "DC  1.000 V\nDC  1.000 V  too long\n");
  std::vector<std::string> arguments = {"--link", dir.file("COM1")};
  for (const std::string& argument : GetParam().arguments) {
    arguments.push_back(argument[0] == '@' ? dir.file(argument.substr(1)) : argument);
  }
  SimProcess sim(arguments);

  EXPECT_EQ(sim.waitExit(), GetParam().exitCode);
  EXPECT_EQ(sim.standardOutput(), "");
  EXPECT_NE(sim.standardError(), "");
  EXPECT_EQ(readTextFile(dir.file("file")), "not a folder");
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, Rejected,
    ::testing::Values(RejectedCase{"UnknownOption", {"--bogus"}, 2},
                      RejectedCase{"StrayArgument", {"COM1"}, 2},
                      RejectedCase{"MissingValue", {"--delay"}, 2},
                      RejectedCase{"FlagWithValue", {"--silent=yes"}, 2},
                      RejectedCase{"PortZero", {"--port", "0"}, 2},
                      RejectedCase{"UnknownMeter", {"--meter", "three"}, 2},
                      RejectedCase{"UnknownSource", {"--values", "spline:1,2"}, 2},
                      RejectedCase{"ConstWithoutValues", {"--values", "const:"}, 2},
                      RejectedCase{"ConstNotANumber", {"--values", "const:1,x"}, 2},
                      RejectedCase{"RampWithOneNumber", {"--values", "ramp:1"}, 2},
                      RejectedCase{"SineWithoutPeriod", {"--values", "sine:0,1,0"}, 2},
                      RejectedCase{"NoiseNegativeSigma", {"--values", "noise:0,-1"}, 2},
                      RejectedCase{"NoiseFractionalSeed", {"--values", "noise:0,1,2.5"}, 2},
                      RejectedCase{"ModeOfThree", {"--mode", "DCV"}, 2},
                      RejectedCase{"NegativeDelay", {"--delay", "-5"}, 2},
                      RejectedCase{"SplitOfNothing", {"--split", "0"}, 2},
                      RejectedCase{"SplitPauseNotANumber", {"--split", "3:soon"}, 2},
                      RejectedCase{"QuitAfterZero", {"--quit-after", "0"}, 2},
                      RejectedCase{"SilentAndGarbage", {"--silent", "--garbage"}, 2},
                      RejectedCase{"CycleWithoutScript", {"--cycle"}, 2},
                      RejectedCase{"MissingScript", {"--script", "@missing"}, 2},
                      RejectedCase{"BadScriptLine", {"--script", "@bad-script"}, 2},
                      RejectedCase{"LinkBelowAFile", {"--link", "@file/COM1"}, 1},
                      RejectedCase{"LinkOverAFile", {"--link", "@file"}, 1},
                      RejectedCase{"LogInMissingFolder", {"--log", "@missing/log"}, 1}),
    CaseName());

struct EndCase {
  const char* name;
  int signal;  // 0: let --quit-after end it
};

void PrintTo(const EndCase& c, std::ostream* out) {
  *out << c.name;
}

class Ending : public ::testing::TestWithParam<EndCase> {};

TEST_P(Ending, RemovesTheLinkAndExitsWithZero) {
  TempDir dir;
  std::vector<std::string> arguments = {"--link", dir.file("COM1")};
  if (GetParam().signal == 0) arguments.insert(arguments.end(), {"--quit-after", "0.3"});
  SimProcess sim(arguments);
  ASSERT_TRUE(sim.waitReady());
  EXPECT_EQ(sim.linkPath(), dir.file("COM1"));
  EXPECT_EQ(linkTarget(dir.file("COM1")), sim.terminalPath());

  if (GetParam().signal != 0) sim.sendSignal(GetParam().signal);
  EXPECT_EQ(sim.waitExit(), 0);
  EXPECT_FALSE(exists(dir.file("COM1")));
}

INSTANTIATE_TEST_SUITE_P(Signals, Ending,
                         ::testing::Values(EndCase{"Terminate", SIGTERM},
                                           EndCase{"Interrupt", SIGINT}, EndCase{"QuitAfter", 0}),
                         CaseName());

struct PlaceCase {
  const char* name;
  std::vector<std::string> arguments;
  std::optional<std::string> xdgConfigHome;  // "@" starts a path in the test's folder
  std::string expectedLink;                  // in the test's folder
};

void PrintTo(const PlaceCase& c, std::ostream* out) {
  *out << c.name;
}

class DefaultPlace : public ::testing::TestWithParam<PlaceCase> {};

TEST_P(DefaultPlace, LinksAsComPortInTheConfigurationFolder) {
  TempDir dir;
  const PlaceCase& c = GetParam();
  std::optional<std::string> xdg = c.xdgConfigHome;
  if (xdg && (*xdg)[0] == '@') xdg = dir.file(xdg->substr(1));
  SimProcess sim(c.arguments, {{"XDG_CONFIG_HOME", xdg}, {"HOME", dir.file("home")}});
  ASSERT_TRUE(sim.waitReady()) << sim.standardError();

  const std::string expected = dir.file(c.expectedLink);
  EXPECT_EQ(sim.linkPath(), expected);
  EXPECT_EQ(linkTarget(expected), sim.terminalPath());
  ClientPort port(expected);
  ASSERT_TRUE(port.isOpen());
  port.send("D");
  EXPECT_EQ(port.read(14), "DC  1.234 V  \r");

  sim.sendSignal(SIGTERM);
  EXPECT_EQ(sim.waitExit(), 0);
  EXPECT_FALSE(exists(expected));
}

INSTANTIATE_TEST_SUITE_P(
    Folders, DefaultPlace,
    ::testing::Values(
        PlaceCase{"XdgConfigHome", {"--port", "7"}, "@xdg", "xdg/Kelvor/ports/COM7"},
        PlaceCase{"HomeConfigByDefault", {}, std::nullopt, "home/.config/Kelvor/ports/COM1"},
        PlaceCase{
            "RelativeXdgIgnored", {"--port", "12"}, "xdg", "home/.config/Kelvor/ports/COM12"}),
    CaseName());

TEST(MeterSimLink, ReplacesAStaleLink) {
  TempDir dir;
  ASSERT_EQ(symlink("/dev/pts/no-such-terminal", dir.file("COM1").c_str()), 0);
  SimProcess sim({"--link", dir.file("COM1")});
  ASSERT_TRUE(sim.waitReady()) << sim.standardError();
  EXPECT_EQ(linkTarget(dir.file("COM1")), sim.terminalPath());
}

TEST(MeterSimLink, LeavesALinkThatAnotherSimulatorTookOver) {
  TempDir dir;
  SimProcess first({"--link", dir.file("COM1")});
  ASSERT_TRUE(first.waitReady());
  SimProcess second({"--link", dir.file("COM1")});
  ASSERT_TRUE(second.waitReady());

  first.sendSignal(SIGTERM);
  EXPECT_EQ(first.waitExit(), 0);
  EXPECT_EQ(linkTarget(dir.file("COM1")), second.terminalPath());
}

TEST_F(MeterSimTest, LogHasOneLinePerReceivedByte) {
  const std::string log = dir.file("log");
  ASSERT_NO_FATAL_FAILURE(start({"--log", log}));
  port->send(std::string("x\x01\xff", 3));
  EXPECT_EQ(poll(14), "DC  1.234 V  \r");

  const std::regex timestamp(R"(^\d{4}-\d\d-\d\dT\d\d:\d\d:\d\d\.\d{3} )");
  std::vector<std::string> received;
  ASSERT_TRUE(waitUntil([&] {
    received = linesContaining(readTextFile(log), " rx ");
    return received.size() >= 4;
  }));
  ASSERT_EQ(received.size(), 4u);
  const char* expected[] = {"rx 0x78 'x'", "rx 0x01 '.'", "rx 0xFF '.'", "rx 0x44 'D'"};
  for (std::size_t i = 0; i < received.size(); ++i) {
    EXPECT_TRUE(std::regex_search(received[i], timestamp)) << received[i];
    EXPECT_EQ(received[i].substr(24), expected[i]);
  }
}

TEST_F(MeterSimTest, NothingIsEchoedBeforeTheClientConfiguresTheLine) {
  const std::string log = dir.file("log");
  ASSERT_NO_FATAL_FAILURE(start({"--log", log}, /*configurePort=*/false));
  EXPECT_EQ(poll(14), "DC  1.234 V  \r");
  EXPECT_EQ(port->readFor(200ms), "");
  EXPECT_EQ(linesContaining(readTextFile(log), " rx ").size(), 1u);
}

struct LineCase {
  speed_t speed;
  tcflag_t characterFormat;  // CSIZE, PARENB, PARODD and CSTOPB bits
  const char* baud;
  const char* dataBits;
  const char* parity;
  const char* stopBits;
};

TEST_F(MeterSimTest, LogShowsEachNewLineSetting) {
  const std::string log = dir.file("log");
  ASSERT_NO_FATAL_FAILURE(start({"--log", log}));
  const LineCase cases[] = {
      {B1200, CS7 | CSTOPB, "1200", "7", "none", "2"},
      {B9600, CS8 | PARENB, "9600", "8", "even", "1"},
      {B19200, CS8 | PARENB | PARODD | CSTOPB, "19200", "8", "odd", "2"},
  };
  std::vector<std::string> expected;
  for (const LineCase& c : cases) {
    termios line = port->settings();
    line.c_cflag = (line.c_cflag & ~(CSIZE | PARENB | PARODD | CSTOPB)) | c.characterFormat;
    cfsetispeed(&line, c.speed);
    cfsetospeed(&line, c.speed);
    port->apply(line);
    EXPECT_EQ(poll(14), "DC  1.234 V  \r");

    // Linux keeps every pseudo-terminal at 8 data bits without parity; the log can only show
    // what the terminal holds.
    const termios held = port->settings();
    const bool formatKept =
        (held.c_cflag & (CSIZE | PARENB)) == (c.characterFormat & (CSIZE | PARENB));
    expected.push_back(std::string("line ") + c.baud + " baud, " + (formatKept ? c.dataBits : "8") +
                       " data bits, parity " + (formatKept ? c.parity : "none") + ", " +
                       c.stopBits + " stop bits");
  }

  const std::vector<std::string> lines = splitLines(readTextFile(log));
  std::size_t searchFrom = 0;
  for (const std::string& setting : expected) {
    SCOPED_TRACE(setting);
    auto found = std::find_if(lines.begin() + static_cast<long>(searchFrom), lines.end(),
                              [&setting](const std::string& line) {
                                return line.size() > 24 && line.substr(24) == setting;
                              });
    ASSERT_NE(found, lines.end()) << readTextFile(log);
    // The setting is logged before the poll sent with it.
    ASSERT_NE(found + 1, lines.end());
    EXPECT_EQ(found[1].substr(24), "rx 0x44 'D'");
    searchFrom = static_cast<std::size_t>(found - lines.begin()) + 1;
  }
}

// User plus system time of a process in clock ticks, from /proc.
long cpuTicks(pid_t pid) {
  const std::string stat = readTextFile("/proc/" + std::to_string(pid) + "/stat");
  std::istringstream fields(stat.substr(stat.rfind(')') + 2));
  std::string field;
  long ticks = 0;
  for (int index = 3; fields >> field && index <= 15; ++index) {
    if (index == 14 || index == 15) ticks += std::stol(field);
  }
  return ticks;
}

TEST_F(MeterSimTest, IdlesWithoutUsingTheProcessor) {
  ASSERT_NO_FATAL_FAILURE(start({"--log", dir.file("log"), "--delay", "100"}));
  EXPECT_EQ(poll(14), "DC  1.234 V  \r");
  port.reset();  // a client that went away must not make the loop spin either
  const long before = cpuTicks(sim->pid());
  std::this_thread::sleep_for(400ms);  // the measuring window, not a wait for an event
  const long used = cpuTicks(sim->pid()) - before;
  EXPECT_LT(used, sysconf(_SC_CLK_TCK) / 10) << "ticks used in 400 ms: " << used;
}

}  // namespace
}  // namespace kelvor::metersim::test
