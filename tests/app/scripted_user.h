#pragma once

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>
#include <deque>
#include <functional>
#include <string>

namespace varnel::testing {

// Plays a user's steps against a running program, one step per timer tick. A step
// returns false while what it waits for has not appeared yet, and is tried again at the
// next tick. Anything that opens a modal dialog must be started with Later, so the dialog
// runs from the event loop and the steps go on inside it.
class ScriptedUser {
 public:
  using Step = std::function<bool()>;

  ScriptedUser() {
    timer_.setInterval(kTickMs);
    QObject::connect(&timer_, &QTimer::timeout, [this] { Tick(); });
  }

  void Then(std::string name, Step step) { steps_.push_back({std::move(name), std::move(step)}); }
  // Starts playing; `giveUp` ends the program when a step waits for too long.
  void Start(std::function<void()> giveUp) {
    giveUp_ = std::move(giveUp);
    clock_.start();
    timer_.start();
  }

  bool finished() const { return steps_.empty(); }
  // The step the user was stuck at, empty when none.
  const std::string& stuckAt() const { return stuckAt_; }

  static void Later(std::function<void()> action) {
    QTimer::singleShot(0, qApp, std::move(action));
  }
  template <typename T>
  static T* ActiveModal() {
    return dynamic_cast<T*>(QApplication::activeModalWidget());
  }

 private:
  static constexpr int kTickMs = 20;
  // A guard against a program that never shows what a step waits for.
  static constexpr qint64 kGiveUpMs = 30000;

  struct Named {
    std::string name;
    Step step;
  };

  void Tick() {
    if (steps_.empty()) {
      timer_.stop();
      return;
    }
    if (steps_.front().step()) {
      steps_.pop_front();
      clock_.restart();
    } else if (clock_.elapsed() > kGiveUpMs) {
      stuckAt_ = steps_.front().name;
      steps_.clear();
      timer_.stop();
      while (QWidget* modal = QApplication::activeModalWidget()) modal->close();
      giveUp_();
    }
  }

  std::deque<Named> steps_;
  QTimer timer_;
  QElapsedTimer clock_;
  std::function<void()> giveUp_;
  std::string stuckAt_;
};

}  // namespace varnel::testing
