#pragma once

#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>

namespace varnel::testing {

// The event loop a window would run, for tests of the window model without a toolkit:
// tasks posted from any thread wait here and run on the test's thread, in order, when the
// test lets them.
class PostedTasks {
 public:
  void Post(std::function<void()> task) {
    {
      std::lock_guard lock(mutex_);
      tasks_.push_back(std::move(task));
    }
    posted_.notify_all();
  }

  // Runs tasks as they come until done() holds; false when it still does not after
  // timeout (a command that never ends).
  bool RunUntil(const std::function<bool()>& done,
                std::chrono::seconds timeout = std::chrono::seconds(120)) {
    const auto end = std::chrono::steady_clock::now() + timeout;
    while (!done()) {
      std::function<void()> task;
      {
        std::unique_lock lock(mutex_);
        if (!posted_.wait_until(lock, end, [this] { return !tasks_.empty(); })) return false;
        task = std::move(tasks_.front());
        tasks_.pop_front();
      }
      task();
    }
    return true;
  }

  // Runs the tasks posted so far, without waiting for more.
  void RunPosted() {
    for (;;) {
      std::function<void()> task;
      {
        std::lock_guard lock(mutex_);
        if (tasks_.empty()) return;
        task = std::move(tasks_.front());
        tasks_.pop_front();
      }
      task();
    }
  }

 private:
  std::mutex mutex_;
  std::condition_variable posted_;
  std::deque<std::function<void()>> tasks_;
};

}  // namespace varnel::testing
