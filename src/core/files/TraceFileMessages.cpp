// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/files/TraceFileMessages.h"

namespace kelvor {

namespace {

Message problemMessage(const std::string& separator, const TraceFileProblem& problem) {
  using Kind = TraceFileProblem::Kind;
  switch (problem.kind) {
    case Kind::EmptyFile:
      break;
    case Kind::MissingSeparator:
      return Message(MessageId::NoSeparator, {separator});
    case Kind::NotANumber:
      return Message(MessageId::NotANumber, {problem.field});
    case Kind::OutOfRange:
      return Message(MessageId::OutOfRange, {problem.field});
  }
  return Message(MessageId::EmptyFile);
}

}  // namespace

Message TraceFileMessages::tooLarge(const std::string& fileName, long long maxBytes) {
  return Message(MessageId::TooLarge, {fileName, std::to_string(maxBytes / (1024 * 1024))});
}

Message TraceFileMessages::notLoaded(const std::string& fileName, const std::string& separator,
                                     const TraceFileProblem& problem) {
  return Message(MessageId::NotLoaded, {fileName, std::to_string(problem.line)},
                 {problemMessage(separator, problem)});
}

Message TraceFileMessages::linesLeftOut(const std::string& fileName, int loaded, int leftOut) {
  return Message(MessageId::LinesLeftOut,
                 {fileName, std::to_string(loaded), std::to_string(leftOut)});
}

Message TraceFileMessages::journalNotLoaded(const std::string& fileName,
                                            const ParsedJournal& journal) {
  return Message(MessageId::NotLoaded, {fileName, std::to_string(journal.badLine)},
                 {Message(MessageId::NotAJournalRow)});
}

Message TraceFileMessages::journalRowsLeftOut(const std::string& fileName,
                                              const ParsedJournal& journal) {
  std::string lines;
  for (const int line : journal.leftOutLines)
    lines += (lines.empty() ? "" : ", ") + std::to_string(line);
  if (journal.leftOut > static_cast<int>(journal.leftOutLines.size())) lines += ", \u2026";
  return Message(MessageId::JournalRowsLeftOut, {fileName, std::to_string(journal.leftOut), lines});
}

}  // namespace kelvor
