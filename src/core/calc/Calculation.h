// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/text/Message.h"

namespace kelvor {

enum class CalcOperation { Product, Quotient, Difference, Integral };

// A channel calculated from other channels, numbered from 1: "W=1*2", "R=1/2", "dV=1-2", or
// "Ah=int(2)", the running integral of channel 2 over time in hours.
struct Calculation {
  std::string name;  // may be empty
  CalcOperation operation = CalcOperation::Product;
  int first = 0;
  int second = 0;  // 0 for the integral

  // As written by the program: "W=1*2", "int(2)".
  std::string text() const;
  // The channels it reads.
  std::vector<int> sources() const;
};

// A calculation as the user writes it, spaces allowed; or the message saying it is none.
struct ParsedCalculation {
  std::optional<Calculation> calculation;
  std::optional<Message> error;
};
ParsedCalculation parseCalculation(const std::string& text);

}  // namespace kelvor
