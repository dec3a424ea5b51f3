// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/dialogs/ChannelsDialog.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <tuple>

#include "ui/commands/ChannelSettings.h"

namespace kelvor {
namespace {

using Source = ChannelBinding::Source;

auto key(const ChannelBinding& b) {
  return std::tuple(b.source, b.port.ComPort, b.port.ComBaud, b.port.Meter, b.calculation);
}

// Channel 1 reads a meter on COM2, channel 4 one on COM9, which is not present. Each case
// binds channel 2 and 3 anew: OK takes a meter and a calculation; a calculation that is none,
// reads an unbound channel or itself, or a port already bound keeps the dialog open, names
// the channel and changes nothing; Cancel changes nothing.
TEST(ChannelDialog, OkTakesMetersAndCalculationsOrSaysWhatIsWrong) {
  // Channel 2's source and port, channel 3's source and calculation, whether OK takes them,
  // the beginning of the refusal's message.
  const std::vector<std::tuple<Source, int, Source, QString, bool, QString>> cases = {
      {Source::Meter, 3, Source::Calculation, "W=1*2", true, ""},
      {Source::None, 0, Source::Calculation, "W=1x2", false, QString::fromUtf8("Kanal 3: „W=1x2“")},
      {Source::None, 0, Source::Calculation, " W = 1*2", false, "Kanal 3: W=1*2: Kanal 2 gibt"},
      {Source::Meter, 3, Source::Calculation, "Ah=int(3)", false, "Kanal 3: Ah=int(3): Die Rech"},
      {Source::Meter, 2, Source::None, "", false, "Kanal 2: Dieses Messgerät speist schon Kanal 1"},
      {Source::Meter, 3, Source::Calculation, "W=1*2", false, ""}};  // Cancel
  const std::vector<PresentPort> ports = {{2, "/dev/ttyUSB0", ""}, {3, "/dev/ttyUSB1", ""}};
  for (const auto& [second, secondPort, third, calc, ok, problem] : cases) {
    SCOPED_TRACE(calc.toStdString());
    std::vector<ChannelBinding> bindings(6);
    bindings[0] = {Source::Meter, {2, 2400, MeterKind::OneFrame, "fs9721"}, ""};
    bindings[3] = {Source::Meter, {9, 1200, MeterKind::FourFrames}, ""};
    const std::vector<ChannelBinding> before = bindings;
    ChannelsDialog d(bindings, ports);
    d.show();
    const auto combo = [&d](const char* name, int channel) {
      return d.findChild<QComboBox*>(QStringLiteral("%1%2").arg(name).arg(channel));
    };
    EXPECT_EQ(combo("cboPort", 4)->currentText(), "COM9 (nicht vorhanden)");
    combo("cboSource", 2)->setCurrentIndex(static_cast<int>(second));
    combo("cboPort", 2)->setCurrentIndex(combo("cboPort", 2)->findData(secondPort));
    combo("cboMeter", 2)->setCurrentIndex(combo("cboMeter", 2)->findData("uni-t-ut61e"));
    combo("cboSource", 3)->setCurrentIndex(static_cast<int>(third));
    d.findChild<QLineEdit*>("txtCalc3")->setText(calc);
    EXPECT_EQ(std::pair(combo("cboPort", 3)->isEnabled(), combo("cboBaud", 2)->currentText()),
              std::pair(false, QStringLiteral("19200")));
    (ok || !problem.isEmpty() ? d.okButton : d.cancelButton)->click();
    EXPECT_EQ(d.isVisible() ? d.problemLabel->text().left(problem.size()) : "", problem);
    std::vector<ChannelBinding> expected = before;
    if (ok) {
      expected[1] = {Source::Meter, {3, 19200, MeterKind::OneFrame, "uni-t-ut61e"}, ""};
      expected[2] = {Source::Calculation, {}, "W=1*2"};
    }
    for (std::size_t i = 0; i < expected.size(); ++i)
      EXPECT_EQ(key(bindings[i]), key(expected[i])) << i;
  }
}

// The command reports a change only: OK on the bindings as they were is none.
TEST(ChannelDialog, RunReportsAChangeOnly) {
  std::vector<ChannelBinding> bindings(6);
  QTimer::singleShot(
      0, [] { QApplication::activeModalWidget()->findChild<QPushButton*>("cmdOK")->click(); });
  EXPECT_FALSE(runChannelSettings(nullptr, bindings, PortScanner("/nonexistent", "/nonexistent")));
}

}  // namespace
}  // namespace kelvor
