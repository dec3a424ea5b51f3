// SPDX-License-Identifier: GPL-3.0-or-later
// Whatever a serial server sends, the telnet parser neither faults nor grows without bound,
// gives no more data than it received, and gives the same data and answers however the bytes
// are split between reads (the first input byte chooses the split).
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <tuple>

#include "core/network/TelnetComPort.h"
#include "fuzz/FuzzCheck.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::string_view input(reinterpret_cast<const char*>(data) + 1, size - 1);
  const std::size_t split = data[0] % (input.size() + 1);

  kelvor::TelnetComPort whole(kelvor::RemoteLineSettings{}), parts(kelvor::RemoteLineSettings{});
  (void)whole.opening();
  (void)parts.opening();
  const std::string all = whole.receive(input);
  std::string pieces = parts.receive(input.substr(0, split));
  const std::string firstReplies = parts.takeReplies();
  pieces += parts.receive(input.substr(split));

  KELVOR_FUZZ_CHECK(all.size() <= input.size() && all == pieces);
  KELVOR_FUZZ_CHECK(whole.takeReplies() == firstReplies + parts.takeReplies());
  const auto state = [](const kelvor::TelnetComPort& port) {
    return std::tuple(port.refusedSetting(), port.lineAnswered(), port.comPortRefused());
  };
  KELVOR_FUZZ_CHECK(state(whole) == state(parts));
  // Data encoded for the line comes back unchanged through the parser.
  kelvor::TelnetComPort echo(kelvor::RemoteLineSettings{});
  KELVOR_FUZZ_CHECK(echo.receive(kelvor::TelnetComPort::encodeData(input)) == input);
  return 0;
}
