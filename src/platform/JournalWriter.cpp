// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/JournalWriter.h"

#include <QCoreApplication>

namespace kelvor {

JournalWriter::JournalWriter(std::unique_ptr<JournalSink> file, FaultHandler onFault)
    : onFault_(std::move(onFault)) {
  shared_->file = std::move(file);
  shared_->tell = [this](const JournalFault& fault) {
    QMetaObject::invokeMethod(
        &home_, [this, fault] { onFault_(fault); }, Qt::QueuedConnection);
  };
}

JournalWriter::~JournalWriter() {
  close();
}

JournalFault JournalWriter::open(const std::string& name) {
  return queue(Operation::Open, name);
}

JournalFault JournalWriter::append(const std::string& bytes) {
  return queue(Operation::Append, bytes);
}

JournalFault JournalWriter::sync() {
  return queue(Operation::Sync);
}

JournalFault JournalWriter::finish() {
  return queue(Operation::Finish);
}

void JournalWriter::abandon() {
  queue(Operation::Abandon);
}

std::string JournalWriter::path() const {
  const std::lock_guard<std::mutex> lock(shared_->mutex);
  return shared_->path;
}

JournalFault JournalWriter::queue(Operation operation, std::string text) {
  if (state_ == State::LeftBehind) return {};  // the file is still the worker's
  if (state_ == State::Closed) {               // done here and now
    perform(*shared_, {operation, std::move(text)});
    return {};
  }
  if (state_ == State::Idle) {
    state_ = State::Running;
    worker_ = std::thread([shared = shared_] { work(shared); });
  }
  {
    const std::lock_guard<std::mutex> lock(shared_->mutex);
    shared_->tasks.push_back({operation, std::move(text)});
  }
  shared_->wake.notify_one();
  return {};
}

bool JournalWriter::close(std::chrono::milliseconds limit) {
  if (state_ != State::Running) {
    if (state_ == State::Idle) state_ = State::Closed;
    return state_ == State::Closed;
  }
  queue(Operation::Stop);  // after everything queued before
  {
    std::unique_lock<std::mutex> lock(shared_->mutex);
    if (!shared_->stopped.wait_for(lock, limit, [this] { return shared_->done; })) {
      // A stalled disk must not keep the program from ending.
      shared_->tell = nullptr;
      lock.unlock();
      worker_.detach();
      state_ = State::LeftBehind;
      return false;
    }
  }
  worker_.join();
  state_ = State::Closed;
  QCoreApplication::sendPostedEvents(&home_);
  return true;
}

void JournalWriter::work(const std::shared_ptr<Shared>& shared) {
  for (;;) {
    std::unique_lock<std::mutex> lock(shared->mutex);
    shared->wake.wait(lock, [&] { return !shared->tasks.empty(); });
    const Task task = std::move(shared->tasks.front());
    shared->tasks.pop_front();
    if (task.operation == Operation::Stop) {
      shared->done = true;
      shared->stopped.notify_all();
      return;
    }
    lock.unlock();
    perform(*shared, task);
  }
}

void JournalWriter::perform(Shared& shared, const Task& task) {
  JournalSink& file = *shared.file;
  const auto where = [&](const std::string& path) {
    const std::lock_guard<std::mutex> lock(shared.mutex);
    shared.path = path;
  };
  if (task.operation == Operation::Abandon) {
    file.abandon();
    return where(file.path());
  }
  if (task.operation == Operation::Open) shared.failed = false;
  if (shared.failed) return;  // that journal goes on in memory only
  JournalFault fault;
  switch (task.operation) {
    case Operation::Open:
      where(file.path().empty() ? task.text : file.path());
      fault = file.open(task.text);
      break;
    case Operation::Append:
      fault = file.append(task.text);
      break;
    case Operation::Sync:
      fault = file.sync();
      break;
    case Operation::Finish:
      fault = file.finish();
      break;
    case Operation::Abandon:
    case Operation::Stop:
      break;
  }
  if (task.operation == Operation::Open || task.operation == Operation::Finish) where(file.path());
  if (fault.error == 0) return;
  shared.failed = true;
  if (task.operation != Operation::Finish) file.abandon();  // finish closes it anyway
  where(file.path());
  const std::lock_guard<std::mutex> lock(shared.mutex);
  if (shared.tell) shared.tell(fault);
}

}  // namespace kelvor
