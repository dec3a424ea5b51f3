// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>

namespace kelvor {

// The fixed lists the main window indexes by position, built once at start-up.
struct ValueLists {
  // Palette index per channel: green, red, magenta, blue, cyan, yellow.
  static constexpr std::array<int, 6> ChannelColors{10, 12, 13, 9, 11, 14};
  // Their dark variants, for pictures on white paper.
  static constexpr std::array<int, 6> DarkChannelColors{2, 4, 5, 1, 3, 6};
  // Candidate steps of the Y grid, falling.
  static constexpr std::array<double, 27> YStepList{
      1000, 750, 500,  250, 100,  75,  50,   25, 20,  15,   10,  7.5,  5,  4,
      3,    2.5, 2.25, 2,   1.75, 1.5, 1.25, 1,  0.5, 0.25, 0.2, 0.15, 0.1};
  // Measurement durations in minutes, rising; the last one stands twice.
  static constexpr std::array<int, 29> DurationList{
      1,   2,   3,   4,   5,   10,  15,  20,  30,  45,   60,   90,   120,  180, 240,
      300, 360, 420, 480, 540, 600, 720, 840, 960, 1080, 1200, 1320, 1440, 1440};
  // Time-axis steps in minutes, rising; the last one stands twice.
  static constexpr std::array<double, 25> TimeStepList{
      1.0 / 6, 1.0 / 3, 1.0 / 2, 3.0 / 4, 1,   2,   5,   10,  15,  20,  30,  60, 120,
      180,     240,     300,     360,     420, 480, 540, 600, 720, 840, 960, 960};
  // Y range choices, falling.
  static constexpr std::array<double, 29> YRangeList{
      1000, 750, 500, 300, 250, 200, 150, 100, 75,   70, 60,   50,  40,   30, 25,
      20,   15,  10,  7.5, 5,   2.5, 2,   1.5, 1.25, 1,  0.75, 0.5, 0.25, 0.1};
};

// The 16-colour palette, by index 0 to 15, as 0xRRGGBB.
std::uint32_t paletteRgb(int index);

// Palette indexes with a meaning of their own.
inline constexpr int GridColor = 8;

}  // namespace kelvor
