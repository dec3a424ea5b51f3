#include "core/files/TraceFileMessages.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kelvor {
namespace {

bool contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

TEST(TraceFileMessages, NameTheFileTheLineAndTheCauseInTheInterfaceLanguage) {
  using Kind = TraceFileProblem::Kind;
  struct Case {
    int langCode;
    Kind kind;
    std::string separator;
    std::vector<std::string> parts;
  };
  const std::vector<Case> cases = {
      {0, Kind::EmptyFile, ";", {"Zeile 1: ", "leer", "nicht geladen"}},
      {1, Kind::EmptyFile, ";", {"Line 1: ", "empty", "not loaded"}},
      {0, Kind::MissingSeparator, " || ", {"Zeile 7: ", "\" || \"", "fehlt"}},
      {2, Kind::MissingSeparator, ";", {"Line 7: ", "\";\"", "missing"}},
      {0, Kind::NotANumber, ";", {"Zeile 7: ", "\"a,b\" ist keine Zahl"}},
      {1, Kind::NotANumber, ";", {"Line 7: ", "\"a,b\" is not a number"}},
      {0, Kind::OutOfRange, ";", {"Zeile 7: ", "\"a,b\" liegt außerhalb"}},
      {2, Kind::OutOfRange, ";", {"Line 7: ", "\"a,b\" is out of range"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("language " + std::to_string(c.langCode) + ", kind " +
                 std::to_string(static_cast<int>(c.kind)));
    TraceFileProblem problem;
    problem.kind = c.kind;
    problem.line = c.kind == Kind::EmptyFile ? 1 : 7;
    problem.field = "a,b";
    const std::string text =
        TraceFileMessages::notLoaded(c.langCode, "/data/run 1.kvr", c.separator, problem);
    EXPECT_TRUE(contains(text, "/data/run 1.kvr")) << text;
    for (const std::string& part : c.parts) EXPECT_TRUE(contains(text, part)) << text;
  }
}

TEST(TraceFileMessages, FailuresCarryTheSystemsReason) {
  struct Case {
    int langCode;
    std::string text;
    std::string word;
  };
  const std::vector<Case> cases = {
      {0, TraceFileMessages::saveFailed(0, "/x/a.kvr", "Not a directory"), "gespeichert"},
      {1, TraceFileMessages::saveFailed(1, "/x/a.kvr", "Not a directory"), "saved"},
      {0, TraceFileMessages::openFailed(0, "/x/a.kvr", "Not a directory"), "geöffnet"},
      {2, TraceFileMessages::openFailed(2, "/x/a.kvr", "Not a directory"), "opened"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_TRUE(contains(c.text, "/x/a.kvr"));
    EXPECT_TRUE(contains(c.text, "Not a directory"));
    EXPECT_TRUE(contains(c.text, c.word));
  }
}

TEST(TraceFileMessages, LeftOutLinesAreCounted) {
  for (const int lang : {0, 1, 2}) {
    SCOPED_TRACE(lang);
    const std::string text = TraceFileMessages::linesLeftOut(lang, "/x/big.kvr", 16000, 37);
    EXPECT_TRUE(contains(text, "/x/big.kvr"));
    EXPECT_TRUE(contains(text, "16000"));
    EXPECT_TRUE(contains(text, "37"));
    EXPECT_TRUE(contains(text, lang == 0 ? "ausgelassen" : "left out")) << text;
  }
}

}  // namespace
}  // namespace kelvor
