#include "platform/SystemClock.h"

#include <QDateTime>

namespace kelvor {

LocalSeconds SystemClock::now() const {
  const QDateTime local = QDateTime::currentDateTime();
  return local.toSecsSinceEpoch() + local.offsetFromUtc();
}

WallTime SystemClock::wallTime() const {
  const QDateTime local = QDateTime::currentDateTime();
  return {local.toMSecsSinceEpoch(), local.offsetFromUtc()};
}

}  // namespace kelvor
