#pragma once

#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

#include "ui/model/window_platform.h"

namespace varnel {

// The work of a long command (Build, Save, Load, Add) on a thread of its own. The window's
// thread starts it and goes back to its event loop; it never waits for the work, and
// nothing pumps its events. What the work has to show reaches the window's thread as
// tasks the toolkit queues there (WindowPlatform::Post), run in the order they were
// given, between the window's other events.
//
// The work touches the window only through those tasks. When the window goes away while
// the work runs, the command is abandoned: tasks not yet run are dropped, a Call waiting
// for the window gets no answer, and the work is expected to end soon (it has been asked
// to stop).
class CommandThread {
 public:
  using Work = std::function<void(CommandThread&)>;

  CommandThread(WindowPlatform& platform, Work work);
  // Abandons the command and waits for its work to end.
  ~CommandThread();
  CommandThread(const CommandThread&) = delete;
  CommandThread& operator=(const CommandThread&) = delete;

  // ---- The command's thread ----

  // Runs task on the window's thread after the tasks given before it.
  void Post(std::function<void()> task);
  // Runs task on the window's thread and waits for its result (the user's answer to a
  // dialog); nothing once the command is abandoned.
  template <typename Result>
  std::optional<Result> Call(std::function<Result()> task);

  // ---- The window's thread ----

  // Tasks not yet run are dropped from now on, and a Call waiting returns nothing.
  void Abandon();
  // Waits for the work to return: once its last task has run, or after Abandon.
  void Join();

 private:
  struct Shared {
    std::mutex mutex;
    std::condition_variable answered;
    bool abandoned = false;
  };
  // Runs task unless the command has been abandoned; false when it did not run.
  static bool RunUnlessAbandoned(Shared& shared, const std::function<void()>& task);

  WindowPlatform& platform_;
  std::shared_ptr<Shared> shared_ = std::make_shared<Shared>();
  std::thread thread_;
};

template <typename Result>
std::optional<Result> CommandThread::Call(std::function<Result()> task) {
  // The answer lives as long as the task, which may still run after an abandoned Call
  // has returned (a dialog open when the window went away).
  auto answer = std::make_shared<std::optional<Result>>();
  platform_.Post([shared = shared_, task = std::move(task), answer] {
    Result result;
    if (!RunUnlessAbandoned(*shared, [&] { result = task(); })) return;
    {
      std::lock_guard lock(shared->mutex);
      *answer = std::move(result);
    }
    shared->answered.notify_all();
  });
  std::unique_lock lock(shared_->mutex);
  shared_->answered.wait(lock, [&] { return answer->has_value() || shared_->abandoned; });
  return *answer;
}

}  // namespace varnel
