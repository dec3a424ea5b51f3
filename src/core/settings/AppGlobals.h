#pragma once

#include <string>

namespace kelvor {

// The state that the main window shares with the dialogs and the serial port: one
// instance for the whole run, owned by the application and handed to whoever needs it.
struct AppGlobals {
  int ComPort = 1;            // port number n of "COMn"
  int ComBaud = 1200;         // baud rate
  int MeterType = 0;          // 0: one frame per poll; otherwise the four-display meter
  int FrameLength = 14;       // characters of one complete answer: 14, or 56 for four frames
  bool PortOpen = false;      // the last attempt to open the port succeeded
  bool PrintColored = false;  // print in colour
  std::string AppDir;         // the program's own folder, without a trailing separator
  int LangCode = 0;           // 0 German, 1 English, 2 English (system language 1060)
  std::string FileFilter;     // filter of the trace-file dialogs

  // Frame length that belongs to a meter type.
  static int frameLengthFor(int meterType) { return meterType != 0 ? 56 : 14; }
};

}  // namespace kelvor
