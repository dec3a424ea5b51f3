// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/calc/ChannelCalculator.h"
#include "core/InvalidValue.h"

#include <algorithm>
#include <cmath>

namespace kelvor {

namespace {

// The calculated channels (from 0) in an order where each one's sources come first; the
// first channel that cannot be placed is reported in `problem`.
std::vector<int> evaluationOrder(const std::vector<ChannelPlan>& plan, PlanProblem& problem) {
  const int count = static_cast<int>(plan.size());
  std::vector<bool> ready(plan.size());
  for (int i = 0; i < count; ++i) {
    ready[i] = plan[i].bound && !plan[i].calculation;
    if (!plan[i].calculation || problem.channel != 0) continue;
    for (const int source : plan[i].calculation->sources())
      if (source < 1 || source > count || !plan[source - 1].bound) problem = {i + 1, source};
  }
  std::vector<int> order;
  for (bool placed = true; placed;) {
    placed = false;
    for (int i = 0; i < count; ++i) {
      if (ready[i] || !plan[i].calculation) continue;
      const auto sources = plan[i].calculation->sources();
      if (std::all_of(sources.begin(), sources.end(),
                      [&](int s) { return s >= 1 && s <= count && ready[s - 1]; })) {
        ready[i] = placed = true;
        order.push_back(i);
      }
    }
  }
  for (int i = 0; i < count && problem.channel == 0; ++i)
    if (plan[i].calculation && !ready[i]) problem = {i + 1, 0};
  return order;
}

}  // namespace

PlanProblem checkPlan(const std::vector<ChannelPlan>& plan) {
  PlanProblem problem;
  evaluationOrder(plan, problem);
  return problem;
}

Message planMessage(const PlanProblem& problem, const std::vector<ChannelPlan>& plan) {
  const std::string text = plan.at(problem.channel - 1).calculation->text();
  if (problem.source == 0) return Message(MessageId::CalculationCircular, {text});
  return Message(MessageId::CalculationNoSource, {text, std::to_string(problem.source)});
}

ChannelCalculator::ChannelCalculator(const std::vector<ChannelPlan>& plan) {
  PlanProblem ignored;
  for (const int i : evaluationOrder(plan, ignored))
    ordered_.push_back({i, CalculatedChannel(*plan[i].calculation)});
}

void ChannelCalculator::onTick(std::int64_t tickMs, TickReadings& readings) {
  const auto reading = [&readings](int channel) -> std::optional<ChannelReading> {
    if (channel < 1 || channel > static_cast<int>(readings.size())) return std::nullopt;
    return readings[channel - 1];
  };
  for (Entry& entry : ordered_) {
    const Calculation& calc = entry.channel.calculation();
    if (entry.index >= static_cast<int>(readings.size())) continue;
    readings[entry.index] = entry.channel.onTick(tickMs, reading(calc.first), reading(calc.second));
  }
}

void ChannelCalculator::reset() {
  for (Entry& entry : ordered_) entry.channel.reset();
}

JournalRow journalRowOf(const Calculation& calculation, const ChannelReading& reading,
                        int channel) {
  JournalRow row;
  row.channel = channel;
  const auto value = static_cast<float>(reading.value);
  const bool usable = std::isfinite(value);  // a float holds less than the double worked out
  row.value = usable ? value : InvalidValue;
  row.unit = reading.unit;
  row.mode = calculation.text();
  // Beyond any number (x/0) as a meter's overload; no number at all (0/0) as garbage.
  row.status = usable                      ? ReadingStatus::Ok
               : std::isnan(reading.value) ? ReadingStatus::Invalid
                                           : ReadingStatus::Overload;
  return row;
}

}  // namespace kelvor
