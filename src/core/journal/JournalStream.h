// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <functional>
#include <string>

#include "core/journal/JournalFormat.h"

namespace kelvor {

// A journal read a piece at a time, row by row as parseJournal reads it whole, so a file of
// any length is read without holding its text.
class JournalStream {
 public:
  // Hands each row over as it is read instead of keeping it (a bad line still ends the
  // reading and is told by finish, but the rows before it have gone out).
  using RowSink = std::function<void(const JournalRow&)>;
  void setRowSink(RowSink sink) { sink_ = std::move(sink); }
  // A row that is not as the program writes it is left out and counted, its line named among
  // the first ones, instead of ending the reading; a wrong header still ends it, and a journal
  // without a single readable row is still bad (at its first left-out line, or the line after
  // its header).
  void skipBadRows() { skipBadRows_ = true; }
  static constexpr std::size_t NamedLines = 10;

  void feed(const char* data, std::size_t size);
  // The rows read. `unfinished`: the journal's end may be torn, so what follows its last line
  // end is left out (as parseUnfinishedJournal does).
  ParsedJournal finish(bool unfinished);

 private:
  void readLine(const std::string& content);

  std::string pending_;  // the text after the last line end
  bool anyText_ = false;
  bool anyLineEnd_ = false;
  int line_ = 0;
  JournalStyle style_{';', ','};
  ParsedJournal parsed_;
  RowSink sink_;
  bool skipBadRows_ = false;
  bool anyRow_ = false;
};

}  // namespace kelvor
