// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/text/MessageTexts.h"

#include <iterator>
#include <vector>

#include "core/settings/InterfaceLanguage.h"

namespace kelvor {

namespace {

struct Texts {
  MessageId id;
  const char* german;
  const char* english;
};

// In the order of MessageId.
constexpr Texts Table[] = {
    {MessageId::SaveFailed,
     "Die Datei %1 konnte nicht gespeichert werden:\n%2\n"
     "Eine vorhandene Datei dieses Namens ist unverändert.",
     "The file %1 could not be saved:\n%2\nAn existing file of this name is unchanged."},
    {MessageId::OpenFailed, "Die Datei %1 kann nicht geöffnet werden:\n%2",
     "The file %1 cannot be opened:\n%2"},
    {MessageId::TooLarge,
     "Die Datei %1 ist zu groß für eine Messkurve (mehr als %2 MB).\nDer Kanal ist unverändert.",
     "The file %1 is too large for a trace (more than %2 MB).\nThe channel is unchanged."},
    {MessageId::NotLoaded,
     "Die Datei %1 wurde nicht geladen.\nZeile %2: %3\nDer Kanal ist unverändert.",
     "The file %1 was not loaded.\nLine %2: %3\nThe channel is unchanged."},
    {MessageId::EmptyFile, "Die Datei ist leer.", "The file is empty."},
    {MessageId::NoSeparator, "Das Trennzeichen \"%1\" fehlt.", "The separator \"%1\" is missing."},
    {MessageId::NotANumber, "\"%1\" ist keine Zahl.", "\"%1\" is not a number."},
    {MessageId::OutOfRange, "\"%1\" liegt außerhalb des Zahlenbereichs.",
     "\"%1\" is out of range."},
    {MessageId::LinesLeftOut,
     "Die Datei %1 enthält mehr Messwerte, als ein Kanal fasst.\n"
     "Geladen wurden die ersten %2, die übrigen %3 wurden ausgelassen.",
     "The file %1 holds more samples than a channel can take.\n"
     "The first %2 were loaded, the remaining %3 were left out."},
    {MessageId::NoPrinterInstalled, "Es ist kein Drucker installiert.", "No printer is installed."},
    {MessageId::PrinterUnavailable, "Der Drucker ist nicht verfügbar.",
     "The printer is not available."},
    {MessageId::PrintJobNotStarted, "Der Druckauftrag konnte nicht begonnen werden.",
     "The print job could not be started."},
    {MessageId::PrintJobNotFinished, "Der Druckauftrag konnte nicht abgeschlossen werden.",
     "The print job could not be completed."},
    {MessageId::PdfFile, "PDF-Datei", "PDF file"},
    {MessageId::PdfFileFilter, "PDF-Dateien (*.pdf)", "PDF files (*.pdf)"},
    {MessageId::FileFilter, "Kelvor-Dateien(*.kvr)|*.kvr|Alle Dateien(*.*)|*.*",
     "Kelvor-Files(*.kvr)|*.kvr|All Files(*.*)|*.*"},
    {MessageId::TitleAnswering, "Kelvor – %1", "Kelvor – %1"},
    {MessageId::TitleNoAnswer, "Kelvor – %1: keine Antwort", "Kelvor – %1: no answer"},
    {MessageId::TitleRetrying, "Kelvor – %1: getrennt, neuer Versuch",
     "Kelvor – %1: disconnected, retrying"},
    {MessageId::TitleNotOpen, "Kelvor – %1: nicht geöffnet", "Kelvor – %1: not open"},
    {MessageId::TitleAlarm, "Kelvor – %1: Alarm", "Kelvor – %1: Alarm"},
    {MessageId::MeterDetails, "Gerät: %1\nBaudrate: %2\nMessgerät: %4\nLetzte Antwort: %3",
     "Device: %1\nBaud rate: %2\nMeter: %4\nLast answer: %3"},
    {MessageId::OneFrameMeter, "eine Anzeige", "one display"},
    {MessageId::FourFrameMeter, "vier Anzeigen", "four displays"},
    {MessageId::PortChoiceHint, "Den Port unter Datei → COM-Port wählen.",
     "Choose the port under File → COM port."},
    {MessageId::NoSerialPort,
     "Es wurde keine serielle Schnittstelle gefunden.\nEin USB-Adapter muss angesteckt werden.",
     "No serial port was found.\nA USB adapter needs to be plugged in."},
    {MessageId::NamedMeter, "%1", "%1"},
    {MessageId::ChannelStats,
     "Messwerte: %1 (Lücken: %2)\nMinimum: %3\nMaximum: %4\nMittelwert: %5\nZeit: %6 s bis %7 s",
     "Samples: %1 (gaps: %2)\nMinimum: %3\nMaximum: %4\nMean: %5\nTime: %6 s to %7 s"},
    {MessageId::NoSamples, "Keine Messwerte", "No samples"},
    {MessageId::ChannelGreen, "grün", "green"},
    {MessageId::ChannelRed, "rot", "red"},
    {MessageId::ChannelMagenta, "magenta", "magenta"},
    {MessageId::ChannelBlue, "blau", "blue"},
    {MessageId::ChannelCyan, "cyan", "cyan"},
    {MessageId::ChannelYellow, "gelb", "yellow"},
    {MessageId::JournalFailed,
     "Die Aufzeichnung %1 kann nicht geschrieben werden:\n%2\n"
     "Die Messung läuft im Speicher weiter.",
     "The recording %1 cannot be written:\n%2\nThe measurement goes on in memory."},
    {MessageId::JournalRecovered,
     "Die Aufzeichnung vom %1 endete unerwartet; sie enthält %2 Messwerte.\n"
     "In Kanal %3 (%5) laden?\n(%4)",
     "The recording of %1 ended unexpectedly; it holds %2 readings.\n"
     "Load it into channel %3 (%5)?\n(%4)"},
    {MessageId::NotAJournalRow, "Die Zeile ist keine Zeile einer Aufzeichnung.",
     "The line is not a row of a recording."},
    {MessageId::PublishOff, "Aus", "Off"},
    {MessageId::PublishConnecting, "Verbinde mit %1 …", "Connecting to %1 …"},
    {MessageId::PublishConnected, "Verbunden mit %1", "Connected to %1"},
    {MessageId::PublishWaiting, "%2 Neuer Versuch in %1 s.", "%2 Retrying in %1 s."},
    {MessageId::PublishUnreachable, "Der Broker %1 ist nicht erreichbar (%2).",
     "The broker %1 cannot be reached (%2)."},
    {MessageId::PublishUnknownHost, "Der Rechner %1 ist unbekannt.", "The host %1 is unknown."},
    {MessageId::PublishLogin,
     "Der Broker %1 hat die Anmeldung abgelehnt (%2). Benutzername und Passwort prüfen.",
     "The broker %1 refused the login (%2). Check the user name and password."},
    {MessageId::PublishCertificate,
     "Das Zertifikat des Brokers %1 wurde nicht anerkannt (%2). CA-Datei prüfen.",
     "The certificate of the broker %1 was not accepted (%2). Check the CA file."},
    {MessageId::PublishRefused,
     "Der Broker %1 hat die Verbindung abgewiesen (%2). Rechner und Port prüfen.",
     "The broker %1 refused the connection (%2). Check the host and port."},
    {MessageId::PublishCaFile, "Die CA-Datei %1 kann nicht gelesen werden (%2).",
     "The CA file %1 cannot be read (%2)."},
    {MessageId::PublishWildcard, "Das Thema %1 darf weder # noch + enthalten.",
     "The topic %1 must contain neither # nor +."},
    {MessageId::PublishFailed,
     "Veröffentlichen: %1\nDie Messung läuft weiter; Kelvor versucht es in wachsenden "
     "Abständen erneut.",
     "Publishing: %1\nThe measurement goes on; Kelvor tries again at growing intervals."},
};

constexpr bool everyIdInOrder() {
  for (std::size_t i = 0; i < std::size(Table); ++i)
    if (static_cast<std::size_t>(Table[i].id) != i) return false;
  return std::size(Table) == static_cast<std::size_t>(MessageId::PublishFailed) + 1;
}
static_assert(everyIdInOrder(), "one text pair per MessageId, in its order");

}  // namespace

std::string messageText(const Message& message, int langCode) {
  const Texts& texts = Table[static_cast<std::size_t>(message.id)];
  const std::string pattern = InterfaceLanguage::isEnglish(langCode) ? texts.english : texts.german;
  std::vector<std::string> args = message.args;
  for (const Message& part : message.parts) args.push_back(messageText(part, langCode));
  std::string text;
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    const char digit = i + 1 < pattern.size() ? pattern[i + 1] : '\0';
    const auto n = static_cast<std::size_t>(digit - '1');  // %1 is args[0]
    if (pattern[i] == '%' && digit >= '1' && digit <= '9' && n < args.size()) {
      text += args[n];
      ++i;
    } else {
      text += pattern[i];
    }
  }
  return text;
}

}  // namespace kelvor
