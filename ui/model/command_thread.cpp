#include "ui/model/command_thread.h"

#include <utility>

namespace varnel {

CommandThread::CommandThread(WindowPlatform& platform, Work work)
    : platform_(platform), thread_([this, work = std::move(work)] { work(*this); }) {}

CommandThread::~CommandThread() {
  Abandon();
  Join();
}

void CommandThread::Post(std::function<void()> task) {
  platform_.Post([shared = shared_, task = std::move(task)] { RunUnlessAbandoned(*shared, task); });
}

bool CommandThread::RunUnlessAbandoned(Shared& shared, const std::function<void()>& task) {
  {
    // Abandon is called on the window's thread, where the tasks run too; the lock is for
    // the command's thread waiting in Call.
    std::lock_guard lock(shared.mutex);
    if (shared.abandoned) return false;
  }
  task();
  return true;
}

void CommandThread::Abandon() {
  {
    std::lock_guard lock(shared_->mutex);
    shared_->abandoned = true;
  }
  shared_->answered.notify_all();
}

void CommandThread::Join() {
  if (thread_.joinable()) thread_.join();
}

}  // namespace varnel
