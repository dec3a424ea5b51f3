// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/calc/ChannelBindingCheck.h"

#include "core/calc/ChannelCalculator.h"

namespace kelvor {

bool samePort(const PortConfig& a, const PortConfig& b) {
  if (a.Address.empty() != b.Address.empty()) return false;
  return a.Address.empty() ? a.ComPort == b.ComPort : a.Address == b.Address;
}

namespace {
// The first channel (from 0) before `end`, `except` left aside, whose meter is on `port`'s
// device; -1: none.
int meterOnPort(const std::vector<ChannelBinding>& bindings, const PortConfig& port,
                std::size_t except, std::size_t end) {
  for (std::size_t j = 0; j < end && j < bindings.size(); ++j)
    if (j != except && bindings[j].source == ChannelBinding::Source::Meter &&
        samePort(bindings[j].port, port))
      return static_cast<int>(j);
  return -1;
}
}  // namespace

BindingProblem checkMeterPort(const std::vector<ChannelBinding>& bindings, int channel,
                              const PortConfig& port) {
  const int other = meterOnPort(bindings, port, static_cast<std::size_t>(channel), bindings.size());
  return other < 0 ? BindingProblem() : BindingProblem{channel + 1, std::nullopt, other + 1};
}

BindingProblem checkBindings(const std::vector<ChannelBinding>& bindings) {
  using Source = ChannelBinding::Source;
  std::vector<ChannelPlan> plan;
  for (std::size_t i = 0; i < bindings.size(); ++i) {
    const ChannelBinding& b = bindings[i];
    const int channel = static_cast<int>(i) + 1;
    if (b.source == Source::Calculation) {
      ParsedCalculation parsed = parseCalculation(b.calculation);
      if (!parsed.calculation) return {channel, parsed.error, 0};
      plan.push_back({true, parsed.calculation});
      continue;
    }
    plan.push_back({b.source == Source::Meter, std::nullopt});
    if (b.source != Source::Meter) continue;
    if (const int other = meterOnPort(bindings, b.port, i, i); other >= 0)
      return {channel, std::nullopt, other + 1};
  }
  if (const PlanProblem problem = checkPlan(plan); problem.channel != 0)
    return {problem.channel, planMessage(problem, plan), 0};
  return {};
}

std::vector<BindingProblem> leaveOutRefused(std::vector<ChannelBinding>& bindings) {
  std::vector<BindingProblem> refused;
  for (BindingProblem problem; (problem = checkBindings(bindings)).channel != 0;) {
    bindings[static_cast<std::size_t>(problem.channel - 1)] = ChannelBinding();
    refused.push_back(problem);
  }
  return refused;
}

}  // namespace kelvor
