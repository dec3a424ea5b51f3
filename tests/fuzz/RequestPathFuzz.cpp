// SPDX-License-Identifier: GPL-3.0-or-later
// Any request path routes without a fault, and only the exact names of the run's journals lead
// to a file: nothing with a slash, a backslash, a NUL or a dot name reaches the journal folder.
#include <algorithm>
#include <cstddef>
#include <cstdint>
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
  switch (route.kind) {
    case Route::Journal:
      KELVOR_FUZZ_CHECK(path == "/journals/" + route.journal);
      KELVOR_FUZZ_CHECK(route.journal == journals[0] || route.journal == journals[1]);
      break;
    case Route::Page:
      KELVOR_FUZZ_CHECK(path == "/");
      break;
    case Route::Events:
      KELVOR_FUZZ_CHECK(path == "/events");
      break;
    case Route::Plot:
      KELVOR_FUZZ_CHECK(path == "/plot.png");
      break;
    case Route::JournalList:
      KELVOR_FUZZ_CHECK(path == "/journals/");
      break;
    case Route::NotFound:
      break;
  }
  return 0;
}
