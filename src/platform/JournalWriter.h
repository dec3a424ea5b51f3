// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <thread>

#include "core/journal/JournalKeeper.h"

namespace kelvor {

// A journal sink that never blocks its caller: each call is queued, in order, for one worker
// thread that owns the file and hands every row to the system as soon as it gets it. A fault
// is told once per journal, in the thread that made the writer; the rest of that journal is
// dropped and the next open tries again. So the calls themselves always return no fault.
// All calls come from one thread, the one that made the writer.
class JournalWriter : public JournalSink {
 public:
  using FaultHandler = std::function<void(const JournalFault&)>;

  JournalWriter(std::unique_ptr<JournalSink> file, FaultHandler onFault);
  ~JournalWriter() override { close(); }
  JournalWriter(const JournalWriter&) = delete;
  JournalWriter& operator=(const JournalWriter&) = delete;

  JournalFault open(const std::string& name) override;
  JournalFault append(const std::string& bytes) override;
  JournalFault sync() override;
  JournalFault finish() override;
  void abandon() override;

  // Does everything queued, stops the worker and tells its last faults (the program ends).
  // Later calls are done at once in the caller's thread.
  void close();

 private:
  enum class Operation { Open, Append, Sync, Finish, Abandon, Stop };
  struct Task {
    Operation operation;
    std::string text;
  };

  JournalFault queue(Operation operation, std::string text = {});
  void work();
  void perform(const Task& task);

  std::unique_ptr<JournalSink> file_;  // the worker's alone while it runs
  FaultHandler onFault_;
  QObject home_;  // faults are told in its thread
  std::mutex mutex_;
  std::condition_variable wake_;
  std::deque<Task> tasks_;
  bool failed_ = false;  // the worker's: the open journal ran into a fault
  std::thread worker_;
};

}  // namespace kelvor
