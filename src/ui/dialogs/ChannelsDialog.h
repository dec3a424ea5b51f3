// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <vector>

#include "core/settings/ChannelBinding.h"
#include "platform/PortScanner.h"

class QLabel;
class QPushButton;

namespace kelvor {

class ChannelRow;
struct BindingProblem;

// The channel dialog: binds each of the six colour channels to nothing, a meter (port, model
// or family, rate) or a calculation from other channels, one row a channel.
class ChannelsDialog : public QDialog {
  Q_OBJECT

 public:
  static constexpr int ChannelCount = 6;

  // Shows `bindings` (missing ones as nothing) with the present `ports`, centred over
  // `reference` (or the screen).
  ChannelsDialog(std::vector<ChannelBinding>& bindings, const std::vector<PresentPort>& ports,
                 QWidget* reference = nullptr);

  std::vector<ChannelRow*> rows;  // channel 1 first
  QLabel* calcHintLabel = nullptr;
  QLabel* problemLabel = nullptr;  // shown while OK is refused
  QPushButton* okButton = nullptr;
  QPushButton* cancelButton = nullptr;

  // OK: a calculation that is none, that reads a channel bound to nothing or depends on
  // itself, or a port that feeds two channels keeps the dialog open, names the channel and
  // changes nothing; else the bindings become what the rows show and the dialog closes.
  void onOkClicked();
  // Cancel (also Escape and the close box): closes, the bindings as they were.
  void onCancelClicked();

  // "Kanal 2: …": why a channel's binding is refused.
  static QString problemText(const BindingProblem& problem);

 private:
  void buildControls(const std::vector<PresentPort>& ports);

  std::vector<ChannelBinding>& bindings_;
};

}  // namespace kelvor
