// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/acquisition/MeterState.h"

#include "core/acquisition/MeterModels.h"
#include "core/acquisition/PortTable.h"
#include "core/text/TimeText.h"

#include <algorithm>

namespace kelvor {

void MeterState::portOpened(bool ok) {
  missed_ = garbled_ = 0;
  data_ = false;
  awaiting_ = false;
  alarm_ = false;
  // Told even without a change: the port may be another one now.
  set(ok ? MeterCondition::Answering : MeterCondition::NotOpen, true);
}

void MeterState::pollSent() {
  if (awaiting_) missed();
  awaiting_ = true;
  data_ = false;
}

void MeterState::pollGivenUp() {
  if (awaiting_) missed();
  awaiting_ = data_ = false;
}

void MeterState::answered() {
  missed_ = garbled_ = 0;
  awaiting_ = data_ = false;
  lastAnswer_ = clock_.wallTime().local();
  set(MeterCondition::Answering);
}

void MeterState::portLost() {
  awaiting_ = false;
  set(MeterCondition::Retrying);
}

void MeterState::alarmTested(bool alarm) {
  if (alarm == alarm_) return;
  alarm_ = alarm;
  tell();
}

void MeterState::removeListener(MeterStateListener* listener) {
  listeners_.erase(std::remove(listeners_.begin(), listeners_.end(), listener), listeners_.end());
}

void MeterState::tell() {
  // A copy: a listener may leave while it is told.
  const std::vector<MeterStateListener*> listeners = listeners_;
  for (MeterStateListener* listener : listeners) listener->meterStateChanged(condition_);
}

void MeterState::missed() {
  garbled_ = data_ ? garbled_ + 1 : 0;
  if (++missed_ >= limit_)
    set(garbled_ >= limit_ ? MeterCondition::NoValidFrame : MeterCondition::NoAnswer);
}

void MeterState::set(MeterCondition condition, bool always) {
  if (condition == condition_ && !always) return;
  condition_ = condition;
  tell();
}

Message meterTitle(MeterCondition condition, int comPort, bool alarm) {
  return meterTitle(MeterOnPort{portName(comPort), condition}, alarm);
}

Message meterTitle(const MeterOnPort& meter, bool alarm) {
  static constexpr MessageId Titles[] = {MessageId::TitleAnswering, MessageId::TitleNoAnswer,
                                         MessageId::TitleRetrying, MessageId::TitleNotOpen};
  if (meter.condition == MeterCondition::NoValidFrame)
    return Message(MessageId::TitleNoValidFrame, {meter.port, meter.family});
  const bool alarmShown = alarm && meter.condition == MeterCondition::Answering;
  return Message(alarmShown ? MessageId::TitleAlarm : Titles[static_cast<int>(meter.condition)],
                 {meter.port});
}

Message meterTitle(const std::vector<MeterOnPort>& meters, bool alarm) {
  if (meters.empty()) return Message(MessageId::Verbatim, {"Kelvor"});
  if (meters.size() == 1) return meterTitle(meters[0], alarm);
  // Built from the last meter forwards: each one goes in front of the list of those after it.
  std::optional<Message> list;
  for (auto meter = meters.rbegin(); meter != meters.rend(); ++meter) {
    const std::optional<Message> words = conditionWords(meter->condition, meter->family);
    Message named = words ? Message(MessageId::MeterInState, {meter->port}, {*words})
                          : Message(MessageId::Verbatim, {meter->port});
    list = list ? Message(MessageId::MeterListed, {}, {named, *list}) : named;
  }
  return Message(alarm ? MessageId::TitleAlarm : MessageId::TitleAnswering, {}, {*list});
}

std::optional<Message> conditionWords(MeterCondition condition, const std::string& family) {
  switch (condition) {
    case MeterCondition::Answering:
      return std::nullopt;
    case MeterCondition::NoAnswer:
      return Message(MessageId::StateNoAnswer);
    case MeterCondition::Retrying:
      return Message(MessageId::StateRetrying);
    case MeterCondition::NotOpen:
      return Message(MessageId::StateNotOpen);
    case MeterCondition::NoValidFrame:
      return Message(MessageId::StateNoValidFrame, {family});
  }
  return std::nullopt;
}

Message meterDetails(const PortConfig& config, const std::string& devicePath,
                     LocalSeconds lastAnswer) {
  const MessageId kind = config.MeterType == MeterKind::OneFrame ? MessageId::OneFrameMeter
                                                                 : MessageId::FourFrameMeter;
  const MeterModel* model = modelNamed(config.Meter);
  const Message meter = config.Meter.empty() ? Message(kind)
                        : model              ? Message(MessageId::NamedMeter, {model->title()})
                                             : Message(MessageId::NamedMeter, {config.Meter});
  return Message(MessageId::MeterDetails,
                 {devicePath, std::to_string(config.ComBaud),
                  lastAnswer == 0 ? std::string(NoTime) : timeOfDayText(lastAnswer)},
                 {meter});
}

}  // namespace kelvor
