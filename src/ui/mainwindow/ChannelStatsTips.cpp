#include "ui/mainwindow/ChannelStatsTips.h"

#include <QEvent>
#include <QRadioButton>

#include "core/scope/ChannelStats.h"
#include "ui/common/MessageTexts.h"
#include "ui/mainwindow/MainControls.h"

namespace kelvor {

ChannelStatsTips::ChannelStatsTips(const MainControls& controls, const TraceStore& traces,
                                   const int& langCode, char decimalSeparator)
    : controls_(controls),
      traces_(traces),
      langCode_(langCode),
      decimalSeparator_(decimalSeparator) {
  for (QRadioButton* button : controls_.optColor) button->installEventFilter(this);
}

bool ChannelStatsTips::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::ToolTip) {
    for (std::size_t channel = 0; channel < controls_.optColor.size(); ++channel) {
      if (controls_.optColor[channel] != watched) continue;
      const ChannelStats stats = channelStats(traces_, static_cast<int>(channel));
      const Message text = channelStatsMessage(stats, decimalSeparator_);
      controls_.optColor[channel]->setToolTip(QString::fromStdString(messageText(text, langCode_)));
    }
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace kelvor
