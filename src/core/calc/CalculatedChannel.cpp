// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/calc/CalculatedChannel.h"

#include <cmath>

#include "core/text/SiUnit.h"

namespace kelvor {

namespace {

constexpr double MsPerHour = 3600.0 * 1000.0;

}  // namespace

std::optional<ChannelReading> CalculatedChannel::onTick(
    std::int64_t tickMs, const std::optional<ChannelReading>& first,
    const std::optional<ChannelReading>& second) {
  const bool integral = calculation_.operation == CalcOperation::Integral;
  if (!first || !std::isfinite(first->value)) {
    previous_.reset();
    return std::nullopt;
  }
  if (integral) return integrate(tickMs, *first);
  if (!second || !std::isfinite(second->value)) return std::nullopt;
  const SiUnit a = splitUnit(first->unit);
  const SiUnit b = splitUnit(second->unit);
  const double x = first->value * a.factor;
  const double y = second->value * b.factor;
  ChannelReading result;
  switch (calculation_.operation) {
    case CalcOperation::Product:
      result = {x * y, productUnit(a.base, b.base)};
      break;
    case CalcOperation::Quotient:
      result = {x / y, quotientUnit(a.base, b.base)};
      break;
    default:
      result = {x - y, differenceUnit(a.base, b.base)};
      break;
  }
  return result;
}

std::optional<ChannelReading> CalculatedChannel::integrate(std::int64_t tickMs,
                                                           const ChannelReading& reading) {
  const SiUnit unit = splitUnit(reading.unit);
  if (integratedUnit_ && unit.base != *integratedUnit_) {
    previous_.reset();
    return std::nullopt;
  }
  integratedUnit_ = unit.base;
  const double value = reading.value * unit.factor;
  if (previous_ && tickMs > previous_->ms)
    sumUnitMs_ += (previous_->value + value) / 2.0 * static_cast<double>(tickMs - previous_->ms);
  previous_ = Point{tickMs, value};
  return ChannelReading{sumUnitMs_ / MsPerHour, integralUnit(unit.base)};
}

void CalculatedChannel::reset() {
  previous_.reset();
  integratedUnit_.reset();
  sumUnitMs_ = 0.0;
}

}  // namespace kelvor
