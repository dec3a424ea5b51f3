// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/files/TraceFile.h"

#include <algorithm>
#include <cfloat>
#include <cmath>

#include "core/recording/ValueLists.h"
#include "core/text/LeadingNumber.h"
#include "core/text/NumberFormat.h"

namespace kelvor {

namespace {

constexpr int SignificantDigits = 7;  // what a single float carries
constexpr std::size_t ShownFieldLength = 40;
constexpr std::string_view Bom = "\xEF\xBB\xBF";

bool isBlank(char c) {
  return c == ' ' || c == '\t';
}
bool isDigit(char c) {
  return c >= '0' && c <= '9';
}

std::string_view trimmed(std::string_view text) {
  while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
  return text;
}

bool sameLetters(std::string_view text, std::string_view upper) {
  if (text.size() != upper.size()) return false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c =
        text[i] >= 'a' && text[i] <= 'z' ? static_cast<char>(text[i] - 'a' + 'A') : text[i];
    if (c != upper[i]) return false;
  }
  return true;
}

// The lines of a file: text without its line end, and its number from 1.
class LineReader {
 public:
  explicit LineReader(std::string_view bytes) : rest_(bytes) {}

  bool next(std::string_view& line, int& number) {
    if (rest_.empty()) return false;
    const std::size_t end = rest_.find_first_of("\r\n");
    line = rest_.substr(0, end);
    number = ++number_;
    if (end == std::string_view::npos) {
      rest_ = {};
    } else {
      const bool crlf = rest_[end] == '\r' && end + 1 < rest_.size() && rest_[end + 1] == '\n';
      rest_.remove_prefix(end + (crlf ? 2 : 1));
    }
    return true;
  }

 private:
  std::string_view rest_;
  int number_ = 0;
};

bool isBlankLine(std::string_view line) {
  return trimmed(line).empty();
}

TraceFileProblem problemAt(TraceFileProblem::Kind kind, int line, std::string_view field = {}) {
  TraceFileProblem problem;
  problem.kind = kind;
  problem.line = line;
  problem.field = std::string(field.substr(0, ShownFieldLength));
  return problem;
}

}  // namespace

std::string writeTraceFile(const TraceStore& store, int channel, char decimalSeparator) {
  const int count = store.count(channel);
  std::string bytes;
  bytes.reserve(static_cast<std::size_t>(count) * 24 + 4);
  for (int slot = 1; slot <= count; ++slot) {
    bytes += formatGeneral(static_cast<double>(store.value(channel, slot)), SignificantDigits,
                           decimalSeparator);
    bytes += ';';
    bytes += formatGeneral(static_cast<double>(store.time(channel, slot)), SignificantDigits,
                           decimalSeparator);
    bytes += "\r\n";
  }
  bytes += "\r\n\r\n";
  return bytes;
}

std::optional<float> readTraceNumber(std::string_view field, char decimalSeparator,
                                     bool* outOfRange) {
  if (outOfRange) *outOfRange = false;
  const std::string_view text = trimmed(field);

  // A sample is finite: infinity is as far out of range as 1E+400, "NAN" is no number.
  if (sameLetters(text, "INF") || sameLetters(text, "+INF") || sameLetters(text, "-INF")) {
    if (outOfRange) *outOfRange = true;
    return std::nullopt;
  }

  // The whole text must be one number; it is rewritten with "." for the conversion.
  std::string canonical;
  std::size_t pos = 0;
  if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) canonical += text[pos++];
  int mantissaDigits = 0;
  bool point = false;
  for (; pos < text.size(); ++pos) {
    const char c = text[pos];
    if (isDigit(c)) {
      canonical += c;
      ++mantissaDigits;
    } else if (!point && (c == '.' || c == ',' || c == decimalSeparator)) {
      canonical += '.';
      point = true;
    } else {
      break;
    }
  }
  if (mantissaDigits == 0) return std::nullopt;
  if (pos < text.size() && (text[pos] == 'E' || text[pos] == 'e')) {
    canonical += 'E';
    ++pos;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) canonical += text[pos++];
    int exponentDigits = 0;
    for (; pos < text.size() && isDigit(text[pos]); ++pos, ++exponentDigits) canonical += text[pos];
    if (exponentDigits == 0) return std::nullopt;
  }
  if (pos != text.size()) return std::nullopt;

  const std::optional<double> number = readLeadingNumber(canonical);
  if (!number || std::fabs(*number) > static_cast<double>(FLT_MAX)) {
    if (outOfRange) *outOfRange = true;
    return std::nullopt;
  }
  return static_cast<float>(*number);
}

TraceFileParse readTraceFile(std::string_view bytes, char decimalSeparator) {
  TraceFileParse result;
  result.separator = ";";
  if (bytes.empty()) {
    result.problem = problemAt(TraceFileProblem::Kind::EmptyFile, 1);
    return result;
  }
  if (bytes.substr(0, Bom.size()) == Bom) bytes.remove_prefix(Bom.size());

  std::string_view line;
  int number = 0;
  LineReader lines(bytes);
  while (lines.next(line, number)) {
    if (isBlankLine(line)) continue;
    if (line.find(" || ") != std::string_view::npos) result.separator = " || ";
    break;
  }

  const std::string_view separator = result.separator;
  LineReader again(bytes);
  while (again.next(line, number)) {
    if (isBlankLine(line)) continue;
    const std::size_t at = line.find(separator);
    if (at == std::string_view::npos) {
      result.problem = problemAt(TraceFileProblem::Kind::MissingSeparator, number);
      result.samples.clear();
      return result;
    }
    TraceSample sample;
    for (const auto& [text, target] :
         {std::pair{line.substr(0, at), &sample.value},
          std::pair{line.substr(at + separator.size()), &sample.time}}) {
      bool tooLarge = false;
      const std::optional<float> read = readTraceNumber(text, decimalSeparator, &tooLarge);
      if (!read) {
        result.problem = problemAt(
            tooLarge ? TraceFileProblem::Kind::OutOfRange : TraceFileProblem::Kind::NotANumber,
            number, trimmed(text));
        result.samples.clear();
        return result;
      }
      *target = *read;
    }
    if (result.samples.size() < static_cast<std::size_t>(TraceStore::LastSlot)) {
      result.samples.push_back(sample);
    } else {
      ++result.linesLeftOut;
    }
  }
  return result;
}

void applyLoadedTrace(TraceStore& store, int channel, const std::vector<TraceSample>& samples) {
  const int count =
      static_cast<int>(std::min(samples.size(), static_cast<std::size_t>(TraceStore::LastSlot)));
  for (int slot = 1; slot <= count; ++slot) {
    const TraceSample& sample = samples[static_cast<std::size_t>(slot - 1)];
    store.setSample(channel, slot, sample.value, sample.time);
  }
  store.setUnit(channel, "");      // a trace file holds no unit
  store.setCount(channel, count);  // the count last: the samples are complete
}

bool loadEndsRecording(const RecordingState& state, int channel) {
  if (channel < 0 || channel >= TraceStore::Channels) return false;
  return state.active() &&
         ValueLists::ChannelColors[static_cast<std::size_t>(channel)] == state.activeColor();
}

}  // namespace kelvor
