// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <tuple>
#include <vector>

#include "core/InvalidValue.h"
#include "core/calc/CalculatedChannel.h"
#include "core/calc/Calculation.h"
#include "core/calc/ChannelBindingCheck.h"
#include "core/calc/ChannelCalculator.h"
#include "core/calc/ChannelValueText.h"
#include "core/text/SiUnit.h"

namespace kelvor {
namespace {

using Reading = std::optional<ChannelReading>;

Calculation calc(const std::string& text) {
  return *parseCalculation(text).calculation;
}

TEST(Calculation, ParsesWhatTheUserWritesOrNamesTheTextThatIsNone) {
  const auto parses = [](const std::string& text, const std::string& written) {
    const ParsedCalculation parsed = parseCalculation(text);
    EXPECT_EQ(parsed.calculation ? parsed.calculation->text() : "", written) << text;
    EXPECT_TRUE(parsed.calculation ||
                (parsed.error && parsed.error->id == MessageId::NotACalculation &&
                 parsed.error->args == std::vector<std::string>{text}))
        << text;
  };
  for (const char* text : {"W=1*2", "R=1/2", "dU=3-4", "Ah=int(2)", "12*3"}) parses(text, text);
  parses(" P = 1 *\t2 ", "P=1*2");
  parses("int( 2 )", "int(2)");
  for (const char* text :
       {"W=1*", "W=*2", "W=1+2", "W=1*2*3", "W=1*-2", "=1*2", "W=int(1", "W=int()", "W=int(1,2)",
        "W=a*b", "W=123*1", "W=0*1", "Ein sehr langer Name=1*2", ""})
    parses(text, "");
}

TEST(CalculatedChannel, WorksInUnitsWithoutPrefixAndNamesTheResultsUnit) {
  using Row = std::tuple<std::string, ChannelReading, ChannelReading, double, std::string>;
  for (const auto& [text, a, b, value, unit] :
       {Row{"1*2", {2, "V"}, {500, "mA"}, 1, "W"}, Row{"1*2", {2, "uA"}, {3, "OHM"}, 6e-6, "V"},
        Row{"1*2", {2, "V"}, {25, "°C"}, 50, "V·°C"}, Row{"1/2", {12, "V"}, {3, "A"}, 4, "Ω"},
        Row{"1/2", {5, "V"}, {2, "kOhm"}, 0.0025, "A"}, Row{"1/2", {3, "W"}, {1.5, "V"}, 2, "A"},
        Row{"1/2", {3, "W"}, {2, "A"}, 1.5, "V"}, Row{"1/2", {1, "MOHM"}, {1, "KOHM"}, 1000, ""},
        Row{"1/2", {1, "Hz"}, {2, "µV"}, 5e5, "Hz/V"}, Row{"1-2", {1.5, "V"}, {500, "mV"}, 1, "V"},
        Row{"1-2", {1, "V"}, {1, "A"}, 0, "V-A"}}) {
    CalculatedChannel channel(calc(text));
    const Reading result = channel.onTick(0, a, b);
    ASSERT_TRUE(result) << text << a.unit;
    EXPECT_NEAR(result->value, value, std::fabs(value) * 1e-12) << text << a.unit;
    EXPECT_EQ(result->unit, unit) << text << a.unit;
  }
  // No value without both sources; a division by zero is a row with a status and no value.
  CalculatedChannel quotient(calc("1/2"));
  EXPECT_FALSE(quotient.onTick(0, ChannelReading{1, "V"}, std::nullopt) ||
               quotient.onTick(0, std::nullopt, ChannelReading{1, "A"}));
  for (const auto& [x, status] :
       {std::pair(-1.0, ReadingStatus::Overload), std::pair(0.0, ReadingStatus::Invalid)}) {
    const JournalRow row = journalRowOf(
        calc("1/2"), quotient.onTick(0, ChannelReading{x, "V"}, ChannelReading{0, "A"}).value(), 3);
    EXPECT_EQ(std::tuple(row.value, row.unit, row.status), std::tuple(InvalidValue, "Ω", status));
  }
  EXPECT_EQ(productUnit("V·°C", "A"), "(V·°C)·A");
  EXPECT_EQ(integralUnit("°C"), "°C·h");
}

TEST(CalculatedChannel, ChargeOfASteadyRampMatchesTheExactIntegral) {
  // 100 mA rising by 1 mA a second, polled about once a second (a few ms early or late).
  CalculatedChannel charge(calc("Ah=int(1)"));
  Reading last;
  for (std::int64_t tick = 0; tick <= 60; ++tick) {
    const std::int64_t ms = tick * 1000 + (tick % 60 == 0 ? 0 : tick % 3 * 4 - 4);
    last = charge.onTick(ms, ChannelReading{100.0 + static_cast<double>(ms) / 1000.0, "mA"},
                         std::nullopt);
  }
  const double exact = (0.1 * 60.0 + 0.001 * 60.0 * 60.0 / 2.0) / 3600.0;
  ASSERT_TRUE(last && last->unit == "Ah");
  EXPECT_NEAR(last->value, exact, exact * 0.005);
}

TEST(CalculatedChannel, IntegralLeavesGapsOutAndStartsAgainWithTheRecording) {
  CalculatedChannel energy(calc("int(1)"));
  const Reading watt = ChannelReading{3600, "W"}, volt = ChannelReading{1, "V"};  // 1 Wh a second
  // A reading a second, none at 2 s and one in volts at 5 s; what it comes to ("-" no value).
  std::string seen;
  int second = 0;
  for (const Reading& source : {watt, watt, Reading(), watt, watt, volt, watt, watt}) {
    const Reading wh = energy.onTick(second++ * 1000, source, std::nullopt);
    seen += wh ? std::to_string(static_cast<int>(std::lround(wh->value))) + wh->unit + " " : "- ";
  }
  EXPECT_EQ(seen, "0Wh 1Wh - 1Wh 2Wh - 2Wh 3Wh ");
  energy.reset();
  EXPECT_EQ(energy.onTick(9000, ChannelReading{1, "A"}, std::nullopt)->value, 0.0);
  EXPECT_EQ(energy.onTick(10000, ChannelReading{3600, "A"}, std::nullopt)->unit, "Ah");
}

TEST(SiUnit, ShownValuesTakeThePrefixThatKeepsTheNumberBelowAThousand) {
  using Row = std::tuple<double, std::string, double, std::string>;
  for (const auto& [value, unit, shown, shownUnit] :
       {Row{0.0125, "Ah", 12.5, "mAh"}, Row{1000, "W", 1, "kW"}, Row{5e-7, "A", 500, "nA"},
        Row{0.001, "V", 1, "mV"}, Row{999.5, "Ω", 999.5, "Ω"}, Row{-2e10, "Wh", -20, "GWh"},
        Row{1e-15, "A", 0.001, "pA"}, Row{0, "W", 0, "W"}, Row{0.02, "V·°C", 0.02, "V·°C"}}) {
    const ShownValue s = withPrefix(value, unit);
    EXPECT_NEAR(s.value, shown, std::fabs(shown) * 1e-12) << value << unit;
    EXPECT_EQ(s.unit, shownUnit) << value << unit;
  }
}

TEST(ChannelCalculator, WorksOutEachChannelAfterItsSourcesAndChecksThePlan) {
  // Channel 3 integrates channel 4, which is worked out from the meters on 1 and 2.
  const std::vector<ChannelPlan> plan{
      {true, {}}, {true, {}}, {true, calc("Wh=int(4)")}, {true, calc("W=1*2")}, {}, {}};
  ChannelCalculator calculator(plan);
  TickReadings tick{ChannelReading{2, "V"}, ChannelReading{1800, "A"}, {}, {}, {}, {}};
  calculator.onTick(0, tick);
  calculator.onTick(1000, tick);
  ASSERT_TRUE(tick[2] && tick[3] && !tick[4]);
  EXPECT_EQ(std::tuple(tick[3]->value, tick[3]->unit, tick[2]->value, tick[2]->unit),
            std::tuple(3600.0, "W", 1.0, "Wh"));
  const JournalRow row = journalRowOf(*plan[2].calculation, *tick[2], 3);
  EXPECT_EQ(std::tuple(row.channel, row.value, row.unit, row.mode, row.status),
            std::tuple(3, 1.0f, "Wh", "Wh=int(4)", ReadingStatus::Ok));
  tick[1].reset();
  calculator.onTick(2000, tick);
  EXPECT_FALSE(tick[2] || tick[3]);
  calculator.reset();
  tick[1] = ChannelReading{1800, "A"};
  calculator.onTick(3000, tick);
  EXPECT_EQ(tick[2]->value, 0.0);

  // Plans that cannot be worked out: the calculation and the channel it misses (0: itself).
  for (const auto& [problemPlan, channel, source] :
       std::vector<std::tuple<std::vector<ChannelPlan>, int, int>>{
           {{{true, {}}, {true, calc("1*7")}}, 2, 7},
           {{{true, {}}, {}, {true, calc("int(2)")}}, 3, 2},
           {{{true, {}}, {true, calc("1*2")}}, 2, 0},
           {{{true, calc("int(2)")}, {true, calc("int(1)")}}, 1, 0},
           {plan, 0, 0}}) {
    const PlanProblem problem = checkPlan(problemPlan);
    EXPECT_EQ(std::pair(problem.channel, problem.source), std::pair(channel, source))
        << channel << source;
  }
  const std::vector<ChannelPlan> missing{{true, calc("P=1*2")}};
  const Message message = planMessage(checkPlan(missing), missing);
  EXPECT_TRUE(message.id == MessageId::CalculationNoSource &&
              message.args == std::vector<std::string>({"P=1*2", "2"}));
}

// Stored bindings are checked as the channel dialog checks them: what it would refuse is
// left out, one channel after the other, and each refusal is told. A port chosen for one
// channel alone is refused when another channel's meter is on that device; its own former
// one, a calculation and a network port of the same number are no other meter.
TEST(ChannelBindingCheck, LeavesOutWhatTheChannelDialogRefusesAndChecksAPortChosenAlone) {
  using Source = ChannelBinding::Source;
  const auto on = [](int port) { return ChannelBinding{Source::Meter, {port}, ""}; };
  const auto of = [](const char* text) { return ChannelBinding{Source::Calculation, {}, text}; };
  using Row = std::tuple<std::vector<ChannelBinding>, std::string, std::vector<int>>;
  for (auto [bindings, kept, refused] :
       {Row{{on(1), on(2), of("W=1/2")}, "MMC", {}},
        Row{{on(1), on(1), of("W=1/2")}, "M--", {2, 3}}, Row{{on(1), of("W=2*1")}, "M-", {2}},
        Row{{of("int(2)"), of("int(1)"), on(1)}, "--M", {1, 2}},
        Row{{on(1), of("W=1x2")}, "M-", {2}}}) {
    std::vector<int> told;
    for (const BindingProblem& problem : leaveOutRefused(bindings)) told.push_back(problem.channel);
    std::string left;
    for (const ChannelBinding& binding : bindings) left += "-MC"[static_cast<int>(binding.source)];
    EXPECT_EQ(std::pair(left, told), std::pair(kept, refused));
  }

  const PortConfig bench{4, 1200, MeterKind::OneFrame, "", "tcp://bench:4001"};
  const std::vector<ChannelBinding> bound{of("W=1x2"), on(1), on(3), {Source::Meter, bench, ""}};
  using PortRow = std::tuple<int, PortConfig, int, int>;  // channel, port; refused channel, other
  for (const auto& [channel, port, refusedChannel, other] :
       {PortRow{1, {1}, 0, 0}, PortRow{1, {3}, 2, 3}, PortRow{0, {3}, 1, 3}, PortRow{2, {4}, 0, 0},
        PortRow{2, bench, 3, 4}, PortRow{3, {1}, 4, 2},
        PortRow{1, {3, 1200, MeterKind::OneFrame, "", "tcp://bench:3"}, 0, 0}}) {
    const BindingProblem problem = checkMeterPort(bound, channel, port);
    EXPECT_EQ(std::tuple(problem.channel, problem.sameMeterAs, problem.calculation.has_value()),
              std::tuple(refusedChannel, other, false))
        << channel << " " << port.ComPort << port.Address;
  }
}

// Four significant digits kept to the end, the prefix chosen after rounding, either separator.
TEST(ChannelValueText, FourDigitsWithThePrefixThatFits) {
  using Row = std::tuple<double, const char*, char, std::string>;
  for (const auto& [value, unit, separator, text] :
       {Row{0.0125, "Ah", ',', "12,50 mAh"}, Row{1500, "mW", '.', "1.500 W"},
        Row{999.96, "mV", ',', "1,000 V"}, Row{-0.75, "V", ',', "-750,0 mV"},
        Row{230.14, "V", ',', "230,1 V"}, Row{12.345, "kOhm", ',', "12,35 kΩ"},
        Row{0, "A", ',', "0,000 A"}, Row{21.5, "°C", ',', "21,50 °C"},
        Row{123456, "V·°C", ',', "123456 V·°C"}, Row{0.00001234, "", ',', "1,234E-05"},
        Row{std::nan(""), "W", ',', "–"}})
    EXPECT_EQ(channelValueText(ChannelReading{value, unit}, separator), text);
  EXPECT_EQ(channelValueText(std::nullopt, ','), "–");
}

}  // namespace
}  // namespace kelvor
