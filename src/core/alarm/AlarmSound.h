// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace kelvor {

// Plays the alarm sound. Returns at once; the sound runs on by itself.
class AlarmSound {
 public:
  virtual ~AlarmSound() = default;
  // Plays the sound once, starting it again if it is still playing. n is always 1.
  virtual void beeps(int n) = 0;
};

}  // namespace kelvor
