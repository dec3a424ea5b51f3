// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/JournalWriter.h"

#include <QCoreApplication>

namespace kelvor {

JournalWriter::JournalWriter(std::unique_ptr<JournalSink> file, FaultHandler onFault)
    : file_(std::move(file)), onFault_(std::move(onFault)), worker_([this] { work(); }) {}

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

JournalFault JournalWriter::queue(Operation operation, std::string text) {
  if (!worker_.joinable()) {  // closed: done here and now
    perform({operation, std::move(text)});
    return {};
  }
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    tasks_.push_back({operation, std::move(text)});
  }
  wake_.notify_one();
  return {};
}

void JournalWriter::close() {
  if (!worker_.joinable()) return;
  queue(Operation::Stop);  // after everything queued before
  worker_.join();
  QCoreApplication::sendPostedEvents(&home_);
}

void JournalWriter::work() {
  for (;;) {
    std::unique_lock<std::mutex> lock(mutex_);
    wake_.wait(lock, [this] { return !tasks_.empty(); });
    const Task task = std::move(tasks_.front());
    tasks_.pop_front();
    lock.unlock();
    if (task.operation == Operation::Stop) return;
    perform(task);
  }
}

void JournalWriter::perform(const Task& task) {
  if (task.operation == Operation::Abandon) return file_->abandon();
  if (task.operation == Operation::Open) failed_ = false;
  if (failed_) return;  // that journal goes on in memory only
  JournalFault fault;
  switch (task.operation) {
    case Operation::Open:
      fault = file_->open(task.text);
      break;
    case Operation::Append:
      fault = file_->append(task.text);
      break;
    case Operation::Sync:
      fault = file_->sync();
      break;
    case Operation::Finish:
      fault = file_->finish();
      break;
    case Operation::Abandon:
    case Operation::Stop:
      break;
  }
  if (fault.error == 0) return;
  failed_ = true;
  if (task.operation != Operation::Finish) file_->abandon();  // finish closes it anyway
  QMetaObject::invokeMethod(
      &home_, [this, fault] { onFault_(fault); }, Qt::QueuedConnection);
}

}  // namespace kelvor
