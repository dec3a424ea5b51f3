// SPDX-License-Identifier: GPL-3.0-or-later
// Closing the main window while the journal's disk does not answer.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QMessageBox>
#include <QTimer>
#include <future>

#include "platform/ProgramCatalogue.h"
#include "support/StartedMainWindow.h"

namespace kelvor {
namespace {

// A file layer on a stalled disk: every call waits until the test lets it go.
struct StalledFile : JournalSink {
  JournalFault open(const std::string&) override { return stalled(); }
  JournalFault append(const std::string&) override { return stalled(); }
  JournalFault sync() override { return stalled(); }
  JournalFault finish() override { return stalled(); }
  void abandon() override { stalled(); }
  std::string path() const override { return "/media/stick/run.csv.part"; }
  JournalFault stalled() {
    released.wait();
    return {};
  }
  std::shared_future<void> released;
};

using Closing = testing::StartedMainWindow;

TEST_F(Closing, AStalledJournalHoldsTheCloseFiveSecondsThenTellsWhereItsReadingsAre) {
  ASSERT_TRUE(ProgramCatalogue::install(1));
  std::promise<void> release;
  auto file = std::make_unique<StalledFile>();
  file->released = release.get_future().share();
  window.meter().useJournal(std::move(file));
  std::string frame = "DC  1.000 V  \r";
  window.meter().reader().journal().record(frame, decodeFrame(frame, '.'), 0, "COM1",
                                           clock.moment());
  QString told;
  QTimer::singleShot(0, [&] {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      told = box->text();
      box->accept();
    }
  });
  QElapsedTimer closing;
  closing.start();
  window.close();
  EXPECT_TRUE(closing.elapsed() >= 5000 && closing.elapsed() < 6000) << closing.elapsed();
  EXPECT_EQ(told, QStringLiteral("The recording /media/stick/run.csv.part is still open: its disk "
                                 "has not answered for 5 seconds.\nThe readings so far are in "
                                 "that file, as far as the disk took them."));
  release.set_value();
  ProgramCatalogue::install(0);
}

}  // namespace
}  // namespace kelvor
