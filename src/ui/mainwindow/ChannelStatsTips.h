// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

#include "core/recording/TraceStore.h"

namespace kelvor {

struct ColourControls;

// The tooltip of each colour button tells that channel's statistics, worked out when the
// tooltip is about to be shown rather than on every reading.
class ChannelStatsTips : public QObject {
 public:
  ChannelStatsTips(const ColourControls& colours, const TraceStore& traces, char decimalSeparator);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  const ColourControls& colours_;
  const TraceStore& traces_;
  char decimalSeparator_;
};

}  // namespace kelvor
