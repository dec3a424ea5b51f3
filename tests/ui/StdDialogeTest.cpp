#include "ui/StdDialoge.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <memory>
#include <vector>

#include "ui/ProbeServer.h"

namespace kelvor {
namespace {

const QString GermanFilter = QStringLiteral("Kelvor-Dateien(*.kvr)|*.kvr|Alle Dateien(*.*)|*.*");
const QString EnglishFilter = QStringLiteral("Kelvor-Files(*.kvr)|*.kvr|All Files(*.*)|*.*");

TEST(StdDialoge, FilterPairsBecomeQtNameFilters) {
  struct Case {
    QString filter;
    QStringList expected;
  };
  const std::vector<Case> cases = {
      {GermanFilter, {"Kelvor-Dateien (*.kvr)", "Alle Dateien (*)"}},
      {EnglishFilter, {"Kelvor-Files (*.kvr)", "All Files (*)"}},
      {"A|*.a|B|*.b", {"A (*.a)", "B (*.b)"}},
      {"Texts|*.txt;*.log", {"Texts (*.txt *.log)"}},
      {"A|*.a|B", {"A (*.a)"}},
      {"|*.x", {"*.x"}},
      {"A||B|*.b", {"B (*.b)"}},
      {"", {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.filter.toStdString());
    EXPECT_EQ(StdDialoge::nameFilters(c.filter), c.expected);
  }
}

TEST(StdDialoge, DialogIsConfiguredByMode) {
  QTemporaryDir folder;
  ASSERT_TRUE(folder.isValid());
  struct Case {
    int mode;
    QString title;
    QString suffix;
    QFileDialog::AcceptMode accept;
    QFileDialog::FileMode files;
    bool confirmsOverwrite;
  };
  const std::vector<Case> cases = {
      {StdDialoge::Open, "", "", QFileDialog::AcceptOpen, QFileDialog::ExistingFile, false},
      {StdDialoge::SaveWithPrompt, "Datei speichern", "txt", QFileDialog::AcceptSave,
       QFileDialog::AnyFile, true},
      {StdDialoge::SaveWithoutPrompt, "Save", "kvr", QFileDialog::AcceptSave, QFileDialog::AnyFile,
       false},
      {7, "", "", QFileDialog::AcceptSave, QFileDialog::AnyFile, false},
  };
  QWidget owner;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.mode);
    const std::unique_ptr<QFileDialog> dialog = StdDialoge::createDialog(
        &owner, c.title, folder.path(), QString(), GermanFilter, c.suffix, c.mode);
    EXPECT_EQ(dialog->objectName(), QLatin1String("StdDialoge"));
    EXPECT_EQ(dialog->parentWidget(), &owner);
    EXPECT_TRUE(dialog->testOption(QFileDialog::DontUseNativeDialog));
    EXPECT_EQ(dialog->acceptMode(), c.accept);
    EXPECT_EQ(dialog->fileMode(), c.files);
    if (c.accept == QFileDialog::AcceptSave) {
      EXPECT_EQ(!dialog->testOption(QFileDialog::DontConfirmOverwrite), c.confirmsOverwrite);
    }
    EXPECT_EQ(dialog->defaultSuffix(), c.suffix);
    EXPECT_EQ(dialog->nameFilters(), QStringList({"Kelvor-Dateien (*.kvr)", "Alle Dateien (*)"}));
    EXPECT_EQ(dialog->selectedNameFilter(), QLatin1String("Kelvor-Dateien (*.kvr)"));
    EXPECT_EQ(QDir(dialog->directory()), QDir(folder.path()));
    if (c.title.isEmpty()) {
      // Qt's own title for opening or saving.
      EXPECT_FALSE(dialog->windowTitle().isEmpty());
      EXPECT_NE(dialog->windowTitle(), QLatin1String("Datei speichern"));
    } else {
      EXPECT_EQ(dialog->windowTitle(), c.title);
    }
  }
}

// Shows a dialog and answers it through the probe's request, as the end-to-end tests do.
QString chooseWithProbe(const QString& request, const std::function<QString()>& show) {
  QString reply;
  QTimer::singleShot(0, qApp, [&] {
    reply = ProbeServer::answer(request);
    // Queued behind the probe's own action: a dialog still open then is closed, so that a
    // failing choice ends the test instead of holding it up.
    QTimer::singleShot(0, qApp, [] {
      for (QWidget* top : QApplication::topLevelWidgets()) {
        if (auto* dialog = qobject_cast<QFileDialog*>(top); dialog && dialog->isVisible())
          dialog->reject();
      }
    });
  });
  const QString chosen = show();
  EXPECT_TRUE(reply.startsWith(QLatin1String("ok"))) << reply.toStdString();
  return chosen;
}

TEST(StdDialoge, ReturnsTheFullChosenPath) {
  QTemporaryDir folder;
  ASSERT_TRUE(folder.isValid());
  const QString existing = folder.filePath(QStringLiteral("run1.kvr"));
  {
    QFile file(existing);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  }
  QTemporaryDir start;  // the dialog starts elsewhere: the chosen folder counts
  ASSERT_TRUE(start.isValid());
  struct Case {
    const char* name;
    QString request;
    int mode;
    QString suffix;
    QString expected;
  };
  const std::vector<Case> cases = {
      {"save with a typed extension", "choose-file " + folder.filePath("new.kvr"),
       StdDialoge::SaveWithPrompt, "txt", folder.filePath("new.kvr")},
      {"save appends the default extension", "choose-file " + folder.filePath("run 2"),
       StdDialoge::SaveWithPrompt, "txt", folder.filePath("run 2.txt")},
      {"open an existing file", "choose-file " + existing, StdDialoge::Open, "", existing},
      {"cancel", QStringLiteral("dismiss"), StdDialoge::SaveWithPrompt, "txt", QString()},
      {"cancel opening", QStringLiteral("dismiss"), StdDialoge::Open, "", QString()},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const QString chosen = chooseWithProbe(c.request, [&] {
      return StdDialoge::FileDialog(nullptr, QString(), start.path(), QString(), EnglishFilter,
                                    c.suffix, c.mode);
    });
    EXPECT_EQ(chosen, c.expected);
  }
  EXPECT_FALSE(QFile::exists(folder.filePath(QStringLiteral("new.kvr"))))
      << "choosing a name creates no file";
}

TEST(StdDialoge, ChooseFileNeedsAnOpenFileDialog) {
  EXPECT_EQ(ProbeServer::answer(QStringLiteral("choose-file /tmp/x.kvr")),
            QLatin1String("error no file dialog"));
}

TEST(StdDialoge, StartsInTheProgramFolderWhenItIsWritable) {
  QTemporaryDir folder;
  ASSERT_TRUE(folder.isValid());
  const QString plainFile = folder.filePath(QStringLiteral("kelvor"));
  {
    QFile file(plainFile);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  }
  QString fallback = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  if (fallback.isEmpty() || !QDir(fallback).exists()) fallback = QDir::homePath();
  struct Case {
    QString programDirectory;
    QString expected;
  };
  const std::vector<Case> cases = {
      {folder.path(), folder.path()},
      {folder.filePath(QStringLiteral("missing")), fallback},
      {plainFile, fallback},
      {QString(), fallback},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.programDirectory.toStdString());
    EXPECT_EQ(QDir(StdDialoge::initialDirectory(c.programDirectory)), QDir(c.expected));
  }
}

}  // namespace
}  // namespace kelvor
