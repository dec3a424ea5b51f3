// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/recording/ValueLists.h"

namespace kelvor {

std::uint32_t paletteRgb(int index) {
  static constexpr std::array<std::uint32_t, 16> Palette{
      0x000000, 0x000080, 0x008000, 0x008080, 0x800000, 0x800080, 0x808000, 0xC0C0C0,
      0x808080, 0x0000FF, 0x00FF00, 0x00FFFF, 0xFF0000, 0xFF00FF, 0xFFFF00, 0xFFFFFF};
  return Palette[static_cast<std::size_t>(index & 15)];
}

}  // namespace kelvor
