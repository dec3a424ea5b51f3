// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/mainwindow/ChannelStatsTips.h"

#include <QEvent>
#include <QRadioButton>
#include <algorithm>

#include "core/recording/ChannelStats.h"
#include "platform/MessageTexts.h"
#include "ui/mainwindow/ColourControls.h"

namespace kelvor {

ChannelStatsTips::ChannelStatsTips(const ColourControls& colours, const TraceStore& traces,
                                   char decimalSeparator)
    : colours_(colours), traces_(traces), decimalSeparator_(decimalSeparator) {
  for (QRadioButton* button : colours_.channelButtons) button->installEventFilter(this);
}

bool ChannelStatsTips::eventFilter(QObject* watched, QEvent* event) {
  const auto& buttons = colours_.channelButtons;
  const auto button = std::find(buttons.begin(), buttons.end(), watched);
  if (event->type() == QEvent::ToolTip && button != buttons.end()) {
    const auto channel = static_cast<int>(button - buttons.begin());
    const Message text = channelStatsMessage(channelStats(traces_, channel), decimalSeparator_);
    (*button)->setToolTip(QString::fromStdString(messageText(text)));
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace kelvor
