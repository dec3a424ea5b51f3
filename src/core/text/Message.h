// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace kelvor {

// What a message tells the user, independent of the interface language; the comments list
// its arguments (none where there is no comment).
enum class MessageId {
  SaveFailed,  // file, the system's reason
  OpenFailed,  // file, the system's reason
  TooLarge,    // file, the limit in MB
  NotLoaded,   // file, line; then the text of one of the four problems below
  EmptyFile,
  NoSeparator,   // the separator
  NotANumber,    // the field
  OutOfRange,    // the field
  LinesLeftOut,  // file, samples loaded, lines left out
  NoPrinterInstalled,
  PrinterUnavailable,
  PrintJobNotStarted,
  PrintJobNotFinished,
  PdfFile,         // the printer dialog's choice of printing into a file
  PdfFileFilter,   // its file dialog's filter
  FileFilter,      // the trace-file dialogs' filter
  TitleAnswering,  // port name: the main window's title while the meter answers
  TitleNoAnswer,   // port name
  TitleRetrying,   // port name
  TitleNotOpen,    // port name
  TitleAlarm,      // port name: the latest reading meets the armed alarm condition
  StateNoAnswer,   // a meter's condition in words, beside its port or its channel's value
  StateRetrying,
  StateNotOpen,
  StateNoValidFrame,  // the protocol family
  TitleNoValidFrame,  // port name, the protocol family
  MeterListed,        // several meters in the title: the first meter, then the list of the others
  MeterInState,       // port name, then its condition in words (one of the three above)
  MeterDetails,       // device, baud rate, time of the last answer; then the meter kind
  OneFrameMeter,
  FourFrameMeter,
  PortChoiceHint,  // the last line of a port's open failure
  LineRefused,     // the line ("1200 7N2"), the system's reason: the port refused it
  RateUnknown,     // the baud rate: not one the serial line can be set to
  NoSerialPort,    // the port dialog's empty list
  NamedMeter,      // a model or protocol family by name
  ChannelStats,    // samples, gaps, minimum, maximum, mean, first and last time in seconds
  NoSamples,
  ChannelGreen,  // the channels' colours, in channel order
  ChannelRed,
  ChannelMagenta,
  ChannelBlue,
  ChannelCyan,
  ChannelYellow,
  JournalFailed,     // file, the system's reason
  JournalStillOpen,  // file, seconds waited: its disk did not answer before the program ended
  LiveMarker,        // the live plot's marker while it follows the recording
  PausedMarker,      // the same while the view stays where the user put it
  PausedWithValue,   // the same with the newest value, which lies outside the view
  JournalRecovered,  // start, readings, channel, file; then the channel's colour
  NotAJournalRow,
  JournalRowsLeftOut,  // file, how many, the first of their line numbers
  PublishOff,
  PublishConnecting,    // broker
  PublishConnected,     // broker
  PublishWaiting,       // seconds; then the reason, one of the six below
  PublishUnreachable,   // broker, the system's reason
  PublishUnknownHost,   // broker
  PublishLogin,         // broker, the broker's answer
  PublishCertificate,   // broker, the library's reason
  PublishRefused,       // broker, the system's reason
  PublishCaFile,        // file, the system's reason
  PublishWildcard,      // topic
  PublishFailed,        // the reason, one of the six above
  NotACalculation,      // the text as given
  CalculationNoSource,  // the calculation, the channel it reads
  CalculationCircular,  // the calculation
  RecordAlarm,          // kelvor-record's lines: the reading, its date and time
  RecordFirstAlarm,     // the run time
  RecordSilent,         // port name
  RecordAnswering,      // port name
  RecordRetrying,       // port name
  RecordNoValidFrame,   // port name, the protocol family
  RecordNothing,        // the run ended without a reading
  RecordOtherName,      // the file asked for, the journal's file
  RecordProgress,       // last reading, readings, elapsed time, journal
  RecordProgressLeft,   // the same with the remaining time before the journal
  WaitingFor,           // the start's time of day or condition: the recording waits for it
  RecordRuleStarted,    // the start rule fired
  RecordRuleStopped,    // the stop rule fired
  ScheduleNoTime,       // the value: a schedule's time of day that is none
  ScheduleNoCondition,  // the value
  ScheduleNoDuration,   // the value
  LineNotConfirmed,     // a network serial server's reasons and notes
  NoComPortOption,
  ControlNotConfirmed,
  SettingRefused,  // then the setting, the value asked for, the server's value
  SettingBaudRate,
  SettingDataBits,
  SettingParity,
  SettingStopBits,
  SettingDtr,
  SettingRts,
  ParityNone,
  ParityOdd,
  ParityEven,
  ParityMark,
  ParitySpace,
  LineOn,
  LineOff,
  Verbatim,  // the text, for a number among words
};
inline constexpr MessageId LastMessageId = MessageId::Verbatim;

// A message as an identifier and the values it names; the windows turn it into the text of
// the interface language (platform/MessageTexts.h).
struct Message {
  explicit Message(MessageId what, std::vector<std::string> values = {},
                   std::vector<Message> inner = {})
      : id(what), args(std::move(values)), parts(std::move(inner)) {}

  MessageId id;
  std::vector<std::string> args;  // the text's %1, %2, ... in order
  std::vector<Message> parts;     // messages whose texts follow the args as further placeholders
};

inline bool operator==(const Message& a, const Message& b) {
  return a.id == b.id && a.args == b.args && a.parts == b.parts;
}

}  // namespace kelvor
