// SPDX-License-Identifier: GPL-3.0-or-later
// The captions and message texts chosen at run time by the interface language.
#include "ui/mainwindow/LanguageTexts.h"

#include <gtest/gtest.h>
#include <QMainWindow>
#include <QPushButton>
#include <tuple>

#include "core/acquisition/MeterState.h"
#include "core/files/TraceFileMessages.h"
#include "core/text/MessageTexts.h"
#include "ui/dialogs/frmPrtDlg.h"
#include "ui/mainwindow/MainControls.h"
#include "ui/printing/PrinterChoice.h"

namespace kelvor {
namespace {

TEST(LanguageTexts, EnglishCaptionsForLanguageCodesOneAndTwo) {
  for (const auto& [langCode, main, printer] : {std::tuple{0, "&Löschen", "&Einstellungen"},
                                                {1, "&Erase", "&Settings"},
                                                {2, "&Erase", "&Settings"}}) {
    SCOPED_TRACE(langCode);
    QMainWindow window;
    const MainControls controls = MainControls::build(&window);
    EXPECT_EQ(makeLang(controls, langCode), QStringList()) << "every name found its control";
    EXPECT_EQ(controls.cmdCLS->text(), QString::fromUtf8(main));
    PrintOptions options;
    PrinterChoice choice;
    EXPECT_EQ(frmPrtDlg(langCode, options, choice).cmdSettings->text(), QString::fromUtf8(printer));
  }
}

// Arguments in their places (a "%2" in a file name stays), a load's problem inside its message.
TEST(LanguageTexts, MessagesInEitherLanguage) {
  using K = TraceFileProblem::Kind;
  const auto notLoaded = [](K kind, const char* field) {
    return TraceFileMessages::notLoaded("f", ";", TraceFileProblem{kind, 2, field});
  };
  const PortConfig fourFrames{1, 9600, MeterKind::FourFrames};
  const std::vector<std::tuple<Message, int, std::string>> cases{
      {TraceFileMessages::tooLarge("a%2", (3 << 20) + 1023 * 1024), 2,
       "The file a%2 is too large for a trace (more than 3 MB).\nThe channel is unchanged."},
      {notLoaded(K::NotANumber, "x"), 1,
       "The file f was not loaded.\nLine 2: \"x\" is not a number.\nThe channel is unchanged."},
      {notLoaded(K::MissingSeparator, "x").parts[0], 0, "Das Trennzeichen \";\" fehlt."},
      {notLoaded(K::OutOfRange, "9").parts[0], 0, "\"9\" liegt außerhalb des Zahlenbereichs."},
      {notLoaded(K::EmptyFile, "x").parts[0], 1, "The file is empty."},
      {TraceFileMessages::linesLeftOut("f", 16000, 2), 0,
       "Die Datei f enthält mehr Messwerte, als ein Kanal fasst.\n"
       "Geladen wurden die ersten 16000, die übrigen 2 wurden ausgelassen."},
      {Message(MessageId::FileFilter), 0, "Kelvor-Dateien(*.kvr)|*.kvr|Alle Dateien(*.*)|*.*"},
      {meterTitle(MeterCondition::Retrying, 12), 1, "Kelvor – COM12: disconnected, retrying"},
      {meterTitle(MeterCondition::NotOpen, 3), 0, "Kelvor – COM3: nicht geöffnet"},
      {meterTitle(MeterCondition::Answering, 1, true), 0, "Kelvor – COM1: Alarm"},
      {meterTitle(MeterCondition::NoAnswer, 1, true), 1, "Kelvor – COM1: no answer"},
      {Message(MessageId::PortChoiceHint), 1, "Choose the port under File → COM port."},
      {Message(MessageId::JournalRecovered, {"s", "9", "2", "f"}, {Message(MessageId::ChannelRed)}),
       0,
       "Die Aufzeichnung vom s endete unerwartet; sie enthält 9 Messwerte.\n"
       "In Kanal 2 (rot) laden?\n(f)"},
      {meterDetails(fourFrames, "/dev/ttyUSB0", 0), 1,
       "Device: /dev/ttyUSB0\nBaud rate: 9600\nMeter: four displays\nLast answer: -- : -- : --"},
      {meterDetails({1, 19200, MeterKind::OneFrame, "uni-t-ut61e"}, "/dev/ttyUSB0", 0), 0,
       "Gerät: /dev/ttyUSB0\nBaudrate: 19200\nMessgerät: UNI-T UT61E\nLetzte Antwort: -- : -- : "
       "--"}};
  for (const auto& [message, langCode, text] : cases)
    EXPECT_EQ(messageText(message, langCode), text) << langCode;
}

}  // namespace
}  // namespace kelvor
