// Answers taken from a script file, one line per poll.

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "MeterSimHarness.h"

namespace kelvor::metersim::test {
namespace {

using namespace std::chrono_literals;

struct ScriptedPoll {
  enum class Expect { Exact, Nothing, RandomBytes };
  const char* line;  // what the script says for this poll
  Expect expect;
  std::string bytes;           // Exact: the answer; RandomBytes: only its length counts
  milliseconds earliest{0};    // the answer must not come sooner
  std::size_t firstPiece = 0;  // the answer comes in two pieces, split after this many bytes
};

using Expect = ScriptedPoll::Expect;

// In order; the last line also answers the poll after it.
const std::vector<ScriptedPoll> kScript = {
    {"DC  1.000 V", Expect::Exact, "DC  1.000 V  \r"},
    {"silent", Expect::Nothing, ""},
    {"raw \\x41B\\r\\n\\\\", Expect::Exact, "AB\r\n\\"},
    {"overload  O.L", Expect::Exact, "DC  O.L   V  \r"},
    {"overload", Expect::Exact, "DC   OL   V  \r"},
    {"garbage", Expect::RandomBytes, std::string(14, '?')},
    {"late 200 AC  2.000 V  ", Expect::Exact, "AC  2.000 V  \r", 200ms},
    {"split 3:150 OH  3.000kOhm", Expect::Exact, "OH  3.000kOhm\r", 0ms, 3},
    {"TE  4.000 C  ", Expect::Exact, "TE  4.000 C  \r"},
};

void checkPoll(ClientPort& port, const ScriptedPoll& step) {
  SCOPED_TRACE(step.line);
  const Clock::time_point sentAt = Clock::now();
  port.send("D");
  switch (step.expect) {
    case Expect::Nothing:
      EXPECT_EQ(port.readFor(300ms), "");
      return;
    case Expect::RandomBytes: {
      const std::string answer = port.read(step.bytes.size());
      EXPECT_EQ(answer.size(), step.bytes.size());
      EXPECT_EQ(answer.find('\r'), std::string::npos);
      return;
    }
    case Expect::Exact:
      break;
  }
  std::string answer;
  if (step.firstPiece > 0) {
    answer = port.read(step.firstPiece);
    EXPECT_EQ(port.readFor(80ms), "") << "the second piece came without a pause";
  }
  answer += port.read(step.bytes.size() - answer.size());
  EXPECT_EQ(answer, step.bytes);
  EXPECT_GE(Clock::now() - sentAt, step.earliest);
}

TEST_F(MeterSimTest, ScriptAnswersLineByLineAndRepeatsTheLast) {
  std::string script = "# comments and blank lines do not count\n\n";
  for (const ScriptedPoll& step : kScript) script += std::string(step.line) + "\n";
  writeTextFile(dir.file("script"), script);
  ASSERT_NO_FATAL_FAILURE(start({"--script", dir.file("script")}));

  for (const ScriptedPoll& step : kScript) checkPoll(*port, step);
  checkPoll(*port, kScript.back());
}

struct CycleCase {
  const char* name;
  std::vector<std::string> extraArguments;
  std::vector<std::string> answers;
};

void PrintTo(const CycleCase& c, std::ostream* out) {
  *out << c.name;
}

class ScriptEnd : public MeterSimTest, public ::testing::WithParamInterface<CycleCase> {};

TEST_P(ScriptEnd, AfterTheLastLine) {
  writeTextFile(dir.file("script"), "DC  1.000 V\r\nDC  2.000 V\r\n");
  std::vector<std::string> arguments = {"--script", dir.file("script")};
  arguments.insert(arguments.end(), GetParam().extraArguments.begin(),
                   GetParam().extraArguments.end());
  ASSERT_NO_FATAL_FAILURE(start(arguments));
  for (const std::string& expected : GetParam().answers) {
    EXPECT_EQ(poll(expected.size()), expected);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Scripts, ScriptEnd,
    ::testing::Values(
        CycleCase{"RepeatsLast", {}, {"DC  1.000 V  \r", "DC  2.000 V  \r", "DC  2.000 V  \r"}},
        CycleCase{"Cycles", {"--cycle"}, {"DC  1.000 V  \r", "DC  2.000 V  \r", "DC  1.000 V  \r"}},
        CycleCase{"NoCarriageReturn", {"--no-cr"}, {"DC  1.000 V   "}},
        CycleCase{"FourDisplaysStartWithTheScriptedOne",
                  {"--meter", "four", "--only-first-frame"},
                  {"DC  1.000 V  \r", "DC  2.000 V  \r"}}),
    CaseName());

TEST_F(MeterSimTest, ScriptLineIsTheFirstOfFourFrames) {
  writeTextFile(dir.file("script"), "AC  5.000 V\n");
  ASSERT_NO_FATAL_FAILURE(start({"--script", dir.file("script"), "--meter", "four"}));
  const std::string answer = poll(56);
  ASSERT_EQ(answer.size(), 56u);
  EXPECT_EQ(answer.substr(0, 14), "AC  5.000 V  \r");
  for (std::size_t end = 13; end < 56; end += 14) EXPECT_EQ(answer[end], '\r') << end;
}

}  // namespace
}  // namespace kelvor::metersim::test
