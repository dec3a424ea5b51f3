// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>

#include "core/record/HttpAccess.h"
#include "core/recording/TraceStore.h"

namespace kelvor {

// The live page's plot as PNG: the whole recording (or its last size.minutes) drawn as the review
// window draws it, with its axis labels; size.width x size.height points, each size.ratio
// pixels across.
QByteArray plotPng(const TraceStore& store, const HttpAccess::PlotSize& size,
                   char decimalSeparator);

}  // namespace kelvor
