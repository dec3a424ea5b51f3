// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

#include "record/LiveFeed.h"

namespace kelvor {

// The live page: a plain HTML page with the channels' latest readings, whose script follows
// /events and reloads /plot.png, in German or English; its numbers with the recorder's decimal
// sign, as in the journal.
std::string livePage(bool german, char decimalSeparator,
                     const std::vector<LiveFeed::Latest>& readings);
// A text as HTML text or attribute value.
std::string htmlText(const std::string& text);

}  // namespace kelvor
