// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/settings/StoredSettings.h"

#include <gtest/gtest.h>

#include <array>
#include <climits>
#include <map>
#include <tuple>
#include <vector>

namespace kelvor {
namespace {

using Store = std::map<std::string, std::string>;

StoredSettings readFrom(const Store& store, char separator = ',') {
  return StoredSettings::read(
      [&store](const std::string& key) -> std::optional<std::string> {
        const auto it = store.find(key);
        return it == store.end() ? std::nullopt : std::optional<std::string>(it->second);
      },
      separator);
}

TEST(StoredSettings, ReadsNumbersAndFlagsAndWhatItWrote) {
  const StoredSettings defaults = readFrom({});
  EXPECT_TRUE(defaults.AutoScale && defaults.Journal && !defaults.PrintColored);
  // Whole numbers, rounded halves to even; text that is no number keeps the default.
  for (const auto& [text, port] : std::vector<std::pair<std::string, int>>{
           {" 7 ", 7}, {"2,5", 2}, {"3,5", 4}, {"COM3", 1}, {"99999999999", 1}})
    EXPECT_EQ(readFrom({{"Port", text}}).Port, port) << text;
  // A network port is kept only when it is a well-formed address.
  EXPECT_EQ(readFrom({{"NetAddress", "tcp://[::1]:4001"}}).portConfig().Address,
            "tcp://[::1]:4001");
  EXPECT_EQ(readFrom({{"NetAddress", "tcp://[::1]"}}).portConfig().Address, "");
  // Flags are the numeric value of the text.
  for (const auto& [text, on] : std::vector<std::pair<std::string, bool>>{
           {"0", false}, {"7", true}, {"abc", false}, {"0.0", false}, {"-1", true}}) {
    const StoredSettings s =
        readFrom({{"AutoScale", text}, {"PrintColored", text}, {"Journal", text}});
    EXPECT_TRUE(s.AutoScale == on && s.PrintColored == on && s.Journal == on) << text;
  }
  // The meter model is kept beside the old kind, and cleared by writing it empty.
  StoredSettings chosen = readFrom({{"Device", "1"}, {"Meter", "uni-t-ut61e"}});
  EXPECT_EQ(std::pair(chosen.portConfig().Meter, static_cast<int>(chosen.portConfig().MeterType)),
            std::pair(std::string("uni-t-ut61e"), 1));
  chosen.takeFrom(PortConfig{}, {});
  EXPECT_EQ(chosen.texts()[5], StoredSettings::KeyText("Meter", ""));
}

// A channel's binding as one text: source, port, rate, kind, meter, address, calculation.
std::string bindingText(const ChannelBinding& b) {
  const PortConfig& p = b.port;
  return std::to_string(static_cast<int>(b.source)) + " COM" + std::to_string(p.ComPort) + " " +
         std::to_string(p.ComBaud) + " " + std::to_string(static_cast<int>(p.MeterType)) + " " +
         p.Meter + " " + p.Address + " " + b.calculation;
}

TEST(StoredSettings, ChannelsAreStoredAndAStoreWithoutThemIsTheOneMeterOnTheActiveChannel) {
  // A store of before: nothing more is written, and the meter feeds the active channel.
  const StoredSettings old = readFrom({{"Port", "4"}, {"BPS", "9600"}, {"Meter", "fs9721"}});
  for (const auto& [key, text] : old.texts()) EXPECT_EQ(key.find("Channel"), key.npos) << key;
  std::string bindings;
  for (const ChannelBinding& b : old.bindings(2)) bindings += bindingText(b) + "|";
  EXPECT_EQ(bindings,
            "0 COM1 1200 0   |0 COM1 1200 0   |1 COM4 9600 0 fs9721  |0 COM1 1200 0   |"
            "0 COM1 1200 0   |0 COM1 1200 0   |");

  StoredSettings s;
  s.Channels.resize(StoredSettings::ChannelCount);
  s.Channels[0] = {ChannelBinding::Source::Meter,
                   {2, 2400, MeterKind::FourFrames, "uni-t-ut61e", "tcp://h:1"},
                   ""};
  s.Channels[2] = {ChannelBinding::Source::Calculation, {}, "W=1*2"};
  s.Channels[3] = {ChannelBinding::Source::Meter, {7, 600}, ""};
  Store store;
  for (const auto& [key, text] : s.texts()) store[key] = text;
  const StoredSettings back = readFrom(store);
  ASSERT_EQ(back.Channels.size(), s.Channels.size());
  for (std::size_t i = 0; i < s.Channels.size(); ++i)
    EXPECT_EQ(bindingText(back.bindings(0)[i]), bindingText(s.Channels[i])) << i;
  // Channels stored win over the single meter; a malformed address is dropped.
  store["NetAddress1"] = "tcp://h";
  EXPECT_EQ(bindingText(readFrom(store).bindings(3)[0]), "1 COM2 2400 1 uni-t-ut61e  ");
}

TEST(StoredSettings, PlacementIsRestoredOnlyWhenLargeEnoughAndOnTheScreen) {
  // A 1920 x 1080 pixel screen at 96 dpi is 28800 x 16200 twips; left, top, width, height.
  const std::vector<std::pair<std::array<int, 4>, bool>> placements{
      {{1000, 800, 9401, 6001}, true},     {{28799, -7999, 12000, 8000}, true},
      {{-11999, 800, 12000, 8000}, true},  {{1000, 800, 9400, 8000}, false},
      {{1000, 800, 12000, 6000}, false},   {{28800, 800, 12000, 8000}, false},
      {{1000, 16200, 12000, 8000}, false}, {{-12000, 800, 12000, 8000}, false},
      {{1000, -8000, 12000, 8000}, false}, {{INT_MAX, INT_MAX, INT_MAX, INT_MAX}, false}};
  for (const auto& [p, restorable] : placements) {
    StoredSettings s;
    std::tie(s.SavedLeft, s.SavedTop, s.SavedWidth, s.SavedHeight) =
        std::tuple(p[0], p[1], p[2], p[3]);
    EXPECT_EQ(placementRestorable(s, 28800, 16200), restorable) << p[0] << " " << p[1];
  }
}

}  // namespace
}  // namespace kelvor
