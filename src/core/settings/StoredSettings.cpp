// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/settings/StoredSettings.h"

#include <cmath>
#include <cstdint>
#include <limits>

#include "core/acquisition/HidCables.h"
#include "core/network/NetworkAddress.h"
#include "core/text/LeadingNumber.h"

namespace kelvor {

namespace {

// A network port or a USB-HID cable, as "NetAddress" may hold.
bool isPortAddress(const std::string& text) {
  return parseNetworkAddress(text).has_value() || parseHidAddress(text).has_value();
}

// The leading number of a text, 0 when there is none (or it overflows).
double numericValue(const std::string& text) {
  return readLeadingNumber(text).value_or(0.0);
}

int roundedInt(double value) {
  const double rounded = std::nearbyint(value);  // the default rounding mode: half to even
  if (rounded > std::numeric_limits<int>::max()) return std::numeric_limits<int>::max();
  if (rounded < std::numeric_limits<int>::min()) return std::numeric_limits<int>::min();
  return static_cast<int>(rounded);
}

// A placement value: empty reads as 0, anything else as its rounded leading number.
int placementValue(const std::optional<std::string>& text, bool absolute) {
  if (!text || text->empty()) return 0;
  const double value = numericValue(*text);
  return roundedInt(absolute ? std::fabs(value) : value);
}

int integerOr(const std::optional<std::string>& text, int fallback, char decimalSeparator) {
  if (!text) return fallback;
  return textToInt32(*text, decimalSeparator).value_or(fallback);
}

constexpr const char* MeterSource = "meter";
constexpr const char* CalculationSource = "calc";

// The channels' keys, or nothing when the store has none of them.
std::vector<ChannelBinding> readChannels(const StoredSettings::Lookup& lookup,
                                         char decimalSeparator) {
  std::vector<ChannelBinding> channels(StoredSettings::ChannelCount);
  bool any = false;
  for (int i = 0; i < StoredSettings::ChannelCount; ++i) {
    const std::string n = std::to_string(i + 1);
    const auto source = lookup("Channel" + n);
    any = any || source.has_value();
    ChannelBinding& c = channels[i];
    if (source == MeterSource) {
      c.source = ChannelBinding::Source::Meter;
      c.port.ComPort = integerOr(lookup("Port" + n), c.port.ComPort, decimalSeparator);
      c.port.ComBaud = integerOr(lookup("BPS" + n), c.port.ComBaud, decimalSeparator);
      c.port.MeterType =
          static_cast<MeterKind>(integerOr(lookup("Device" + n), 0, decimalSeparator));
      c.port.Meter = lookup("Meter" + n).value_or("");
      if (const auto address = lookup("NetAddress" + n); address && isPortAddress(*address))
        c.port.Address = *address;
    } else if (source == CalculationSource) {
      c.source = ChannelBinding::Source::Calculation;
      c.calculation = lookup("Calc" + n).value_or("");
    }
  }
  if (!any) channels.clear();
  return channels;
}

void appendChannelTexts(const std::vector<ChannelBinding>& channels,
                        std::vector<StoredSettings::KeyText>& texts) {
  for (std::size_t i = 0; i < channels.size(); ++i) {
    const std::string n = std::to_string(i + 1);
    const ChannelBinding& c = channels[i];
    switch (c.source) {
      case ChannelBinding::Source::Meter:
        texts.insert(texts.end(),
                     {{"Channel" + n, MeterSource},
                      {"Port" + n, std::to_string(c.port.ComPort)},
                      {"BPS" + n, std::to_string(c.port.ComBaud)},
                      {"Device" + n, std::to_string(static_cast<int>(c.port.MeterType))},
                      {"Meter" + n, c.port.Meter},
                      {"NetAddress" + n, c.port.Address}});
        break;
      case ChannelBinding::Source::Calculation:
        texts.insert(texts.end(),
                     {{"Channel" + n, CalculationSource}, {"Calc" + n, c.calculation}});
        break;
      default:
        texts.emplace_back("Channel" + n, "");
    }
  }
}

}  // namespace

std::optional<int> textToInt32(const std::string& text, char decimalSeparator) {
  if (!looksNumeric(text, decimalSeparator)) return std::nullopt;
  std::string normalised = text;
  if (decimalSeparator != '.') {
    if (normalised.find('.') != std::string::npos &&
        normalised.find(decimalSeparator) != std::string::npos)
      return std::nullopt;
    replaceAll(normalised, std::string(1, decimalSeparator), ".");
  }
  const std::optional<double> value = readLeadingNumber(normalised);
  if (!value) return std::nullopt;
  const double rounded = std::nearbyint(*value);
  if (rounded > std::numeric_limits<std::int32_t>::max() ||
      rounded < std::numeric_limits<std::int32_t>::min())
    return std::nullopt;
  return static_cast<int>(rounded);
}

StoredSettings StoredSettings::read(const Lookup& lookup, char decimalSeparator) {
  StoredSettings s;
  const auto printColored = lookup("PrintColored");
  s.PrintColored = printColored && numericValue(*printColored) != 0.0;
  const auto autoScale = lookup("AutoScale");
  s.AutoScale = !autoScale || numericValue(*autoScale) != 0.0;
  const auto journal = lookup("Journal");
  s.Journal = !journal || numericValue(*journal) != 0.0;
  s.Port = integerOr(lookup("Port"), s.Port, decimalSeparator);
  s.BPS = integerOr(lookup("BPS"), s.BPS, decimalSeparator);
  s.Device = integerOr(lookup("Device"), s.Device, decimalSeparator);
  if (const auto address = lookup("NetAddress"); address && isPortAddress(*address))
    s.NetAddress = *address;
  const auto meter = lookup("Meter");
  s.MeterStored = meter.has_value();
  s.Meter = meter.value_or("");
  s.SavedLeft = placementValue(lookup("wLeft"), false);
  s.SavedTop = placementValue(lookup("wTop"), false);
  s.SavedWidth = placementValue(lookup("wWidht"), true);
  s.SavedHeight = placementValue(lookup("wHeight"), true);
  s.SavedState = placementValue(lookup("wState"), true);
  s.Channels = readChannels(lookup, decimalSeparator);
  return s;
}

std::vector<StoredSettings::KeyText> StoredSettings::texts() const {
  std::vector<KeyText> texts = {
      {"PrintColored", PrintColored ? "1" : "0"},
      {"AutoScale", AutoScale ? "1" : "0"},
      {"Port", std::to_string(Port)},
      {"BPS", std::to_string(BPS)},
      {"Device", std::to_string(Device)},
      {"NetAddress", NetAddress},
      {"Journal", Journal ? "1" : "0"},
      {"wState", std::to_string(SavedState)},
  };
  if (MeterStored || !Meter.empty()) texts.insert(texts.begin() + 5, {"Meter", Meter});
  if (SavedState == StateNormal) {
    texts.insert(texts.end(), {{"wLeft", std::to_string(SavedLeft)},
                               {"wTop", std::to_string(SavedTop)},
                               {"wWidht", std::to_string(SavedWidth)},
                               {"wHeight", std::to_string(SavedHeight)}});
  }
  appendChannelTexts(Channels, texts);
  return texts;
}

std::vector<ChannelBinding> StoredSettings::bindings(int activeChannel) const {
  if (!Channels.empty()) return Channels;
  std::vector<ChannelBinding> channels(ChannelCount);
  if (activeChannel >= 0 && activeChannel < ChannelCount)
    channels[activeChannel] = {ChannelBinding::Source::Meter, portConfig(), {}};
  return channels;
}

PortConfig StoredSettings::portConfig() const {
  PortConfig config;
  config.ComPort = Port;
  config.ComBaud = BPS;
  config.MeterType = static_cast<MeterKind>(Device);
  config.Address = NetAddress;
  config.Meter = Meter;
  return config;
}

void StoredSettings::takeFrom(const PortConfig& config, const PrintOptions& print) {
  PrintColored = print.PrintColored;
  Port = config.ComPort;
  BPS = config.ComBaud;
  Device = static_cast<int>(config.MeterType);
  NetAddress = config.Address;
  Meter = config.Meter;
}

bool placementRestorable(const StoredSettings& saved, int screenWidthTwips, int screenHeightTwips) {
  // Sums in 64 bits: stored values may be as large as an int holds.
  const std::int64_t left = saved.SavedLeft;
  const std::int64_t top = saved.SavedTop;
  const std::int64_t width = saved.SavedWidth;
  const std::int64_t height = saved.SavedHeight;
  return width > 9400 && height > 6000 && left + width > 0 && top + height > 0 &&
         left < screenWidthTwips && top < screenHeightTwips;
}

}  // namespace kelvor
