#include "core/scope/TraceStore.h"

#include <algorithm>
#include <cassert>

namespace kelvor {

TraceStore::TraceStore() : data_(static_cast<std::size_t>(Channels) * (LastSlot + 1) * 2, 0.0f) {}

void TraceStore::setCount(int channel, int count) {
  assert(count >= 0 && count <= LastSlot);
  counts_[index(channel)] = std::clamp(count, 0, static_cast<int>(LastSlot));
}

void TraceStore::setSample(int channel, int slot, float value, float time) {
  assert(slot >= 1 && slot <= LastSlot);
  if (slot < 1 || slot > LastSlot) return;
  data_[at(channel, slot)] = value;
  data_[at(channel, slot) + 1] = time;
}

void TraceStore::clearAll() {
  counts_.fill(0);
}

}  // namespace kelvor
