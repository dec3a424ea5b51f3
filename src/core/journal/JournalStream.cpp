// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/journal/JournalStream.h"

#include <cstring>

namespace kelvor {

void JournalStream::feed(const char* data, std::size_t size) {
  anyText_ = anyText_ || size > 0;
  const char* const end = data + size;
  while (data < end) {
    const auto* lineEnd =
        static_cast<const char*>(std::memchr(data, '\n', static_cast<std::size_t>(end - data)));
    if (!lineEnd) {
      pending_.append(data, end);
      return;
    }
    anyLineEnd_ = true;
    pending_.append(data, lineEnd);
    readLine(pending_);
    pending_.clear();
    data = lineEnd + 1;
  }
}

void JournalStream::readLine(const std::string& content) {
  if (parsed_.badLine != 0) return;
  ++line_;
  JournalRow row;
  if (!readJournalLine(content, line_, style_, row)) {
    if (skipBadRows_ && line_ > 1) {
      ++parsed_.leftOut;
      if (parsed_.leftOutLines.size() < NamedLines) parsed_.leftOutLines.push_back(line_);
      return;
    }
    parsed_.rows.clear();
    parsed_.badLine = line_;
  } else if (line_ > 1) {
    anyRow_ = true;
    if (sink_)
      sink_(row);
    else
      parsed_.rows.push_back(std::move(row));
  }
}

ParsedJournal JournalStream::finish(bool unfinished) {
  // A torn end is left out, unless the journal has no line end at all.
  if (!pending_.empty() && (!unfinished || !anyLineEnd_)) readLine(pending_);
  pending_.clear();
  if (!anyText_) parsed_.badLine = 1;
  if (skipBadRows_ && parsed_.badLine == 0 && !anyRow_)
    parsed_.badLine = parsed_.leftOutLines.empty() ? line_ + 1 : parsed_.leftOutLines.front();
  return std::move(parsed_);
}

}  // namespace kelvor
