// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/dialogs/PortDialog.h"

#include <gtest/gtest.h>
#include <QComboBox>
#include <QCompleter>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <tuple>
#include <vector>

#include "platform/ProgramCatalogue.h"
#include "support/ConfigHome.h"
#include "support/FakeHidrawNodes.h"

namespace kelvor {
namespace {

template <std::size_t N>
int checked(const std::array<QRadioButton*, N>& options) {
  for (std::size_t i = 0; i < N; ++i)
    if (options[i]->isChecked()) return static_cast<int>(i);
  return -1;
}

// The dialog lists the meters linked as COM2, COM7 and COM12 (the fixed devices are looked
// up in an empty folder) and shows port, rate and meter as they are, nothing for an absent or
// unknown one; OK takes what was chosen and keeps what was not, all digits of the port
// included.
TEST(PortDialog, ShowsTheSettingsAndOkTakesTheChoice) {
  testing::PseudoTerminal meter2, meter7, meter12;
  testing::ConfigHome home;
  for (const auto& [number, meter] : {std::pair{12, &meter12}, {2, &meter2}, {7, &meter7}})
    ASSERT_TRUE(home.link(number, *meter));
  const PortScanner scanner(home.filePath(QStringLiteral("Kelvor/ports")), home.filePath("none"));
  struct Case {
    int port, baud, meter;
    int shownPort, shownRate, shownMeter;
    int choosePort, chooseRate, chooseMeter;  // -1: not touched
    int portAfter, baudAfter, meterAfter;
  };
  for (const Case& c : std::vector<Case>{{12, 9600, 1, 2, 4, 1, -1, -1, -1, 12, 9600, 1},
                                         {5, 4711, 3, -1, -1, -1, -1, -1, -1, 5, 4711, 3},
                                         {2, 4711, 3, 0, -1, -1, 2, 0, 1, 12, 600, 1},
                                         {7, 600, 1, 1, 0, 1, 0, 3, 0, 2, 4800, 0}}) {
    SCOPED_TRACE(c.port);
    PortConfig config{c.port, c.baud, static_cast<MeterKind>(c.meter)};
    PortDialog d(config, scanner.presentPorts());
    EXPECT_EQ(std::tuple(d.portList->count(), d.portList->currentIndex(), checked(d.rateButtons),
                         checked(d.deviceButtons)),
              std::tuple(3, c.shownPort, c.shownRate, c.shownMeter));
    if (c.choosePort >= 0) d.portList->setCurrentIndex(c.choosePort);
    if (c.chooseRate >= 0) d.rateButtons[static_cast<std::size_t>(c.chooseRate)]->click();
    if (c.chooseMeter >= 0) d.deviceButtons[static_cast<std::size_t>(c.chooseMeter)]->click();
    d.okButton->click();
    EXPECT_EQ(std::tuple(config.ComPort, config.ComBaud, static_cast<int>(config.MeterType)),
              std::tuple(c.portAfter, c.baudAfter, c.meterAfter));
  }
}

// Without any port the list says why it is empty, in the interface language; OK keeps the port.
TEST(PortDialog, AnEmptyListAsksForAnAdapter) {
  for (const auto& [langCode, text] :
       {std::pair{0,
                  "Es wurde keine serielle Schnittstelle gefunden.\n"
                  "Ein USB-Adapter muss angesteckt werden."},
        {1, "No serial port was found.\nA USB adapter needs to be plugged in."}}) {
    ASSERT_TRUE(ProgramCatalogue::install(langCode));
    PortConfig config{5, 1200, MeterKind::OneFrame};
    PortDialog d(config, {});
    d.show();
    EXPECT_EQ(d.noPortsLabel->isVisible() ? d.noPortsLabel->text() : QString(), QString(text));
    d.rateButtons[4]->click();
    d.okButton->click();
    EXPECT_EQ(std::tuple(config.ComPort, config.ComBaud, d.DialogResult),
              std::tuple(5, 9600, PortDialog::Result::OK));
  }
  ProgramCatalogue::install(0);
}

// The network field shows the stored address; OK takes a well-formed one, an empty field
// goes back to the local port. A malformed address, or a port another channel's meter is on
// (the dialog's meter serves channel 2), keeps the dialog open, says so and changes nothing;
// the other channels' faults are none of its business.
TEST(PortDialog, TakesANetworkAddressOrSaysWhyNot) {
  using Source = ChannelBinding::Source;
  std::vector<ChannelBinding> channels(6);
  channels[0] = {Source::Meter, {1, 1200, MeterKind::OneFrame, "", "tcp://bench:4001"}, ""};
  channels[1] = {Source::Meter, {1, 1200, MeterKind::OneFrame, "", "rfc2217://bench:2001"}, ""};
  channels[2] = {Source::Meter, {7}, ""};
  channels[3] = {Source::Calculation, {}, "W=1x2"};
  const QString fedAlready = QString::fromUtf8(
      "Kanal 2: Dieses Messgerät speist schon Kanal %1; ein Messgerät speist einen Kanal.");
  // Address stored and typed, local port chosen, address after OK, what the dialog says.
  using Row = std::tuple<std::string, QString, int, std::string, QString>;
  for (const auto& [stored, typed, port, after, told] :
       {Row{"", " TCP://[::1]:4001 ", 1, "tcp://[::1]:4001", ""},
        Row{"rfc2217://bench:2001", "", 1, "", ""},
        Row{"rfc2217://bench:2001", "rfc2217://bench", 1, "rfc2217://bench:2001",
            "Keine Netzwerkadresse: rfc2217://HOST:PORT oder tcp://HOST:PORT"},
        Row{"rfc2217://bench:2001", "TCP://bench:4001", 1, "rfc2217://bench:2001",
            fedAlready.arg(1)},
        Row{"rfc2217://bench:2001", "", 7, "rfc2217://bench:2001", fedAlready.arg(3)}}) {
    SCOPED_TRACE(typed.toStdString());
    PortConfig config;
    config.Address = stored;
    PortDialog d(config, {{1, "/dev/ttyUSB0", ""}, {7, "/dev/ttyUSB1", ""}});
    d.setChannels(channels, 1);
    EXPECT_EQ(d.networkField->text().toStdString(), stored);
    d.networkField->setText(typed);
    d.portList->setCurrentIndex(d.portList->findData(port));
    d.okButton->click();
    QString shown;
    for (const QLabel* label : {d.networkErrorLabel, d.problemLabel})
      if (label->isVisibleTo(&d)) shown += label->text();
    EXPECT_EQ(std::tuple(d.DialogResult == PortDialog::Result::OK, shown.toStdString(),
                         config.Address, config.ComPort),
              std::tuple(told.isEmpty(), told.toStdString(), after, 1));
  }
}

// USB-HID meter cables follow the serial ports in the list, by cable and node (a mouse is
// none); choosing one stores its address, a stored one is shown as its item, and choosing a
// serial port goes back to it. A stored cable that is not plugged in stays as text.
TEST(PortDialog, ListsTheMeterCablesBesideTheSerialPorts) {
  testing::FakeHidrawNodes sysfs;
  ASSERT_TRUE(sysfs.add("hidraw0", "HID_ID=0003:0000046D:0000C52B\n"));
  ASSERT_TRUE(sysfs.add("hidraw3", "HID_ID=0003:000010C4:0000EA80\n"));
  ASSERT_TRUE(sysfs.add("hidraw4", "HID_ID=0003:00001A86:0000E008\n"));
  const QString dev = QString::fromStdString(sysfs.devFolder());
  // Stored address, item chosen (-1: none), item and field shown, address after OK.
  using Row = std::tuple<std::string, int, int, std::string, std::string>;
  for (const auto& [stored, choose, shownItem, shownField, after] :
       {Row{"", 1, 0, "", "hid:10c4:ea80"}, Row{"hid:1a86:e008", -1, 2, "", "hid:1a86:e008"},
        Row{"hid:1a86:e008", 0, 2, "", ""},
        Row{"hid:04FA:2490", -1, 0, "hid:04FA:2490", "hid:04fa:2490"}}) {
    SCOPED_TRACE(stored);
    PortConfig config{1, 2400, MeterKind::OneFrame, "", stored};
    PortDialog d(config, {{1, "/dev/ttyUSB0", ""}}, nullptr, sysfs.ports().cables());
    ASSERT_EQ(d.portList->count(), 3);
    EXPECT_EQ(d.portList->itemText(1), QString::fromUtf8("UT-D09 (CP2110) – ") + dev + "/hidraw3");
    EXPECT_EQ(d.portList->itemText(2), QString::fromUtf8("UT-D04 (CH9325) – ") + dev + "/hidraw4");
    EXPECT_EQ(std::pair(d.portList->currentIndex(), d.networkField->text().toStdString()),
              std::pair(shownItem, shownField));
    if (choose >= 0) d.portList->setCurrentIndex(choose);
    d.okButton->click();
    EXPECT_EQ(std::pair(config.Address, config.ComPort), std::pair(after, 1));
  }
  // The Victor 86C is read through its own cable.
  PortConfig victor;
  PortDialog d(victor, {{1, "/dev/ttyUSB0", ""}});
  d.meterChoice->setEditText(QStringLiteral("Victor 86C (fs9922)"));
  d.okButton->click();
  EXPECT_EQ(victor.Address, "hid:1244:d237");
}

// The meter list: the stored model is shown; typing filters the list; a model brings its rate,
// a family takes the checked one (or its own when no option has it); the empty entry leaves
// the kind to the options.
TEST(PortDialog, TheMeterListFiltersWhatIsTypedAndOkTakesModelOrFamily) {
  // Meter stored, text typed (empty: the list left as shown), rate option clicked (-1: none),
  // meter and rate after OK.
  using Row = std::tuple<std::string, QString, int, std::string, int>;
  for (const auto& [stored, typed, rate, meterAfter, baudAfter] :
       {Row{"", "Voltcraft VC-920 (ut71x)", 4, "voltcraft-vc-920", 2400},
        Row{"uni-t-ut61e", "fs9721 (2400 8N1)", 0, "fs9721", 600},
        Row{"", "es51922 (19200 7O1)", 0, "es51922", 19200}, Row{"fs9922", "", 1, "fs9922", 1200},
        Row{"fs9922", " ", 1, "", 1200}}) {
    SCOPED_TRACE(typed.toStdString());
    PortConfig config{1, 2400, MeterKind::OneFrame, stored};
    PortDialog d(config, {});
    if (!typed.isEmpty()) d.meterChoice->setEditText(typed);
    if (rate >= 0) d.rateButtons[static_cast<std::size_t>(rate)]->click();
    d.okButton->click();
    EXPECT_EQ(std::pair(config.Meter, config.ComBaud), std::pair(meterAfter, baudAfter));
  }
  PortConfig config;
  PortDialog d(config, {});
  d.meterChoice->completer()->setCompletionPrefix(QStringLiteral("t ut71"));
  EXPECT_EQ(d.meterChoice->completer()->completionCount(), 5);  // UNI-T UT71A to UT71E
}

}  // namespace
}  // namespace kelvor
