#include "core/text/LeadingNumber.h"
#include "core/text/NumberFormat.h"

#include <gtest/gtest.h>

#include <clocale>
#include <optional>
#include <string>
#include <vector>

namespace kelvor {
namespace {

// Switches the C library to a locale with a decimal comma for the lifetime of the object,
// as the program does when it starts with setlocale(LC_ALL, "") on a German desktop.
class CommaLocale {
 public:
  CommaLocale() : previous_(std::setlocale(LC_ALL, nullptr)) {
    for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "de_DE", "fr_FR.UTF-8", "fr_FR.utf8",
                             "nl_NL.UTF-8", "ru_RU.UTF-8"}) {
      if (std::setlocale(LC_ALL, name) != nullptr &&
          std::localeconv()->decimal_point == std::string(",")) {
        active_ = true;
        return;
      }
    }
    std::setlocale(LC_ALL, previous_.c_str());
  }
  ~CommaLocale() { std::setlocale(LC_ALL, previous_.c_str()); }
  CommaLocale(const CommaLocale&) = delete;
  CommaLocale& operator=(const CommaLocale&) = delete;

  bool active() const { return active_; }

 private:
  std::string previous_;
  bool active_ = false;
};

TEST(TextUnderCommaLocale, ReadingAndFormattingIgnoreTheCLocale) {
  const CommaLocale locale;
  if (!locale.active()) GTEST_SKIP() << "no locale with a decimal comma is installed";

  struct ReadCase {
    std::string text;
    std::optional<double> expected;
  };
  const std::vector<ReadCase> reads = {
      {"1.5", 1.5}, {"1,5", 1.0}, {"-2.25e1", -22.5}, {"1e400", std::nullopt}};
  for (const ReadCase& c : reads) {
    SCOPED_TRACE("readLeadingNumber \"" + c.text + "\"");
    EXPECT_EQ(readLeadingNumber(c.text), c.expected);
  }
  EXPECT_EQ(xVal("0,8 V"), 0.8);
  EXPECT_TRUE(looksNumeric("1.5", '.'));

  struct FormatCase {
    std::string actual;
    std::string expected;
  };
  const std::vector<FormatCase> formats = {
      {formatPattern(1.5, "#0.000", '.'), "1.500"},
      {formatPattern(0.125, "0.00", '.'), "0.13"},
      {formatGeneral(1.5, 7, '.'), "1.5"},
      {formatGeneral(12345678.0, 7, '.'), "1.234568E+07"},
  };
  for (const FormatCase& c : formats) {
    SCOPED_TRACE("expected " + c.expected);
    EXPECT_EQ(c.actual, c.expected);
  }
}

}  // namespace
}  // namespace kelvor
