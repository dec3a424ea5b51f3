#include "ui/mainwindow/MeterPolling.h"

#include <utility>

namespace kelvor {

MeterPolling::MeterPolling(const AppGlobals& globals, SerialLink& port,
                           PollingCycle::AnswerHandler onAnswer, QObject* parent)
    : QObject(parent),
      timMessung_([this] { cycle_.onPollTick(); }, this),
      readDataTimer_([this] { cycle_.onReadTick(); }, this),
      cycle_(globals, port, readDataTimer_, std::move(onAnswer)) {
  setObjectName(QStringLiteral("meterPolling"));
  timMessung_.setInterval(PollIntervalMs);
  timMessung_.setEnabled(true);
}

}  // namespace kelvor
