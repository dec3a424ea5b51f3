// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <thread>

#include "core/journal/JournalKeeper.h"

namespace kelvor {

// A journal sink that never blocks its caller: each call is queued, in order, for one worker
// thread that owns the file and hands every row to the system as soon as it gets it. The
// worker starts with the first call, so a program that writes no journal has no thread for it.
// A fault is told once per journal, in the thread that made the writer; the rest of that
// journal is dropped and the next open tries again. So the calls themselves always return no
// fault. All calls come from one thread, the one that made the writer.
class JournalWriter : public JournalSink {
 public:
  using FaultHandler = std::function<void(const JournalFault&)>;
  // How long the end of the program waits for a stalled disk.
  static constexpr std::chrono::milliseconds CloseLimit{5000};

  JournalWriter(std::unique_ptr<JournalSink> file, FaultHandler onFault);
  ~JournalWriter() override;
  JournalWriter(const JournalWriter&) = delete;
  JournalWriter& operator=(const JournalWriter&) = delete;

  // Another file layer; before the first call only.
  void useFile(std::unique_ptr<JournalSink> file) { shared_->file = std::move(file); }

  JournalFault open(const std::string& name) override;
  JournalFault append(const std::string& bytes) override;
  JournalFault sync() override;
  JournalFault finish() override;
  void abandon() override;
  // The open journal as the worker last left it (the name being opened while it opens).
  std::string path() const override;

  // The program ends: does everything queued, stops the worker and tells its last faults,
  // waiting at most `limit`. False when the file layer is still busy then: the worker is left
  // to finish on its own, nothing more is told, and path() is the journal still open. Later
  // calls are done at once in the caller's thread, or dropped after such a timeout.
  bool close(std::chrono::milliseconds limit = CloseLimit);

 private:
  enum class Operation { Open, Append, Sync, Finish, Abandon, Stop };
  struct Task {
    Operation operation;
    std::string text;
  };
  // What the worker shares with the writer; it outlives a writer that left the worker behind.
  struct Shared {
    std::unique_ptr<JournalSink> file;  // the worker's alone while it runs
    std::mutex mutex;
    std::condition_variable wake;
    std::condition_variable stopped;
    std::deque<Task> tasks;
    bool done = false;    // the worker has returned
    bool failed = false;  // the worker's: the open journal ran into a fault
    std::string path;     // see path()
    FaultHandler tell;    // empty once the writer left the worker behind
  };
  enum class State { Idle, Running, Closed, LeftBehind };

  JournalFault queue(Operation operation, std::string text = {});
  static void work(const std::shared_ptr<Shared>& shared);
  static void perform(Shared& shared, const Task& task);

  FaultHandler onFault_;
  QObject home_;  // faults are told in its thread
  std::shared_ptr<Shared> shared_ = std::make_shared<Shared>();
  State state_ = State::Idle;
  std::thread worker_;
};

}  // namespace kelvor
