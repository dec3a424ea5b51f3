// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/dialogs/PublishDialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QTimer>

#include "platform/ProgramCatalogue.h"

namespace kelvor {
namespace {

// A topic with a wildcard, to which nothing can be published, is refused with a message; the
// dialog stays and the settings keep their topic.
TEST(PublishDialog, AWildcardTopicIsRefusedWithAMessage) {
  ASSERT_TRUE(ProgramCatalogue::install(1));
  PublishSettings settings;
  settings.topic = "lab";
  PublishDialog dialog(settings, QStringLiteral("kelvor/host/COM1"));
  dialog.topicField->setText(QStringLiteral("lab/#"));
  QString told;
  QTimer::singleShot(0, [&] {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      told = box->text();
      box->accept();
    }
  });
  dialog.onOkClicked();
  EXPECT_EQ(told, QStringLiteral("The topic lab/# must contain neither # nor +."));
  EXPECT_TRUE(dialog.result() == QDialog::Rejected && settings.topic == "lab");
  ProgramCatalogue::install(0);
}

}  // namespace
}  // namespace kelvor
