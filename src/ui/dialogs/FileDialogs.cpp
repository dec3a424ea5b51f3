// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/dialogs/FileDialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QStandardPaths>

namespace kelvor {

namespace {

// "Kelvor-Files(*.kvr)" -> "Kelvor-Files": Qt shows the patterns itself.
QString bareDescription(QString description) {
  description = description.trimmed();
  if (description.endsWith(QLatin1Char(')'))) {
    const qsizetype open = description.lastIndexOf(QLatin1Char('('));
    if (open > 0) description = description.left(open).trimmed();
  }
  return description;
}

QString qtPatterns(const QString& pattern) {
  QStringList globs;
  for (const QString& each : pattern.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
    const QString glob = each.trimmed();
    if (glob.isEmpty()) continue;
    globs << (glob == QLatin1String("*.*") ? QStringLiteral("*") : glob);
  }
  return globs.join(QLatin1Char(' '));
}

}  // namespace

QStringList FileDialogs::nameFilters(const QString& filter) {
  const QStringList parts = filter.split(QLatin1Char('|'));
  QStringList filters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    const QString patterns = qtPatterns(parts[i + 1]);
    if (patterns.isEmpty()) continue;
    const QString description = bareDescription(parts[i]);
    filters << (description.isEmpty()
                    ? patterns
                    : description + QStringLiteral(" (") + patterns + QLatin1Char(')'));
  }
  return filters;
}

std::unique_ptr<QFileDialog> FileDialogs::createDialog(QWidget* owner, const QString& title,
                                                       const QString& directory,
                                                       const QString& fileName,
                                                       const QString& filter,
                                                       const QString& defaultExtension, int mode) {
  auto dialog = std::make_unique<QFileDialog>(owner);
  dialog->setObjectName(QLatin1String(ObjectName));
  dialog->setOption(QFileDialog::DontUseNativeDialog, true);
  dialog->setWindowModality(Qt::ApplicationModal);
  if (mode == Open) {
    dialog->setAcceptMode(QFileDialog::AcceptOpen);
    dialog->setFileMode(QFileDialog::ExistingFile);
  } else {
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->setFileMode(QFileDialog::AnyFile);
    dialog->setOption(QFileDialog::DontConfirmOverwrite, mode != SaveWithPrompt);
  }
  // Without a title of its own the dialog keeps Qt's title for opening or saving.
  if (!title.isEmpty()) dialog->setWindowTitle(title);
  const QStringList filters = nameFilters(filter);
  if (!filters.isEmpty()) {
    dialog->setNameFilters(filters);
    dialog->selectNameFilter(filters.front());
  }
  dialog->setDefaultSuffix(defaultExtension);
  if (!directory.isEmpty()) dialog->setDirectory(directory);
  if (!fileName.isEmpty()) dialog->selectFile(fileName);
  return dialog;
}

QString FileDialogs::FileDialog(QWidget* owner, const QString& title, const QString& directory,
                                const QString& fileName, const QString& filter,
                                const QString& defaultExtension, int mode) {
  const std::unique_ptr<QFileDialog> dialog =
      createDialog(owner, title, directory, fileName, filter, defaultExtension, mode);
  if (dialog->exec() != QDialog::Accepted) return {};
  const QStringList chosen = dialog->selectedFiles();
  return chosen.isEmpty() ? QString() : chosen.front();
}

QString FileDialogs::FileOpenDialog(QWidget* owner, const QString& title, const QString& directory,
                                    const QString& fileName, const QString& filter,
                                    const QString& defaultExtension) {
  return FileDialog(owner, title, directory, fileName, filter, defaultExtension, Open);
}

QString FileDialogs::FileSaveDialog(QWidget* owner, const QString& title, const QString& directory,
                                    const QString& fileName, const QString& filter,
                                    const QString& defaultExtension) {
  return FileDialog(owner, title, directory, fileName, filter, defaultExtension, SaveWithPrompt);
}

QString FileDialogs::initialDirectory(const QString& lastFolder) {
  if (!lastFolder.isEmpty() && QFileInfo(lastFolder).isDir()) return lastFolder;
  const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  if (!documents.isEmpty() && QFileInfo(documents).isDir()) return documents;
  return QDir::homePath();
}

}  // namespace kelvor
