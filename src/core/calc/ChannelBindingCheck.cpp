// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/calc/ChannelBindingCheck.h"

#include "core/calc/ChannelCalculator.h"

namespace kelvor {

bool samePort(const PortConfig& a, const PortConfig& b) {
  if (a.Address.empty() != b.Address.empty()) return false;
  return a.Address.empty() ? a.ComPort == b.ComPort : a.Address == b.Address;
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
    for (std::size_t j = 0; j < i && b.source == Source::Meter; ++j)
      if (bindings[j].source == Source::Meter && samePort(bindings[j].port, b.port))
        return {channel, std::nullopt, static_cast<int>(j) + 1};
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
