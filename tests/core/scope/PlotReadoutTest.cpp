#include "core/scope/PlotReadout.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "core/scope/ValueLists.h"

namespace kelvor {
namespace {

// Time of day only where the active channel, recording live, is read; values with the separator and
// unit.
TEST(PlotReadout, LinesInTheChannelsColoursWithEitherSeparator) {
  const PlotReadout readout{99.5, {{1, 0.25f, 99.0f}, {4, -12.0f, 101.0f}}};
  for (const auto& [running, active, unit, separator, texts] :
       std::vector<std::tuple<bool, int, std::string, char, std::string>>{
           {true, 4, "V", ',', "00:01:40  10:01:40|0,25 V|-12 V"},
           {false, 4, "mA", '.', "00:01:40|0.25 mA|-12 mA"},
           {true, 1, "", '.', "00:01:40  10:01:40|0.25|-12"},
           {true, 2, "V", '.', "00:01:40|0.25 V|-12 V"}}) {  // another channel records
    RecordingState state;
    state.Running = running;
    state.ActiveChannel = active;
    state.StartTime = 36000;
    std::string joined;
    const std::vector<ReadoutLine> lines = readoutLines(readout, state, unit, separator);
    for (const ReadoutLine& line : lines) joined += (joined.empty() ? "" : "|") + line.text;
    EXPECT_EQ(joined, texts);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[2].rgb, paletteRgb(ValueLists::ChannelColors[4]));
  }
}

}  // namespace
}  // namespace kelvor
