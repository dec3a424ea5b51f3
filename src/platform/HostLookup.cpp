// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/HostLookup.h"

#include <netdb.h>

#include <algorithm>
#include <memory>
#include <mutex>
#include <vector>

namespace kelvor {

namespace {
struct Lookup {
  std::string host;
  addrinfo hints{};
  gaicb request{};

  ~Lookup() {
    if (request.ar_result) freeaddrinfo(request.ar_result);
  }
};

// Lookups given up while the library was still working on them: it writes into them when
// it is done, so they live until then (and are freed by a later lookup).
std::mutex abandonedMutex;
std::vector<std::unique_ptr<Lookup>>& abandoned() {
  static auto* lookups = new std::vector<std::unique_ptr<Lookup>>;  // outlives every thread
  return *lookups;
}

void abandon(std::unique_ptr<Lookup> lookup) {
  const std::lock_guard lock(abandonedMutex);
  auto& list = abandoned();
  list.erase(std::remove_if(list.begin(), list.end(),
                            [](const auto& l) { return gai_error(&l->request) != EAI_INPROGRESS; }),
             list.end());
  if (lookup) list.push_back(std::move(lookup));
}
}  // namespace

LookupResult lookUpHost(const std::string& host, const std::function<bool()>& giveUp) {
  abandon(nullptr);
  auto lookup = std::make_unique<Lookup>();
  lookup->host = host;
  lookup->hints.ai_socktype = SOCK_STREAM;
  lookup->request.ar_name = lookup->host.c_str();
  lookup->request.ar_request = &lookup->hints;
  gaicb* list[] = {&lookup->request};
  if (getaddrinfo_a(GAI_NOWAIT, list, 1, nullptr) != 0) return LookupResult::Unknown;
  const timespec step{0, 50'000'000};
  while (gai_error(&lookup->request) == EAI_INPROGRESS) {
    if (giveUp()) {
      if (gai_cancel(&lookup->request) == EAI_NOTCANCELED) abandon(std::move(lookup));
      return LookupResult::GivenUp;
    }
    gai_suspend(list, 1, &step);
  }
  return gai_error(&lookup->request) == 0 ? LookupResult::Found : LookupResult::Unknown;
}

}  // namespace kelvor
