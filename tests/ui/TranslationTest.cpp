// SPDX-License-Identifier: GPL-3.0-or-later
// The texts in the interface language, from the catalogues: captions, the about box's
// licence, messages; and a catalogue that brackets every text leaves no text of the windows,
// dialogs and messages without the brackets but those that are no language.
#include <gtest/gtest.h>
#include <QAbstractButton>
#include <QApplication>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>
#include <initializer_list>
#include <tuple>

#include "core/acquisition/MeterState.h"
#include "core/files/TraceFileMessages.h"
#include "core/record/RecordTexts.h"
#include "core/settings/InterfaceLanguage.h"
#include "platform/MessageTexts.h"
#include "platform/ProgramCatalogue.h"
#include "support/FakeClock.h"
#include "ui/commands/TraceFileCommands.h"
#include "ui/common/Captions.h"
#include "ui/dialogs/AboutDialog.h"
#include "ui/dialogs/ChannelsDialog.h"
#include "ui/dialogs/MessageBox.h"
#include "ui/dialogs/PortDialog.h"
#include "ui/dialogs/PrinterDialog.h"
#include "ui/dialogs/PublishDialog.h"
#include "ui/mainwindow/MainControls.h"
#include "ui/mainwindow/MainWindow.h"
#include "ui/plot/ReviewWindow.h"
#include "ui/printing/PrintCommands.h"
#include "ui/printing/PrinterChoice.h"

