// SPDX-License-Identifier: GPL-3.0-or-later
// Any request path routes without a fault, and only the exact names of the run's journals lead
// to a file: nothing with a slash, a backslash, a NUL or a dot name reaches the journal folder.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "core/record/HttpAccess.h"
#include "fuzz/FuzzCheck.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using kelvor::HttpAccess::Route;
  static const std::vector<std::string> journals{"2026-12-08_22-00-00_COM1.csv.part", "run.csv",
                                                 "..", "a/b.csv"};
  const std::string path(reinterpret_cast<const char*>(data), size);
  const Route route = kelvor::HttpAccess::routeOf(path, journals);
  // Every route but a journal's and "not found" has one path.
  static const std::map<Route::Kind, std::string> exact{{Route::Page, "/"},
                                                        {Route::Events, "/events"},
                                                        {Route::Plot, "/plot.png"},
                                                        {Route::JournalList, "/journals/"}};
  if (route.kind == Route::Journal)
    KELVOR_FUZZ_CHECK(path == "/journals/" + route.journal &&
                      (route.journal == journals[0] || route.journal == journals[1]));
  else if (route.kind != Route::NotFound)
    KELVOR_FUZZ_CHECK(path == exact.at(route.kind));
  return 0;
}
