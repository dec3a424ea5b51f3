#pragma once

#include <gtest/gtest.h>
#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>
#include <memory>
#include <vector>

namespace kelvor::testing {

// One printer queue of the test server. Every queue writes each job, a PDF exactly as the
// program produced it, into its own output file.
struct TestQueue {
  QString name;
  QString makeAndModel;
  bool landscape = false;  // the queue's default orientation is landscape
};

// A private CUPS scheduler for the tests that need real printers: its own configuration,
// spool and log in a temporary folder, reached through a Unix socket there. While it runs,
// this process (Qt's print support included) and the programs it starts see only its
// queues; the machine's own print system is not touched. Needs root (the scheduler runs its
// filters as the "lp" user) and the Debian packages cups-daemon and cups-client.
class CupsTestServer {
 public:
  enum class State { Stopped, Running, Unavailable, Failed };

  // The two queues the printer tests use, in the print system's order (by name): a
  // landscape one first and the default printer, a portrait one, second.
  static const TestQueue& landscapeQueue();
  static const TestQueue& portraitQueue();

  // The two queues above, with the portrait one as the default printer.
  CupsTestServer();
  CupsTestServer(std::vector<TestQueue> queues, QString defaultQueue);
  ~CupsTestServer();
  CupsTestServer(const CupsTestServer&) = delete;
  CupsTestServer& operator=(const CupsTestServer&) = delete;

  // Starts the scheduler and sets up the queues. Unavailable: this machine cannot run it
  // (not root, a package missing); Failed: it should have run but did not. problem() says
  // why in either case.
  State start();
  void stop();
  State state() const { return state_; }
  const QString& problem() const { return problem_; }

  QString socketPath() const;
  // Where the queue's jobs land; removed by clearOutput so each test reads its own job.
  QString outputFile(const QString& queue) const;
  bool clearOutput(const QString& queue) const;

  // How many of the queue's jobs have completed so far.
  int completedJobs(const QString& queue) const;
  // Waits until the queue has finished every job and `count` of them have completed.
  // Empty on success, otherwise what went wrong (a job aborted, or none came in time).
  QString waitForCompletedJobs(const QString& queue, int count, int timeoutMs = 20000) const;

  // The scheduler's log, for failure messages.
  QString log() const;

 private:
  struct JobCounts {
    int completed = 0;
    int active = 0;
    QString failed;  // the jobs that ended otherwise
  };
  JobCounts jobCounts(const QString& queue) const;
  State fail(State state, const QString& problem);
  bool writeConfiguration();
  bool waitForSocket();
  bool addQueue(const TestQueue& queue);
  bool runAdmin(const QStringList& arguments);
  void pointClientsHere();
  void restoreClients();

  std::vector<TestQueue> queues_;
  QString defaultQueue_;
  State state_ = State::Stopped;
  QString problem_;
  std::unique_ptr<QTemporaryDir> dir_;
  QProcess scheduler_;
  // The client settings of this process before the server took over.
  bool clientsPointed_ = false;
  struct SavedVariable {
    const char* name;
    bool set;
    QByteArray value;
  };
  std::vector<SavedVariable> saved_;
};

// Tests that need the server: one server for the whole suite. Where it cannot run here the
// tests skip with the reason; where it should have run but did not, they fail.
class WithCupsTestServer : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    server_ = new CupsTestServer;
    server_->start();
  }
  static void TearDownTestSuite() {
    delete server_;
    server_ = nullptr;
  }
  void SetUp() override {
    ASSERT_NE(server_, nullptr);
    if (server_->state() == CupsTestServer::State::Unavailable)
      GTEST_SKIP() << "no CUPS test server: " << server_->problem().toStdString();
    ASSERT_EQ(server_->state(), CupsTestServer::State::Running) << server_->problem().toStdString();
  }
  static CupsTestServer& server() { return *server_; }

 private:
  static inline CupsTestServer* server_ = nullptr;
};

}  // namespace kelvor::testing
