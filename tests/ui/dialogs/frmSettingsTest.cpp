// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/dialogs/frmSettings.h"

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
    frmSettings d(config, scanner.presentPorts());
    EXPECT_EQ(std::tuple(d.cboPorts->count(), d.cboPorts->currentIndex(), checked(d.optBPS),
                         checked(d.optDevice)),
              std::tuple(3, c.shownPort, c.shownRate, c.shownMeter));
    if (c.choosePort >= 0) d.cboPorts->setCurrentIndex(c.choosePort);
    if (c.chooseRate >= 0) d.optBPS[static_cast<std::size_t>(c.chooseRate)]->click();
    if (c.chooseMeter >= 0) d.optDevice[static_cast<std::size_t>(c.chooseMeter)]->click();
    d.cmdOK->click();
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
    frmSettings d(config, {});
    d.show();
    EXPECT_EQ(d.lblNoPorts->isVisible() ? d.lblNoPorts->text() : QString(), QString(text));
    d.optBPS[4]->click();
    d.cmdOK->click();
    EXPECT_EQ(std::tuple(config.ComPort, config.ComBaud, d.DialogResult),
              std::tuple(5, 9600, frmSettings::Result::OK));
  }
  ProgramCatalogue::install(0);
}

// The network field shows the stored address; OK takes a well-formed one, an empty field
// goes back to the local port, and a malformed one keeps the dialog open saying so.
TEST(PortDialog, TakesANetworkAddressOrSaysItIsNone) {
  for (const auto& [stored, typed, accepted, after] :
       std::vector<std::tuple<std::string, QString, bool, std::string>>{
           {"", " TCP://[::1]:4001 ", true, "tcp://[::1]:4001"},
           {"rfc2217://bench:2001", "", true, ""},
           {"rfc2217://bench:2001", "rfc2217://bench", false, "rfc2217://bench:2001"}}) {
    PortConfig config;
    config.Address = stored;
    frmSettings d(config, {});
    EXPECT_EQ(d.txtNetwork->text().toStdString(), stored);
    d.txtNetwork->setText(typed);
    d.cmdOK->click();
    EXPECT_EQ(d.DialogResult == frmSettings::Result::OK, accepted) << typed.toStdString();
    EXPECT_EQ(d.lblNetworkError->isVisibleTo(&d), !accepted);
    EXPECT_EQ(config.Address, after);
  }
}

// The meter list: the stored model is shown; typing filters the list; a model brings its rate,
// a family takes the checked one (or its own when no option has it); the empty entry leaves
// the kind to the options.
TEST(PortDialog, TheMeterListFiltersWhatIsTypedAndOkTakesModelOrFamily) {
  // Meter stored, text typed (empty: the list left as shown), rate option clicked (-1: none),
  // meter and rate after OK.
  using Row = std::tuple<std::string, QString, int, std::string, int>;
  for (const auto& [stored, typed, rate, meterAfter, baudAfter] :
       {Row{"uni-t-ut61e", "", -1, "uni-t-ut61e", 19200},
        Row{"", "Voltcraft VC-920 (ut71x)", 4, "voltcraft-vc-920", 2400},
        Row{"uni-t-ut61e", "fs9721 (2400 8N1)", 0, "fs9721", 600},
        Row{"", "es51922 (19200 7O1)", 0, "es51922", 19200}, Row{"fs9922", "", 1, "fs9922", 1200},
        Row{"fs9922", " ", 1, "", 1200}}) {
    SCOPED_TRACE(typed.toStdString());
    PortConfig config{1, 2400, MeterKind::OneFrame, stored};
    frmSettings d(config, {});
    if (!typed.isEmpty()) d.cboMeter->setEditText(typed);
    if (rate >= 0) d.optBPS[static_cast<std::size_t>(rate)]->click();
    d.cmdOK->click();
    EXPECT_EQ(std::pair(config.Meter, config.ComBaud), std::pair(meterAfter, baudAfter));
  }
  PortConfig config;
  frmSettings d(config, {});
  d.cboMeter->completer()->setCompletionPrefix(QStringLiteral("t ut71"));
  EXPECT_EQ(d.cboMeter->completer()->completionCount(), 5);  // UNI-T UT71A to UT71E
}

}  // namespace
}  // namespace kelvor
