// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace kelvor {

// A data file of the program (the alarm sound, a catalogue) by its name: beside the program (a
// build folder), in the installed data folder relative to it, then in the system's data
// folders. Where none exists, the path beside the program.
QString programDataFile(const QString& name);

}  // namespace kelvor
