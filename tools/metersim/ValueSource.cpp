// SPDX-License-Identifier: GPL-3.0-or-later
#include "ValueSource.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <random>
#include <vector>

namespace kelvor::metersim {

namespace {

constexpr double kPi = 3.14159265358979323846;

class ConstSource : public ValueSource {
 public:
  explicit ConstSource(std::vector<double> values) : values_(std::move(values)) {}
  double next(double) override {
    const double value = values_[index_];
    index_ = (index_ + 1) % values_.size();
    return value;
  }

 private:
  std::vector<double> values_;
  std::size_t index_ = 0;
};

class RampSource : public ValueSource {
 public:
  RampSource(double start, double step) : start_(start), step_(step) {}
  // Multiplying instead of summing keeps long runs free of accumulated rounding.
  double next(double) override { return start_ + step_ * static_cast<double>(count_++); }

 private:
  double start_;
  double step_;
  unsigned long long count_ = 0;
};

class SineSource : public ValueSource {
 public:
  SineSource(double offset, double amplitude, double period)
      : offset_(offset), amplitude_(amplitude), period_(period) {}
  double next(double elapsedSeconds) override {
    return offset_ + amplitude_ * std::sin(2.0 * kPi * elapsedSeconds / period_);
  }

 private:
  double offset_;
  double amplitude_;
  double period_;
};

class NoiseSource : public ValueSource {
 public:
  NoiseSource(double mean, double sigma, std::mt19937::result_type seed)
      : mean_(mean), sigma_(sigma), generator_(seed) {}
  // Scaling a standard normal draw also allows sigma 0, which the distribution itself does not.
  double next(double) override { return mean_ + sigma_ * standard_(generator_); }

 private:
  double mean_;
  double sigma_;
  std::mt19937 generator_;
  std::normal_distribution<double> standard_;
};

bool parseNumbers(const std::string& text, std::vector<double>* numbers) {
  std::size_t begin = 0;
  while (true) {
    const std::size_t comma = text.find(',', begin);
    const std::string item = text.substr(begin, comma == std::string::npos ? comma : comma - begin);
    if (item.empty()) return false;
    char* end = nullptr;
    const double value = std::strtod(item.c_str(), &end);
    if (end != item.c_str() + item.size() || !std::isfinite(value)) return false;
    numbers->push_back(value);
    if (comma == std::string::npos) return true;
    begin = comma + 1;
  }
}

bool parseSeed(const std::string& text, std::mt19937::result_type* seed) {
  if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos) return false;
  errno = 0;
  const unsigned long long value = std::strtoull(text.c_str(), nullptr, 10);
  if (errno == ERANGE || value > 0xffffffffULL) return false;
  *seed = static_cast<std::mt19937::result_type>(value);
  return true;
}

}  // namespace

std::unique_ptr<ValueSource> makeValueSource(const std::string& text, std::string* error) {
  const std::size_t colon = text.find(':');
  const std::string kind = text.substr(0, colon);
  const std::string arguments = colon == std::string::npos ? std::string() : text.substr(colon + 1);
  std::vector<double> numbers;

  if (kind == "const") {
    if (parseNumbers(arguments, &numbers)) return std::make_unique<ConstSource>(numbers);
    *error = "const needs one or more numbers: const:V1[,V2,...]";
  } else if (kind == "ramp") {
    if (parseNumbers(arguments, &numbers) && numbers.size() == 2) {
      return std::make_unique<RampSource>(numbers[0], numbers[1]);
    }
    *error = "ramp needs two numbers: ramp:START,STEP";
  } else if (kind == "sine") {
    if (parseNumbers(arguments, &numbers) && numbers.size() == 3 && numbers[2] > 0) {
      return std::make_unique<SineSource>(numbers[0], numbers[1], numbers[2]);
    }
    *error = "sine needs three numbers and a positive period: sine:OFFSET,AMPLITUDE,PERIOD_SECONDS";
  } else if (kind == "noise") {
    // The seed is an integer, so split it off before reading the numbers.
    std::string values = arguments;
    std::mt19937::result_type seed = std::random_device{}();
    bool seedOk = true;
    const std::size_t firstComma = arguments.find(',');
    const std::size_t secondComma =
        firstComma == std::string::npos ? firstComma : arguments.find(',', firstComma + 1);
    if (secondComma != std::string::npos) {
      values = arguments.substr(0, secondComma);
      seedOk = parseSeed(arguments.substr(secondComma + 1), &seed);
    }
    if (seedOk && parseNumbers(values, &numbers) && numbers.size() == 2 && numbers[1] >= 0) {
      return std::make_unique<NoiseSource>(numbers[0], numbers[1], seed);
    }
    *error =
        "noise needs a mean, a sigma of 0 or more and an optional integer seed: "
        "noise:MEAN,SIGMA[,SEED]";
  } else {
    *error = "unknown value source \"" + kind + "\" (const, ramp, sine or noise)";
  }
  return nullptr;
}

}  // namespace kelvor::metersim
