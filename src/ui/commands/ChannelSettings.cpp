// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/commands/ChannelSettings.h"

#include <algorithm>

#include "ui/dialogs/ChannelsDialog.h"

namespace kelvor {

namespace {

bool sameBinding(const ChannelBinding& a, const ChannelBinding& b) {
  const PortConfig& p = a.port;
  const PortConfig& q = b.port;
  return a.source == b.source && a.calculation == b.calculation && p.ComPort == q.ComPort &&
         p.ComBaud == q.ComBaud && p.MeterType == q.MeterType && p.Meter == q.Meter &&
         p.Address == q.Address;
}

}  // namespace

bool runChannelSettings(QWidget* owner, std::vector<ChannelBinding>& bindings,
                        const PortScanner& scanner) {
  std::vector<ChannelBinding> edited = bindings;
  ChannelsDialog dialog(edited, scanner.presentPorts(), owner);
  if (dialog.exec() != QDialog::Accepted) return false;
  const bool changed = edited.size() != bindings.size() ||
                       !std::equal(edited.begin(), edited.end(), bindings.begin(), sameBinding);
  bindings = edited;
  return changed;
}

}  // namespace kelvor
