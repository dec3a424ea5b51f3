// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/MessageTexts.h"

#include <iterator>
#include <vector>

#include <QCoreApplication>

namespace kelvor {

namespace {

struct Texts {
  MessageId id;
  const char* text;  // German, marked for the catalogues
};

// In the order of MessageId.
constexpr Texts Table[] = {
    {MessageId::SaveFailed,
     QT_TRANSLATE_NOOP("kelvor::Message",
                       "Die Datei %1 konnte nicht gespeichert werden:\n%2\n"
                       "Eine vorhandene Datei dieses Namens ist unverändert.")},
    {MessageId::OpenFailed,
     QT_TRANSLATE_NOOP("kelvor::Message", "Die Datei %1 kann nicht geöffnet werden:\n%2")},
    {MessageId::TooLarge, QT_TRANSLATE_NOOP("kelvor::Message",
                                            "Die Datei %1 ist zu groß für eine Messkurve (mehr als "
                                            "%2 MB).\nDer Kanal ist unverändert.")},
    {MessageId::NotLoaded,
     QT_TRANSLATE_NOOP(
         "kelvor::Message",
         "Die Datei %1 wurde nicht geladen.\nZeile %2: %3\nDer Kanal ist unverändert.")},
    {MessageId::EmptyFile, QT_TRANSLATE_NOOP("kelvor::Message", "Die Datei ist leer.")},
    {MessageId::NoSeparator,
     QT_TRANSLATE_NOOP("kelvor::Message", "Das Trennzeichen \"%1\" fehlt.")},
    {MessageId::NotANumber, QT_TRANSLATE_NOOP("kelvor::Message", "\"%1\" ist keine Zahl.")},
    {MessageId::OutOfRange,
     QT_TRANSLATE_NOOP("kelvor::Message", "\"%1\" liegt außerhalb des Zahlenbereichs.")},
    {MessageId::LinesLeftOut,
     QT_TRANSLATE_NOOP("kelvor::Message",
                       "Die Datei %1 enthält mehr Messwerte, als ein Kanal fasst.\n"
                       "Geladen wurden die ersten %2, die übrigen %3 wurden ausgelassen.")},
    {MessageId::NoPrinterInstalled,
     QT_TRANSLATE_NOOP("kelvor::Message", "Es ist kein Drucker installiert.")},
    {MessageId::PrinterUnavailable,
     QT_TRANSLATE_NOOP("kelvor::Message", "Der Drucker ist nicht verfügbar.")},
    {MessageId::PrintJobNotStarted,
     QT_TRANSLATE_NOOP("kelvor::Message", "Der Druckauftrag konnte nicht begonnen werden.")},
    {MessageId::PrintJobNotFinished,
     QT_TRANSLATE_NOOP("kelvor::Message", "Der Druckauftrag konnte nicht abgeschlossen werden.")},
    {MessageId::PdfFile, QT_TRANSLATE_NOOP("kelvor::Message", "PDF-Datei")},
    {MessageId::PdfFileFilter, QT_TRANSLATE_NOOP("kelvor::Message", "PDF-Dateien (*.pdf)")},
    {MessageId::FileFilter,
     QT_TRANSLATE_NOOP("kelvor::Message", "Kelvor-Dateien(*.kvr)|*.kvr|Alle Dateien(*.*)|*.*")},
    {MessageId::TitleAnswering, QT_TRANSLATE_NOOP("kelvor::Message", "Kelvor – %1")},
    {MessageId::TitleNoAnswer, QT_TRANSLATE_NOOP("kelvor::Message", "Kelvor – %1: keine Antwort")},
    {MessageId::TitleRetrying,
     QT_TRANSLATE_NOOP("kelvor::Message", "Kelvor – %1: getrennt, neuer Versuch")},
    {MessageId::TitleNotOpen, QT_TRANSLATE_NOOP("kelvor::Message", "Kelvor – %1: nicht geöffnet")},
    {MessageId::TitleAlarm, QT_TRANSLATE_NOOP("kelvor::Message", "Kelvor – %1: Alarm")},
    {MessageId::StateNoAnswer, QT_TRANSLATE_NOOP("kelvor::Message", "keine Antwort")},
    {MessageId::StateRetrying, QT_TRANSLATE_NOOP("kelvor::Message", "getrennt")},
    {MessageId::StateNotOpen, QT_TRANSLATE_NOOP("kelvor::Message", "nicht geöffnet")},
    {MessageId::StateNoValidFrame, QT_TRANSLATE_NOOP("kelvor::Message", "kein gültiger %1-Rahmen")},
    {MessageId::TitleNoValidFrame,
     QT_TRANSLATE_NOOP("kelvor::Message",
                       "Kelvor – %1: Daten kommen, aber kein gültiger "
                       "%2-Rahmen: anderes Messgerät oder andere Baudrate?")},
    {MessageId::MeterListed, QT_TRANSLATE_NOOP("kelvor::Message", "%1, %2")},
    {MessageId::MeterInState, QT_TRANSLATE_NOOP("kelvor::Message", "%1 (%2)")},
    {MessageId::MeterDetails,
     QT_TRANSLATE_NOOP("kelvor::Message",
                       "Gerät: %1\nBaudrate: %2\nMessgerät: %4\nLetzte Antwort: %3")},
    {MessageId::OneFrameMeter, QT_TRANSLATE_NOOP("kelvor::Message", "eine Anzeige")},
    {MessageId::FourFrameMeter, QT_TRANSLATE_NOOP("kelvor::Message", "vier Anzeigen")},
    {MessageId::PortChoiceHint,
     QT_TRANSLATE_NOOP("kelvor::Message", "Den Port unter Datei → COM-Port wählen.")},
    {MessageId::LineRefused,
     QT_TRANSLATE_NOOP("kelvor::Message", "Die Schnittstelle lehnt die Einstellung %1 ab: %2")},
    {MessageId::RateUnknown,
     QT_TRANSLATE_NOOP("kelvor::Message", "Die Baudrate %1 lässt sich nicht einstellen.")},
    {MessageId::NoSerialPort,
     QT_TRANSLATE_NOOP("kelvor::Message",
                       "Es wurde keine serielle Schnittstelle gefunden.\nEin USB-Adapter muss "
                       "angesteckt werden.")},
    {MessageId::NamedMeter, QT_TRANSLATE_NOOP("kelvor::Message", "%1")},
    {MessageId::ChannelStats, QT_TRANSLATE_NOOP("kelvor::Message",
                                                "Messwerte: %1 (Lücken: %2)\nMinimum: %3\nMaximum: "
                                                "%4\nMittelwert: %5\nZeit: %6 s bis %7 s")},
    {MessageId::NoSamples, QT_TRANSLATE_NOOP("kelvor::Message", "Keine Messwerte")},
    {MessageId::ChannelGreen, QT_TRANSLATE_NOOP("kelvor::Message", "grün")},
    {MessageId::ChannelRed, QT_TRANSLATE_NOOP("kelvor::Message", "rot")},
    {MessageId::ChannelMagenta, QT_TRANSLATE_NOOP("kelvor::Message", "magenta")},
    {MessageId::ChannelBlue, QT_TRANSLATE_NOOP("kelvor::Message", "blau")},
    {MessageId::ChannelCyan, QT_TRANSLATE_NOOP("kelvor::Message", "cyan")},
    {MessageId::ChannelYellow, QT_TRANSLATE_NOOP("kelvor::Message", "gelb")},
    {MessageId::JournalFailed,
     QT_TRANSLATE_NOOP("kelvor::Message",
                       "Die Aufzeichnung %1 kann nicht geschrieben werden:\n%2\n"
                       "Die Messung läuft im Speicher weiter.")},
    {MessageId::JournalStillOpen,
     QT_TRANSLATE_NOOP("kelvor::Message",
                       "Die Aufzeichnung %1 ist noch offen: ihr Datenträger antwortet seit %2 "
                       "Sekunden nicht.\nDie Messwerte bis hierher stehen in dieser Datei, soweit "
                       "der Datenträger sie angenommen hat.")},
    {MessageId::LiveMarker, QT_TRANSLATE_NOOP("kelvor::Message", "Live")},
    {MessageId::PausedMarker, QT_TRANSLATE_NOOP("kelvor::Message", "Angehalten")},
    {MessageId::PausedWithValue, QT_TRANSLATE_NOOP("kelvor::Message", "Angehalten: %1")},
    {MessageId::JournalRecovered,
     QT_TRANSLATE_NOOP("kelvor::Message",
                       "Die Aufzeichnung vom %1 endete unerwartet; sie enthält %2 Messwerte.\n"
                       "In Kanal %3 (%5) laden?\n(%4)")},
    {MessageId::NotAJournalRow,
     QT_TRANSLATE_NOOP("kelvor::Message", "Die Zeile ist keine Zeile einer Aufzeichnung.")},
    {MessageId::JournalRowsLeftOut,
     QT_TRANSLATE_NOOP("kelvor::Message",
                       "%1: %2 Zeile(n) ausgelassen, die nicht sind, wie Kelvor sie schreibt: %3")},
    {MessageId::PublishOff, QT_TRANSLATE_NOOP("kelvor::Message", "Aus")},
    {MessageId::PublishConnecting, QT_TRANSLATE_NOOP("kelvor::Message", "Verbinde mit %1 …")},
    {MessageId::PublishConnected, QT_TRANSLATE_NOOP("kelvor::Message", "Verbunden mit %1")},
    {MessageId::PublishWaiting, QT_TRANSLATE_NOOP("kelvor::Message", "%2 Neuer Versuch in %1 s.")},
    {MessageId::PublishUnreachable,
     QT_TRANSLATE_NOOP("kelvor::Message", "Der Broker %1 ist nicht erreichbar (%2).")},
    {MessageId::PublishUnknownHost,
     QT_TRANSLATE_NOOP("kelvor::Message", "Der Rechner %1 ist unbekannt.")},
    {MessageId::PublishLogin,
     QT_TRANSLATE_NOOP(
         "kelvor::Message",
         "Der Broker %1 hat die Anmeldung abgelehnt (%2). Benutzername und Passwort prüfen.")},
    {MessageId::PublishCertificate,
     QT_TRANSLATE_NOOP(
         "kelvor::Message",
         "Das Zertifikat des Brokers %1 wurde nicht anerkannt (%2). CA-Datei prüfen.")},
    {MessageId::PublishRefused,
     QT_TRANSLATE_NOOP(
         "kelvor::Message",
         "Der Broker %1 hat die Verbindung abgewiesen (%2). Rechner und Port prüfen.")},
    {MessageId::PublishCaFile,
     QT_TRANSLATE_NOOP("kelvor::Message", "Die CA-Datei %1 kann nicht gelesen werden (%2).")},
    {MessageId::PublishWildcard,
     QT_TRANSLATE_NOOP("kelvor::Message", "Das Thema %1 darf weder # noch + enthalten.")},
    {MessageId::PublishFailed,
     QT_TRANSLATE_NOOP(
         "kelvor::Message",
         "Veröffentlichen: %1\nDie Messung läuft weiter; Kelvor versucht es in wachsenden "
         "Abständen erneut.")},
    {MessageId::NotACalculation,
     QT_TRANSLATE_NOOP("kelvor::Message",
                       "„%1“ ist keine Rechnung. Möglich sind Produkt, Quotient und Differenz "
                       "zweier Kanäle und das Integral eines Kanals über die Zeit, zum "
                       "Beispiel W=1*2, R=1/2, dU=1-2, Ah=int(2).")},
    {MessageId::CalculationNoSource,
     QT_TRANSLATE_NOOP("kelvor::Message", "%1: Kanal %2 gibt es nicht oder er hat keine Quelle.")},
    {MessageId::CalculationCircular,
     QT_TRANSLATE_NOOP("kelvor::Message", "%1: Die Rechnung hängt von sich selbst ab.")},
    {MessageId::RecordAlarm, QT_TRANSLATE_NOOP("kelvor::Message", "Alarm: %1 um %2")},
    {MessageId::RecordFirstAlarm,
     QT_TRANSLATE_NOOP("kelvor::Message", "Erster Alarm nach %1 der Aufzeichnung")},
    {MessageId::RecordSilent, QT_TRANSLATE_NOOP("kelvor::Message", "%1: keine Antwort")},
    {MessageId::RecordAnswering, QT_TRANSLATE_NOOP("kelvor::Message", "%1: antwortet wieder")},
    {MessageId::RecordRetrying,
     QT_TRANSLATE_NOOP("kelvor::Message", "%1: getrennt, neuer Versuch")},
    {MessageId::RecordNoValidFrame,
     QT_TRANSLATE_NOOP("kelvor::Message",
                       "%1: Daten kommen, aber kein gültiger %2-Rahmen: "
                       "anderes Messgerät oder andere Baudrate?")},
    {MessageId::RecordNothing,
     QT_TRANSLATE_NOOP("kelvor::Message",
                       "Nichts aufgezeichnet: kein Messgerät hat einen Messwert geliefert")},
    {MessageId::RecordOtherName,
     QT_TRANSLATE_NOOP("kelvor::Message", "%1 gibt es schon; die Aufzeichnung steht in %2")},
    {MessageId::RecordProgress,
     QT_TRANSLATE_NOOP("kelvor::Message", "%1 | %2 Messwerte | %3 vergangen | %4")},
    {MessageId::RecordProgressLeft,
     QT_TRANSLATE_NOOP("kelvor::Message",
                       "%1 | %2 Messwerte | %3 vergangen | %4 verbleibend | %5")},
    {MessageId::WaitingFor, QT_TRANSLATE_NOOP("kelvor::Message", "wartet auf %1")},
    {MessageId::RecordRuleStarted,
     QT_TRANSLATE_NOOP("kelvor::Message", "die Startbedingung ist erfüllt: Aufzeichnung läuft")},
    {MessageId::RecordRuleStopped,
     QT_TRANSLATE_NOOP("kelvor::Message", "die Stoppbedingung ist erfüllt: Aufzeichnung endet")},
    {MessageId::ScheduleNoTime,
     QT_TRANSLATE_NOOP("kelvor::Message",
                       "„%1“ ist keine Uhrzeit: erwartet wird HH:MM oder HH:MM:SS, etwa 22:00.")},
    {MessageId::ScheduleNoCondition,
     QT_TRANSLATE_NOOP("kelvor::Message",
                       "„%1“ ist keine Bedingung: erwartet wird etwa < 0,8 oder > 1,5.")},
    {MessageId::ScheduleNoDuration,
     QT_TRANSLATE_NOOP("kelvor::Message",
                       "„%1“ ist keine Dauer: erwartet wird etwa 90, 10s, 5m oder 8h.")},
    {MessageId::LineNotConfirmed,
     QT_TRANSLATE_NOOP("kelvor::Message",
                       "der Server hat die Leitungseinstellungen nicht bestätigt")},
    {MessageId::NoComPortOption,
     QT_TRANSLATE_NOOP("kelvor::Message",
                       "der Server stellt keine seriellen Leitungen ein (kein COM-PORT-OPTION)")},
    {MessageId::ControlNotConfirmed,
     QT_TRANSLATE_NOOP("kelvor::Message", "der Server hat DTR und RTS nicht bestätigt")},
    {MessageId::SettingRefused,
     QT_TRANSLATE_NOOP("kelvor::Message", "der Server hat %1 %2 abgelehnt (Server: %3)")},
    {MessageId::SettingBaudRate, QT_TRANSLATE_NOOP("kelvor::Message", "Baudrate")},
    {MessageId::SettingDataBits, QT_TRANSLATE_NOOP("kelvor::Message", "Datenbits")},
    {MessageId::SettingParity, QT_TRANSLATE_NOOP("kelvor::Message", "Parität")},
    {MessageId::SettingStopBits, QT_TRANSLATE_NOOP("kelvor::Message", "Stoppbits")},
    {MessageId::SettingDtr, QT_TRANSLATE_NOOP("kelvor::Message", "DTR")},
    {MessageId::SettingRts, QT_TRANSLATE_NOOP("kelvor::Message", "RTS")},
    {MessageId::ParityNone, QT_TRANSLATE_NOOP("kelvor::Message", "keine")},
    {MessageId::ParityOdd, QT_TRANSLATE_NOOP("kelvor::Message", "ungerade")},
    {MessageId::ParityEven, QT_TRANSLATE_NOOP("kelvor::Message", "gerade")},
    {MessageId::ParityMark, QT_TRANSLATE_NOOP("kelvor::Message", "Mark")},
    {MessageId::ParitySpace, QT_TRANSLATE_NOOP("kelvor::Message", "Space")},
    {MessageId::LineOn, QT_TRANSLATE_NOOP("kelvor::Message", "ein")},
    {MessageId::LineOff, QT_TRANSLATE_NOOP("kelvor::Message", "aus")},
    {MessageId::Verbatim, QT_TRANSLATE_NOOP("kelvor::Message", "%1")},
};

constexpr bool everyIdInOrder() {
  for (std::size_t i = 0; i < std::size(Table); ++i)
    if (static_cast<std::size_t>(Table[i].id) != i) return false;
  return std::size(Table) == static_cast<std::size_t>(LastMessageId) + 1;
}
static_assert(everyIdInOrder(), "one text per MessageId, in its order");

}  // namespace

std::string messageText(const Message& message) {
  const Texts& texts = Table[static_cast<std::size_t>(message.id)];
  const std::string pattern = QCoreApplication::translate(MessageContext, texts.text).toStdString();
  std::vector<std::string> args = message.args;
  for (const Message& part : message.parts) args.push_back(messageText(part));
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
