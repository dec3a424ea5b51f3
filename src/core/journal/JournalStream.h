#pragma once

#include <cstddef>
#include <string>

#include "core/journal/JournalFormat.h"

namespace kelvor {

// A journal read a piece at a time, row by row as parseJournal reads it whole, so a file of
// any length is read without holding its text.
class JournalStream {
 public:
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
};

}  // namespace kelvor
