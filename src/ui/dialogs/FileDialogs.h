// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>
#include <memory>

class QFileDialog;
class QWidget;

namespace kelvor {

// The program's open and save dialogs: Qt's own file dialog (never the desktop's, so that
// tests and the probe can drive it), with the object name "FileDialogs".
class FileDialogs {
 public:
  static constexpr const char* ObjectName = "StdDialoge";

  enum Mode {
    Open = 0,               // the file and its folder must exist
    SaveWithPrompt = 1,     // asks before overwriting an existing file
    SaveWithoutPrompt = 2,  // any other mode saves without asking, too
  };

  // Turns "description|pattern|description|pattern..." into Qt name filters:
  // "Kelvor-Files(*.kvr)|*.kvr|All Files(*.*)|*.*" gives "Kelvor-Files (*.kvr)" and
  // "All Files (*)". A pattern may list several globs separated by ";"; "*.*" means every
  // file, as it does where these filters come from. A description without its pattern is
  // dropped.
  static QStringList nameFilters(const QString& filter);

  // The dialog configured and not yet shown: owner, title (empty: Qt's default title for
  // opening or saving), initial folder and file name, filters with the first one selected,
  // the suffix appended to a name typed without one, and the mode.
  static std::unique_ptr<QFileDialog> createDialog(QWidget* owner, const QString& title,
                                                   const QString& directory,
                                                   const QString& fileName, const QString& filter,
                                                   const QString& defaultExtension, int mode);

  // Shows the dialog modally; returns the chosen file's full path, or an empty text when
  // the user cancelled.
  static QString FileDialog(QWidget* owner, const QString& title, const QString& directory,
                            const QString& fileName, const QString& filter,
                            const QString& defaultExtension, int mode);
  static QString FileOpenDialog(QWidget* owner, const QString& title, const QString& directory,
                                const QString& fileName, const QString& filter,
                                const QString& defaultExtension);
  static QString FileSaveDialog(QWidget* owner, const QString& title, const QString& directory,
                                const QString& fileName, const QString& filter,
                                const QString& defaultExtension);

  // Where the dialogs start: the folder last used while it exists, otherwise the user's
  // documents folder (or home folder when there is none). Never the program's folder, which
  // is no place for traces (/usr/bin once installed).
  static QString initialDirectory(const QString& lastFolder);
};

}  // namespace kelvor
