// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/mainwindow/ChannelDisplay.h"

#include "core/acquisition/MeterChoice.h"
#include "core/calc/ChannelValueText.h"
#include "core/recording/Recorder.h"
#include "core/recording/ValueLists.h"
#include "ui/mainwindow/ChannelSources.h"

namespace kelvor {

ChannelDisplay::ChannelDisplay(const ChannelValueCells& cells, ChannelSources& sources,
                               ReadingView& labels, RecorderView& colour, char decimalSeparator)
    : row_(cells),
      sources_(sources),
      labels_(labels),
      colour_(colour),
      decimalSeparator_(decimalSeparator) {
  sources_.addListener(this);
}

bool ChannelDisplay::bound() {
  std::vector<bool> bound;
  for (const ChannelBinding& binding : sources_.bindings())
    bound.push_back(sources_.several() && binding.source != ChannelBinding::Source::None);
  last_.assign(bound.size(), std::nullopt);
  const auto own = static_cast<std::size_t>(sources_.ownChannel());
  colour_.setReadingColor(paletteRgb(ValueLists::ChannelColors[own]));
  return row_.setBound(bound);
}

void ChannelDisplay::watch(int channel) {
  sources_.watch(channel);
  colour_.setReadingColor(paletteRgb(ValueLists::ChannelColors[static_cast<std::size_t>(channel)]));
  showWatched();
}

void ChannelDisplay::tickDone(const Moment&, const TickReadings& readings) {
  last_ = readings;
  const std::vector<ChannelBinding>& bindings = sources_.bindings();
  for (std::size_t i = 0; sources_.several() && i < readings.size() && i < bindings.size(); ++i) {
    const int channel = static_cast<int>(i);
    if (bindings[i].source == ChannelBinding::Source::Calculation)
      row_.showCalculated(channel, readings[i]);
    else if (MeterConnection* meter = sources_.meterOn(channel))
      row_.showMeter(channel, readings[i], meter->reader().meterState().condition(),
                     std::string(familyFor(meter->config()).name()));
  }
  showWatched();
}

// A meter's channel shows what the meter showed last; a calculated channel its value.
void ChannelDisplay::showWatched() {
  const int channel = sources_.watched();
  if (MeterConnection* meter = sources_.meterOn(channel)) {
    if (const auto& shown = meter->reader().last()) {
      labels_.showValue(shown->valueText);
      labels_.showMode(shown->modeText);
    }
    return;
  }
  // The unit beside the digits, where a meter shows its mode: "12,50" and "mAh".
  const auto index = static_cast<std::size_t>(channel);
  const std::string text =
      channelValueText(index < last_.size() ? last_[index] : std::nullopt, decimalSeparator_);
  const std::size_t space = text.rfind(' ');
  labels_.showValue(text.substr(0, space));
  labels_.showMode(space == std::string::npos ? std::string() : text.substr(space + 1));
}

}  // namespace kelvor