namespace kelvor {
namespace {

TEST(Translation, CaptionsFollowTheInstalledCatalogue) {
  for (const auto& [langCode, main, printer, licence] :
       {std::tuple{0, "&Löschen", "&Einstellungen", "Lizenz: GNU General Public License, "},
        {1, "&Erase", "&Settings", "Licence: GNU General Public License, "},
        {2, "&Erase", "&Settings", "Licence: GNU General Public License, "}}) {
    SCOPED_TRACE(langCode);
    ASSERT_TRUE(ProgramCatalogue::install(langCode));
    QMainWindow window;
    EXPECT_EQ(MainControls::build(&window).recording.clearButton->text(), QString::fromUtf8(main));
    QLabel known(QString::fromUtf8("&Löschen")), unknown(QStringLiteral("&Unbekannt"));
    EXPECT_EQ(translateCaptions({&known, &unknown}, MainControls::TextContext),
              langCode == 0 ? QStringList() : QStringList(unknown.text()));
    PrintOptions options;
    PrinterChoice choice;
    EXPECT_EQ(PrinterDialog(options, choice).printerSettingsButton->text(),
              QString::fromUtf8(printer));
    const QString about = AboutDialog().licenceLabel->text();
    EXPECT_TRUE(about.startsWith(QString::fromUtf8(licence))) << about.toStdString();
    EXPECT_TRUE(about.endsWith(QLatin1String(AboutDialog::LicencePage)));
  }
  ProgramCatalogue::install(InterfaceLanguage::German);
}

// Arguments in their places (a "%2" in a file name stays), a load's problem inside its message.
TEST(Translation, MessagesInEitherLanguage) {
  using K = TraceFileProblem::Kind;
  const auto notLoaded = [](K kind, const char* field) {
    return TraceFileMessages::notLoaded("f", ";", TraceFileProblem{kind, 2, field});
  };
  const PortConfig fourFrames{1, 9600, MeterKind::FourFrames};
  JournalRow reading, overload;
  reading.value = 0.75f, reading.unit = "V", reading.status = ReadingStatus::Ok;
  overload.status = ReadingStatus::Overload;
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
      {meterTitle(MeterCondition::NotOpen, 3), 0, "Kelvor – COM3: nicht geöffnet"},
      {meterTitle(MeterCondition::Answering, 1, true), 0, "Kelvor – COM1: Alarm"},
      {meterTitle({{"COM1", MeterCondition::NoAnswer}}, true), 1, "Kelvor – COM1: no answer"},
      {meterTitle({"COM3", MeterCondition::NoValidFrame, "fs9922"}), 1,
       "Kelvor – COM3: data arrives, but no valid fs9922 frame: another meter or rate?"},
      {meterTitle({{"COM1", MeterCondition::Answering},
                   {"COM2", MeterCondition::NoValidFrame, "ut71x"},
                   {"tcp://h:4001", MeterCondition::Retrying}}),
       0, "Kelvor – COM1, COM2 (kein gültiger ut71x-Rahmen), tcp://h:4001 (getrennt)"},
      {meterTitle({{"COM1", MeterCondition::NotOpen}, {"COM2", MeterCondition::Answering}}, true),
       1, "Kelvor – COM1 (not open), COM2: Alarm"},
      {Message(MessageId::PortChoiceHint), 1, "Choose the port under File → COM port."},
      // kelvor-record's console lines on a meter that falls silent, is lost and comes back.
      {RecordTexts::meterLine({"COM1", MeterCondition::NoAnswer}), 1, "COM1: no answer"},
      {RecordTexts::meterLine({"COM2", MeterCondition::Retrying}), 1,
       "COM2: disconnected, retrying"},
      {RecordTexts::meterLine({"COM1", MeterCondition::Answering}), 0, "COM1: antwortet wieder"},
      {Message(MessageId::JournalRecovered, {"s", "9", "2", "f"}, {Message(MessageId::ChannelRed)}),
       0,
       "Die Aufzeichnung vom s endete unerwartet; sie enthält 9 Messwerte.\n"
       "In Kanal 2 (rot) laden?\n(f)"},
      {meterDetails(fourFrames, "/dev/ttyUSB0", 0), 1,
       "Device: /dev/ttyUSB0\nBaud rate: 9600\nMeter: four displays\nLast answer: -- : -- : --"},
      {meterDetails({1, 19200, MeterKind::OneFrame, "uni-t-ut61e"}, "/dev/ttyUSB0", 0), 0,
       "Gerät: /dev/ttyUSB0\nBaudrate: 19200\nMessgerät: UNI-T UT61E\nLetzte Antwort: -- : -- : "
       "--"},
      {RecordTexts::progressLine(RecordTexts::readingText(reading, '.'), 42, 90061000, 61999,
                                 "/r/a.csv.part"),
       1, "0.75 V | 42 readings | 25:01:01 elapsed | 00:01:01 left | /r/a.csv.part"},
      {RecordTexts::progressLine(RecordTexts::readingText(overload, ','), 1, 0, -1, "-"), 0,
       "OL | 1 Messwerte | 00:00:00 vergangen | -"},
      {Message(MessageId::SettingRefused, {},
               {Message(MessageId::SettingParity), Message(MessageId::ParityNone),
                Message(MessageId::ParityEven)}),
       1, "the server refused parity none (server: even)"}};
  for (const auto& [message, langCode, text] : cases) {
    ASSERT_TRUE(ProgramCatalogue::install(langCode));
    EXPECT_EQ(messageText(message), text) << langCode;
  }
  ProgramCatalogue::install(InterfaceLanguage::German);
}

// The English catalogue with each translation replaced by its source in brackets.
QString pseudoCatalogue(const QTemporaryDir& dir) {
  QFile english(QStringLiteral(KELVOR_TRANSLATIONS "/kelvor_en.ts"));
  if (!english.open(QIODevice::ReadOnly)) return {};
  QString ts = QString::fromUtf8(english.readAll());
  static const QRegularExpression message(
      QStringLiteral("<source>(.*?)</source>(.*?)<translation[^>]*>.*?</translation>"),
      QRegularExpression::DotMatchesEverythingOption);
  ts.replace(message, QStringLiteral("<source>\\1</source>\\2<translation>[\\1]</translation>"));
  const QString source = dir.filePath("pseudo.ts"), catalogue = dir.filePath("pseudo.qm");
  QFile out(source);
  if (!out.open(QIODevice::WriteOnly) || out.write(ts.toUtf8()) < 0) return {};
  out.close();
  const int status = QProcess::execute(KELVOR_LRELEASE, {"-silent", source, "-qm", catalogue});
  return status == 0 ? catalogue : QString();
}

// Numbers, times, units, the program's name and address, and the placeholders that the
// program fills in before anyone reads them.
bool isNoLanguage(const QString& text) {
  static const QRegularExpression numbers(
      QStringLiteral("^(t )?[-+0-9 .,:;/<>=%()…]*(s / Pixel)?$"));
  static const QStringList names = {
      QStringLiteral("Kelvor"), QStringLiteral("MOhm"), QStringLiteral("t  -->"),
      QStringLiteral("PNG (*.png)|SVG (*.svg)"), QString::fromLatin1(AboutDialog::HomePage)};
  return numbers.match(text).hasMatch() || names.contains(text) ||
         text.startsWith(QStringLiteral("Kelvor V")) || text.startsWith(QStringLiteral("Build "));
}

void addMenuTexts(const QList<QAction*>& actions, QStringList& texts) {
  for (const QAction* action : actions) {
    if (action->isSeparator()) continue;
    texts << action->text();
    if (action->menu()) addMenuTexts(action->menu()->actions(), texts);
  }
}

// A standard button still showing Qt's own text, which Qt's catalogues translate.
bool isQtButton(const QAbstractButton* button) {
  const auto* box = qobject_cast<const QDialogButtonBox*>(button->parentWidget());
  const QDialogButtonBox::StandardButton kind =
      box ? box->standardButton(const_cast<QAbstractButton*>(button)) : QDialogButtonBox::NoButton;
  return kind != QDialogButtonBox::NoButton &&
         QDialogButtonBox(kind).button(kind)->text() == button->text();
}

// The texts of a window that are not marked: captions of its visible controls, its title,
// its menus; of a file dialog its title and filters (the rest is Qt's).
std::string unmarked(QWidget* top) {
  top->show();
  QStringList texts{top->windowTitle()};
  if (const auto* files = qobject_cast<const QFileDialog*>(top)) {
    if (files->windowTitle() == QFileDialog(nullptr).windowTitle()) texts.clear();  // Qt's
    texts << files->nameFilters().join('|');
  }
  for (const QWidget* widget : top->findChildren<QWidget*>()) {
    if (!widget->isVisibleTo(top) || qobject_cast<const QFileDialog*>(top)) continue;
    if (const auto* label = qobject_cast<const QLabel*>(widget)) texts << label->text();
    if (const auto* button = qobject_cast<const QAbstractButton*>(widget))
      if (!isQtButton(button)) texts << button->text();
    if (const auto* frame = qobject_cast<const QGroupBox*>(widget)) texts << frame->title();
    if (const auto* bar = qobject_cast<const QMenuBar*>(widget))
      addMenuTexts(bar->actions(), texts);
  }
  QStringList found;
  for (const QString& text : texts)
    if (!text.isEmpty() && !isNoLanguage(text) && !text.startsWith('[')) found << text;
  return found.join(QStringLiteral(" | ")).toStdString();
}

TEST(PseudoTranslation, EveryVisibleTextCarriesTheMark) {
  QTemporaryDir dir;
  ASSERT_TRUE(ProgramCatalogue::installFile(pseudoCatalogue(dir)));
  testing::FakeClock clock{0};
  ProgramContext context;
  MainWindow window(context, clock);
  PortConfig config;
  PortDialog portDialog(config, {{1, "/dev/ttyUSB0", "USB UART"}}, &window);
  PrintOptions options;
  PrinterChoice printers;
  PrinterDialog printerDialog(options, printers, &window);
  AboutDialog about(&window);
  PublishSettings publishing;
  PublishDialog publish(publishing, QStringLiteral("kelvor/COM1"), &window);
  ReviewWindow review(',', &window);
  std::vector<ChannelBinding> bindings(6);
  bindings[0].source = ChannelBinding::Source::Meter;
  ChannelsDialog channels(bindings, {}, &window);
  for (QWidget* shown : std::initializer_list<QWidget*>{&window, &portDialog, &printerDialog,
                                                        &about, &publish, &review, &channels})
    EXPECT_EQ(unmarked(shown), "") << shown->objectName().toStdString();
  TraceFileCommands files(window.traces(), window.recording(), window.recorder(), window.scope(),
                          context, &window);
  const auto click = [&review](const char* button) {
    return [&review, button] { review.findChild<QPushButton*>(button)->click(); };
  };
  for (const auto& [what, open] : std::vector<std::pair<const char*, std::function<void()>>>{
           {"save", [&files] { files.onSaveClicked(0); }},
           {"load", [&files] { files.onLoadClicked(0); }},
           {"review", [&window] { window.controls().menus.reviewItem->trigger(); }},
           {"review picture", click("cmdSavePicture")},
           {"review rows", click("cmdSaveRows")},
           {"PDF", [&window] { PrintCommands::askPdfFileName(&window); }},
           {"message box", [&window] { MessageBox::warning(&window, "[?]"); }}}) {
    // The unmarked texts of the modal window that `open` shows; the window is closed again.
    std::string found = "no window opened";
    QTimer::singleShot(0, [&found] {
      if (QWidget* modal = QApplication::activeModalWidget())
        found = unmarked(modal), modal->close();
    });
    open();
    EXPECT_EQ(found, "") << what;
  }
  // What message boxes, titles and tips say.
  for (int id = 0; id <= static_cast<int>(LastMessageId); ++id)
    EXPECT_TRUE(messageText(Message(static_cast<MessageId>(id))).front() == '[') << id;
  ProgramCatalogue::install(InterfaceLanguage::German);
}

}  // namespace
}  // namespace kelvor
