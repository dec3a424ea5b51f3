// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <array>
#include <vector>

#include "core/acquisition/PortConfig.h"
#include "core/settings/ChannelBinding.h"
#include "platform/HidrawPorts.h"
#include "platform/PortScanner.h"
#include "ui/dialogs/MeterChoices.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace kelvor {

// The port and meter settings dialog: the serial port among the present ones, the baud rate
// and the kind of meter. It only edits ComPort, ComBaud and MeterType; the caller closes
// and reopens the port (runPortSettings). Its captions are German in every language.
class PortDialog : public QDialog {
  Q_OBJECT

 public:
  // How the dialog ended: loaded and then left without OK, or OK.
  enum class Result { OK = 1, Loaded = 2 };
  // The rates of optBPS(0) to optBPS(4).
  static constexpr std::array<int, 5> Rates = MeterChoices::Rates;
  // The meters of optDevice(0) and optDevice(1).
  static constexpr std::array<MeterKind, 2> Meters{MeterKind::OneFrame, MeterKind::FourFrames};

  // Lists `ports` and after them the USB-HID meter `cables`, selects the one of ComPort (or the
  // cable of a stored hid: address), checks the options of ComBaud and MeterType and centres
  // itself over `reference` (or the screen). An empty list is explained below it.
  PortDialog(PortConfig& config, const std::vector<PresentPort>& ports,
             QWidget* reference = nullptr, const std::vector<HidrawNode>& cables = {});

  // The channels' bindings and the channel (from 0) the dialog's meter serves: OK refuses a
  // port that a meter on another channel is on. None given: every port is free.
  void setChannels(const std::vector<ChannelBinding>& bindings, int ownChannel);

  Result DialogResult = Result::Loaded;

  QGroupBox* deviceFrame = nullptr;
  std::array<QRadioButton*, 2> deviceButtons{};
  QGroupBox* rateFrame = nullptr;
  std::array<QRadioButton*, 5> rateButtons{};
  QGroupBox* portFrame = nullptr;
  QComboBox* portList = nullptr;
  QLabel* noPortsLabel = nullptr;  // shown only when no port is present
  // A port on the network instead of a local one; empty: the local port of the list.
  QLineEdit* networkField = nullptr;
  QLabel* networkErrorLabel = nullptr;  // shown while the address cannot be taken
  QLabel* problemLabel = nullptr;       // shown while OK is refused: the port feeds another channel
  QPushButton* okButton = nullptr;
  QPushButton* cancelButton = nullptr;
  // The meter by model or protocol family; typing filters the list. The empty first item
  // leaves the choice to optDevice.
  QGroupBox* meterFrame = nullptr;
  QComboBox* meterChoice = nullptr;

  // OK: takes the selected port (none selected keeps ComPort), the selected cable's hid:
  // address or the address typed in the network field (it comes first), the
  // checked rate and the checked meter kind (none checked keeps the value), sets DialogResult
  // to OK and hides. A malformed address, or a port another channel's meter is on, keeps the
  // dialog open, says so and changes nothing. A model chosen in cboMeter brings its own rate;
  // a family takes the checked one, or its usual one when that is no option here.
  void onOkClicked();
  // Cancel (also Escape and the close box): hides; DialogResult stays Loaded.
  void onCancelClicked();

 private:
  void buildControls();
  void buildNetworkField();
  QGroupBox* buildMeterChoice();
  void takeMeterChoice(PortConfig& chosen) const;
  void fillIn(const std::vector<PresentPort>& ports, const std::vector<HidrawNode>& cables,
              QWidget* reference);

  PortConfig& config_;
  std::vector<ChannelBinding> channels_;
  int ownChannel_ = 0;
};

}  // namespace kelvor
