// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

class QLocalServer;
class QLocalSocket;

namespace kelvor {

// An automation socket for tests and outside tools: when the environment variable
// KELVOR_PROBE names a socket path, the program answers one-line requests about its windows
// there, finding controls by object name:
//   text NAME      the caption, text or current item of a control, menu item or window
//   texts NAME...  the texts of several controls read at one moment, tab-joined
//   checked NAME   1 or 0
//   visible NAME   1 or 0
//   click NAME     clicks a button or triggers a menu item (after replying)
//   modal          "<title>|<text>" of the open message box, or nothing
//   buttons        the texts of the open modal dialog's visible push buttons, tab-joined
//   dismiss        closes the open modal dialog (after replying)
//   choose-file PATH  types PATH into the name field of the open file dialog and accepts
//                  it, as a user choosing that file does (after replying)
//   select LIST TEXT  chooses the first item of a list starting with TEXT, as a user does
//                  (after replying)
//   grab PATH      saves a picture of the main window as an image file
//   quit           closes the main window like the close box (after replying)
// Every reply is one line: "ok <value>" or "error <reason>"; line breaks in values are
// written as "\n".
class ProbeServer : public QObject {
  Q_OBJECT

 public:
  static constexpr const char* EnvironmentVariable = "KELVOR_PROBE";

  // Starts listening when the environment asks for it; returns nullptr otherwise.
  static ProbeServer* startFromEnvironment(QObject* parent);

  explicit ProbeServer(QObject* parent = nullptr);
  // Listens for this user alone. A stale socket at the path is replaced; anything else there,
  // a running instance's socket included, is left alone and listening fails.
  bool listen(const QString& path);
  QString errorString() const { return error_; }  // why listening failed

  // Answers one request line (without its line break).
  static QString answer(const QString& request);

 private:
  void onNewConnection();
  void onReadyRead(QLocalSocket* socket);

  QLocalServer* server_;
  QString error_;
};

}  // namespace kelvor
