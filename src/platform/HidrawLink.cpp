// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/HidrawLink.h"

#include <cerrno>
#include <cstring>

#include "platform/HidrawDevice.h"
#include "platform/HidrawPorts.h"

namespace kelvor {

namespace {

LocalSerialLink::OpenResult refused(LocalSerialLink::OpenResult result, int error,
                                    const QString& why = {}) {
  result.errorCode = error;
  result.errorText = why.isEmpty() ? QString::fromLocal8Bit(std::strerror(error)) : why;
  return result;
}

}  // namespace

HidrawLink::HidrawLink()
    : HidrawLink(std::make_unique<HidrawDevice>(),
                 [](const HidAddress& address) { return HidrawPorts().nodeOf(address); }) {}

HidrawLink::HidrawLink(std::unique_ptr<HidDevice> device, NodeFinder find)
    : device_(std::move(device)), find_(std::move(find)) {}

HidrawLink::~HidrawLink() = default;

LocalSerialLink::OpenResult HidrawLink::open(const HidAddress& address, const LineSettings& line) {
  closePort();
  last_ = address;
  lastLine_ = line;
  failed_ = false;
  LocalSerialLink::OpenResult result;
  result.devicePath = QString::fromStdString(address.text());
  const std::optional<std::string> node = find_(address);
  if (!node) return refused(result, ENOENT, QStringLiteral("no such USB-HID cable is plugged in"));
  result.devicePath = QString::fromStdString(*node);
  if (const int error = device_->open(*node)) return refused(result, error);
  const std::optional<HidDevice::Ids> ids = device_->ids();
  const HidCable* cable = ids ? hidCableWithIds(ids->vendorId, ids->productId) : nullptr;
  if (!cable) {
    closePort();
    return refused(result, ENODEV, QStringLiteral("not a known meter cable"));
  }
  chip_ = cable->reports;
  for (const std::string& report : hidLineSetup(chip_, line)) {
    if (const int error = device_->sendFeature(report)) {
      closePort();
      return refused(result, error);
    }
  }
  input_.emplace(chip_);
  result.ok = true;
  return result;
}

bool HidrawLink::reopen() {
  return last_ && open(*last_, lastLine_).ok;
}

void HidrawLink::closePort() {
  device_->close();
  input_.reset();
  pending_.clear();
}

void HidrawLink::noteError(int error) {
  // Whatever else goes wrong with a HID node, the cable is as good as gone.
  if (error != 0) {
    failed_ = true;
    closePort();
  }
}

bool HidrawLink::writePort(std::string_view text) {
  if (!isOpen()) return false;
  for (const std::string& report : hidOutputReports(chip_, text)) {
    if (const int error = device_->write(report)) {
      noteError(error);
      return false;
    }
  }
  return true;
}

std::string HidrawLink::readPort() {
  // A meter's second of bytes is a few reports; more than that waiting is drained next time.
  constexpr int MaxReports = 64;
  for (int n = 0; isOpen() && n < MaxReports; ++n) {
    const HidDevice::ReadResult read = device_->read();
    if (read.report.empty()) {
      noteError(read.error);
      break;
    }
    input_->addReport(read.report);
    pending_ += input_->takeBytes();
  }
  const std::string bytes = pending_.substr(0, LocalSerialLink::MaxReadBytes);
  pending_.erase(0, bytes.size());
  return bytes;
}

void HidrawLink::discardInput() {
  readPort();
  pending_.clear();
}

}  // namespace kelvor
