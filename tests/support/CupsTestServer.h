// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <gtest/gtest.h>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>
#include <memory>

namespace kelvor::testing {

// One printer queue of the test server; each job lands, a PDF exactly as the program made
// it, in the queue's output file.
struct TestQueue {
  QString name;
  QString makeAndModel;
  bool landscape = false;  // the queue's default orientation
};

// A private CUPS scheduler (support/cups-test-server.sh) with two queues: a landscape one,
// and a portrait one that is the default printer. While it runs, this process sees only
// its queues; the machine's own print system is not touched.
class CupsTestServer {
 public:
  static inline const TestQueue landscapeQueue{"LandscapePDF", "Kelvor Test PDF Landscape", true};
  static inline const TestQueue portraitQueue{"PortraitPDF", "Kelvor Test PDF Portrait", false};

  CupsTestServer();  // starts the scheduler
  ~CupsTestServer();

  // Where it cannot run here (not root, a package missing): skip, do not fail.
  bool unavailable() const { return unavailable_; }
  const QString& problem() const { return problem_; }

  QString outputFile(const QString& queue) const;
  // Waits until the queue's jobs have ended: empty when they all completed, else what went
  // wrong.
  QString waitForJobs(const QString& queue) const;

 private:
  QTemporaryDir dir_;
  QProcess script_;
  bool unavailable_ = false;
  QString problem_;
};

// One server for each test suite that needs one, on top of the fixture Base.
template <class Base = ::testing::Test>
class CupsServerFixture : public Base {
 protected:
  static void SetUpTestSuite() { server_ = std::make_unique<CupsTestServer>(); }
  static void TearDownTestSuite() { server_.reset(); }
  void SetUp() override {
    if (server_->unavailable())
      GTEST_SKIP() << "no CUPS test server: " << server_->problem().toStdString();
    ASSERT_TRUE(server_->problem().isEmpty()) << server_->problem().toStdString();
    Base::SetUp();
  }
  static CupsTestServer& server() { return *server_; }

 private:
  static inline std::unique_ptr<CupsTestServer> server_;
};

}  // namespace kelvor::testing
